#include "app/SettingsFileCommands.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "app/BookmarkList.h"
#include "tests/app/CoreFixture.h"

namespace {

namespace fs = std::filesystem;

class SettingsFileCommandsTest : public vxtest::CoreTest {
 protected:
  void SetUp() override {
    Start("UserData=personalpath");
    commands = std::make_unique<vx::SettingsFileCommands>(*core, ui, [this] { ++bookmarkMenus; });
  }

  vx::SettingsValues& Values() { return core->Values(); }
  std::string Title(int bookmark) { return core->Bookmarks().GetAt(bookmark)->title; }

  int bookmarkMenus = 0;
  std::unique_ptr<vx::SettingsFileCommands> commands;
};

// A file written while another event was shown names that event: the import takes the current
// event's keys and the program stays on its event, also in the file it saves at exit.
TEST_F(SettingsFileCommandsTest, ImportKeepsTheCurrentEvent) {
  const fs::path file = root / "other.ini";
  vxtest::WriteFileBytes(file,
                         "[System]\r\nVQNumber96=97\r\n[Window]\r\nCutZoomSize=150\r\n"
                         "[Print]\r\nVQ96Days.00=5\r\nVQ97Days.00=7\r\n"
                         "[VQ96]\r\nBookmarkType.0000=1\r\nBookmarkTitle.0000=mine\r\n"
                         "[VQ97]\r\nBookmarkType.0000=1\r\nBookmarkTitle.0000=other\r\n"
                         "[Search]\r\nkeyword=cat\r\n");
  ui.QueuePath(file);
  ASSERT_TRUE(commands->ImportSettings());
  EXPECT_EQ(
      std::make_tuple(Values().eventNumber, Values().cutZoomSize, Values().print.kinds[0].days),
      std::make_tuple(96, 150, 5));
  ASSERT_EQ(core->Bookmarks().Count(), 1);
  EXPECT_EQ(Title(0), "mine");
  EXPECT_EQ(bookmarkMenus, 1);
  EXPECT_EQ(core->Controller()->GetCurrentSearchSettings().keywords, "cat");
  ASSERT_TRUE(core->SaveSettings({}));
  const std::string saved = vxtest::ReadFileBytes(Documents() / "vindaxel.ini");
  EXPECT_NE(saved.find("VQNumber96=96\r\n"), std::string::npos);
}

// What is exported comes back on import; the print file holds the print settings alone.
TEST_F(SettingsFileCommandsTest, ExportedSettingsComeBack) {
  const fs::path file = root / "settings.ini", print = root / "print.ini";
  Values().cutZoomSize = 175;
  Values().print.paperSizeW = 1234;
  vx::Bookmark mark;
  mark.type = vx::Bookmark::kPage;
  mark.SetTitle("kept");
  core->Bookmarks().Add(mark);
  ui.QueuePath(file);
  ui.QueuePath(print);
  ASSERT_TRUE(commands->ExportSettings());
  ASSERT_TRUE(commands->ExportPrintSettings());

  Values().cutZoomSize = 100;
  Values().print.paperSizeW = 1;
  core->Bookmarks().RemoveAll();
  ui.QueuePath(print);
  ASSERT_TRUE(commands->ImportPrintSettings());
  EXPECT_EQ(std::make_tuple(Values().print.paperSizeW, Values().cutZoomSize),
            std::make_tuple(1234, 100));
  ui.QueuePath(file);
  ASSERT_TRUE(commands->ImportSettings());
  EXPECT_EQ(Values().cutZoomSize, 175);
  ASSERT_EQ(core->Bookmarks().Count(), 1);
  EXPECT_EQ(Title(0), "kept");

  const auto dialogs = ui.CallsOf(vx::UiCallKind::kSaveFileDialog);
  ASSERT_EQ(dialogs.size(), 2u);
  EXPECT_EQ(std::tie(dialogs[0].request.title, dialogs[0].request.filter),
            std::make_tuple(vx::Sjis("動作設定ファイルの選択"),
                            vx::Sjis("動作設定ファイル(*.ini)|*.ini|全てのファイル (*.*)|*.*|")));
  EXPECT_EQ(dialogs[1].request.title, vx::Sjis("印刷設定ファイルの選択"));
  EXPECT_TRUE(Boxes().empty());
}

// Margins that leave no printable area come in as the defaults, and the user is told which
// paper kinds they were, from a print settings file as from a settings file.
TEST_F(SettingsFileCommandsTest, ImportedMarginsLeavingNoPrintableAreaAreResetAndTold) {
  const fs::path print = root / "print.ini", settings = root / "settings.ini";
  vxtest::WriteFileBytes(print, "[Print]\r\nMargin.Left.03=1100\r\nMargin.Right.03=1000\r\n");
  vxtest::WriteFileBytes(settings,
                         "[System]\r\nVQNumber96=96\r\n[Print]\r\nMargin.Top.00=-1\r\n"
                         "Margin.Top.06=1820\r\nMargin.Bottom.06=0\r\n");
  ui.QueuePath(print);
  ASSERT_TRUE(commands->ImportPrintSettings());
  EXPECT_EQ(std::tie(Values().print.margins[3].left, Values().print.margins[3].right),
            std::make_tuple(200, 200));
  ui.QueuePath(settings);
  ASSERT_TRUE(commands->ImportSettings());
  EXPECT_EQ(std::tie(Values().print.margins[0].top, Values().print.margins[6].top),
            std::make_tuple(283, 283));
  ASSERT_EQ(Boxes().size(), 2u);
  const std::string reset = "次の用紙の余白では印刷領域がなくなるため、既定値に戻しました.\n";
  ExpectBox(0, reset + "A4 (Margin.*.03)", "印刷設定", vx::MB_ICONEXCLAMATION);
  ExpectBox(1, reset + "フリー (Margin.*.00)\nB6 (Margin.*.06)", "印刷設定",
            vx::MB_ICONEXCLAMATION);
}

// A cancelled choice does nothing; a file that cannot be read or written is named in an error
// box and changes nothing.
TEST_F(SettingsFileCommandsTest, CancelledOrFailedFilesChangeNothing) {
  for (int i = 0; i < 4; ++i) ui.QueuePath(std::nullopt);
  EXPECT_FALSE(commands->ExportSettings());
  EXPECT_FALSE(commands->ImportSettings());
  EXPECT_FALSE(commands->ExportPrintSettings());
  EXPECT_FALSE(commands->ImportPrintSettings());
  EXPECT_TRUE(Boxes().empty());

  Values().cutZoomSize = 175;
  const fs::path notSettings = root / "picture.ini", noFolder = root / "none" / "x.ini";
  vxtest::WriteFileBytes(notSettings, "\x89PNG\r\n");
  ui.QueuePath(notSettings);
  ui.QueuePath(notSettings);
  ui.QueuePath(noFolder);
  EXPECT_FALSE(commands->ImportSettings());
  EXPECT_FALSE(commands->ImportPrintSettings());
  EXPECT_FALSE(commands->ExportSettings());
  EXPECT_EQ(Values().cutZoomSize, 175);
  ASSERT_EQ(Boxes().size(), 3u);
  for (const vx::UiCall& box : Boxes()) EXPECT_EQ(box.flags, vx::MB_ICONHAND);
  EXPECT_EQ(Boxes()[0].text.rfind(notSettings.string(), 0), 0u);
  EXPECT_EQ(Boxes()[2].text.rfind(noFolder.string(), 0), 0u);
  EXPECT_EQ(bookmarkMenus, 0);
}

// Importing /dev/zero grew without bound on the UI thread until the program aborted; a huge file
// was read whole. Both are refused before a byte is read, and nothing changes.
TEST_F(SettingsFileCommandsTest, DevicesAndHugeFilesAreRefusedUnread) {
  const fs::path huge = root / "huge.ini";
  vxtest::WriteFileBytes(huge, "[Window]\r\nCutZoomSize=150\r\n");
  fs::resize_file(huge, 5u << 20);
  Values().cutZoomSize = 175;
  const std::string notAFile = "は通常のファイルではありません.\n";
  const std::string tooLarge = "ファイルとしては大きすぎます (4 MB まで).\n";
  const std::string settings = "動作設定ファイルを指定してください.";
  const std::string print = "印刷設定ファイルを指定してください.";
  const struct {
    fs::path file;
    bool printSettings;
    std::string why;
  } cases[] = {
      {"/dev/zero", false, notAFile + settings},
      {huge, false, "は動作設定" + tooLarge + settings},
      {root.Path(), true, notAFile + print},
      {huge, true, "は印刷設定" + tooLarge + print},
  };
  for (const auto& c : cases) {
    ui.ClearCalls();
    ui.QueuePath(c.file);
    EXPECT_FALSE(c.printSettings ? commands->ImportPrintSettings() : commands->ImportSettings());
    ASSERT_EQ(Boxes().size(), 1u) << c.file;
    EXPECT_EQ(std::tie(Boxes()[0].text, Boxes()[0].flags),
              std::make_tuple(c.file.string() + "\n" + vx::Sjis(c.why), vx::MB_ICONHAND));
  }
  EXPECT_EQ(Values().cutZoomSize, 175);
  EXPECT_EQ(bookmarkMenus, 0);
}

}  // namespace
