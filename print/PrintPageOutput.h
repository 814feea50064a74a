// Where a run's finished pages go for the image-file and printer targets. The program registers
// one output per target with the engine (PrintEngine_SetPageOutput). Every target composes its
// pages in the job's 24-bit page image; the printer target that draws straight onto the printer
// gets it at high resolution.
#pragma once

namespace vx {

struct PrintJob;

class PrintPageOutput {
 public:
  virtual ~PrintPageOutput() = default;
  // Makes the job's page image and the engine's page geometry (OpenPageImage does both);
  // -1 after reporting.
  virtual int Open(PrintJob& job) = 0;
  // Page job.currentPage is finished in job.pageImage; -1 after reporting ends the run.
  virtual int Put(PrintJob& job) = 0;
  // Releases what Open made after a run that output every page; -1 after reporting.
  virtual int Close(PrintJob& job) = 0;
  // Releases what Open made after a run that failed or was stopped, leaving nothing that looks
  // complete: no partial file, no printer job of the pages so far.
  virtual void Abort(PrintJob& job) { Close(job); }
};

}  // namespace vx
