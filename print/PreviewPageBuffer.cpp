#include "print/PreviewPageBuffer.h"

#include "platform/CodePage.h"
#include "print/PageDrawing.h"
#include "print/PageImageCanvas.h"
#include "print/PrintEngineState.h"
#include "print/PrintErrors.h"
#include "print/PrintJob.h"

namespace vx {

DibImagePtr AllocPageDib(int bitsPerPixel, int width, int height) {
  return DibImage_Create(bitsPerPixel, width, height);
}

void OpenPageGeometry(const PrintJob& job) {
  PrintEngineState& state = PrintEngine_State();
  state.geometry = PrintPage_Geometry(state.layout, job.orientation);
}

int OpenPageImage(PrintJob& job, std::string_view failText, std::string_view caller) {
  OpenPageGeometry(job);
  const PrintEngineState& state = PrintEngine_State();
  std::shared_ptr<DibImage> page = AllocPageDib(24, state.geometry.width, state.geometry.height);
  if (!page) {
    ReportPrintError(failText, caller);
    return -1;
  }
  job.canvas = std::make_shared<PageImageCanvas>(page);
  job.pageImage = std::move(page);
  return 0;
}

int Preview_Open(PrintJob& job) {
  if (job.pageKind == 0 &&
      OpenPageImage(job, Sjis("プレビュー用メモリが確保できません"), "Preview_Open") != 0) {
    return -1;
  }
  job.scaledPageImage.reset();
  return 0;
}

int Preview_Put(PrintJob& job) {
  if (!job.pageImage) {
    ReportPrintError(Sjis("プレビュー用のページがありません"), "Preview_Put");
    return -1;
  }
  const DibImage& page = *job.pageImage;
  int width = 0;
  int height = 0;
  PrintPage_ScaledSize(DibImage_Width(page), DibImage_Height(page), job.longSide, width, height);
  std::shared_ptr<DibImage> scaled = AllocPageDib(DibImage_BitCount(page), width, height);
  if (!scaled) {
    ReportPrintError(Sjis("印刷用メモリが確保できません(1)"), "Preview_Put");
    return -1;
  }
  DibImage_StretchBlit(*scaled, {0, 0, width, height}, page,
                       {0, 0, DibImage_Width(page), DibImage_Height(page)}, true);
  job.scaledPageImage = std::move(scaled);
  return 0;
}

int Preview_Close(PrintJob& job) {
  PrintPage_Release(job);
  return 0;
}

}  // namespace vx
