// The search progress job: counts the matching circles, then collects them, on the worker
// thread of the progress dialog. The rows are values of the job's own; the caller takes them on
// the UI thread once the dialog has ended and fills its list with them.
//
// A cancel stops the search at once, also while it counts; it reaches the search only while the
// search runs, so a cancel that comes too late cannot stop the next search.
#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "app/CircleSearch.h"
#include "app/ProgressJob.h"
#include "data/CircleRecord.h"

namespace vx {

class SearchJob final : public ProgressJob {
 public:
  // The search outlives the job.
  explicit SearchJob(CircleSearch& search);

  StepResult Step() override;
  // "サークル情報を検索しています..." until circles were counted, then
  // "<total> 件のサークルが見つかりました.\n検索結果を取得しています...(<position>/<total>)".
  std::string ProgressText(int position, int total) const override;
  void OnCancel() override;

  // After the dialog has ended (result 1 done, 0 cancelled, 2 failed): the circles delivered, in
  // result order, moved out; how many were counted and how many delivered.
  std::vector<CircleRecord> TakeRows() { return std::move(rows_); }
  int Counted() const { return Total(); }
  int Delivered() const { return Position(); }
  // What went wrong when the search failed, CP932 ("" when the search did not say).
  const std::string& ErrorText() const { return error_; }

 private:
  bool BeginSearch();
  StepResult Search();
  void EndSearch();

  CircleSearch& search_;
  std::mutex cancelMutex_;
  bool searching_ = false;          // under cancelMutex_
  bool cancelSent_ = false;         // under cancelMutex_
  std::vector<CircleRecord> rows_;  // the worker's until the job has ended
  std::string error_;
};

}  // namespace vx
