#include "tests/support/ScriptedUiServices.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using vx::ScriptedUiServices;
using vx::UiCallKind;

TEST(ScriptedUiServices, BoxesTakeQueuedAnswersAndReportWhatTheScriptDidNotForesee) {
  ScriptedUiServices ui;
  int owner = 0;
  ui.QueueAnswer(IDYES);
  ui.QueueAnswer(IDYES);
  EXPECT_EQ(ui.MessageBox(&owner, "first?", "Title", vx::MB_YESNO | vx::MB_ICONQUESTION), IDYES);
  EXPECT_EQ(ui.MessageBox(nullptr, "info", "", vx::MB_OK), IDCANCEL);  // a Yes it cannot give
  EXPECT_EQ(ui.MessageBox(nullptr, "surprise", "", vx::MB_YESNO), IDCANCEL);
  EXPECT_EQ(ui.PendingAnswers(), 0u);

  const vx::UiCall first = ui.Calls().at(0);
  EXPECT_EQ(first.owner, &owner);
  EXPECT_EQ(first.text + "|" + first.caption, "first?|Title");
  std::vector<std::string> unexpected;
  for (const vx::UiCall& call : ui.UnexpectedCalls()) unexpected.push_back(call.text);
  EXPECT_EQ(unexpected, (std::vector<std::string>{"info", "surprise"}));
}

TEST(ScriptedUiServices, DialogsTakeQueuedPathsAndSaveAddsTheExtension) {
  ScriptedUiServices ui;
  ui.QueuePath(fs::path("/data/list.csv"));
  ui.QueuePath(std::nullopt);
  ui.QueuePath(fs::path("/data.d/settings"));
  ui.QueuePath(fs::path("/data/settings.txt"));
  const vx::FileDialogRequest request{"Pick", "INI|*.ini|", "/data", "ini"};
  EXPECT_EQ(ui.OpenFileDialog(nullptr, request), fs::path("/data/list.csv"));
  EXPECT_EQ(ui.OpenFileDialog(nullptr, request), std::nullopt);
  EXPECT_EQ(ui.SaveFileDialog(nullptr, request), fs::path("/data.d/settings.ini"));
  EXPECT_EQ(ui.SaveFileDialog(nullptr, request), fs::path("/data/settings.txt"));
  EXPECT_EQ(ui.CallsOf(UiCallKind::kOpenFileDialog).at(0).request.filter, "INI|*.ini|");
  EXPECT_TRUE(ui.UnexpectedCalls().empty());

  ui.QueueFiles({"/data/a.csv", "/data/b"});
  ui.QueueFiles({});
  EXPECT_EQ(ui.PendingPaths(), 2u);
  EXPECT_EQ(ui.OpenFilesDialog(nullptr, request),
            (std::vector<fs::path>{"/data/a.csv", "/data/b"}));
  EXPECT_TRUE(ui.OpenFilesDialog(nullptr, request).empty());  // cancelled
  EXPECT_TRUE(ui.UnexpectedCalls().empty());

  EXPECT_EQ(ui.FolderDialog(nullptr, "Folder", "/start"), std::nullopt);
  EXPECT_TRUE(ui.OpenFilesDialog(nullptr, request).empty());
  ASSERT_EQ(ui.UnexpectedCalls().size(), 2u);
  EXPECT_EQ(ui.UnexpectedCalls()[0].path, "/start");
  EXPECT_EQ(ui.UnexpectedCalls()[1].kind, UiCallKind::kOpenFilesDialog);
}

TEST(ScriptedUiServices, ClipboardAddressesAndBrowser) {
  ScriptedUiServices ui;
  EXPECT_TRUE(ui.SetClipboardText("QUILLOR\r\n\x93\xfa"));
  EXPECT_EQ(ui.ClipboardText(), "QUILLOR\r\n\x93\xfa");

  EXPECT_TRUE(ui.OpenUrl("https://example.com/circle"));
  EXPECT_FALSE(ui.OpenUrl("file:///etc/passwd"));
  EXPECT_TRUE(ui.RunBrowser("/usr/bin/firefox", "http://example.com/"));
  EXPECT_FALSE(ui.RunBrowser("/usr/bin/firefox", "--new-window"));
  ui.SetBrowserStarts(false);
  EXPECT_FALSE(ui.RunBrowser("/usr/bin/firefox", "http://example.com/2"));
  EXPECT_FALSE(ui.OpenUrl("https://example.com/3"));
  EXPECT_EQ(ui.OpenedUrls(),
            (std::vector<std::string>{"https://example.com/circle", "http://example.com/"}));
}

}  // namespace
