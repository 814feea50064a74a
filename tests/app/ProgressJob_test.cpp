#include "app/ProgressJob.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace {

using vx::JobState;
using vx::StepResult;
using Statements = std::vector<std::string>;

class RecordingDatabase : public vx::TransactionTarget {
 public:
  int Execute(const std::string& sql) override {
    statements.push_back(sql);
    return sql == failing ? 1 : 0;
  }
  Statements statements;
  std::string failing;
};

class ScriptedJob : public vx::ProgressJob, public vx::ProgressListener {
 public:
  explicit ScriptedJob(vx::TransactionTarget* database = nullptr, bool redrawEveryReport = false)
      : ProgressJob(Options{database, redrawEveryReport, std::chrono::milliseconds(0)}) {
    SetListener(this);
  }
  StepResult Step() override { return step ? step() : StepResult::kFinished; }
  std::string ProgressText(int, int) const override { return {}; }
  void ProgressRedrawDue() override { ++redraws; }

  std::function<StepResult()> step;
  int redraws = 0;
};

TEST(ProgressRedraw, EveryTenthPositionAndFromTheTotalOnOrOnEveryReportWhenAsked) {
  for (int due : {0, 30, 100, 103, -1}) EXPECT_TRUE(vx::IsProgressRedrawDue(due, 100)) << due;
  for (int position : {25, 99}) EXPECT_FALSE(vx::IsProgressRedrawDue(position, 100)) << position;

  ScriptedJob job, everyReport(nullptr, true);
  job.SetTotal(100);
  for (int position : {25, 30, 31, 100}) job.ReportProgress(position);
  EXPECT_EQ(job.redraws, 2);
  EXPECT_EQ(job.Position(), 100);
  job.ReportProgress(7, 7);  // a report may bring its own total, and the total is due
  EXPECT_EQ(job.redraws, 3);
  EXPECT_EQ(job.Total(), 7);
  for (int position : {1, 2}) everyReport.ReportProgress(position, 100);
  EXPECT_EQ(everyReport.redraws, 2);

  EXPECT_EQ(vx::FormatProgressText("Loading", 3, 10), "Loading...(3/10)");
  EXPECT_EQ(vx::FormatProgressText("Loading", -1, 42), "Loading...(42/42)");
}

TEST(ProgressJobStates, StepsUntilTheEndAndAThrowingStepIsAnError) {
  ScriptedJob done, throwing, throwingOther;
  int steps = 0;
  done.step = [&] { return ++steps < 3 ? StepResult::kContinue : StepResult::kFinished; };
  throwing.step = []() -> StepResult { throw std::runtime_error("disc read failed"); };
  throwingOther.step = []() -> StepResult { throw 42; };  // not a std::exception
  ASSERT_TRUE(done.Begin());
  EXPECT_FALSE(done.Begin());  // a job runs only once
  EXPECT_EQ((std::vector<int>{done.RunStep(), done.RunStep(), done.RunStep()}),
            (std::vector<int>{0, 0, 1}));
  EXPECT_EQ(done.State(), JobState::kDone);
  EXPECT_FALSE(done.RequestCancel());  // too late
  // An exception must not end the thread without a completion, nor the process.
  for (ScriptedJob* job : {&throwing, &throwingOther}) {
    ASSERT_TRUE(job->Begin());
    EXPECT_EQ(job->RunStep(), 1);
    EXPECT_EQ(job->State(), JobState::kError);
    EXPECT_EQ(job->End(), 2);
  }
}

// The worker ends the job while the user cancels: exactly one of them wins, and the loser's
// answer says so, so a cancel the UI saw accepted is never overwritten by "done". The two sides
// are released together and shifted against each other a little differently every round.
TEST(ProgressJobStates, CancelRacingTheFinalStateIsNeverLost) {
  const auto waitFor = [](const std::atomic<bool>& flag) {
    while (!flag) std::this_thread::yield();
  };
  const auto busyDelay = [](int iterations) {
    for (std::atomic<int> counter{0}; counter.fetch_add(1) < iterations;) {
    }
  };
  for (int round = 0; round < 2000; ++round) {
    RecordingDatabase database;
    ScriptedJob job(&database);
    ASSERT_TRUE(job.Begin());
    std::atomic<bool> ready{false}, go{false};
    bool finishWon = false;
    std::thread worker([&] {
      ready = true;
      waitFor(go);
      busyDelay(round % 16);
      finishWon = job.Finish(JobState::kDone);
    });
    waitFor(ready);
    go = true;
    busyDelay((round / 16) % 16);
    const bool cancelWon = job.RequestCancel();
    worker.join();
    ASSERT_NE(cancelWon, finishWon) << "round " << round;
    ASSERT_EQ(job.State(), cancelWon ? JobState::kCancelled : JobState::kDone);
    ASSERT_EQ(job.End(), cancelWon ? 0 : 1);
    ASSERT_EQ(database.statements.back(), cancelWon ? "ROLLBACK;" : "COMMIT;");
  }
}

// Cancelling ends with 0 and a ROLLBACK (above); everything else the job did not finish is an
// error that rolls back too.
TEST(ProgressJobTransaction, CommitsWhenDoneAndRollsBackOtherwise) {
  const std::string kBegin = "BEGIN TRANSACTION;";
  struct Case {
    const char* name;
    std::string failing;  // the statement the database refuses
    StepResult outcome;
    int result;
    Statements statements;
  };
  const Case cases[] = {
      {"done", "", StepResult::kFinished, 1, {kBegin, "COMMIT;"}},
      {"failed", "", StepResult::kFailed, 2, {kBegin, "ROLLBACK;"}},
      {"no final state", "", StepResult::kContinue, 2, {kBegin, "ROLLBACK;"}},
      {"commit fails", "COMMIT;", StepResult::kFinished, 2, {kBegin, "COMMIT;", "ROLLBACK;"}},
      {"begin fails", kBegin, StepResult::kFinished, 2, {kBegin}},
  };
  for (const Case& c : cases) {
    RecordingDatabase database;
    database.failing = c.failing;
    ScriptedJob job(&database);
    job.step = [&] { return c.outcome; };
    if (job.Begin()) job.RunStep();
    EXPECT_EQ(job.End(), c.result) << c.name;
    EXPECT_EQ(job.End(), c.result) << c.name;  // the transaction is ended once
    EXPECT_EQ(database.statements, c.statements) << c.name;
  }
}

}  // namespace
