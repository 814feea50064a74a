#include "app/ProgressJob.h"

#include <thread>

namespace vx {

bool IsProgressRedrawDue(int position, int total) {
  return position < 0 || position >= total || position % 10 == 0;
}

int ShownProgressPosition(int position, int total) { return position < 0 ? total : position; }

std::string FormatProgressText(std::string_view text, int position, int total) {
  std::string line(text);
  line += "...(";
  line += std::to_string(ShownProgressPosition(position, total));
  line += '/';
  line += std::to_string(total);
  line += ')';
  return line;
}

int DefaultProgressResult(JobState state) {
  switch (state) {
    case JobState::kDone:
      return 1;
    case JobState::kCancelled:
      return 0;
    default:
      return 2;
  }
}

ProgressJob::ProgressJob() : ProgressJob(Options{}) {}

ProgressJob::ProgressJob(Options options) : options_(options) {}

bool ProgressJob::MoveState(JobState from, JobState to) {
  return state_.compare_exchange_strong(from, to);
}

bool ProgressJob::Begin() {
  if (!MoveState(JobState::kIdle, JobState::kRunning)) return false;
  if (!OpenTransaction()) {
    MoveState(JobState::kRunning, JobState::kError);
    return false;
  }
  return true;
}

int ProgressJob::RunStep() {
  StepResult result;
  try {
    result = Step();
  } catch (...) {
    result = StepResult::kFailed;  // anything thrown must not end the thread without a completion
  }
  if (result == StepResult::kContinue) return 0;
  Finish(result == StepResult::kFinished ? JobState::kDone : JobState::kError);
  return 1;
}

bool ProgressJob::Finish(JobState outcome) {
  if (outcome != JobState::kDone && outcome != JobState::kError) return false;
  return MoveState(JobState::kRunning, outcome);
}

bool ProgressJob::RequestCancel() {
  if (!MoveState(JobState::kRunning, JobState::kCancelled)) return false;
  stop_.store(true);
  OnCancel();
  return true;
}

int ProgressJob::End() {
  MoveState(JobState::kRunning, JobState::kError);  // a job that ended without saying how failed
  if (transactionOpen_ && !CloseTransaction()) MoveState(JobState::kDone, JobState::kError);
  return Result(State());
}

bool ProgressJob::OpenTransaction() {
  if (!options_.database) return true;
  if (options_.database->Execute("BEGIN TRANSACTION;") != 0) return false;
  transactionOpen_ = true;
  return true;
}

// False when a finished job's work could not be committed; it is then rolled back.
bool ProgressJob::CloseTransaction() {
  transactionOpen_ = false;
  if (State() == JobState::kDone) {
    if (options_.database->Execute("COMMIT;") == 0) return true;
    options_.database->Execute("ROLLBACK;");
    return false;
  }
  options_.database->Execute("ROLLBACK;");
  return true;
}

void ProgressJob::SetTotal(int total) { total_.store(total); }

void ProgressJob::ReportProgress(int position) {
  position_.store(position);
  if (listener_ && (options_.redrawEveryReport || IsProgressRedrawDue(position, Total()))) {
    listener_->ProgressRedrawDue();
  }
  if (options_.reportPause.count() > 0) std::this_thread::sleep_for(options_.reportPause);
}

void ProgressJob::ReportProgress(int position, int total) {
  total_.store(total);
  ReportProgress(position);
}

}  // namespace vx
