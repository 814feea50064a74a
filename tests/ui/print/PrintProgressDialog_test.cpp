#include "ui/print/PrintProgressDialog.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <system_error>
#include <thread>

#include "platform/ScriptedUiServices.h"
#include "platform/qt/UiThread.h"
#include "print/PrintErrors.h"
#include "print/UiPrintReportSink.h"
#include "tests/ui/dialogs/DialogTestSupport.h"
#include "tests/ui/print/PrintUiTestSupport.h"

namespace vxtest {
namespace {

using ProgressDialogTest = PrintUiTest;

TEST_F(ProgressDialogTest, ShowsUnitsAndPagesAndWaitsForTheEndAfterCancel) {
  std::atomic<bool> reported{false};
  work = [&](vx::PrintJob& job) {
    vx::PrintEngine_Post(job, UM_PRINT_PAGE, 2);
    vx::PrintEngine_Post(job, UM_PRINT_PROGRESS, 7);
    reported = true;
    while (vx::PrintEngine_StopFlag(vx::PrintEngine_DocumentKind()) == 0) std::this_thread::yield();
    vx::PrintEngine_Post(job, UM_PRINT_STOPPED, 0);
    return -1;
  };
  PrepareJob(10, 3);
  vx::PrintProgressDialog dialog(nullptr, "LBP");
  auto* text = Control<QLabel>(&dialog, IDC_PROGRESS_TEXT);
  auto* bar = Control<QProgressBar>(&dialog, IDC_PROGRESS_BAR);
  EXPECT_EQ(text->text().toStdString(), "印刷の準備をしています...");
  Watchdog watchdog;
  bool stayedOpen = false;
  QTimer::singleShot(0, [&] {
    ASSERT_TRUE(QTest::qWaitFor([&] { return bar->value() == 7; }, 10000));
    EXPECT_EQ(bar->maximum(), 10) << "range and position count the same unit";
    EXPECT_EQ(text->text().toStdString(), "プリンタ LBP に\n2 ページ目を出力中です.");
    QTest::keyClick(&dialog, Qt::Key_Escape);
    Control<QPushButton>(&dialog, IDCANCEL)->click();
    stayedOpen = dialog.isVisible();
  });
  EXPECT_EQ(dialog.DoModal(), 0);
  EXPECT_TRUE(stayedOpen);
  EXPECT_EQ(dialog.endMessage(), UM_PRINT_STOPPED);
}

// A modal loop that ends early (the program quitting ends every one) still stops the document,
// shows the box it raises meanwhile on the UI thread, and joins it before DoModal returns.
TEST_F(ProgressDialogTest, AnEarlyEndOfTheLoopStopsTheDocumentAndJoinsIt) {
  vx::ScriptedUiServices ui;
  ui.QueueAnswer(IDOK);
  vx::UiPrintReportSink boxes(ui, vx::RunOnUiThread);
  UseContext(&boxes);
  std::atomic<bool> returned{false};
  work = [&](vx::PrintJob& job) {
    vx::PrintEngine_Post(job, UM_PRINT_PROGRESS, 1);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (vx::PrintEngine_StopFlag(vx::PrintEngine_DocumentKind()) == 0 &&
           std::chrono::steady_clock::now() < deadline) {
      std::this_thread::yield();
    }
    vx::ReportPrintError("x", "PrintDocument_Lst1");
    vx::PrintEngine_Post(job, UM_PRINT_STOPPED, 0);
    returned = true;
    return -1;
  };
  PrepareJob(10, 3);
  vx::PrintProgressDialog dialog(nullptr, "LBP");
  auto* bar = Control<QProgressBar>(&dialog, IDC_PROGRESS_BAR);
  Watchdog watchdog;
  QTimer::singleShot(0, [&] {
    ASSERT_TRUE(QTest::qWaitFor([&] { return bar->value() == 1; }, 10000));
    dialog.hide();
  });
  EXPECT_EQ(dialog.DoModal(), 0);
  EXPECT_TRUE(returned);
  EXPECT_EQ(dialog.endMessage(), UM_PRINT_STOPPED);
  EXPECT_EQ(ui.CallsOf(vx::UiCallKind::kMessageBox).size(), 1u);
}

TEST_F(ProgressDialogTest, AJobWithoutUnitsEndsBeforeAnyWorker) {
  bool worked = false;
  work = [&](vx::PrintJob&) { return worked = true, 0; };
  PrepareJob(0, 0);
  vx::PrintProgressDialog dialog(nullptr, "LBP");
  Watchdog watchdog;
  EXPECT_EQ(dialog.DoModal(), 0);
  QCoreApplication::processEvents();  // the counting pass's own end arrives late
  EXPECT_EQ(dialog.endMessage(), 0u);
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
  EXPECT_EQ(dialog.endMessage(), UM_PRINT_FAILED);
  ASSERT_EQ(reports.Shown().size(), 1u);
  EXPECT_EQ(reports.Shown()[0].second, "LOG_Error");
}

}  // namespace
}  // namespace vxtest
