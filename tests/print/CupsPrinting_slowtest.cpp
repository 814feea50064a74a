// Printing to a real CUPS server of the test's own on loopback: a finished print reaches the
// queue whole, a stopped one never does, and a server that goes away mid-print fails the print
// with a box; the printer list tells a dead server from a live one. Skips, saying why, where
// cupsd cannot be started.
#include <cups/cups.h>
#include <gtest/gtest.h>

#include <QPdfDocument>
#include <cstdlib>

#include "print/CupsPrinterList.h"
#include "print/PrinterChoice.h"
#include "print/PrinterOutput.h"
#include "tests/print/DocumentTestSupport.h"
#include "tests/print/LoopbackCupsServer.h"

namespace vxtest {
namespace {

constexpr int kList = 1;  // LIST_0V: 20 lines a page

int JobCount(int which) {
  cups_job_t* jobs = nullptr;
  const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, "vxtest", 0, which);
  cupsFreeJobs(count, jobs);
  return count;
}

int PdfPages(const std::filesystem::path& file) {
  QPdfDocument document;
  document.load(QString::fromStdString(file.string()));
  return document.pageCount();
}

class CupsPrintingTest : public DocumentTest {
 protected:
  static void SetUpTestSuite() {
    server = std::make_unique<LoopbackCupsServer>();
    // libcups reads the server's address once per thread: set before any call.
    if (server->Ready()) setenv("CUPS_SERVER", server->Address().c_str(), 1);
  }
  static void TearDownTestSuite() { server.reset(); }

  void SetUp() override {
    if (!server->Ready()) GTEST_SKIP() << "no CUPS server for the test: " << server->Failure();
    DocumentTest::SetUp();
    for (int id = 1; id <= 25; ++id) Check({.id = id, .space = 1 + (id - 1) % 20});
    vx::PrintSelection request = Request(vx::PrintSelection::kFamilyList, kList);
    ASSERT_EQ(DocumentTest::SetUp(request), 2);
    vx::PrintEngine_SetPageOutput(vx::kTargetPrinter, std::make_shared<vx::PrinterOutput>());
    vx::PrintEngine_SetOwnerWindow(&owner);
  }

  int PrintToQueue() {
    vx::PrinterChoice choice;
    choice.printerName = "vxtest";
    choice.paperWidth = 2100;
    choice.paperHeight = 2970;
    vx::PrintEngine_SetPrinterTarget(nullptr, 0, choice);
    vx::PrintEngine_SetPageRange("1-", 1, 0);
    events.Clear();
    return RunKind(vx::PrintEngine_Job(), vx::kTargetPrinter);
  }

  static std::unique_ptr<LoopbackCupsServer> server;
};

std::unique_ptr<LoopbackCupsServer> CupsPrintingTest::server;

// Runs in this order: the server stops in the last test.
TEST_F(CupsPrintingTest, AFinishedPrintReachesTheQueueWhole) {
  const vx::PrinterList printers = vx::CupsPrinterList_Query();
  EXPECT_TRUE(printers.serverReached);
  EXPECT_EQ(printers.names, std::vector<std::string>{"vxtest"});
  ASSERT_EQ(PrintToQueue(), 0) << ::testing::PrintToString(ReportTexts());
  EXPECT_EQ(EndMessages(), std::vector<unsigned>{UM_PRINT_DONE});
  ASSERT_TRUE(server->WaitForPrinted(1));
  ASSERT_EQ(server->Printed().size(), 1u);
  EXPECT_EQ(PdfPages(server->Printed()[0]), 2);
}

TEST_F(CupsPrintingTest, AStoppedPrintNeverReachesTheQueue) {
  const int before = JobCount(CUPS_WHICHJOBS_ALL);
  events.onPost = [](unsigned message, std::intptr_t) {
    if (message == UM_PRINT_PAGE) vx::PrintEngine_StopJob();
  };
  EXPECT_EQ(PrintToQueue(), -1);
  EXPECT_EQ(EndMessages(), std::vector<unsigned>{UM_PRINT_STOPPED});
  EXPECT_EQ(JobCount(CUPS_WHICHJOBS_ALL), before);
  EXPECT_TRUE(reports.Shown().empty());
}

TEST_F(CupsPrintingTest, AServerThatGoesAwayMidPrintFailsThePrint) {
  events.onPost = [](unsigned message, std::intptr_t) {
    if (message == UM_PRINT_PAGE) server->Stop();
  };
  EXPECT_EQ(PrintToQueue(), -1);
  EXPECT_EQ(EndMessages(), std::vector<unsigned>{UM_PRINT_FAILED});
  const std::vector<std::string> texts = ReportTexts();
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0],
            "PrintBMP: プリンタ vxtest に印刷を送れませんでした。印刷は行われていません。\n"
            "印刷サーバー (CUPS: " +
                server->Address() + ") が応答しません。");
  EXPECT_FALSE(vx::CupsPrinterList_Query().serverReached);
}

}  // namespace
}  // namespace vxtest
