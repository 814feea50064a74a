#include "ui/print/PrintProgressDialog.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <atomic>
#include <system_error>
#include <thread>

#include "platform/qt/UiThread.h"
#include "print/PrintErrors.h"
#include "print/UiPrintReportSink.h"
#include "tests/support/ScriptedUiServices.h"
#include "tests/support/ThreadCounter.h"
#include "tests/ui/dialogs/DialogTestSupport.h"
#include "tests/ui/print/PrintUiTestSupport.h"
#include "tests/ui/widgets/ScreenPlacementChecks.h"

namespace vxtest {
namespace {

using ProgressDialogTest = PrintUiTest;

// The checks run once the bar shows the units the document reported; the document goes on only
// when the test lets it, reporting the stop flag it then finds.
TEST_F(ProgressDialogTest, ShowsUnitsAndPagesAndWaitsForTheEndAfterCancel) {
  ThreadCounter released;
  std::atomic<int> stopFlagSeen{-1};
  work = [&](vx::PrintJob& job) {
    vx::PrintEngine_Post(job, UM_PRINT_PAGE, 2);
    vx::PrintEngine_Post(job, UM_PRINT_PROGRESS, 7);
    released.WaitFor(1);
    stopFlagSeen = vx::PrintEngine_StopFlag(vx::PrintEngine_DocumentKind()).load();
    vx::PrintEngine_Post(job, UM_PRINT_STOPPED, 0);
    return -1;
  };
  PrepareJob(10, 3);
  vx::PrintProgressDialog dialog(nullptr, "LBP");
  auto* text = Control<QLabel>(&dialog, IDC_PROGRESS_TEXT);
  auto* bar = Control<QProgressBar>(&dialog, IDC_PROGRESS_BAR);
  EXPECT_EQ(text->text().toStdString(), "印刷の準備をしています...");
  Watchdog watchdog;
  bool checked = false;
  bool stayedOpen = false;
  QObject::connect(bar, &QProgressBar::valueChanged, &dialog, [&](int value) {
    if (value != 7) return;
    QTimer::singleShot(0, &dialog, [&] {
      checked = true;
      EXPECT_EQ(bar->maximum(), 10) << "range and position count the same unit";
      EXPECT_EQ(text->text().toStdString(), "プリンタ LBP に\n2 ページ目を出力中です.");
      QTest::keyClick(&dialog, Qt::Key_Escape);
      Control<QPushButton>(&dialog, IDCANCEL)->click();
      stayedOpen = dialog.isVisible();
      released.Raise();
    });
  });
  EXPECT_EQ(dialog.DoModal(), 0);
  EXPECT_TRUE(checked);
  EXPECT_TRUE(stayedOpen);
  EXPECT_EQ(stopFlagSeen, 1) << "Cancel did not raise the document's stop flag";
  EXPECT_EQ(dialog.EndMessage(), UM_PRINT_STOPPED);
}

// A modal loop that ends early (the program quitting ends every one) still stops the document,
// shows the box it raises meanwhile on the UI thread, and joins it before DoModal returns. The
// document goes on once the dialog waits for it, and reports whether the stop had come by then.
TEST_F(ProgressDialogTest, AnEarlyEndOfTheLoopStopsTheDocumentAndJoinsIt) {
  vx::ScriptedUiServices ui;
  ui.QueueAnswer(IDOK);
  vx::UiPrintReportSink boxes(ui, vx::RunOnUiThread);
  UseContext(&boxes);
  ThreadCounter released;
  std::atomic<int> stopFlagSeen{-1};
  std::atomic<bool> returned{false};
  work = [&](vx::PrintJob& job) {
    vx::PrintEngine_Post(job, UM_PRINT_PROGRESS, 1);
    released.WaitFor(1);
    stopFlagSeen = vx::PrintEngine_StopFlag(vx::PrintEngine_DocumentKind()).load();
    vx::ReportPrintError("x", "PrintDocument_Lst1");
    vx::PrintEngine_Post(job, UM_PRINT_STOPPED, 0);
    returned = true;
    return -1;
  };
  PrepareJob(10, 3);
  vx::PrintProgressDialog dialog(nullptr, "LBP");
  auto* bar = Control<QProgressBar>(&dialog, IDC_PROGRESS_BAR);
  Watchdog watchdog;
  QObject::connect(bar, &QProgressBar::valueChanged, &dialog, [&](int value) {
    if (value != 1) return;
    QTimer::singleShot(0, &dialog, [&] {
      dialog.hide();
      // Runs in the dialog's wait for the document, after its loop has ended.
      QTimer::singleShot(0, &dialog, [&] { released.Raise(); });
    });
  });
  EXPECT_EQ(dialog.DoModal(), 0);
  EXPECT_TRUE(returned);
  EXPECT_EQ(stopFlagSeen, 1) << "the dialog waited for the document without stopping it";
  EXPECT_EQ(dialog.EndMessage(), UM_PRINT_STOPPED);
  EXPECT_EQ(ui.CallsOf(vx::UiCallKind::kMessageBox).size(), 1u);
}

// The print commands give the dialog the hidden window that owns the program's dialogs: it
// opened over that window's place, once at the screen's corner with its title bar off screen.
TEST_F(ProgressDialogTest, OpensOverTheWindowTheUserWorksInWithItsFrameOnTheScreen) {
  OwnerAndWorkWindow windows;
  ASSERT_TRUE(windows.Active());
  PrepareJob(4, 1);
  vx::PrintProgressDialog dialog(&windows.owner, "LBP");
  const NativeWindowBirth birth(dialog);
  bool checked = false;
  work = [&](vx::PrintJob& job) {
    vx::PrintEngine_Post(job, UM_PRINT_PROGRESS, 1);
    vx::PrintEngine_Post(job, UM_PRINT_DONE, 4);
    return 0;
  };
  QObject::connect(Control<QProgressBar>(&dialog, IDC_PROGRESS_BAR), &QProgressBar::valueChanged,
                   &dialog, [&] {
                     if (checked) return;
                     checked = true;
                     ExpectFrameOnScreen(dialog);
                     ExpectOver(dialog, windows.work, 2);
                     ExpectMadeWhereItOpened(birth, dialog);
                   });
  Watchdog watchdog;
  EXPECT_EQ(dialog.DoModal(), 0);
  EXPECT_TRUE(checked);
}

TEST_F(ProgressDialogTest, AJobWithoutUnitsEndsBeforeAnyWorker) {
  bool worked = false;
  work = [&](vx::PrintJob&) { return worked = true, 0; };
  PrepareJob(0, 0);
  vx::PrintProgressDialog dialog(nullptr, "LBP");
  Watchdog watchdog;
  EXPECT_EQ(dialog.DoModal(), 0);
  QCoreApplication::processEvents();  // the counting pass's own end arrives late
  EXPECT_EQ(dialog.EndMessage(), 0u);
  EXPECT_FALSE(worked);
}

TEST_F(ProgressDialogTest, AWorkerThatCannotStartEndsTheDialogWithAReport) {
  startThread = [](std::function<void()>) -> std::thread {
    throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
  };
  UseContext();
  PrepareJob(4, 1);
  vx::PrintProgressDialog dialog(nullptr, vx::Sjis("[BMP出力]"));
  Watchdog watchdog;
  EXPECT_EQ(dialog.DoModal(), 0);
  EXPECT_EQ(dialog.EndMessage(), UM_PRINT_FAILED);
  ASSERT_EQ(reports.Shown().size(), 1u);
  EXPECT_EQ(reports.Shown()[0].second, "LOG_Error");
}

}  // namespace
}  // namespace vxtest
