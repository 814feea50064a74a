#include "app/SteppedJobProgress.h"

#include "data/SqliteDatabase.h"

namespace vx {

int SqliteTransactionTarget::Execute(const std::string& sql) {
  return database_.Exec(nullptr, nullptr, sql);
}

SteppedJobProgress::SteppedJobProgress(TransactionTarget* database)
    : ProgressJob(Options{database}) {}

// A cancelled job ends "failed" here too; the dialog's state has already become cancelled and
// keeps it.
StepResult SteppedJobProgress::Step() {
  if (StepJob() == 0) return StepResult::kContinue;
  return JobSucceeded() ? StepResult::kFinished : StepResult::kFailed;
}

void SteppedJobProgress::Relay::ReportProgress(int position) {
  owner_.ReportProgress(position, owner_.JobTotal());
}

}  // namespace vx
