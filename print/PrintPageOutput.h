// Where a run's finished pages go for the image-file and printer targets. The program registers
// one output per target with the engine (PrintEngine_SetPageOutput). Open makes the canvas the
// renderers draw on: the job's 24-bit page image, or, for the printer drawn directly (page kind
// 1), the printer itself.
#pragma once

namespace vx {

struct PrintJob;

class PrintPageOutput {
 public:
  virtual ~PrintPageOutput() = default;
  // Makes the job's canvas (and page image) and the engine's page geometry; -1 after reporting.
  virtual int Open(PrintJob& job) = 0;
  // Page job.currentPage is finished on the canvas; -1 after reporting ends the run.
  virtual int Put(PrintJob& job) = 0;
  // Releases what Open made after a run that output every page; -1 after reporting.
  virtual int Close(PrintJob& job) = 0;
  // Releases what Open made after a run that failed or was stopped, leaving nothing that looks
  // complete: no partial file, no printer job of the pages so far.
  virtual void Abort(PrintJob& job) { Close(job); }
};

}  // namespace vx
