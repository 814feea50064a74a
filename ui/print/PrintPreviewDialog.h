// The print preview: the pages of the prepared job one at a time, made by the same documents
// that print, at 25 to 400 %, with a page list. Opens at the largest level (100 % at most) at
// which the page fits the work area; that level is also the smallest it can be zoomed out to.
#pragma once

#include <QDialog>

#include <memory>

#include "platform/UiServices.h"
#include "print/PreviewSession.h"

namespace vx {

class PreviewPageView;
class PreviewToolBar;

// Preview commands (also sent by the view's keys).
constexpr int kPreviewCommandFocusView = 3011;
constexpr int kPreviewCommandPrevious = 3012;
constexpr int kPreviewCommandNext = 3013;
constexpr int kPreviewCommandZoomFirst = 3014;  // 25 % .. 3018 400 %
constexpr int kPreviewCommandClose = 3019;
constexpr int kPreviewCommandOpenPageList = 3020;
constexpr int kPreviewCommandZoomIn = 3021;
constexpr int kPreviewCommandZoomOut = 3022;

class PrintPreviewDialog : public QDialog {
  Q_OBJECT

 public:
  // Copies the engine's prepared job and counts its pages; the first page is made once the
  // dialog is shown. `available` is the area the page should fit (the work area less the frame).
  PrintPreviewDialog(QWidget* owner, QSize available);

  void OnCommand(int commandId);

  int ZoomIndex() const { return zoomIndex_; }
  int MinimumZoomIndex() const { return minimumZoomIndex_; }
  const PreviewSession& Session() const { return session_; }
  PreviewPageView* View() const { return view_; }
  PreviewToolBar* ToolBar() const { return toolBar_; }
  // The number of pages the worker has made so far.
  int PagesMade() const { return pagesMade_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void CreateToolBar();
  void CreateView();
  void SizeToPage();
  void SetZoom(int index);
  void StepPage(int step);
  void ChoosePage(int page);
  void MakePage();
  void TakePage();

  QSize available_;
  PreviewSession session_;
  PreviewToolBar* toolBar_ = nullptr;
  PreviewPageView* view_ = nullptr;
  PreviewFit fit_;
  int zoomIndex_ = 0;
  int minimumZoomIndex_ = 0;
  int pagesMade_ = 0;
  bool shown_ = false;
};

// The modal preview of the engine's prepared job, owned by `owner` (a QWidget*): the engine's
// preview service.
void RunPrintPreview(OwnerWindow owner);

}  // namespace vx
