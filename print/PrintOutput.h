// The back-end of a run chosen by its target: the preview buffers for the counting pass (0) and
// the preview (3), the registered page outputs for image files (1) and the printer (2, 4).
#pragma once

namespace vx {

struct PrintJob;

// Opens the target's back-end, which makes the job's page image; -1 after reporting.
int PrintOutput_Open(PrintJob& job, int target);
// Hands the finished page (job.currentPage) to the back-end; nothing for the counting pass.
int PrintOutput_Put(PrintJob& job, int target);
// Closes the back-end and releases the page image; -1 after reporting.
int PrintOutput_Close(PrintJob& job, int target);
// Closes the back-end of a failed or stopped run (PrintPageOutput::Abort).
void PrintOutput_Abort(PrintJob& job, int target);

}  // namespace vx
