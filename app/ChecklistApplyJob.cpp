#include "app/ChecklistApplyJob.h"

#include <thread>
#include <utility>

#include "checklist/FavoriteStore.h"
#include "platform/CodePage.h"

namespace vx {

namespace {

ProgressJob::Options ApplyOptions() {
  ProgressJob::Options options;
  options.redrawEveryReport = true;
  options.reportPause = std::chrono::milliseconds(0);  // the walk pauses on its own
  return options;
}

}  // namespace

ChecklistApplyJob::ChecklistApplyJob(const FavoriteStore& store, EntryStep step)
    : ProgressJob(ApplyOptions()), store_(store), step_(std::move(step)) {
  SetTotal(store.GetEntryCount());
}

StepResult ChecklistApplyJob::Step() {
  int position = 0;
  store_.ForEachInPrintOrder([&](const FavoriteEntry& entry) {
    if (step_) step_(entry);
    ReportProgress(++position);
    if (position % kPauseEvery == 0) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return true;
  });
  ReportProgress(-1);
  return StepResult::kFinished;
}

std::string ChecklistApplyJob::ProgressText(int position, int total) const {
  return FormatProgressText(Sjis("ロード結果をウィンドウに反映させています"), position, total);
}

int ChecklistApplyJob::Result(JobState finalState) const {
  return finalState == JobState::kDone ? 1 : 0;
}

}  // namespace vx
