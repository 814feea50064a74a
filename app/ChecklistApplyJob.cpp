#include "app/ChecklistApplyJob.h"

#include <algorithm>
#include <utility>

#include "checklist/FavoriteStore.h"
#include "platform/CodePage.h"
#include "res/ResourceIds.h"

namespace vx {

namespace {

ProgressJob::Options ApplyOptions() {
  ProgressJob::Options options;
  options.redrawEveryReport = true;
  options.reportPause = std::chrono::milliseconds(0);  // each run waits for the UI thread anyway
  return options;
}

}  // namespace

ChecklistApplyJob::ChecklistApplyJob(const FavoriteStore& store, RunDelivery deliver, UiHop hop)
    : ProgressJob(ApplyOptions()), deliver_(std::move(deliver)), hop_(std::move(hop)) {
  SetTotal(store.GetEntryCount());
  store.ForEachInPrintOrder([this](const FavoriteEntry& entry) {
    const LParam id = entry.record.id;
    messages_.push_back({UM_CIRCLE_CHECKED, static_cast<WParam>(entry.color), id});
    messages_.push_back({UM_CHECKLIST_ENTRY_CHANGED, 0, id});
    return true;
  });
}

std::size_t ChecklistApplyJob::NextRunEntries(std::size_t entries, std::chrono::nanoseconds taken) {
  const auto runTime = std::chrono::duration_cast<std::chrono::nanoseconds>(kRunTime).count();
  const auto took = std::max<std::chrono::nanoseconds::rep>(taken.count(), 1);
  // At most twice as long as the last run, so that one quick run does not make a long one.
  const double scaled =
      static_cast<double>(entries) * static_cast<double>(runTime) / static_cast<double>(took);
  const double next = std::min(scaled, 2.0 * static_cast<double>(entries));
  return std::clamp(static_cast<std::size_t>(next), kMinRunEntries, kMaxRunEntries);
}

StepResult ChecklistApplyJob::Step() {
  const std::size_t entries = messages_.size() / 2;
  std::size_t handed = 0;
  std::size_t runEntries = kFirstRunEntries;
  while (handed < entries && !StopRequested()) {
    const std::size_t count = std::min(runEntries, entries - handed);
    const auto start = std::chrono::steady_clock::now();
    if (!HandOver(std::span(messages_).subspan(2 * handed, 2 * count))) {
      RequestCancel();  // nobody waits for the rest: the walk ends as a cancelled one
      break;
    }
    handed += count;
    ReportProgress(static_cast<int>(handed));
    runEntries = NextRunEntries(count, std::chrono::steady_clock::now() - start);
  }
  if (!StopRequested()) ReportProgress(-1);
  return StepResult::kFinished;
}

bool ChecklistApplyJob::HandOver(std::span<const AppMessage> run) {
  bool taken = false;
  const bool ran = hop_([this, run, &taken] {
    if (stillWanted_ && !stillWanted_()) return;
    if (deliver_) deliver_(run);
    taken = true;
  });
  return ran && taken;
}

std::string ChecklistApplyJob::ProgressText(int position, int total) const {
  return FormatProgressText(Sjis("ロード結果をウィンドウに反映させています"), position, total);
}

int ChecklistApplyJob::Result(JobState finalState) const {
  return finalState == JobState::kDone ? 1 : 0;
}

}  // namespace vx
