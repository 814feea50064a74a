// The engine's error boxes: their texts and titles, their owner, and the UI-services sink that
// shows them on the UI thread.
#include "print/PrintErrors.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

#include "platform/qt/UiThread.h"
#include "print/PrintEngineState.h"
#include "print/UiPrintReportSink.h"
#include "tests/print/PrintTestSupport.h"
#include "tests/support/ScriptedUiServices.h"

namespace vxtest {
namespace {

class ErrorsTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    UseSink();
  }

  void UseSink() {
    vx::PrintEngineServices services;
    services.source = &source;
    services.reports = &sink;
    services.runPreview = [this](vx::OwnerWindow owner) { previewOwner = owner; };
    vx::PrintEngine_SetContext(services, {}, LayoutFolder());
  }

  vx::ScriptedUiServices ui;
  int uiThreadRuns = 0;
  // How the box gets to the UI thread; by default it is shown on the calling thread.
  std::function<void(std::function<void()>)> runner = [](std::function<void()> f) { f(); };
  vx::UiPrintReportSink sink{ui, [this](std::function<void()> f) {
                               ++uiThreadRuns;
                               runner(std::move(f));
                             }};
  vx::OwnerWindow previewOwner = nullptr;
};

TEST_F(ErrorsTest, ReportsShowErrorBoxesOwnedByTheMessageWindow) {
  int owner = 0;
  vx::PrintEngine_SetPrinterTarget(&owner, 1);
  EXPECT_EQ(vx::ReportPrintError(vx::Sjis("印刷用メモリが確保できません(1)"), "Preview_Put"), 0);
  const std::string longPath = "/" + std::string(300, 'p') + "/map.png";
  EXPECT_EQ(vx::ReportFileReadError(longPath, "MapHall_ReadBMPMap"), 0);
  EXPECT_EQ(vx::LayoutKeyMissing("LIST_0V", "BOX3POS", "List2_ReadLayoutParam"), 0);
  const std::vector<vx::UiCall> calls = ui.CallsOf(vx::UiCallKind::kMessageBox);
  ASSERT_EQ(calls.size(), 3u);
  const std::pair<std::string, std::string> expected[] = {
      {"Preview_Put: 印刷用メモリが確保できません(1)", "LOG_Error"},
      {"MapHall_ReadBMPMap: ファイル " + longPath + " の読み込みに失敗しました", "LOG_Error_File"},
      {"List2_ReadLayoutParam: [LIST_0V] にエントリ BOX3POS は存在していません",
       "LOG_Error_RegName"},
  };
  for (std::size_t i = 0; i < calls.size(); ++i) {
    EXPECT_EQ(vx::Cp932ToUtf8(calls[i].text), expected[i].first);
    EXPECT_EQ(calls[i].caption, expected[i].second);
    EXPECT_EQ(calls[i].flags, vx::MB_OK | vx::MB_ICONERROR);
    EXPECT_EQ(calls[i].owner, &owner);
  }
  EXPECT_EQ(uiThreadRuns, 3);
}

// The box goes to the test's thread, which answers it only after it has seen the document
// thread still waiting in it.
TEST_F(ErrorsTest, ADocumentThreadWaitsForItsBox) {
  std::mutex mutex;
  std::condition_variable changed;
  std::function<void()> box;
  bool answered = false;
  runner = [&](std::function<void()> f) {
    std::unique_lock lock(mutex);
    box = std::move(f);
    changed.notify_all();
    changed.wait(lock, [&] { return answered; });
  };
  std::atomic<bool> returned{false};
  std::thread document([&] {
    vx::ReportPrintError("x", "PrintDocument_Map1");
    returned = true;
  });
  {
    std::unique_lock lock(mutex);
    ASSERT_TRUE(changed.wait_for(lock, std::chrono::seconds(10), [&] { return bool(box); }));
    EXPECT_FALSE(returned);
    box();
    answered = true;
    changed.notify_all();
  }
  document.join();
  EXPECT_TRUE(returned);
  EXPECT_EQ(ui.CallsOf(vx::UiCallKind::kMessageBox).size(), 1u);
  EXPECT_EQ(uiThreadRuns, 1);
}

// The UI thread waiting for a document, or resetting the engine under it, still shows the box
// the document raises meanwhile.
TEST_F(ErrorsTest, WaitingForADocumentShowsTheBoxItRaises) {
  runner = vx::RunOnUiThread;
  for (const auto wait : {vx::PrintEngine_WaitForJob, vx::PrintEngine_Reset}) {
    UseSink();
    vx::PrintEngine_SetDocument(vx::kDocumentList, [](vx::PrintJob&, int) {
      return vx::ReportPrintError("x", "PrintDocument_Lst1") - 1;
    });
    vx::PrintThread_Start(vx::kDocumentList, vx::PrintEngine_Job(), vx::kTargetPrinter);
    wait();
  }
  EXPECT_EQ(ui.CallsOf(vx::UiCallKind::kMessageBox).size(), 2u);
}

TEST_F(ErrorsTest, ThePreviewTargetRunsThePreviewForItsOwner) {
  int owner = 0;
  vx::PrintEngine_RunPreview(&owner);
  EXPECT_EQ(previewOwner, &owner);
  EXPECT_EQ(vx::PrintEngine_Job().target, vx::kTargetPreview);
  EXPECT_EQ(vx::PrintEngine_State().messageOwner, &owner);
}

}  // namespace
}  // namespace vxtest
