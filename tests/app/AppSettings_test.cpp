#include "app/AppSettings.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "app/BookmarkList.h"
#include "app/ListColumns.h"
#include "platform/Base64.h"
#include "platform/CodePage.h"
#include "platform/Paths.h"
#include "platform/ProfileFile.h"
#include "tests/support/TempDir.h"

namespace {

namespace fs = std::filesystem;

void SetEnv(const char* name, const fs::path& value) { ::setenv(name, value.c_str(), 1); }

void CopyText(char (&field)[vx::kTextSize], const std::string& text) {
  std::strncpy(field, text.c_str(), sizeof field - 1);
}

bool Contains(const std::string& haystack, const std::string& needle) {
  return haystack.find(needle) != std::string::npos;
}

// A program folder, a data home and a documents folder of its own for every test.
class SettingsTest : public ::testing::Test {
 protected:
  SettingsTest() {
    fs::create_directories(program());
    SetEnv("VINDAXEL_PROGRAM_DIR", program());
    SetEnv("XDG_DATA_HOME", root_ / "data");
    SetEnv("XDG_DOCUMENTS_DIR", root_ / "Documents");
  }

  fs::path program() const { return root_ / "program"; }
  fs::path userFile() const { return program() / "vindaxel.ini"; }
  std::string UserFileText() const { return vxtest::ReadFileBytes(userFile()); }
  void WriteUserFile(const std::string& text) const { vxtest::WriteFileBytes(userFile(), text); }
  void WriteSettingsIni(const std::string& text) const {
    vxtest::WriteFileBytes(program() / "settings.ini", text);
  }

  // Start-up as the application does it: window ids and visibility first, then the groups.
  static void PrepareWindowSlots(vx::SettingsValues& v) {
    const int ids[] = {vx::kMainWindowId, vx::kMapWindowId, vx::kChecklistWindowId,
                       vx::kDetailWindowId, vx::kListWindowId};
    for (int slot = 0; slot < 5; ++slot) {
      v.windowIds[slot] = ids[slot];
      v.windowRects[slot] = {10 * slot, 20, 300, 400};
      v.windowShown[slot] = slot == 0 || slot == 2 || slot == 3;
    }
  }

  vxtest::TempDir root_;
};

// ---- where the settings live ----

TEST_F(SettingsTest, WithoutSettingsIniOrWithAnUnknownWordTheUserDataIsInTheProgramFolder) {
  vx::AppSettings settings(vx::ProgramFolder());
  EXPECT_EQ(settings.userDataMode(), vx::UserDataMode::kProgramFolder);
  EXPECT_FALSE(settings.readOnly());
  EXPECT_EQ(settings.userSettingsFile(), userFile());
  EXPECT_EQ(settings.activeFile(), userFile());

  WriteSettingsIni("[Settings]\r\nUserData=homepath\r\n");
  vx::AppSettings unknown(vx::ProgramFolder());
  EXPECT_EQ(unknown.userDataMode(), vx::UserDataMode::kProgramFolder);
  EXPECT_EQ(unknown.userSettingsFile(), userFile());
}

TEST_F(SettingsTest, AppDataPathCreatesTheFolderInTheDataHomeAndKeepsTheFileThere) {
  WriteSettingsIni("[Settings]\r\nUserData=appdatapath\r\nReadOnly=1\r\n");
  vx::AppSettings settings(vx::ProgramFolder());
  const fs::path folder = root_ / "data" / "vindaxel";
  EXPECT_EQ(settings.userDataMode(), vx::UserDataMode::kDataHome);
  EXPECT_TRUE(settings.readOnly());
  EXPECT_TRUE(fs::is_directory(folder));
  EXPECT_EQ(settings.userSettingsFile(), folder / "vindaxel.ini");
  ASSERT_TRUE(settings.SaveSystemGroup());
  EXPECT_TRUE(fs::exists(folder / "vindaxel.ini"));
  EXPECT_FALSE(fs::exists(userFile()));
}

TEST_F(SettingsTest, PersonalPathUsesTheDocumentsFolder) {
  WriteSettingsIni("[Settings]\r\nUserData=personalpath\r\n");
  vx::AppSettings settings(vx::ProgramFolder());
  EXPECT_EQ(settings.userDataMode(), vx::UserDataMode::kDocuments);
  EXPECT_EQ(settings.userFolder(), root_ / "Documents" / "vindaxel");
  EXPECT_TRUE(fs::is_directory(settings.userFolder()));
}

TEST_F(SettingsTest, AUserFolderThatCannotBeMadeFallsBackToTheProgramFolder) {
  vxtest::WriteFileBytes(root_ / "blocker", "a file where the data home should be");
  SetEnv("XDG_DATA_HOME", root_ / "blocker");
  WriteSettingsIni("[Settings]\r\nUserData=appdatapath\r\n");
  vx::AppSettings settings(vx::ProgramFolder());
  EXPECT_EQ(settings.userDataMode(), vx::UserDataMode::kProgramFolder);
  EXPECT_EQ(settings.userSettingsFile(), userFile());
}

// ---- defaults ----

TEST_F(SettingsTest, AnEmptyFileGivesTheDefaults) {
  WriteUserFile("");
  vx::AppSettings settings(vx::ProgramFolder());
  vx::SettingsValues& v = settings.values();
  PrepareWindowSlots(v);
  vx::BookmarkList bookmarks;
  settings.LoadSystemGroup();
  settings.LoadEventGroup(v.eventNumber, bookmarks);

  EXPECT_EQ(v.eventNumber, 96);
  EXPECT_EQ(v.noDatabase, 0);
  EXPECT_STREQ(v.defaultFileDir, "");
  EXPECT_STREQ(v.recentFiles[8], "");
  const int window[] = {v.childWndTop, v.cutAntiAlias, v.cutResolution, v.cutStretchMode,
                        v.cutZoomSize, v.listShowCut,  v.mapAntiAlias,  v.mapStretchMode,
                        v.mapZoomSize, v.mapGenreDisp};
  const int windowDefaults[] = {0, 1, 0, 0, 100, 1, 1, 0, 100, 0};
  for (int i = 0; i < 10; ++i) EXPECT_EQ(window[i], windowDefaults[i]) << "window key " << i;
  // Window slots keep what the application put there.
  EXPECT_EQ(v.windowRects[1].left, 10);
  EXPECT_EQ(v.windowShown[1], 0);
  EXPECT_EQ(v.windowShown[2], 1);

  EXPECT_EQ(v.fvrColorNum, 9);
  EXPECT_EQ(v.fvrColorDef, 0);
  for (int i = 0; i < 9; ++i) {
    EXPECT_EQ(v.fvrColors[i], vx::kDefaultCheckColors[i]);
    EXPECT_EQ(v.fvrPrintColors[i], vx::kDefaultCheckColors[i]);
    EXPECT_STREQ(v.fvrColorNames[i], "");
  }
  EXPECT_EQ(v.fvrColors[0], 0x4A94FFu);
  EXPECT_EQ(v.fvrColors[9], 0u);

  const int config[] = {v.listSortEnable, v.sortEnable,     v.autoNext, v.autoNext2,
                        v.listSync,       v.scrollMode,     v.autoSel,  v.oneClickSel,
                        v.mdlsSearch,     v.strictLoad,     v.autoLoad, v.searchDlgStyle,
                        v.cursorInit,     v.startCover,     v.fvrOver,  v.fvrOverColor,
                        v.syncIconic,     v.browserPathMode};
  const int configDefaults[] = {1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 1, 0, 0, 0, 0};
  for (int i = 0; i < 18; ++i) EXPECT_EQ(config[i], configDefaults[i]) << "config key " << i;
  EXPECT_STREQ(v.browserPath, "");
  EXPECT_EQ(v.googleType, 1);
  EXPECT_EQ(v.googleItem1, 1);
  EXPECT_EQ(v.googleItem2, 3);
  EXPECT_EQ(v.googleCondition, 0);
  for (const vx::ToolBarPlace& bar : v.toolBars) {
    EXPECT_EQ(bar.shown, 1);
    EXPECT_EQ(bar.x, 0);
    EXPECT_EQ(bar.y, 0);
  }

  vx::SettingsValues columns{};
  vx::ResetListColumns(columns, 96);
  EXPECT_EQ(0, std::memcmp(v.listColumns, columns.listColumns, sizeof columns.listColumns));
  EXPECT_EQ(0, std::memcmp(v.checkColumns, columns.checkColumns, sizeof columns.checkColumns));
  EXPECT_EQ(v.listColumnWidths[4], 120);
  EXPECT_EQ(v.listColumns[3], 273);

  EXPECT_EQ(v.lastSelPage, 0);
  EXPECT_EQ(v.imgPathMode, 0);
  EXPECT_STREQ(v.imagePath, "");
  EXPECT_STREQ(v.mdataFile, "MDATA/MAP%1d%s.PNG");
  EXPECT_STREQ(v.gdataFile, "MDATA/GNR%1d%s.PNG");
  EXPECT_STREQ(v.adataFile, "MDATA/ALLMAP%s.PNG");
  EXPECT_STREQ(v.hmdataFile, "MDATA/HMP%1d%s.PNG");
  EXPECT_STREQ(v.hgdataFile, "MDATA/HGR%1d%s.PNG");
  EXPECT_STREQ(v.hadataFile, "MDATA/HALMAP%s.PNG");
  EXPECT_EQ(bookmarks.count(), 0);
  EXPECT_EQ(UserFileText(), "");  // loading writes nothing
}

TEST_F(SettingsTest, AnEmptyFileGivesThePrintDefaults) {
  vx::AppSettings settings(vx::ProgramFolder());
  settings.LoadSystemGroup();
  const vx::PrintSettings& p = settings.values().print;
  EXPECT_EQ(p.mode, 0);
  EXPECT_EQ(p.paperType, 3);
  EXPECT_EQ(p.paperSizeW, 2100);
  EXPECT_EQ(p.paperSizeH, 2970);
  EXPECT_EQ(p.keepMarginAspect, 1);
  for (const vx::PrintMargins& m : p.margins) {
    EXPECT_EQ(m.top, 283);
    EXPECT_EQ(m.bottom, 283);
    EXPECT_EQ(m.left, 200);
    EXPECT_EQ(m.right, 200);
  }
  const int words[] = {
      p.cMapBlocks,       p.cutBorder,           p.cutDir,           p.mapLine,
      p.mapGenre,         p.mapGenrePercent,     p.mapSmallMap,      p.mapSmallMapRot,
      p.mapPosition,      p.mapLineColors,       p.whiteMapGenre,    p.whiteMapGenrePercent,
      p.whiteMapSmallMap, p.whiteMapSmallMapRot, p.whiteMapPosition, p.bmpPrint,
      p.hiReso,           p.bmpOutSize,          p.bmpOutFormat};
  const int defaults[] = {65280, 0, 1, 1, 0, 50, 1, 1, 5, 65535, 1, 50, 1, 1, 5, 0, 0, 1024, 0};
  for (int i = 0; i < 19; ++i) EXPECT_EQ(words[i], defaults[i]) << "print word " << i;
  EXPECT_STREQ(p.bmpOutPath, "");
  EXPECT_STREQ(p.bmpOutFile, "BMPOUT");
  for (int kind = 0; kind < vx::kPrintKindCount; ++kind) {
    const vx::PrintKindSettings& k = p.kinds[kind];
    EXPECT_EQ(k.days, 65535);
    EXPECT_EQ(k.blocks, 65535);
    EXPECT_EQ(k.maps, 65535);
    EXPECT_EQ(k.colors, 65535);
    EXPECT_EQ(k.sort, kind == 2 ? 4 : 0);
    EXPECT_EQ(k.pageChange, 1);
    EXPECT_EQ(k.layout, kind == 2 ? 1 : 0);
    EXPECT_EQ(k.items, kind == 1 ? 65535 : 63);
    EXPECT_EQ(k.page, 1);
    EXPECT_EQ(k.colorList, 1);
    EXPECT_EQ(k.blockAll, 1);
    EXPECT_EQ(k.enlargeSup, 0);
    EXPECT_EQ(k.enlargeMemo, 0);
  }
}

// ---- colours ----

TEST_F(SettingsTest, ColourTextsMustBeAHashAndSixHexDigits) {
  WriteUserFile(
      "[Color]\r\n"
      "FvrColorPal.00=#abcdef\r\n"
      "FvrColorPal.01=#12345\r\n"
      "FvrColorPal.02=#1234567\r\n"
      "FvrColorPal.03=4A94FF\r\n"
      "FvrColorPal.04=#00FFGG\r\n"
      "FvrPrintPal.00=#A0b0C0\r\n");
  vx::AppSettings settings(vx::ProgramFolder());
  settings.LoadSystemGroup();
  const vx::SettingsValues& v = settings.values();
  EXPECT_EQ(v.fvrColors[0], 0xABCDEFu);
  EXPECT_EQ(v.fvrColors[1], vx::kDefaultCheckColors[1]);
  EXPECT_EQ(v.fvrColors[2], vx::kDefaultCheckColors[2]);
  EXPECT_EQ(v.fvrColors[3], vx::kDefaultCheckColors[3]);
  EXPECT_EQ(v.fvrColors[4], vx::kDefaultCheckColors[4]);
  EXPECT_EQ(v.fvrPrintColors[0], 0xA0B0C0u);

  EXPECT_EQ(settings.ReadColor("FvrColorPal.00", 7), 0xABCDEFu);
  EXPECT_EQ(settings.ReadColor("FvrColorPal.01", 7), 7u);
  EXPECT_EQ(settings.ReadColor("FvrColorPal.03", 7), 7u);
  EXPECT_EQ(settings.ReadColor("Missing", 7), 7u);
}

TEST_F(SettingsTest, ColoursAreWrittenAsHashAndSixUpperCaseDigits) {
  vx::AppSettings settings(vx::ProgramFolder());
  settings.values().fvrColorNum = 3;
  settings.values().fvrColors[0] = 0xabcdef;
  settings.values().fvrColors[1] = 0x0000ff;
  settings.values().fvrColors[2] = 0x1000000;  // not a colour: left out
  ASSERT_TRUE(settings.SaveSystemGroup());
  const std::string text = UserFileText();
  EXPECT_TRUE(Contains(text, "FvrColorPal.00=#ABCDEF\r\n"));
  EXPECT_TRUE(Contains(text, "FvrColorPal.01=#0000FF\r\n"));
  EXPECT_FALSE(Contains(text, "FvrColorPal.02="));
  EXPECT_FALSE(Contains(text, "FvrColorPal.03="));  // beyond the colour count

  EXPECT_TRUE(settings.WriteColor("Single", 0x123));
  EXPECT_FALSE(settings.WriteColor("TooLarge", 0x1000000));
  EXPECT_TRUE(Contains(UserFileText(), "Single=#000123\r\n"));
  EXPECT_FALSE(Contains(UserFileText(), "TooLarge"));
}

TEST_F(SettingsTest, TheColourCountIsClampedToOneToSixteen) {
  std::string text = "[Color]\r\nFvrColorNum=40\r\nFvrColorDef=20\r\n";
  for (int i = 0; i < 40; ++i) {
    char line[64];
    std::snprintf(line, sizeof line, "FvrColorPal.%02d=#0000%02X\r\n", i, i);
    text += line;
  }
  WriteUserFile(text);
  vx::AppSettings settings(vx::ProgramFolder());
  settings.LoadSystemGroup();
  EXPECT_EQ(settings.values().fvrColorNum, 16);
  EXPECT_EQ(settings.values().fvrColors[15], 0x00000Fu);
  EXPECT_EQ(settings.values().fvrColorDef, 0);  // an index outside the palette

  WriteUserFile("[Color]\r\nFvrColorNum=0\r\n");
  settings.LoadSystemGroup();
  EXPECT_EQ(settings.values().fvrColorNum, 1);
  WriteUserFile("[Color]\r\nFvrColorNum=-3\r\nFvrColorDef=-1\r\n");
  settings.LoadSystemGroup();
  EXPECT_EQ(settings.values().fvrColorNum, 1);
  EXPECT_EQ(settings.values().fvrColorDef, 0);
}

TEST_F(SettingsTest, OnlyTheCountedColoursAreRead) {
  WriteUserFile(
      "[Color]\r\nFvrColorNum=2\r\nFvrColorDef=1\r\nFvrColorPal.01=#010203\r\n"
      "FvrColorPal.05=#010203\r\nFvrColorStr.01=Name\r\n");
  vx::AppSettings settings(vx::ProgramFolder());
  settings.LoadSystemGroup();
  EXPECT_EQ(settings.values().fvrColorDef, 1);
  EXPECT_EQ(settings.values().fvrColors[1], 0x010203u);
  EXPECT_EQ(settings.values().fvrColors[5], vx::kDefaultCheckColors[5]);
  EXPECT_STREQ(settings.values().fvrColorNames[1], "Name");
}

// ---- the system group ----

TEST_F(SettingsTest, TheSystemGroupComesBackAsItWasSaved) {
  vx::AppSettings first(vx::ProgramFolder());
  vx::SettingsValues& v = first.values();
  PrepareWindowSlots(v);
  first.LoadSystemGroup();
  v.eventNumber = 95;
  v.noDatabase = 1;
  CopyText(v.defaultFileDir, "/home/user/checklists/");
  CopyText(v.recentFiles[0], "/home/user/" + vx::Sjis("夏.csv"));
  CopyText(v.recentFiles[8], "/tmp/last.csv");
  v.windowRects[2] = {-5, 7, 640, 480};
  v.windowShown[4] = 1;
  v.cutZoomSize = 150;
  v.fvrColorNum = 12;
  v.fvrColors[11] = 0x102030;
  v.fvrPrintColors[10] = 0x405060;
  std::strcpy(v.fvrColorNames[11], vx::Sjis("青").c_str());
  v.fvrColorDef = 11;
  v.listColumnWidths[11] = 321;
  v.checkColumns[0] = 0x104;
  v.googleCondition = 2;
  v.syncIconic = 1;
  v.print.kinds[3].layout = 1;
  v.print.kinds[3].days = 5;
  v.print.margins[6].right = 99;
  CopyText(v.print.bmpOutPath, "/tmp/out/");
  v.toolBars[vx::kToolBarNavi] = {0, 120, 34};
  v.browserPathMode = 1;
  CopyText(v.browserPath, "/usr/bin/firefox");
  ASSERT_TRUE(first.SaveSystemGroup());

  vx::AppSettings second(vx::ProgramFolder());
  PrepareWindowSlots(second.values());
  second.LoadSystemGroup();
  const vx::SettingsValues& w = second.values();
  EXPECT_EQ(w.eventNumber, 95);
  EXPECT_EQ(w.noDatabase, 1);
  EXPECT_STREQ(w.defaultFileDir, v.defaultFileDir);
  EXPECT_STREQ(w.recentFiles[0], v.recentFiles[0]);
  EXPECT_STREQ(w.recentFiles[8], "/tmp/last.csv");
  EXPECT_EQ(w.windowRects[2].left, -5);
  EXPECT_EQ(w.windowRects[2].bottom, 480);
  EXPECT_EQ(w.windowShown[4], 1);
  EXPECT_EQ(w.cutZoomSize, 150);
  EXPECT_EQ(w.fvrColorNum, 12);
  EXPECT_EQ(w.fvrColors[11], 0x102030u);
  EXPECT_EQ(w.fvrPrintColors[10], 0x405060u);
  EXPECT_STREQ(w.fvrColorNames[11], vx::Sjis("青").c_str());
  EXPECT_EQ(w.fvrColorDef, 11);
  EXPECT_EQ(w.listColumnWidths[11], 321);
  EXPECT_EQ(w.checkColumns[0], 0x104);
  EXPECT_EQ(w.googleCondition, 2);
  EXPECT_EQ(w.syncIconic, 1);
  EXPECT_EQ(w.print.kinds[3].layout, 1);
  EXPECT_EQ(w.print.kinds[3].days, 5);
  EXPECT_EQ(w.print.margins[6].right, 99);
  EXPECT_STREQ(w.print.bmpOutPath, "/tmp/out/");
  EXPECT_EQ(w.toolBars[vx::kToolBarNavi].shown, 0);
  EXPECT_EQ(w.toolBars[vx::kToolBarNavi].x, 120);
  EXPECT_EQ(w.toolBars[vx::kToolBarNavi].y, 34);
  EXPECT_EQ(w.browserPathMode, 1);
  EXPECT_STREQ(w.browserPath, "/usr/bin/firefox");

  const std::string text = UserFileText();
  EXPECT_TRUE(Contains(text, "WndPosL.00008008=-5\r\n"));
  EXPECT_TRUE(Contains(text, "WndDisp.00008010=1\r\n"));
  EXPECT_TRUE(Contains(text, "VQNumber96=95\r\n"));
  EXPECT_TRUE(Contains(text, "RecentFiles.08=/tmp/last.csv\r\n"));
  EXPECT_TRUE(Contains(text, "VQ95Days.03=5\r\n"));  // print keys of the block's event
  EXPECT_TRUE(Contains(text, "Margin.Right.06=99\r\n"));
  EXPECT_TRUE(Contains(text, "NaviPosX=120\r\n"));
}

TEST_F(SettingsTest, SavingKeepsOtherSectionsAndComments) {
  WriteUserFile("; kept\r\n[Other]\r\nKey=value\r\n[Window]\r\nCutZoomSize=80\r\n");
  vx::AppSettings settings(vx::ProgramFolder());
  settings.LoadSystemGroup();
  EXPECT_EQ(settings.values().cutZoomSize, 80);
  settings.values().cutZoomSize = 90;
  ASSERT_TRUE(settings.SaveSystemGroup());
  const std::string text = UserFileText();
  EXPECT_EQ(text.rfind("; kept\r\n[Other]\r\nKey=value\r\n", 0), 0u);
  EXPECT_TRUE(Contains(text, "CutZoomSize=90\r\n"));
  EXPECT_FALSE(Contains(text, "CutZoomSize=80"));
}

TEST_F(SettingsTest, SavingIntoAFileThatCannotBeReadFailsAndLeavesItAlone) {
  fs::create_directories(userFile());  // a folder where the file should be
  vx::AppSettings settings(vx::ProgramFolder());
  EXPECT_FALSE(settings.SaveSystemGroup());
  EXPECT_FALSE(settings.SaveEventGroup(96, vx::BookmarkList()));
  EXPECT_TRUE(fs::is_directory(userFile()));
}

TEST_F(SettingsTest, AChecklistWithoutTheCutColumnGetsItOnLoad) {
  WriteUserFile(
      "[System]\r\nVQNumber96=96\r\n[Config]\r\n"
      "Column.Check00=257\r\nColumn.Check01=260\r\nColumn.Check02=11\r\nColumn.Check03=0\r\n"
      "ColumnWidth.Check04=140\r\nColumnWidth.Check11=210\r\n");
  vx::AppSettings settings(vx::ProgramFolder());
  settings.LoadSystemGroup();
  const vx::SettingsValues& v = settings.values();
  EXPECT_EQ(v.checkColumns[0], 257);
  EXPECT_EQ(v.checkColumns[1], 273);
  EXPECT_EQ(v.checkColumns[2], 260);
  EXPECT_EQ(v.checkColumns[3], 11);
  EXPECT_EQ(v.checkColumnWidths[4], 140);   // circle name
  EXPECT_EQ(v.checkColumnWidths[11], 210);  // memo
  EXPECT_EQ(v.checkColumnWidths[17], 50);
  EXPECT_EQ(v.listColumns[3], 273);  // the circle list had its cut column already
}

// ---- the event group and bookmarks ----

vx::Bookmark MakeBookmark(int type, int depth, int page, const std::string& title) {
  vx::Bookmark b;
  b.type = type;
  b.depth = depth;
  b.page = page;
  b.SetTitle(title);
  return b;
}

TEST_F(SettingsTest, EventGroupsAreKeptPerEvent) {
  vx::AppSettings settings(vx::ProgramFolder());
  vx::SettingsValues& v = settings.values();
  vx::BookmarkList first;
  first.Add(MakeBookmark(1, 0, 10, "ninety-five"));
  v.lastSelPage = 10;
  CopyText(v.imagePath, "/media/disc95/");
  ASSERT_TRUE(settings.SaveEventGroup(95, first));
  vx::BookmarkList second;
  second.Add(MakeBookmark(1, 0, 20, "ninety-six"));
  second.Add(MakeBookmark(1, 0, 21, "more"));
  v.lastSelPage = 20;
  CopyText(v.imagePath, "/media/disc96/");
  CopyText(v.mdataFile, "maps/M%1d%s.png");
  ASSERT_TRUE(settings.SaveEventGroup(96, second));

  vx::BookmarkList loaded;
  settings.LoadEventGroup(95, loaded);
  EXPECT_EQ(v.lastSelPage, 10);
  EXPECT_STREQ(v.imagePath, "/media/disc95/");
  ASSERT_EQ(loaded.count(), 1);
  EXPECT_STREQ(loaded.GetAt(0)->title, "ninety-five");
  settings.LoadEventGroup(96, loaded);
  EXPECT_EQ(v.lastSelPage, 20);
  EXPECT_STREQ(v.mdataFile, "maps/M%1d%s.png");
  ASSERT_EQ(loaded.count(), 2);
  EXPECT_EQ(loaded.GetAt(1)->page, 21);
  settings.LoadEventGroup(97, loaded);
  EXPECT_EQ(loaded.count(), 0);
  EXPECT_EQ(v.lastSelPage, 0);

  const std::string text = UserFileText();
  EXPECT_TRUE(Contains(text, "[VQ95]\r\n"));
  EXPECT_TRUE(Contains(text, "[VQ96]\r\n"));
}

TEST_F(SettingsTest, BookmarksAreStoredUnderLowerCaseHexIndexes) {
  vx::AppSettings settings(vx::ProgramFolder());
  vx::BookmarkList list;
  list.Add(MakeBookmark(2, 0, 0, vx::Sjis("東ホール")));
  for (int i = 1; i <= 11; ++i) list.Add(MakeBookmark(1, 1, 100 + i, "page"));
  ASSERT_TRUE(settings.SaveEventGroup(96, list));
  const std::string text = UserFileText();
  EXPECT_TRUE(Contains(text, "BookmarkType.0000=2\r\n"));
  EXPECT_TRUE(Contains(text, "BookmarkTitle.0000=" + vx::Sjis("東ホール") + "\r\n"));
  EXPECT_TRUE(Contains(text, "BookmarkDepth.000a=1\r\n"));
  EXPECT_TRUE(Contains(text, "BookmarkPage.000b=111\r\n"));
  EXPECT_TRUE(Contains(text, "BookmarkType.000c=0\r\n"));

  vx::BookmarkList loaded;
  settings.LoadEventGroup(96, loaded);
  ASSERT_EQ(loaded.count(), 12);
  EXPECT_TRUE(loaded.GetAt(0)->IsFolder());
  EXPECT_STREQ(loaded.GetAt(0)->title, vx::Sjis("東ホール").c_str());
  EXPECT_EQ(loaded.GetAt(11)->depth, 1);
  EXPECT_EQ(loaded.GetAt(11)->page, 111);
}

TEST_F(SettingsTest, ATypeOfZeroEndsTheStoredBookmarks) {
  WriteUserFile(
      "[VQ96]\r\n"
      "BookmarkType.0000=1\r\nBookmarkPage.0000=5\r\n"
      "BookmarkType.0001=1\r\nBookmarkPage.0001=6\r\n"
      "BookmarkType.0002=1\r\nBookmarkPage.0002=7\r\n"
      "BookmarkType.0003=0\r\n"
      "BookmarkType.0004=1\r\nBookmarkPage.0004=8\r\n");
  vx::AppSettings settings(vx::ProgramFolder());
  vx::BookmarkList list;
  list.Add(MakeBookmark(1, 0, 1, "replaced"));
  settings.LoadEventGroup(96, list);
  ASSERT_EQ(list.count(), 3);
  EXPECT_EQ(list.GetAt(0)->page, 5);
  EXPECT_EQ(list.GetAt(2)->page, 7);

  // A shorter list saved over a longer one ends where it ends.
  list.RemoveAll();
  list.Add(MakeBookmark(1, 0, 9, "only"));
  ASSERT_TRUE(settings.SaveEventGroup(96, list));
  settings.LoadEventGroup(96, list);
  ASSERT_EQ(list.count(), 1);
  EXPECT_EQ(list.GetAt(0)->page, 9);
}

TEST_F(SettingsTest, BookmarksBeyondTheCapacityAreSkippedOnLoad) {
  std::string text = "[VQ96]\r\n";
  for (int i = 0; i < 4100; ++i) {
    char line[80];
    std::snprintf(line, sizeof line, "BookmarkType.%04x=1\r\nBookmarkPage.%04x=%d\r\n", i, i, i);
    text += line;
  }
  WriteUserFile(text);
  vx::AppSettings settings(vx::ProgramFolder());
  vx::BookmarkList list;
  settings.LoadEventGroup(96, list);
  ASSERT_EQ(list.count(), vx::BookmarkList::kCapacity);
  EXPECT_EQ(list.GetAt(4095)->page, 4095);

  ASSERT_TRUE(settings.SaveEventGroup(96, list));
  const std::string saved = UserFileText();
  EXPECT_TRUE(Contains(saved, "BookmarkPage.0fff=4095\r\n"));
  EXPECT_TRUE(Contains(saved, "BookmarkType.1000=0\r\n"));
}

TEST_F(SettingsTest, ALongBookmarkTitleIsCutToTheRecord) {
  WriteUserFile("[VQ96]\r\nBookmarkType.0000=1\r\nBookmarkTitle.0000=" + std::string(300, 'x') +
                "\r\n");
  vx::AppSettings settings(vx::ProgramFolder());
  vx::BookmarkList list;
  settings.LoadEventGroup(96, list);
  ASSERT_EQ(list.count(), 1);
  EXPECT_EQ(std::strlen(list.GetAt(0)->title), 127u);
}

// ---- the search group ----

TEST_F(SettingsTest, AnEmptySearchGroupSelectsEverything) {
  vx::AppSettings settings(vx::ProgramFolder());
  const vx::SearchSettings search = settings.LoadSearchGroup(96);
  EXPECT_EQ(search, vx::SearchSettings());
  EXPECT_TRUE(search.matchAll);
  EXPECT_TRUE(search.normalized);
  EXPECT_EQ(search.keywordFields, 719);
  EXPECT_FALSE(search.days.has_value());
  EXPECT_FALSE(search.genres.has_value());
}

TEST_F(SettingsTest, TheSearchGroupComesBackAsItWasSaved) {
  vx::AppSettings settings(vx::ProgramFolder());
  vx::SearchSettings search;
  search.matchAll = false;
  search.normalized = false;
  search.memoOnly = true;
  search.updatedOnly = true;
  search.keywordFields = 3;
  search.days = std::vector<int>{0, 2};
  search.genres = std::vector<int>{};
  search.keywords = vx::Sjis("猫　犬");
  ASSERT_TRUE(settings.SaveSearchGroup(search, 96));
  EXPECT_EQ(settings.LoadSearchGroup(96), search);

  const std::string text = UserFileText();
  EXPECT_TRUE(Contains(text, "VQ96.dayCount=2\r\n"));
  EXPECT_TRUE(Contains(text, "VQ96.day1=2\r\n"));
  EXPECT_TRUE(Contains(text, "genreCount=0\r\n"));
  EXPECT_TRUE(Contains(text, "andMode=0\r\n"));
  // Days belong to their event.
  EXPECT_FALSE(settings.LoadSearchGroup(95).days.has_value());
}

TEST_F(SettingsTest, NegativeSearchEntriesAreSkipped) {
  WriteUserFile(
      "[Search]\r\nVQ96.dayCount=3\r\nVQ96.day0=1\r\nVQ96.day1=-1\r\nVQ96.day2=3\r\n"
      "genreCount=2\r\ngenre1=14\r\n");
  vx::AppSettings settings(vx::ProgramFolder());
  const vx::SearchSettings search = settings.LoadSearchGroup(96);
  EXPECT_EQ(search.days, std::vector<int>({1, 3}));
  EXPECT_EQ(search.genres, std::vector<int>({14}));
}

// ---- export and import ----

TEST_F(SettingsTest, ExportWritesTheThreeGroupsIntoTheChosenFileOnly) {
  vx::AppSettings settings(vx::ProgramFolder());
  PrepareWindowSlots(settings.values());
  settings.LoadSystemGroup();
  settings.values().autoNext = 0;
  settings.values().lastSelPage = 42;
  vx::BookmarkList bookmarks;
  bookmarks.Add(MakeBookmark(1, 0, 42, "export"));
  vx::SearchSettings search;
  search.keywords = "abc";
  const fs::path file = root_ / "exported.ini";
  ASSERT_TRUE(settings.ExportSettings(file, bookmarks, search));
  EXPECT_EQ(settings.activeFile(), userFile());
  EXPECT_FALSE(fs::exists(userFile()));

  vx::ProfileFile exported(file);
  ASSERT_TRUE(exported.Load());
  EXPECT_EQ(exported.GetInt("Config", "AutoNext", 1), 0);
  EXPECT_EQ(exported.GetInt("VQ96", "LastSelPage", 0), 42);
  EXPECT_EQ(exported.GetString("VQ96", "BookmarkTitle.0000", ""), "export");
  EXPECT_EQ(exported.GetString("Search", "keyword", ""), "abc");
  EXPECT_TRUE(exported.HasKey("Print", "PaperType2"));
}

TEST_F(SettingsTest, ImportReplacesValuesAndBookmarksFromTheChosenFile) {
  const fs::path file = root_ / "import.ini";
  {
    vx::AppSettings other(vx::ProgramFolder());
    PrepareWindowSlots(other.values());
    other.LoadSystemGroup();
    other.values().cutZoomSize = 175;
    other.values().print.paperType = 1;
    other.values().lastSelPage = 7;
    vx::BookmarkList marks;
    marks.Add(MakeBookmark(1, 0, 7, "imported"));
    vx::SearchSettings search;
    search.genres = std::vector<int>{4, 5};
    ASSERT_TRUE(other.ExportSettings(file, marks, search));
  }
  vx::AppSettings settings(vx::ProgramFolder());
  PrepareWindowSlots(settings.values());
  vx::BookmarkList bookmarks;
  bookmarks.Add(MakeBookmark(1, 0, 1, "old"));
  bookmarks.Add(MakeBookmark(1, 0, 2, "old"));
  const vx::SearchSettings search = settings.ImportSettings(file, bookmarks);
  EXPECT_EQ(settings.activeFile(), userFile());
  EXPECT_EQ(settings.values().cutZoomSize, 175);
  EXPECT_EQ(settings.values().print.paperType, 1);
  EXPECT_EQ(settings.values().lastSelPage, 7);
  ASSERT_EQ(bookmarks.count(), 1);
  EXPECT_STREQ(bookmarks.GetAt(0)->title, "imported");
  EXPECT_EQ(search.genres, std::vector<int>({4, 5}));
}

TEST_F(SettingsTest, PrintSettingsFilesHoldThePrintGroupAlone) {
  vx::AppSettings settings(vx::ProgramFolder());
  settings.LoadSystemGroup();
  settings.values().print.mode = 2;
  settings.values().print.kinds[2].days = 3;
  CopyText(settings.values().print.bmpOutFile, "PAGES");
  const fs::path file = root_ / "print.ini";
  ASSERT_TRUE(settings.ExportPrintSettings(file));
  vx::ProfileFile exported(file);
  ASSERT_TRUE(exported.Load());
  EXPECT_EQ(exported.Sections(), std::vector<std::string>({"Print"}));
  EXPECT_EQ(exported.GetInt("Print", "VQ96Days.02", 0), 3);
  EXPECT_EQ(settings.activeFile(), userFile());

  vx::AppSettings other(vx::ProgramFolder());
  other.LoadSystemGroup();
  other.values().cutZoomSize = 55;
  other.ImportPrintSettings(file);
  EXPECT_EQ(other.values().print.mode, 2);
  EXPECT_EQ(other.values().print.kinds[2].days, 3);
  EXPECT_STREQ(other.values().print.bmpOutFile, "PAGES");
  EXPECT_EQ(other.values().cutZoomSize, 55);  // nothing outside the print block
  EXPECT_EQ(other.activeFile(), userFile());
}

// ---- the protected group ----

TEST_F(SettingsTest, AProtectedValueIsStoredSealedAndReadBack) {
  vx::AppSettings settings(vx::ProgramFolder());
  const std::string token = "a1b2c3-access-token";
  ASSERT_TRUE(settings.WriteProtectedString("AccessToken", token));
  const std::string stored = settings.ReadString("VQ96Auth", "AccessToken", "");
  EXPECT_FALSE(Contains(stored, token));
  const auto sealed = vx::Base64Decode(stored);
  ASSERT_TRUE(sealed.has_value());
  EXPECT_GT(sealed->size(), token.size());

  std::string read;
  EXPECT_TRUE(settings.ReadProtectedString("AccessToken", read));
  EXPECT_EQ(read, token);
}

TEST_F(SettingsTest, ALongProtectedValueIsReadWhole) {
  vx::AppSettings settings(vx::ProgramFolder());
  std::string token;
  for (int i = 0; i < 3000; ++i) token += static_cast<char>('a' + i % 26);
  ASSERT_TRUE(settings.WriteProtectedString("AccessToken", token));
  std::string read;
  EXPECT_TRUE(settings.ReadProtectedString("AccessToken", read));
  EXPECT_EQ(read, token);
}

TEST_F(SettingsTest, EmptyMissingAndDamagedProtectedValues) {
  vx::AppSettings settings(vx::ProgramFolder());
  std::string read = "stale";
  EXPECT_TRUE(settings.ReadProtectedString("AccessToken", read));
  EXPECT_EQ(read, "");

  ASSERT_TRUE(settings.WriteProtectedString("AccessToken", "secret"));
  ASSERT_TRUE(settings.WriteProtectedString("AccessToken", ""));
  EXPECT_TRUE(settings.ReadProtectedString("AccessToken", read));
  EXPECT_EQ(read, "");

  ASSERT_TRUE(settings.WriteString("VQ96Auth", "AccessToken", "bm90IHNlYWxlZA=="));
  read = "stale";
  EXPECT_FALSE(settings.ReadProtectedString("AccessToken", read));
  EXPECT_EQ(read, "");
}

TEST_F(SettingsTest, AuthIntsArePlainValuesOfTheProtectedGroup) {
  vx::AppSettings settings(vx::ProgramFolder());
  EXPECT_EQ(settings.ReadAuthInt("SandBox"), 0);
  ASSERT_TRUE(settings.WriteAuthInt("SandBox", 1));
  EXPECT_EQ(settings.ReadAuthInt("SandBox"), 1);
  EXPECT_TRUE(Contains(UserFileText(), "[VQ96Auth]\r\nSandBox=1\r\n"));
}

TEST(Base64, StandardVectors) {
  EXPECT_EQ(vx::Base64Encode("Man"), "TWFu");
  EXPECT_EQ(vx::Base64Encode("Ma"), "TWE=");
  EXPECT_EQ(vx::Base64Encode("M"), "TQ==");
  EXPECT_EQ(vx::Base64Encode(""), "");
  EXPECT_EQ(vx::Base64Decode("TWFu"), std::optional<std::string>("Man"));
  EXPECT_EQ(vx::Base64Decode("TWE="), std::optional<std::string>("Ma"));
  EXPECT_EQ(vx::Base64Decode("TQ=="), std::optional<std::string>("M"));
  const std::string bytes("\x00\xff\xfe\x80", 4);
  EXPECT_EQ(vx::Base64Decode(vx::Base64Encode(bytes)), std::optional<std::string>(bytes));
}

// ---- a file written by an earlier version ----

TEST_F(SettingsTest, AnOlderSettingsFileLoads) {
  const char* data = std::getenv("VX_TEST_DATA");
  ASSERT_NE(data, nullptr);
  fs::copy_file(fs::path(data) / "settings" / "vindaxel-old.ini", userFile());
  vx::AppSettings settings(vx::ProgramFolder());
  vx::SettingsValues& v = settings.values();
  PrepareWindowSlots(v);
  settings.LoadSystemGroup();
  vx::BookmarkList bookmarks;
  settings.LoadEventGroup(v.eventNumber, bookmarks);

  EXPECT_EQ(v.eventNumber, 95);
  EXPECT_EQ(v.windowRects[0].right, 1024);
  EXPECT_EQ(v.windowShown[1], 1);
  EXPECT_EQ(v.fvrColorNum, 10);
  EXPECT_EQ(v.fvrColors[9], 0x336699u);
  EXPECT_STREQ(v.fvrColorNames[0], vx::Sjis("最優先").c_str());
  EXPECT_EQ(v.checkColumns[3], 273);  // the cut column added in front of the circle name
  EXPECT_EQ(v.checkColumns[4], 260);
  EXPECT_EQ(v.checkColumnWidths[4], 150);
  EXPECT_EQ(v.print.kinds[0].days, 7);  // "VQ95Days.00"
  EXPECT_EQ(v.print.kinds[1].days, 65535);
  EXPECT_STREQ(v.mdataFile, "MDATA\\MAP%1d%s.PNG");
  ASSERT_EQ(bookmarks.count(), 2);
  EXPECT_STREQ(bookmarks.GetAt(1)->title, vx::Sjis("西ホール").c_str());
}

}  // namespace
