// The controller's long jobs in the real progress dialog, with the modal input filter installed.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <atomic>
#include <mutex>
#include <string>
#include <vector>

#include "app/CatalogController.h"
#include "app/ControllerWindow.h"
#include "app/ProgressJob.h"
#include "app/widgets/ModalInputFilter.h"
#include "app/widgets/ProgressDialog.h"
#include "app/widgets/ProgressDialogRunner.h"
#include "app/widgets/QtActiveWindowTracker.h"
#include "platform/CodePage.h"

namespace {

using namespace std::chrono_literals;

class Frame : public QWidget, public vx::ControllerWindow {
 public:
  Frame() {
    button = new QPushButton(QStringLiteral("go"), this);
    QObject::connect(button, &QPushButton::clicked, [this] { ++clicks; });
  }
  void OnAppMessage(unsigned, vx::WParam, vx::LParam) override {}
  vx::WindowRect ScreenRect() const override { return {}; }
  void Minimize() override {}
  void Restore() override {}
  void BringToTop() override {}

  QPushButton* button;
  int clicks = 0;
};

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

// Counts to 40 in steps of 5, unless it is told to fail; waits for `release` before its last step.
class CountingJob : public vx::ProgressJob {
 public:
  explicit CountingJob(vx::TransactionTarget* database)
      : ProgressJob(Options{database, false, 0ms}) {
    SetTotal(40);
  }
  vx::StepResult Step() override {
    if (StopRequested()) return vx::StepResult::kFinished;
    if (fail) return vx::StepResult::kFailed;
    if (position < 40) {
      position += 5;
      ReportProgress(position);
      return vx::StepResult::kContinue;
    }
    return release.load() ? vx::StepResult::kFinished : vx::StepResult::kContinue;
  }
  std::string ProgressText(int pos, int total) const override {
    return vx::FormatProgressText(vx::Sjis("読み込み中"), pos, total);
  }
  int position = 0;  // worker thread
  bool fail = false;
  std::atomic<bool> release{false};
};

class ControllerProgressTest : public ::testing::Test {
 protected:
  ControllerProgressTest() : controller(nullptr, Services()), filter(controller.Guard(),
                                                                     controller.Registry()) {
    controller.RegisterWindow(vx::kMainWindowId, &frame, "main");
    qApp->installEventFilter(&filter);
    frame.show();
  }
  ~ControllerProgressTest() override { qApp->removeEventFilter(&filter); }

  vx::ControllerServices Services() {
    vx::ControllerServices services;
    services.progress = &runner;
    services.activeWindows = &tracker;
    return services;
  }

  // Runs `whileOpen` inside the dialog's modal loop, once the dialog is up.
  static void WhenDialogOpen(std::function<void(vx::ProgressDialog&)> whileOpen) {
    QTimer::singleShot(0, [whileOpen] {
      auto* dialog = qobject_cast<vx::ProgressDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      whileOpen(*dialog);
    });
  }

  vx::ProgressDialogRunner runner;
  vx::QtActiveWindowTracker tracker;
  vx::CatalogController controller;
  vx::ModalInputFilter filter;
  Frame frame;
};

TEST_F(ControllerProgressTest, FramesIgnoreClicksWhileTheJobRunsAndTheJobCommits) {
  RecordingDatabase database;
  CountingJob job(&database);
  QString caption, text;
  WhenDialogOpen([&](vx::ProgressDialog& dialog) {
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return dialog.TextControl()->text().contains(QStringLiteral("40/40")); }, 5000));
    caption = dialog.windowTitle();
    text = dialog.TextControl()->text();
    QTest::mouseClick(frame.button, Qt::LeftButton);
    job.release = true;
  });
  EXPECT_EQ(controller.RunProgressJob(job, vx::Sjis("チェックリストの読み込み")), 1);
  EXPECT_EQ(caption, QString::fromUtf8("チェックリストの読み込み"));
  EXPECT_EQ(text, QString::fromUtf8("読み込み中...(40/40)"));
  EXPECT_EQ(frame.clicks, 0);
  EXPECT_FALSE(controller.Guard().IsRaised());
  EXPECT_EQ(database.Statements(), (std::vector<std::string>{"BEGIN TRANSACTION;", "COMMIT;"}));
  QTest::mouseClick(frame.button, Qt::LeftButton);
  EXPECT_EQ(frame.clicks, 1);
}

TEST_F(ControllerProgressTest, CancelRollsBackAndEndsWithZero) {
  RecordingDatabase database;
  CountingJob job(&database);
  WhenDialogOpen([&](vx::ProgressDialog& dialog) { dialog.CancelButton()->click(); });
  EXPECT_EQ(controller.RunProgressJob(job, "job"), 0);
  EXPECT_EQ(database.Statements().back(), "ROLLBACK;");
  EXPECT_FALSE(controller.Guard().IsRaised());
}

TEST_F(ControllerProgressTest, ErrorRollsBackAndEndsWithTwo) {
  RecordingDatabase database;
  CountingJob job(&database);
  job.fail = true;
  EXPECT_EQ(controller.RunProgressJob(job, "job"), 2);
  EXPECT_EQ(database.Statements().back(), "ROLLBACK;");
}

TEST_F(ControllerProgressTest, ThreadThatCannotStartEndsWithTwoAndLowersTheGuard) {
  vx::ProgressDialogRunner failing([](std::function<void()>) { return false; });
  vx::ControllerServices services;
  services.progress = &failing;
  vx::CatalogController noThreads(nullptr, services);
  RecordingDatabase database;
  CountingJob job(&database);
  EXPECT_EQ(noThreads.RunProgressJob(job, "job"), 2);
  EXPECT_FALSE(noThreads.Guard().IsRaised());
  EXPECT_EQ(database.Statements(),
            (std::vector<std::string>{"BEGIN TRANSACTION;", "ROLLBACK;"}));
}

}  // namespace
