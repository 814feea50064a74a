#include "platform/ScriptedUiServices.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace {

using vx::ScriptedUiServices;
using vx::UiCall;
using vx::UiCallKind;

int ownerStandIn;
void* const kOwner = &ownerStandIn;

TEST(ScriptedMessageBox, AnswersInQueueOrderAndRecordsEachBox) {
  ScriptedUiServices ui;
  ui.QueueAnswer(IDYES);
  ui.QueueAnswer(IDCANCEL);

  EXPECT_EQ(ui.MessageBox(kOwner, "first?", "Title", vx::MB_YESNO | vx::MB_ICONQUESTION), IDYES);
  EXPECT_EQ(ui.MessageBox(nullptr, "second?", "", vx::MB_OKCANCEL), IDCANCEL);

  const std::vector<UiCall> calls = ui.Calls();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].kind, UiCallKind::kMessageBox);
  EXPECT_EQ(calls[0].owner, kOwner);
  EXPECT_EQ(calls[0].text, "first?");
  EXPECT_EQ(calls[0].caption, "Title");
  EXPECT_EQ(calls[0].flags, vx::MB_YESNO | vx::MB_ICONQUESTION);
  EXPECT_EQ(calls[0].answer, IDYES);
  EXPECT_EQ(calls[1].text, "second?");
  EXPECT_EQ(calls[1].owner, nullptr);
  EXPECT_TRUE(ui.UnexpectedCalls().empty());
  EXPECT_EQ(ui.PendingAnswers(), 0u);
}

TEST(ScriptedMessageBox, UnscriptedBoxIsCancelledAndReported) {
  ScriptedUiServices ui;
  EXPECT_EQ(ui.MessageBox(nullptr, "surprise", "", vx::MB_YESNO), IDCANCEL);
  const std::vector<UiCall> unexpected = ui.UnexpectedCalls();
  ASSERT_EQ(unexpected.size(), 1u);
  EXPECT_EQ(unexpected[0].text, "surprise");
}

TEST(ScriptedMessageBox, AnswerTheBoxCannotGiveIsReported) {
  ScriptedUiServices ui;
  ui.QueueAnswer(IDYES);
  ui.MessageBox(nullptr, "info", "", vx::MB_OK | vx::MB_ICONINFORMATION);
  EXPECT_EQ(ui.UnexpectedCalls().size(), 1u);
  EXPECT_EQ(ui.PendingAnswers(), 0u);
}

TEST(ScriptedFileDialogs, PathsComeFromTheQueueAndNulloptCancels) {
  ScriptedUiServices ui;
  ui.QueuePath(std::filesystem::path("/data/list.csv"));
  ui.QueuePath(std::nullopt);
  vx::FileDialogRequest request{"Pick", "CSV|*.csv|", "/data", "csv"};

  EXPECT_EQ(ui.OpenFileDialog(kOwner, request), std::filesystem::path("/data/list.csv"));
  EXPECT_EQ(ui.OpenFileDialog(kOwner, request), std::nullopt);

  const std::vector<UiCall> calls = ui.CallsOf(UiCallKind::kOpenFileDialog);
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].request.title, "Pick");
  EXPECT_EQ(calls[0].request.filter, "CSV|*.csv|");
  EXPECT_EQ(calls[0].request.initialPath, "/data");
  EXPECT_EQ(calls[1].chosen, std::nullopt);
  EXPECT_TRUE(ui.UnexpectedCalls().empty());
}

TEST(ScriptedFileDialogs, SaveAddsTheDefaultExtensionAsTheRealDialogDoes) {
  ScriptedUiServices ui;
  ui.QueuePath(std::filesystem::path("/data/settings"));
  ui.QueuePath(std::filesystem::path("/data/settings.txt"));
  vx::FileDialogRequest request{"Save", "INI|*.ini|", "", "ini"};

  EXPECT_EQ(ui.SaveFileDialog(nullptr, request), std::filesystem::path("/data/settings.ini"));
  EXPECT_EQ(ui.SaveFileDialog(nullptr, request), std::filesystem::path("/data/settings.txt"));
  EXPECT_EQ(ui.CallsOf(UiCallKind::kSaveFileDialog).at(0).chosen,
            std::filesystem::path("/data/settings.ini"));
}

TEST(ScriptedFileDialogs, UnscriptedDialogIsCancelledAndReported) {
  ScriptedUiServices ui;
  EXPECT_EQ(ui.FolderDialog(nullptr, "Folder", "/start"), std::nullopt);
  const std::vector<UiCall> unexpected = ui.UnexpectedCalls();
  ASSERT_EQ(unexpected.size(), 1u);
  EXPECT_EQ(unexpected[0].kind, UiCallKind::kFolderDialog);
  EXPECT_EQ(unexpected[0].caption, "Folder");
  EXPECT_EQ(unexpected[0].path, "/start");
}

TEST(ScriptedClipboard, HoldsTheLastTextSet) {
  ScriptedUiServices ui;
  EXPECT_FALSE(ui.HasClipboardText());
  EXPECT_EQ(ui.ClipboardText(), "");

  EXPECT_TRUE(ui.SetClipboardText("QUILLOR\r\n\x93\xfa"));
  EXPECT_TRUE(ui.HasClipboardText());
  EXPECT_EQ(ui.ClipboardText(), "QUILLOR\r\n\x93\xfa");

  ui.SetClipboardText("");
  EXPECT_FALSE(ui.HasClipboardText());
  EXPECT_EQ(ui.CallsOf(UiCallKind::kSetClipboardText).size(), 2u);
}

TEST(ScriptedUrls, OnlyOpenableAddressesAreHandedOn) {
  ScriptedUiServices ui;
  EXPECT_TRUE(ui.OpenUrl("https://example.com/circle"));
  EXPECT_FALSE(ui.OpenUrl("file:///etc/passwd"));
  EXPECT_FALSE(ui.OpenUrl("javascript:alert(1)"));
  EXPECT_TRUE(ui.OpenUrl("mailto:someone@example.com"));

  EXPECT_EQ(ui.OpenedUrls(),
            std::vector<std::string>({"https://example.com/circle", "mailto:someone@example.com"}));
  EXPECT_EQ(ui.CallsOf(UiCallKind::kOpenUrl).size(), 4u);
}

TEST(ScriptedUrls, BrowserRunsOnlyWithProgramAndOpenableAddress) {
  ScriptedUiServices ui;
  EXPECT_TRUE(ui.RunBrowser("/usr/bin/firefox", "http://example.com/"));
  EXPECT_FALSE(ui.RunBrowser("", "http://example.com/"));
  EXPECT_FALSE(ui.RunBrowser("/usr/bin/firefox", "--new-window"));
  ui.SetBrowserStarts(false);
  EXPECT_FALSE(ui.RunBrowser("/usr/bin/firefox", "http://example.com/2"));

  EXPECT_EQ(ui.OpenedUrls(), std::vector<std::string>({"http://example.com/"}));
  EXPECT_EQ(ui.CallsOf(UiCallKind::kRunBrowser).at(0).path, "/usr/bin/firefox");
}

TEST(ScriptedBeep, CountsBeeps) {
  ScriptedUiServices ui;
  ui.Beep();
  ui.Beep();
  EXPECT_EQ(ui.BeepCount(), 2);
  ui.ClearCalls();
  EXPECT_EQ(ui.BeepCount(), 0);
}

TEST(ScriptedThreads, WorkersAndTheMainThreadShareTheQueues) {
  ScriptedUiServices ui;
  constexpr int kWorkers = 4;
  constexpr int kBoxesEach = 50;
  for (int i = 0; i < kWorkers * kBoxesEach; ++i) ui.QueueAnswer(IDOK);

  std::vector<std::thread> workers;
  std::vector<int> okCounts(kWorkers, 0);
  for (int w = 0; w < kWorkers; ++w) {
    workers.emplace_back([&ui, &okCounts, w] {
      for (int i = 0; i < kBoxesEach; ++i) {
        if (ui.MessageBox(nullptr, "w", "", vx::MB_OKCANCEL) == IDOK) ++okCounts[w];
        ui.Beep();
      }
    });
  }
  for (std::thread& worker : workers) worker.join();

  for (int count : okCounts) EXPECT_EQ(count, kBoxesEach);
  EXPECT_EQ(ui.CallsOf(UiCallKind::kMessageBox).size(), std::size_t{kWorkers * kBoxesEach});
  EXPECT_EQ(ui.BeepCount(), kWorkers * kBoxesEach);
  EXPECT_TRUE(ui.UnexpectedCalls().empty());
}

}  // namespace
