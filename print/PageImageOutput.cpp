#include "print/PageImageOutput.h"

#include "platform/CodePage.h"
#include "print/PageDrawing.h"
#include "print/PreviewPageBuffer.h"
#include "print/PrintJob.h"

namespace vx {

int PageImageOutput::Open(PrintJob& job) {
  return OpenPageImage(job, Sjis("出力用メモリが確保できません"), "PageImageOutput_Open");
}

int PageImageOutput::Put(PrintJob& job) {
  if (!job.pageImage || !onPage_) return 0;
  return onPage_(job, *job.pageImage) == 0 ? 0 : -1;
}

int PageImageOutput::Close(PrintJob& job) {
  PrintPage_Release(job);
  return 0;
}

}  // namespace vx
