#include "print/PreviewSession.h"

#include <algorithm>

#include "print/PageTitles.h"
#include "print/PrintDocuments.h"
#include "print/PrintEngine.h"

namespace vx {

PreviewFit Preview_ChooseFit(int pageWidth, int pageHeight, int availableWidth,
                             int availableHeight) {
  int width = pageWidth;
  int height = pageHeight;
  for (int index = kPreviewFitZoomIndex; index >= 0; --index) {
    if (width < availableWidth && height < availableHeight) return {index, width, height};
    width /= 2;
    height /= 2;
  }
  return {0, pageWidth / 4, pageHeight / 4};
}

void PreviewSession::Reset(const PrintJob& job, int documentKind) {
  documentKind_ = documentKind;
  current_ = job;
  current_.longSide = kPreviewLongSide;
  current_.scaledPageImage.reset();
  pageImage_.reset();
  pageCount_ = 0;
  currentPage_ = 1;
  imageWidth_ = 0;
  imageHeight_ = 0;
}

int PreviewSession::RunCount(PrintJob& job) {
  job.ownerWindow = nullptr;
  return PrintDocuments_Run(documentKind_, job, kTargetCount);
}

void PreviewSession::CountPages() {
  current_.pageRange.clear();
  RunCount(current_);
  pageCount_ = std::max(0, current_.pageFigure);
  current_.pageRange = std::to_string(1);  // page 1 alone
  RunCount(current_);
  imageWidth_ = current_.outputWidth;
  imageHeight_ = current_.outputHeight;
}

int PreviewSession::CountPage() {
  current_.pageRange = std::to_string(currentPage_);
  RunCount(current_);
  return std::max(1, current_.preparationResult);
}

void PreviewSession::StartPageThread(OwnerWindow window) {
  PrintEngine_WaitForJob();  // the thread job is the last worker's until it has ended
  threadJob_ = current_;
  threadJob_.pageRange = std::to_string(currentPage_);
  threadJob_.ownerWindow = window;
  threadJob_.scaledPageImage.reset();
  PrintThread_Start(documentKind_, threadJob_, kTargetPreview);
}

void PreviewSession::StopPageThread() { PrintEngine_StopFlag(documentKind_) = 1; }

bool PreviewSession::TakePage() {
  PrintEngine_WaitForJob();
  if (!threadJob_.scaledPageImage) return false;
  current_ = threadJob_;
  pageImage_ = std::move(threadJob_.scaledPageImage);
  current_.scaledPageImage.reset();
  imageWidth_ = DibImage_Width(*pageImage_);
  imageHeight_ = DibImage_Height(*pageImage_);
  return true;
}

int PreviewSession::ClampPage(int page) const {
  return std::clamp(page, 1, std::max(1, pageCount_));
}

bool PreviewSession::SetCurrentPage(int page) {
  page = ClampPage(page);
  if (page == currentPage_) return false;
  currentPage_ = page;
  return true;
}

std::string PreviewSession::PageItemText(int page) const {
  return std::to_string(page) + " : " + PageTitle_Get(page);
}

}  // namespace vx
