// The three dialogs of a checklist load, as the controller reaches them: the read progress, the
// import confirmation page and the apply progress. The Qt implementation lives in ui/; tests
// script them.
#pragma once

#include <string_view>

#include "platform/UiServices.h"

namespace vx {

class ChecklistApplyJob;
class FavoriteStore;
class ProgressJob;

class ChecklistDialogs {
 public:
  virtual ~ChecklistDialogs() = default;

  // The read in the load progress dialog (caption may be empty); the job's result.
  virtual int RunReadProgress(ProgressJob& job, std::string_view caption, OwnerWindow owner) = 0;
  // The import confirmation page over the store's import rows, the checklist's event named
  // first and `catalogueEvent` second. IDOK when the user accepted: the rows' actions are then
  // as chosen. Any other answer leaves every action as it was.
  virtual int RunImportConfirmation(FavoriteStore& store, int catalogueEvent,
                                    OwnerWindow owner) = 0;
  // The apply walk in the progress dialog titled "チェックリストのロード中", Cancel disabled; the
  // job's result. The walk stops once the dialog no longer waits for it (the program quitting).
  virtual int RunApplyProgress(ChecklistApplyJob& job, OwnerWindow owner) = 0;
};

// Runs a job to its end on the calling thread, without a dialog (no cancel); the job's result.
int RunJobWithoutDialog(ProgressJob& job);

}  // namespace vx
