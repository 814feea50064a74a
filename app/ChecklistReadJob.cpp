#include "app/ChecklistReadJob.h"

#include <utility>

#include "checklist/FavoriteStore.h"
#include "platform/CodePage.h"

namespace vx {

ChecklistReadJob::ChecklistReadJob(FavoriteStore& store, ChecklistSource source, bool append,
                                   bool takeColors)
    : ProgressJob(Options::EveryReportRedrawn()),
      store_(store),
      source_(std::move(source)),
      append_(append || source_.fromText),
      takeColors_(takeColors) {
  store_.ForgetStop();  // before the worker starts, so that a Cancel from now on holds
}

StepResult ChecklistReadJob::Step() {
  const FavoriteStore::ReadProgress progress = [this](int index, int total) {
    ReportProgress(index, total);
  };
  const bool same = source_.fromText
                        ? store_.LoadText(source_.text, append_, takeColors_, progress)
                        : store_.LoadFile(source_.file, append_, takeColors_, progress);
  sameEvent_.store(same);
  return StepResult::kFinished;
}

std::string ChecklistReadJob::ProgressText(int position, int total) const {
  return FormatProgressText(Sjis("チェックリストを読み込んでいます"), position, total);
}

int ChecklistReadJob::Result(JobState finalState) const {
  switch (finalState) {
    case JobState::kDone:
      return store_.ReadStatus();
    case JobState::kCancelled:
      return 0;
    default:
      return kReadNothing;
  }
}

void ChecklistReadJob::OnCancel() { store_.RequestStop(); }

}  // namespace vx
