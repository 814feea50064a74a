#include "app/ChecklistDialogs.h"

#include "app/ProgressJob.h"

namespace vx {

int RunJobWithoutDialog(ProgressJob& job) {
  if (job.Begin()) {
    while (job.RunStep() == 0) {
    }
  }
  return job.End();
}

}  // namespace vx
