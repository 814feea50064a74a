// Long jobs run by the controller in the real progress dialog, with the modal input filter on.
#include "ui/widgets/ProgressDialog.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <functional>
#include <string>
#include <system_error>
#include <vector>

#include "app/CatalogController.h"
#include "app/ControllerWindow.h"
#include "ui/widgets/ModalInputFilter.h"
#include "ui/widgets/ProgressDialogRunner.h"
#include "ui/widgets/QtActiveWindowTracker.h"
#include "platform/CodePage.h"
#include "platform/qt/UiThread.h"
#include "tests/support/ThreadCounter.h"
#include "tests/ui/widgets/ScreenPlacementChecks.h"

namespace {

using vx::StepResult;
using Statements = std::vector<std::string>;

class Frame : public QWidget, public vx::ControllerWindow {
 public:
  void OnAppMessage(unsigned, vx::WParam, vx::LParam) override {}
  vx::WindowRect ScreenRect() const override { return {}; }
  void Minimize() override {}
  void Restore() override {}
  void BringToTop() override {}
  QPushButton* button = new QPushButton(this);
  QLineEdit* edit = new QLineEdit(this);
  QWidget* dialog = new QWidget(this, Qt::Dialog);  // a window of its own, owned by the frame
  QPushButton* dialogButton = new QPushButton(dialog);
};

// Begin and End, and so every statement, run on the UI thread.
struct RecordingDatabase : vx::TransactionTarget {
  int Execute(const std::string& sql) override {
    statements.push_back(sql);
    return 0;
  }
  Statements statements;
};

// Unless scripted, the job goes on until it is released or asked to stop.
class TestJob : public vx::ProgressJob {
 public:
  explicit TestJob(vx::TransactionTarget* database) : ProgressJob(Options{database, false, {}}) {}
  StepResult Step() override {
    const int step = ++steps;
    if (step == 1 && atFirstStep) vx::PostToUiThread(atFirstStep);
    stepped.Raise();
    if (script) return script(step);
    return release || StopRequested() ? StepResult::kFinished : StepResult::kContinue;
  }
  std::string ProgressText(int position, int total) const override {
    if (QThread::currentThread() != qApp->thread()) ++textsOffUiThread;
    return vx::FormatProgressText(title, position, total);
  }
  void OnCancel() override { ++cancelHooks; }

  std::string title = vx::Sjis("読み込み中");
  std::function<StepResult(int step)> script;  // worker thread
  std::function<void()> atFirstStep;           // queued to the UI thread as the first step begins
  std::atomic<int> steps{0};
  vxtest::ThreadCounter stepped;  // raised after each step has begun
  std::atomic<bool> release{false};
  mutable std::atomic<int> textsOffUiThread{0};
  int cancelHooks = 0;
};

std::string Text(const vx::ProgressDialog& dialog) {
  return dialog.TextControl()->text().toStdString();
}

class ProgressTest : public ::testing::Test {
 protected:
  ProgressTest() : filter(controller.GetGuard(), controller.GetRegistry()) {
    controller.RegisterWindow(vx::kMainWindowId, &frame, "main");
    qApp->installEventFilter(&filter);
    frame.edit->move(0, 40);
    frame.show();
    frame.dialog->show();
    QObject::connect(frame.button, &QPushButton::clicked, [this] { ++clicks; });
    QObject::connect(frame.dialogButton, &QPushButton::clicked, [this] { ++dialogClicks; });
  }
  ~ProgressTest() override { qApp->removeEventFilter(&filter); }

  // Runs the job through the controller; `whileOpen` runs inside the dialog's modal loop once
  // the worker has begun its first step.
  int Run(std::function<void(vx::ProgressDialog&)> whileOpen) {
    job.atFirstStep = [whileOpen] {
      auto* dialog = qobject_cast<vx::ProgressDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      whileOpen(*dialog);
    };
    QTimer deadline;
    FailAndReleaseAt(deadline);
    const int result = controller.RunProgressJob(job, vx::Sjis("チェックリストの読み込み"));
    EXPECT_FALSE(controller.GetGuard().IsRaised());
    return result;
  }

  // A job still running at the deadline fails the test and is let go, so that the test ends.
  void FailAndReleaseAt(QTimer& deadline) {
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, [this] {
      ADD_FAILURE() << "the job was still running at the deadline";
      job.release = true;
    });
    deadline.start(vxtest::kTestDeadline);
  }

  vx::ProgressDialogRunner runner;
  vx::QtActiveWindowTracker tracker;
  vx::CatalogController controller{nullptr, {nullptr, &runner, &tracker, nullptr, nullptr}};
  vx::ModalInputFilter filter;
  Frame frame;
  int clicks = 0, dialogClicks = 0;
  RecordingDatabase database;
  TestJob job{&database};
};

TEST_F(ProgressTest, FramesTakeNoInputWhileTheJobRunsAndTheJobCommits) {
  QAction command(&frame);
  QShortcutEvent shortcut(QKeySequence(Qt::CTRL | Qt::Key_K), 0);
  std::string caption;
  EXPECT_EQ(Run([&](vx::ProgressDialog& dialog) {
              caption = dialog.windowTitle().toStdString();
              QTest::mouseClick(frame.button, Qt::LeftButton);
              QTest::keyClick(frame.button, Qt::Key_Space);
              QTest::keyClicks(frame.edit, QStringLiteral("abc"));
              EXPECT_TRUE(filter.eventFilter(&command, &shortcut));
              EXPECT_FALSE(frame.close());
              QTest::mouseClick(frame.dialogButton, Qt::LeftButton);
              job.release = true;
            }),
            1);
  EXPECT_EQ(caption, "チェックリストの読み込み");
  EXPECT_EQ(clicks, 0);
  EXPECT_EQ(frame.edit->text(), QString());
  EXPECT_EQ(dialogClicks, 1);
  EXPECT_EQ(database.statements, (Statements{"BEGIN TRANSACTION;", "COMMIT;"}));
  QTest::mouseClick(frame.button, Qt::LeftButton);
  QTest::keyClicks(frame.edit, QStringLiteral("abc"));
  EXPECT_FALSE(filter.eventFilter(&command, &shortcut));
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(frame.edit->text(), QStringLiteral("abc"));
}

// Cancel (twice), Enter (Cancel is the default button), Escape, the close button and even a
// hide only ask the job to stop: the dialog ends after the worker's last step, never before.
class CancelTest : public ProgressTest, public ::testing::WithParamInterface<int> {};

TEST_P(CancelTest, OnlyRequestsCancelAndTheDialogEndsAfterTheWorker) {
  enum { kCancelButton, kClose, kHide };
  // Even after the stop flag the job takes its time to wind down, unless the dialog is gone.
  job.script = [&](int) {
    const bool end = job.release || (GetParam() == kHide && job.StopRequested());
    return end ? StepResult::kFinished : StepResult::kContinue;
  };
  bool visibleAfterRequest = false;
  EXPECT_EQ(Run([&](vx::ProgressDialog& dialog) {
              if (GetParam() == kHide) return dialog.hide();  // ends the modal loop at once
              if (GetParam() == kCancelButton) {
                dialog.CancelButton()->click();
                dialog.CancelButton()->click();
              } else if (GetParam() == kClose) {
                EXPECT_FALSE(dialog.close());
              } else {
                QKeyEvent press(QEvent::KeyPress, GetParam(), Qt::NoModifier);
                QCoreApplication::sendEvent(&dialog, &press);
              }
              EXPECT_EQ(job.State(), vx::JobState::kCancelled);
              // The worker goes on past the request while the dialog handles its events.
              ASSERT_TRUE(job.stepped.WaitFor(job.stepped.Value() + 2));
              visibleAfterRequest = dialog.isVisible();
              job.release = true;
            }),
            0);
  EXPECT_EQ(visibleAfterRequest, GetParam() != kHide);
  EXPECT_EQ(job.cancelHooks, 1);
  EXPECT_EQ(database.statements, (Statements{"BEGIN TRANSACTION;", "ROLLBACK;"}));
}

INSTANTIATE_TEST_SUITE_P(EveryWayOut, CancelTest,
                         ::testing::Values(0, 1, 2, int(Qt::Key_Return), int(Qt::Key_Enter),
                                           int(Qt::Key_Escape)));

// A job that must not stop half-way: Cancel is disabled and no other way out cancels it.
TEST_F(ProgressTest, WithCancelDisabledNothingStopsTheJob) {
  vx::ProgressDialog dialog(job, &frame);
  dialog.SetCancelEnabled(false);
  bool cancelEnabled = true;
  vx::JobState stateAfterTries = vx::JobState::kIdle;
  job.atFirstStep = [&] {
    cancelEnabled = dialog.CancelButton()->isEnabled();
    dialog.CancelButton()->click();
    for (int key : {int(Qt::Key_Escape), int(Qt::Key_Return)}) {
      QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
      QCoreApplication::sendEvent(&dialog, &press);
    }
    dialog.close();
    stateAfterTries = job.State();
    dialog.hide();  // ends the modal loop; the dialog still waits for the job to end
    job.release = true;
  };
  QTimer deadline;
  FailAndReleaseAt(deadline);
  EXPECT_EQ(dialog.exec(), 1);
  EXPECT_FALSE(cancelEnabled);
  EXPECT_EQ(stateAfterTries, vx::JobState::kRunning);
  EXPECT_EQ(job.cancelHooks, 0);
  EXPECT_EQ(database.statements, (Statements{"BEGIN TRANSACTION;", "COMMIT;"}));
}

// The program's progress dialogs belong to a window that is never shown: they opened over that
// window's place, away from the window the user works in, once with the title bar off screen.
TEST_F(ProgressTest, OpensOverTheWindowTheUserWorksInWithItsFrameOnTheScreen) {
  vxtest::OwnerAndWorkWindow windows;
  ASSERT_TRUE(windows.Active());
  // A first text wider than the dialog was made for.
  job.title = vx::Sjis("チェックリストを読み込んでいます。しばらくお待ちください");
  vx::ProgressDialog dialog(job, &windows.owner);
  const vxtest::NativeWindowBirth birth(dialog);
  job.atFirstStep = [&] {
    vxtest::ExpectFrameOnScreen(dialog);
    vxtest::ExpectOver(dialog, windows.work, 2);
    vxtest::ExpectMadeWhereItOpened(birth, dialog);
    job.release = true;
  };
  QTimer deadline;
  FailAndReleaseAt(deadline);
  EXPECT_EQ(dialog.exec(), 1);
}

TEST(ProgressDialog, AThreadThatCannotStartEndsWithTwo) {
  vx::ProgressDialogRunner failing([](std::function<void()>) -> std::thread {
    throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
  });
  vx::CatalogController noThreads(nullptr, {nullptr, &failing, nullptr, nullptr, nullptr});
  RecordingDatabase database;
  TestJob stuck(&database);
  EXPECT_EQ(noThreads.RunProgressJob(stuck, "job"), 2);
  EXPECT_EQ(stuck.steps, 0);
  EXPECT_FALSE(noThreads.GetGuard().IsRaised());
  EXPECT_EQ(database.statements, (Statements{"BEGIN TRANSACTION;", "ROLLBACK;"}));
}

// 25 of 100 is not redrawn; the end (-1) is, showing the total.
TEST_F(ProgressTest, ProgressIsRedrawnEveryTenthAndAtTheEnd) {
  vxtest::ThreadCounter gate, reported;
  job.SetTotal(100);
  job.script = [&](int step) {
    if (step <= 2) job.ReportProgress(step == 1 ? 25 : -1);
    reported.Raise();
    if (step <= 2) gate.WaitFor(step);
    return step < 2 ? StepResult::kContinue : StepResult::kFinished;
  };
  std::vector<std::string> texts;
  std::vector<int> bar;
  EXPECT_EQ(Run([&](vx::ProgressDialog& dialog) {
              // Any redraw a report queued is delivered before the text is read.
              for (int step = 1; step <= 2; ++step) {
                ASSERT_TRUE(reported.WaitFor(step));
                QCoreApplication::sendPostedEvents();
                texts.push_back(Text(dialog));
                gate.Raise();
              }
              bar = {dialog.BarControl()->value(), dialog.BarControl()->maximum()};
            }),
            1);
  EXPECT_EQ(texts, (std::vector<std::string>{"読み込み中...(0/100)", "読み込み中...(100/100)"}));
  EXPECT_EQ(bar, (std::vector<int>{100, 100}));
  EXPECT_EQ(job.textsOffUiThread, 0);  // the worker never draws
}

}  // namespace
