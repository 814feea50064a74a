// The state of the print preview that is not a widget: its copies of the prepared job, the page
// count and size from the counting passes, the page shown, and the worker that makes one page at
// a time in preview mode. The worker runs on the thread job, a copy of its own; the page it made
// is taken back on the UI thread after its end message, once the worker has ended.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "platform/UiServices.h"
#include "print/DibImage.h"
#include "print/PrintJob.h"

namespace vx {

constexpr int kPreviewLongSide = 960;
constexpr std::array<int, 5> kPreviewZoomPercents = {25, 50, 100, 200, 400};
constexpr int kPreviewFitZoomIndex = 2;  // 100 %, the largest level the window opens at

// The level a page opens at: the largest of 100, 50 and 25 % at which it fits (strictly) inside
// the available area, with its size there; a page that fits nowhere opens at 25 %.
struct PreviewFit {
  int zoomIndex = 0;
  int width = 0;
  int height = 0;
};
PreviewFit Preview_ChooseFit(int pageWidth, int pageHeight, int availableWidth,
                             int availableHeight);

class PreviewSession {
 public:
  // Copies the engine's prepared job and document kind; no page yet, page 1.
  void Reset(const PrintJob& job, int documentKind);
  // Counting passes over the whole range and over page 1: the page count and the page size.
  void CountPages();
  // Counting pass of the current page: the progress units making it will post (at least 1).
  int CountPage();
  // Starts the worker on the current page; it posts its progress and end to `window`.
  void StartPageThread(OwnerWindow window);
  void StopPageThread();
  // After the worker's end message: waits for the worker and takes the page it made. False, and
  // the previous page stays, when it made none.
  bool TakePage();

  int PageCount() const { return pageCount_; }
  int CurrentPage() const { return currentPage_; }
  int ClampPage(int page) const;
  // Makes the clamped page current; false when it already was.
  bool SetCurrentPage(int page);
  // "%d : %s": the page number and its title (CP932).
  std::string PageItemText(int page) const;

  // The page image shown; null before the first page.
  const std::shared_ptr<DibImage>& PageImage() const { return pageImage_; }
  // Of the page shown, or of the counted page until one is taken.
  int ImageWidth() const { return imageWidth_; }
  int ImageHeight() const { return imageHeight_; }

 private:
  int RunCount(PrintJob& job);

  int documentKind_ = kDocumentNone;
  PrintJob current_;
  PrintJob threadJob_;
  int pageCount_ = 0;
  int currentPage_ = 1;
  int imageWidth_ = 0;
  int imageHeight_ = 0;
  std::shared_ptr<DibImage> pageImage_;
};

}  // namespace vx
