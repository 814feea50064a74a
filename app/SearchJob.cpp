#include "app/SearchJob.h"

#include <utility>

#include "platform/CodePage.h"

namespace vx {

SearchJob::SearchJob(CircleSearch& search)
    : ProgressJob(Options::EveryReportRedrawn()), search_(search) {}

StepResult SearchJob::Step() {
  if (!BeginSearch()) return StepResult::kFinished;
  const StepResult result = Search();
  EndSearch();
  return result;
}

// A job cancelled before its worker started never touches the search.
bool SearchJob::BeginSearch() {
  std::lock_guard lock(cancelMutex_);
  if (StopRequested()) return false;
  searching_ = true;
  return true;
}

StepResult SearchJob::Search() {
  const int total = search_.CountMatches();
  if (StopRequested()) return StepResult::kFinished;  // the cancel decides the result
  if (total < 0) {
    error_ = search_.LastError();
    return StepResult::kFailed;
  }
  SetTotal(total);
  ReportProgress(0);
  if (total == 0) return StepResult::kFinished;
  rows_.reserve(static_cast<std::size_t>(total));
  const int rc = search_.Run([this](CircleRecord&& row) {
    rows_.push_back(std::move(row));
    ReportProgress(static_cast<int>(rows_.size()));
  });
  if (rc != 0 && !(rc == CircleSearch::kStoppedByCancel && StopRequested())) {
    error_ = search_.LastError();
    return StepResult::kFailed;
  }
  return StepResult::kFinished;
}

// A cancel that came after the search had taken its last look at the flag would stay with the
// search and stop the next one.
void SearchJob::EndSearch() {
  bool cancelSent = false;
  {
    std::lock_guard lock(cancelMutex_);
    searching_ = false;
    cancelSent = cancelSent_;
  }
  if (cancelSent) search_.ForgetCancel();
}

void SearchJob::OnCancel() {
  std::lock_guard lock(cancelMutex_);
  if (!searching_) return;
  search_.Cancel();
  cancelSent_ = true;
}

std::string SearchJob::ProgressText(int position, int total) const {
  if (total <= 0) return Sjis("サークル情報を検索しています...");
  return FormatProgressText(
      std::to_string(total) + Sjis(" 件のサークルが見つかりました.\n検索結果を取得しています"),
      position, total);
}

}  // namespace vx
