#include "app/widgets/ProgressDialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "res/ResourceIds.h"

namespace {

using namespace std::chrono_literals;
using vx::JobState;
using vx::ProgressDialog;
using vx::StepResult;

class RecordingDatabase : public vx::TransactionTarget {
 public:
  int Execute(const std::string& sql) override {
    std::lock_guard lock(mutex_);
    statements_.push_back(sql);
    return 0;
  }
  std::vector<std::string> Statements() {
    std::lock_guard lock(mutex_);
    return statements_;
  }

 private:
  std::mutex mutex_;
  std::vector<std::string> statements_;
};

// A job whose steps the test scripts; it never ends on its own before `release` unless told to.
class TestJob : public vx::ProgressJob {
 public:
  explicit TestJob(vx::TransactionTarget* database = nullptr)
      : ProgressJob(Options{database, false, 0ms}) {}

  StepResult Step() override {
    const int step = ++steps;
    if (script) return script(step);
    return release.load() || StopRequested() ? StepResult::kFinished : StepResult::kContinue;
  }
  std::string ProgressText(int position, int total) const override {
    if (QThread::currentThread() != qApp->thread()) ++textsOffUiThread;
    return vx::FormatProgressText("Loading", position, total);
  }
  void OnCancel() override { ++cancelHooks; }

  std::function<StepResult(int step)> script;  // worker thread
  std::atomic<int> steps{0};
  std::atomic<bool> release{false};
  mutable std::atomic<int> textsOffUiThread{0};
  int cancelHooks = 0;
};

// Processes events until `condition` holds or the time is up.
bool WaitUntil(const std::function<bool()>& condition, int timeoutMs = 5000) {
  QElapsedTimer clock;
  clock.start();
  while (!condition()) {
    if (clock.elapsed() > timeoutMs) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QThread::msleep(1);
  }
  return true;
}

void ProcessEventsFor(int ms) {
  WaitUntil([] { return false; }, ms);
}

QString Text(const ProgressDialog& dialog) { return dialog.TextControl()->text(); }

// Runs the dialog modally; `whileOpen` runs inside its modal loop. A watchdog lets a stuck job
// end so that a failing test fails instead of hanging.
class ProgressDialogTest : public ::testing::Test {
 protected:
  int Run(ProgressDialog& dialog, TestJob& job, std::function<void()> whileOpen = {}) {
    // Two hops, so that `whileOpen` is queued behind the dialog's own start-up call.
    if (whileOpen) {
      QTimer::singleShot(0, &dialog, [&dialog, whileOpen = std::move(whileOpen)] {
        QTimer::singleShot(0, &dialog, whileOpen);
      });
    }
    // First the job is let go; a dialog still open long after that will never end.
    QTimer watchdog;
    QObject::connect(&watchdog, &QTimer::timeout, [&] {
      if (timedOut) {
        std::fprintf(stderr, "progress dialog never ended\n");
        std::abort();
      }
      timedOut = true;
      job.release = true;
    });
    watchdog.start(10000);
    const int result = dialog.exec();
    EXPECT_FALSE(timedOut);
    return result;
  }
  bool timedOut = false;
};

TEST_F(ProgressDialogTest, JobDoneOnFirstStepCommitsAndEndsWithOne) {
  RecordingDatabase database;
  TestJob job(&database);
  job.script = [](int) { return StepResult::kFinished; };
  ProgressDialog dialog(job);
  EXPECT_EQ(Run(dialog, job), 1);
  EXPECT_EQ(job.steps, 1);
  EXPECT_EQ(database.Statements(), (std::vector<std::string>{"BEGIN TRANSACTION;", "COMMIT;"}));
}

TEST_F(ProgressDialogTest, ThreadThatCannotStartStillEndsTheDialogWithTwo) {
  RecordingDatabase database;
  TestJob job(&database);
  int starts = 0;
  ProgressDialog dialog(job, nullptr, [&](std::function<void()>) {
    ++starts;
    return false;
  });
  EXPECT_EQ(Run(dialog, job), 2);
  EXPECT_EQ(starts, 1);
  EXPECT_EQ(job.steps, 0);
  EXPECT_EQ(job.State(), JobState::kError);
  EXPECT_EQ(database.Statements(),
            (std::vector<std::string>{"BEGIN TRANSACTION;", "ROLLBACK;"}));
}

TEST_F(ProgressDialogTest, CancelTwiceOnlyCancelsAndTheDialogWaitsForTheCompletion) {
  RecordingDatabase database;
  TestJob job(&database);
  // Even after the stop flag the job takes its time to wind down.
  job.script = [&](int) { return job.release ? StepResult::kFinished : StepResult::kContinue; };
  ProgressDialog dialog(job);
  bool visibleAfterCancel = false;
  const int result = Run(dialog, job, [&] {
    ASSERT_TRUE(WaitUntil([&] { return job.steps >= 2; }));
    dialog.CancelButton()->click();
    dialog.CancelButton()->click();
    EXPECT_EQ(job.State(), JobState::kCancelled);
    EXPECT_TRUE(job.StopRequested());
    EXPECT_EQ(job.cancelHooks, 1);
    ProcessEventsFor(50);
    visibleAfterCancel = dialog.isVisible();
    job.release = true;
  });
  EXPECT_TRUE(visibleAfterCancel);
  EXPECT_EQ(result, 0);
  EXPECT_EQ(database.Statements().back(), "ROLLBACK;");
}

class ProgressDialogKeysTest : public ProgressDialogTest,
                               public ::testing::WithParamInterface<int> {};

// Enter (Cancel is the default button), Escape and the close button only ask the job to stop.
TEST_P(ProgressDialogKeysTest, RequestsCancelInsteadOfClosing) {
  TestJob job;
  job.script = [&](int) { return job.release ? StepResult::kFinished : StepResult::kContinue; };
  ProgressDialog dialog(job);
  bool visibleAfterRequest = false;
  const int result = Run(dialog, job, [&] {
    ASSERT_TRUE(WaitUntil([&] { return job.steps >= 1; }));
    if (GetParam() == 0) {
      EXPECT_FALSE(dialog.close());
    } else {
      QKeyEvent press(QEvent::KeyPress, GetParam(), Qt::NoModifier);
      QCoreApplication::sendEvent(&dialog, &press);
    }
    EXPECT_EQ(job.State(), JobState::kCancelled);
    ProcessEventsFor(20);
    visibleAfterRequest = dialog.isVisible();
    job.release = true;
  });
  EXPECT_TRUE(visibleAfterRequest);
  EXPECT_EQ(result, 0);
}

INSTANTIATE_TEST_SUITE_P(EnterEscapeClose, ProgressDialogKeysTest,
                         ::testing::Values(int(Qt::Key_Return), int(Qt::Key_Enter),
                                           int(Qt::Key_Escape), 0));

TEST_F(ProgressDialogTest, HiddenDialogStillWaitsForTheWorker) {
  RecordingDatabase database;
  TestJob job(&database);
  ProgressDialog dialog(job);
  const int result = Run(dialog, job, [&] {
    ASSERT_TRUE(WaitUntil([&] { return job.steps >= 1; }));
    dialog.hide();  // ends the modal loop behind the dialog's back
  });
  EXPECT_EQ(result, 0);
  EXPECT_EQ(job.State(), JobState::kCancelled);
  // The completion has been handled: the transaction is closed.
  EXPECT_EQ(database.Statements().back(), "ROLLBACK;");
}

TEST_F(ProgressDialogTest, ProgressIsRedrawnEveryTenthAndAtTheEnd) {
  TestJob job;
  job.SetTotal(100);
  std::atomic<int> gate{0};
  job.script = [&](int step) {
    if (job.release) return StepResult::kFinished;
    if (step == 1) job.ReportProgress(25);
    if (step == 2) job.ReportProgress(30);
    if (step == 3) job.ReportProgress(-1);
    if (step >= 3 && gate.load() >= 3) return StepResult::kFinished;
    while (gate.load() < step && !job.release) QThread::msleep(1);
    return StepResult::kContinue;
  };
  ProgressDialog dialog(job);
  QString after25, after30, atEnd;
  int barAt30 = -1, barAtEnd = -1, barMaximum = -1;
  const int result = Run(dialog, job, [&] {
    EXPECT_EQ(Text(dialog), QStringLiteral("Loading...(0/100)"));
    ASSERT_TRUE(WaitUntil([&] { return job.Position() == 25; }));
    ProcessEventsFor(30);
    after25 = Text(dialog);
    gate = 1;
    ASSERT_TRUE(WaitUntil([&] { return Text(dialog).contains(QStringLiteral("30")); }));
    after30 = Text(dialog);
    barAt30 = dialog.BarControl()->value();
    gate = 2;
    ASSERT_TRUE(WaitUntil([&] { return job.Position() == -1; }));
    ASSERT_TRUE(WaitUntil([&] { return Text(dialog) != after30; }));
    atEnd = Text(dialog);
    barAtEnd = dialog.BarControl()->value();
    barMaximum = dialog.BarControl()->maximum();
    gate = 3;
  });
  EXPECT_EQ(result, 1);
  EXPECT_EQ(after25, QStringLiteral("Loading...(0/100)"));
  EXPECT_EQ(after30, QStringLiteral("Loading...(30/100)"));
  EXPECT_EQ(barAt30, 30);
  EXPECT_EQ(atEnd, QStringLiteral("Loading...(100/100)"));
  EXPECT_EQ(barAtEnd, 100);
  EXPECT_EQ(barMaximum, 100);
  EXPECT_EQ(job.textsOffUiThread, 0);  // the worker never drew
}

TEST_F(ProgressDialogTest, Cp932ProgressTextIsShownAsUnicode) {
  class JapaneseJob : public TestJob {
   public:
    std::string ProgressText(int position, int total) const override {
      return vx::FormatProgressText("\x93\xC7\x82\xDD\x8D\x9E\x82\xDD", position, total);  // 読み込み
    }
  } job;
  job.script = [](int) { return StepResult::kFinished; };
  ProgressDialog dialog(job);
  Run(dialog, job);
  EXPECT_EQ(Text(dialog), QString::fromUtf8("読み込み...(0/0)"));
}

TEST_F(ProgressDialogTest, TemplateHasTextBarAndCancelInThatOrder) {
  TestJob job;
  ProgressDialog dialog(job);
  dialog.show();
  EXPECT_EQ(dialog.TextControl()->property("controlId").toInt(), IDC_PROGRESS_TEXT);
  EXPECT_EQ(dialog.BarControl()->property("controlId").toInt(), IDC_PROGRESS_BAR);
  EXPECT_EQ(dialog.CancelButton()->property("controlId").toInt(), IDCANCEL);
  EXPECT_TRUE(dialog.CancelButton()->isDefault());
  EXPECT_LT(dialog.TextControl()->geometry().bottom(), dialog.BarControl()->geometry().top());
  EXPECT_LT(dialog.BarControl()->geometry().bottom(), dialog.CancelButton()->geometry().top());
  dialog.hide();
}

}  // namespace
