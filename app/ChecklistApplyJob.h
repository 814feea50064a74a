// Telling every window about a committed checklist, as the job of the apply progress dialog
// (FvrLoadEndPrg): the store's entries in print order, each handed to a step (the controller's
// NotifyCircleChecked). The job cannot be cancelled half-way: windows that heard only part of the
// checklist would show a different one.
#pragma once

#include <functional>
#include <string>

#include "app/ProgressJob.h"

namespace vx {

class FavoriteStore;
struct FavoriteEntry;

class ChecklistApplyJob final : public ProgressJob {
 public:
  using EntryStep = std::function<void(const FavoriteEntry&)>;
  // The worker pauses 1 ms after every 20th entry.
  static constexpr int kPauseEvery = 20;

  ChecklistApplyJob(const FavoriteStore& store, EntryStep step);

  StepResult Step() override;
  // "ロード結果をウィンドウに反映させています...(position/total)".
  std::string ProgressText(int position, int total) const override;
  // 1 when every entry was handed on, else 0.
  int Result(JobState finalState) const override;

 private:
  const FavoriteStore& store_;
  EntryStep step_;
};

}  // namespace vx
