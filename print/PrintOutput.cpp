#include "print/PrintOutput.h"

#include "platform/CodePage.h"
#include "print/PreviewPageBuffer.h"
#include "print/PrintEngine.h"
#include "print/PrintErrors.h"
#include "print/PrintPageOutput.h"

namespace vx {

int PrintOutput_Open(PrintJob& job, int target) {
  // Counting draws nothing: no page image, however large the job's pages.
  if (target == kTargetCount) {
    OpenPageGeometry(job);
    job.scaledPageImage.reset();
    return 0;
  }
  if (target == kTargetPreview) return Preview_Open(job);
  PrintPageOutput* output = PrintEngine_PageOutput(target);
  if (!output) {
    ReportPrintError(Sjis("この出力先には出力できません"), "PrintOutput_Open");
    return -1;
  }
  return output->Open(job);
}

int PrintOutput_Put(PrintJob& job, int target) {
  if (target == kTargetCount) return 0;
  if (target == kTargetPreview) return Preview_Put(job);
  PrintPageOutput* output = PrintEngine_PageOutput(target);
  return output ? output->Put(job) : -1;
}

int PrintOutput_Close(PrintJob& job, int target) {
  int result = 0;
  if (PrintPageOutput* output = PrintEngine_PageOutput(target)) result = output->Close(job);
  Preview_Close(job);  // the page image never outlives its run
  return result;
}

void PrintOutput_Abort(PrintJob& job, int target) {
  if (PrintPageOutput* output = PrintEngine_PageOutput(target)) output->Abort(job);
  Preview_Close(job);
}

}  // namespace vx
