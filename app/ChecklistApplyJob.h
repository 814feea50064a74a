// Telling every window about a committed checklist, as the job of the apply progress dialog
// (FvrLoadEndPrg): the store's entries in print order, each as UM_CIRCLE_CHECKED (colour, id)
// followed by UM_CHECKLIST_ENTRY_CHANGED (0, id). The worker hands the messages to the UI thread in
// runs and waits for each run to be taken, not for each entry, so that a window takes a run as one
// change and repaints once. The user cannot cancel it: windows that heard only part of the
// checklist would show a different one. A quit stops it between runs, as it stops other work.
#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "app/AppMessageSink.h"
#include "app/ProgressJob.h"

namespace vx {

class FavoriteStore;

class ChecklistApplyJob final : public ProgressJob {
 public:
  // Runs the work on the UI thread and returns once it has run; false when it could not run there.
  using UiHop = std::function<bool(const std::function<void()>&)>;
  // Gives a run to the windows; called on the UI thread.
  using RunDelivery = std::function<void(std::span<const AppMessage>)>;

  // The first run is short, so that the windows show the checklist at once; later runs grow or
  // shrink towards about kRunTime of the UI thread's work each, which keeps the progress moving.
  static constexpr std::size_t kFirstRunEntries = 256;
  static constexpr std::size_t kMinRunEntries = 64;
  static constexpr std::size_t kMaxRunEntries = 16384;
  static constexpr std::chrono::milliseconds kRunTime{100};

  // The walk is taken from the store here, on the UI thread: the windows may renumber the print
  // order while they take the runs.
  ChecklistApplyJob(const FavoriteStore& store, RunDelivery deliver, UiHop hop);

  // Asked on the UI thread before each run: false once nobody waits for the walk any more (the
  // dialog that shows it has left its loop, as every dialog does when the program quits).
  void SetStillWanted(std::function<bool()> wanted) { stillWanted_ = std::move(wanted); }

  StepResult Step() override;
  // "ロード結果をウィンドウに反映させています...(position/total)".
  std::string ProgressText(int position, int total) const override;
  // 1 when every entry was handed on, else 0.
  int Result(JobState finalState) const override;

  // The length of the run after one of `entries` that took `taken` (within the bounds above).
  static std::size_t NextRunEntries(std::size_t entries, std::chrono::nanoseconds taken);

 private:
  bool HandOver(std::span<const AppMessage> run);

  std::vector<AppMessage> messages_;  // two per entry
  RunDelivery deliver_;
  UiHop hop_;
  std::function<bool()> stillWanted_;
};

}  // namespace vx
