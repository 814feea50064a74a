// The dialogs of a checklist load on Qt widgets: the shared progress dialog for the read and the
// apply walk, and the import confirmation page.
#pragma once

#include "app/CSThread.h"
#include "app/ChecklistDialogs.h"

namespace vx {

class QtChecklistDialogs final : public ChecklistDialogs {
 public:
  explicit QtChecklistDialogs(ThreadStarter starter = StartThread) : starter_(std::move(starter)) {}

  // The owner is the QWidget the dialogs are centred on, or null.
  int RunReadProgress(ProgressJob& job, std::string_view caption, OwnerWindow owner) override;
  int RunImportConfirmation(FavoriteStore& store, int catalogueEvent, OwnerWindow owner) override;
  int RunApplyProgress(ChecklistApplyJob& job, OwnerWindow owner) override;

 private:
  ThreadStarter starter_;
};

}  // namespace vx
