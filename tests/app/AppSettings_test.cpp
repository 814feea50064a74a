#include "app/AppSettings.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "app/BookmarkList.h"
#include "app/ListColumns.h"
#include "app/SettingsPath.h"
#include "platform/Base64.h"
#include "platform/CodePage.h"
#include "platform/Paths.h"
#include "platform/ProfileFile.h"
#include "tests/support/TempDir.h"

namespace {

namespace fs = std::filesystem;

void CopyText(char (&field)[vx::kTextSize], const std::string& text) {
  std::strncpy(field, text.c_str(), sizeof field - 1);
}

// A program folder, a data home and a documents folder of its own for every test.
class SettingsTest : public ::testing::Test {
 protected:
  SettingsTest() {
    fs::create_directories(Program());
    ::setenv("VINDAXEL_PROGRAM_DIR", Program().c_str(), 1);
    ::setenv("XDG_DATA_HOME", (root_ / "data").c_str(), 1);
    ::setenv("XDG_DOCUMENTS_DIR", (root_ / "Documents").c_str(), 1);
  }

  fs::path Program() const { return root_ / "program"; }
  fs::path UserFile() const { return Program() / "vindaxel.ini"; }
  void WriteUserFile(const std::string& text) const { vxtest::WriteFileBytes(UserFile(), text); }
  // Every line must be in the user file.
  void ExpectInFile(const std::vector<std::string>& lines) const {
    const std::string text = vxtest::ReadFileBytes(UserFile());
    for (const std::string& line : lines) EXPECT_NE(text.find(line), std::string::npos) << line;
  }

  // As the application starts: window ids and rectangles first, then the groups.
  static void LoadAll(vx::AppSettings& settings, vx::BookmarkList* bookmarks = nullptr) {
    vx::SettingsValues& v = settings.Values();
    const int ids[] = {vx::kMainWindowId, vx::kMapWindowId, vx::kChecklistWindowId,
                       vx::kDetailWindowId, vx::kListWindowId};
    for (int slot = 0; slot < 5; ++slot) {
      v.windowIds[slot] = ids[slot];
      v.windowRects[slot] = {10 * slot, 20, 300, 400};
    }
    settings.LoadSystemGroup();
    if (bookmarks) settings.LoadEventGroup(v.eventNumber, *bookmarks);
  }

  static std::vector<std::string> Titles(const vx::BookmarkList& marks) {
    std::vector<std::string> titles;
    for (int i = 0; i < marks.Count(); ++i) titles.emplace_back(marks.GetAt(i)->title);
    return titles;
  }

  // An outline line is "> " for an entry inside a folder, else " ", then the title; a folder's
  // title begins with 'F'.
  static vx::BookmarkList Marks(const std::vector<std::string>& outline) {
    vx::BookmarkList marks;
    for (const std::string& t : outline) {
      const int type = t[1] == 'F' ? vx::Bookmark::kFolder : vx::Bookmark::kPage;
      marks.Add(vx::Bookmark::Make(type, t[0] == '>' ? 1 : 0, 0, t.substr(t[0] == '>' ? 2 : 1)));
    }
    return marks;
  }
  static std::vector<std::string> Outline(const vx::BookmarkList& marks) {
    std::vector<std::string> outline = Titles(marks);
    for (int i = 0; i < marks.Count(); ++i) {
      outline[i].insert(0, marks.GetAt(i)->depth > 0 ? "> " : " ");
    }
    return outline;
  }

  vxtest::TempDir root_;
};

TEST_F(SettingsTest, SettingsIniChoosesTheUserFolder) {
  const std::pair<std::string, fs::path> cases[] = {
      {"homepath", Program()},  // an unknown word
      {"appdatapath", root_ / "data" / "vindaxel"},
      {"personalpath", root_ / "Documents" / "vindaxel"}};
  for (const auto& [word, folder] : cases) {
    vxtest::WriteFileBytes(Program() / "settings.ini", "[Settings]\r\nUserData=" + word);
    EXPECT_EQ(vx::AppSettings(vx::ProgramFolder()).ActiveFile(), folder / "vindaxel.ini");
    EXPECT_TRUE(fs::is_directory(folder));
  }

  // A user folder that cannot be made falls back to the program folder, where a folder in the
  // file's place makes every save fail.
  vxtest::WriteFileBytes(root_ / "blocker", "a file where the data home should be");
  ::setenv("XDG_DATA_HOME", (root_ / "blocker").c_str(), 1);
  vxtest::WriteFileBytes(Program() / "settings.ini", "[Settings]\r\nUserData=appdatapath\r\n");
  fs::create_directories(UserFile());
  vx::AppSettings settings(vx::ProgramFolder());
  EXPECT_EQ(settings.ActiveFile(), UserFile());
  EXPECT_FALSE(settings.SaveSystemGroup());
  EXPECT_FALSE(settings.SaveEventGroup(96, vx::BookmarkList()));
}

TEST_F(SettingsTest, AnEmptyFileGivesTheDefaultsAndStaysEmpty) {
  WriteUserFile("");
  vx::AppSettings settings(vx::ProgramFolder());
  vx::BookmarkList bookmarks;
  LoadAll(settings, &bookmarks);
  const vx::SettingsValues& v = settings.Values();
  const vx::PrintSettings& p = v.print;
  const std::vector<int> actual = {
      v.eventNumber,         v.cutZoomSize,    v.fvrColorNum,    v.listSortEnable,
      v.autoNext2,           v.searchDlgStyle, v.googleItem2,    v.toolBars[4].shown,
      v.windowRects[1].left, p.paperSizeH,     p.margins[6].top, p.cMapBlocks,
      p.bmpOutSize,          p.kinds[2].sort,  p.kinds[1].items, p.kinds[3].items};
  EXPECT_EQ(actual, (std::vector<int>{96, 100, 9, 1, 0, 1, 3, 1, 10, 2970, 283, 65280, 1024, 4,
                                      65535, 63}));
  EXPECT_EQ(0, std::memcmp(v.fvrColors, vx::kDefaultCheckColors, sizeof vx::kDefaultCheckColors));
  EXPECT_STREQ(v.hadataFile, "MDATA/HALMAP%s.PNG");
  vx::SettingsValues columns{};
  vx::ResetListColumns(columns, 96);
  EXPECT_EQ(0, std::memcmp(v.listColumnWidths, columns.listColumnWidths,
                           4 * sizeof columns.listColumns));  // all four column tables
  EXPECT_EQ(bookmarks.Count(), 0);
  EXPECT_EQ(vxtest::ReadFileBytes(UserFile()), "");
}

TEST_F(SettingsTest, ColoursAreAHashAndSixHexDigits) {
  WriteUserFile(
      "[Color]\r\nFvrColorPal.00=#abcdef\r\nFvrColorPal.01=#12345\r\nFvrColorPal.02=#1234567\r\n"
      "FvrColorPal.03=4A94FF\r\nFvrColorPal.04=#00FFGG\r\nFvrPrintPal.00=#A0b0C0\r\n");
  vx::AppSettings settings(vx::ProgramFolder());
  settings.LoadSystemGroup();
  vx::SettingsValues& v = settings.Values();
  const std::uint32_t* d = vx::kDefaultCheckColors;
  EXPECT_EQ(std::vector<std::uint32_t>(v.fvrColors, v.fvrColors + 5),
            (std::vector<std::uint32_t>{0xABCDEF, d[1], d[2], d[3], d[4]}));
  EXPECT_EQ(v.fvrPrintColors[0], 0xA0B0C0u);

  WriteUserFile("");
  v.fvrColorNum = 3;
  v.fvrColors[1] = 0xFF;
  v.fvrColors[2] = 0x1000000;  // not a colour: left out
  ASSERT_TRUE(settings.SaveSystemGroup());
  ExpectInFile(
      {"FvrColorPal.00=#ABCDEF\r\nFvrPrintPal.00=#A0B0C0\r\n", "FvrColorPal.01=#0000FF\r\n"});
  const std::string text = vxtest::ReadFileBytes(UserFile());
  EXPECT_EQ(text.find("FvrColorPal.02="), std::string::npos);
  EXPECT_EQ(text.find("FvrColorPal.03="), std::string::npos);  // beyond the count
}

TEST_F(SettingsTest, TheColourCountIsClampedToOneToSixteen) {
  const std::pair<std::string, std::vector<int>> cases[] = {
      // file, then count, current colour, colour 15 (built in: 0x000080), colour 5
      {"FvrColorNum=40\r\nFvrColorDef=20\r\nFvrColorPal.15=#00000F\r\n", {16, 0, 0x0F, 0x9C529C}},
      {"FvrColorNum=-3\r\nFvrColorDef=-1\r\n", {1, 0, 0x80, 0x9C529C}},
      {"FvrColorNum=0\r\n", {1, 0, 0x80, 0x9C529C}},
      {"FvrColorNum=2\r\nFvrColorDef=1\r\nFvrColorPal.05=#000001\r\n", {2, 1, 0x80, 0x9C529C}},
  };
  for (const auto& [file, expected] : cases) {
    WriteUserFile("[Color]\r\n" + file);
    vx::AppSettings settings(vx::ProgramFolder());
    settings.LoadSystemGroup();
    const vx::SettingsValues& v = settings.Values();
    EXPECT_EQ((std::vector<int>{v.fvrColorNum, v.fvrColorDef, static_cast<int>(v.fvrColors[15]),
                                static_cast<int>(v.fvrColors[5])}),
              expected);
  }
}

// Paper and margins as the paper dialog allows them: the free size 0.1 to 9999.9 mm, and a set
// of margins whose pairs leave at least 0.1 mm of the paper, else the defaults (none where those
// do not fit either); in-range values stay as they are. Negative margins used to push the page
// off the paper, and margins clamped one by one left a strip of 0.1 mm to print into.
TEST_F(SettingsTest, PaperAndMarginsOutsideTheDialogsRangeAreBroughtIntoIt) {
  WriteUserFile(
      "[Print]\r\nPaperType2=9\r\nPaperSizeW=0\r\nPaperSizeH=200000\r\n"
      "Margin.Top.03=-500\r\nMargin.Left.03=-500\r\nMargin.Right.03=99999\r\n"
      "Margin.Top.01=4000\r\nMargin.Bottom.01=300\r\nMargin.Right.01=2969\r\n"
      "Margin.Left.00=7\r\nMargin.Top.00=150000\r\nMargin.Left.05=700\r\nMargin.Right.05=700\r\n"
      "Margin.Left.04=1000\r\nMargin.Right.04=820\r\nMargin.Left.06=1000\r\nMargin.Right.06="
      "279\r\n");
  vx::AppSettings settings(vx::ProgramFolder());
  ASSERT_TRUE(settings.LoadPrintGroup(96));
  const vx::PrintSettings& p = settings.Values().print;
  const auto margins = [&](int kind) {
    const vx::PrintMargins& m = p.margins[kind];
    return std::vector<int>{m.top, m.bottom, m.left, m.right};
  };
  const std::vector<int> defaults{283, 283, 200, 200};
  EXPECT_EQ((std::vector<int>{p.paperType, p.paperSizeW, p.paperSizeH}),
            (std::vector<int>{3, 1, 99999}));
  EXPECT_EQ(margins(3), defaults);                                 // A4, 2100 x 2970
  EXPECT_EQ(margins(1), defaults);                                 // A3: 430.0 mm of 420.0
  EXPECT_EQ(margins(0), (std::vector<int>{0, 0, 0, 0}));           // the free size, 1 x 99999
  EXPECT_EQ(margins(4), defaults);                                 // B5: 182.0 mm of 182.0
  EXPECT_EQ(margins(5), (std::vector<int>{283, 283, 700, 700}));   // A5: as stored
  EXPECT_EQ(margins(6), (std::vector<int>{283, 283, 1000, 279}));  // B6: 0.1 mm left
  EXPECT_EQ(settings.MarginsReset(), (std::vector<int>{0, 1, 3, 4}));
  // A print settings file is read the same way.
  const fs::path imported = root_ / "print.ini";
  vxtest::WriteFileBytes(imported, "[Print]\r\nMargin.Left.04=-1\r\nMargin.Right.04=100\r\n");
  ASSERT_TRUE(settings.ImportPrintSettings(imported));
  EXPECT_EQ(margins(4), defaults);
  EXPECT_EQ(settings.MarginsReset(), (std::vector<int>{4}));
  vxtest::WriteFileBytes(imported, "[Print]\r\nMargin.Left.04=0\r\n");
  ASSERT_TRUE(settings.ImportPrintSettings(imported));
  EXPECT_EQ(margins(4), (std::vector<int>{283, 283, 0, 200}));
  EXPECT_TRUE(settings.MarginsReset().empty());
}

// Paths go through the Shift-JIS file unchanged: a folder CP932 cannot hold exactly is written
// marked and reads back the same; the recent files and the checklist folder that older versions
// wrote in UTF-8 read back as the same paths.
TEST_F(SettingsTest, PathsReadBackExactlyAndOlderFilesKeepTheirPaths) {
  const std::string wave = "/home/u/出力〜テスト/";  // U+301C
  const std::string older = "/home/u/チェック.csv";
  WriteUserFile("[System]\r\nRecentFiles.00=" + older + "\r\nRecentFiles.01=" +
                vx::Sjis("/home/u/一覧.csv") + "\r\nDefaultFileDir96=" + older + "\r\n");
  {
    vx::AppSettings settings(vx::ProgramFolder());
    LoadAll(settings);
    vx::SettingsValues& v = settings.Values();
    EXPECT_EQ(vx::PathOfSettingsText(v.recentFiles[0]), older);
    EXPECT_EQ(vx::PathOfSettingsText(v.recentFiles[1]), "/home/u/一覧.csv");
    EXPECT_EQ(vx::PathOfSettingsText(v.defaultFileDir), older);
    vx::StoreSettingsPath(v.print.bmpOutPath, vx::SettingsPathText(wave));
    vx::StoreSettingsPath(v.print.bmpOutFile, vx::SettingsPathText("Café"));
    ASSERT_TRUE(settings.SaveSystemGroup());
  }
  ExpectInFile({"BMPOutPath=\xEF\xBB\xBF" + wave + "\r\n",
                "BMPOutFile=\xEF\xBB\xBF"
                "Café\r\n",
                "RecentFiles.00=" + vx::Sjis(older) + "\r\n"});
  vx::AppSettings settings(vx::ProgramFolder());
  LoadAll(settings);
  const vx::PrintSettings& p = settings.Values().print;
  EXPECT_EQ(vx::PathOfSettingsText(p.bmpOutPath), wave);
  EXPECT_EQ(vx::PathOfSettingsText(p.bmpOutFile), "Café");
  EXPECT_EQ(vx::PathOfSettingsText(settings.Values().recentFiles[0]), older);
}

TEST_F(SettingsTest, EventGroupsAndTheirBookmarksAreKeptPerEvent) {
  vx::AppSettings settings(vx::ProgramFolder());
  vx::SettingsValues& v = settings.Values();
  vx::BookmarkList list;
  list.Add(vx::Bookmark::Make(vx::Bookmark::kFolder, 0, 0, vx::Sjis("東ホール")));
  for (int i = 1; i <= 11; ++i) {
    list.Add(vx::Bookmark::Make(vx::Bookmark::kPage, 1, 100 + i, "page"));
  }
  v.lastSelPage = 10;
  ASSERT_TRUE(settings.SaveEventGroup(95, list));
  v.lastSelPage = 20;
  ASSERT_TRUE(settings.SaveEventGroup(96, vx::BookmarkList()));
  ExpectInFile({"[VQ95]\r\n", "BookmarkType.0000=2\r\n", "BookmarkDepth.000a=1\r\n",
                "BookmarkTitle.0000=" + vx::Sjis("東ホール"), "BookmarkPage.000b=111\r\n",
                "BookmarkType.000c=0\r\n"});

  vx::BookmarkList loaded;
  settings.LoadEventGroup(95, loaded);
  EXPECT_EQ(v.lastSelPage, 10);
  ASSERT_EQ(loaded.Count(), 12);
  EXPECT_TRUE(loaded.GetAt(0)->IsFolder());
  EXPECT_STREQ(loaded.GetAt(0)->title, vx::Sjis("東ホール").c_str());
  EXPECT_EQ(loaded.GetAt(11)->depth, 1);
  EXPECT_EQ(loaded.GetAt(11)->page, 111);
  settings.LoadEventGroup(96, loaded);
  EXPECT_EQ(v.lastSelPage, 20);
  EXPECT_EQ(loaded.Count(), 0);
}

TEST_F(SettingsTest, BookmarksStopAtTheCapacityAndTitlesAtTheRecord) {
  std::string text =
      "[VQ96]\r\nBookmarkTitle.0000=" + std::string(126, 'a') + vx::Sjis("日本") + "\r\n";
  for (int i = 0; i < 4100; ++i) {
    char line[80];
    std::snprintf(line, sizeof line, "BookmarkType.%04x=1\r\nBookmarkPage.%04x=%d\r\n", i, i, i);
    text += line;
  }
  WriteUserFile(text);
  vx::AppSettings settings(vx::ProgramFolder());
  vx::BookmarkList list;
  settings.LoadEventGroup(96, list);
  ASSERT_EQ(list.Count(), vx::BookmarkList::kCapacity);
  EXPECT_EQ(std::string(list.GetAt(0)->title), std::string(126, 'a'));  // no half character
  EXPECT_EQ(list.GetAt(4095)->page, 4095);
  EXPECT_EQ(list.GetAt(4096), nullptr);
  EXPECT_FALSE(list.Add(vx::Bookmark::Make(vx::Bookmark::kPage, 0, 1, "late")));
  ASSERT_TRUE(settings.SaveEventGroup(96, list));
  ExpectInFile({"BookmarkPage.0fff=4095\r\n", "BookmarkType.1000=0\r\n"});

  WriteUserFile("[VQ96]\r\nBookmarkType.0000=1\r\nBookmarkType.0001=0\r\nBookmarkType.0002=1\r\n");
  settings.LoadEventGroup(96, list);
  EXPECT_EQ(list.Count(), 1);  // a type of zero ends the list
}

// The system group is saved into the user file, keeping what else is there; export files hold
// the search, event and system groups, print files the print group alone. Imports bring back
// every value.
TEST_F(SettingsTest, SavedExportedAndImportedValuesComeBackWhole) {
  WriteUserFile("; kept\r\n[Other]\r\nKey=value\r\n[Window]\r\nCutZoomSize=80\r\n");
  vx::AppSettings other(vx::ProgramFolder());
  LoadAll(other);
  vx::SettingsValues& v = other.Values();
  EXPECT_EQ(v.cutZoomSize, 80);
  v.eventNumber = 95;
  v.lastSelPage = 7;
  CopyText(v.recentFiles[8], "/home/" + vx::Sjis("夏.csv"));
  v.windowRects[2] = {-5, 7, 640, 480};
  v.windowShown[4] = 1;
  v.print.margins[6].right = 99;
  v.cutZoomSize = 150;
  v.fvrColorNum = 12;
  std::strcpy(v.fvrColorNames[11], vx::Sjis("青").c_str());
  v.listColumnWidths[11] = 321;
  v.print.kinds[3].days = 5;
  v.toolBars[vx::kToolBarNavi] = {0, 120, 34};
  ASSERT_TRUE(other.SaveSystemGroup());
  ExpectInFile({"; kept\r\n[Other]\r\nKey=value\r\n[Window]\r\nCutZoomSize=150\r\n",
                "WndPosL.00008008=-5\r\n", "WndDisp.00008010=1\r\n", "VQNumber96=95\r\n",
                "VQ95Days.03=5\r\n", "Margin.Right.06=99\r\n", "NaviPosX=120\r\n"});

  vx::BookmarkList marks;
  marks.Add(vx::Bookmark::Make(vx::Bookmark::kPage, 0, 7, "exported"));
  vx::SearchSettings search;
  search.matchAll = false;
  search.days = std::vector<int>{0, 2};
  search.keywords = vx::Sjis("猫　犬");
  const fs::path file = root_ / "exported.ini", printFile = root_ / "print.ini";
  ASSERT_TRUE(other.ExportSettings(file, marks, search));
  ASSERT_TRUE(other.ExportPrintSettings(printFile));
  EXPECT_EQ(other.ActiveFile(), UserFile());
  vx::ProfileFile exported(printFile);
  ASSERT_TRUE(exported.Load());
  EXPECT_EQ(exported.Sections(), std::vector<std::string>({"Print"}));

  fs::remove(UserFile());
  vx::AppSettings settings(vx::ProgramFolder());
  LoadAll(settings);
  settings.Values().eventNumber = 95;  // the per-event print keys are those of event 95
  settings.ImportPrintSettings(printFile);
  EXPECT_EQ(0, std::memcmp(&settings.Values().print, &v.print, sizeof v.print));
  EXPECT_EQ(settings.Values().cutZoomSize, 100);  // nothing outside the print block
  vx::BookmarkList bookmarks;
  bookmarks.Add(vx::Bookmark::Make(vx::Bookmark::kPage, 0, 1, "old"));
  bookmarks.Add(vx::Bookmark::Make(vx::Bookmark::kPage, 0, 2, "old"));
  EXPECT_EQ(settings.ImportSettings(file, bookmarks), search);
  EXPECT_EQ(0, std::memcmp(&settings.Values(), &v, sizeof v));
  EXPECT_EQ(settings.ActiveFile(), UserFile());
  EXPECT_FALSE(fs::exists(UserFile()));
  ASSERT_EQ(bookmarks.Count(), 1);
  EXPECT_STREQ(bookmarks.GetAt(0)->title, "exported");
}

// The exit save writes the current event's bookmarks: an import that had emptied them would
// erase them from the user file. A file that cannot be read, or is no settings file, changes
// nothing at all.
TEST_F(SettingsTest, AnImportThatCannotBeReadChangesNothing) {
  vx::AppSettings settings(vx::ProgramFolder());
  LoadAll(settings);
  vx::SettingsValues& v = settings.Values();
  v.eventNumber = 95;
  v.cutZoomSize = 150;
  v.print.paperSizeW = 1234;
  vx::BookmarkList bookmarks;
  bookmarks.Add(vx::Bookmark::Make(vx::Bookmark::kPage, 0, 7, "mine"));
  const vx::SettingsValues before = v;
  fs::create_directories(root_ / "folder.ini");
  vxtest::WriteFileBytes(root_ / "picture.ini", "\x89PNG\r\n\x1A\n\0\0\0\rIHDR");
  vxtest::WriteFileBytes(root_ / "foreign.ini", "[Other]\r\nVQNumber96=1\r\n");
  for (const char* name : {"folder.ini", "missing.ini", "picture.ini", "foreign.ini"}) {
    EXPECT_FALSE(settings.ImportSettings(root_ / name, bookmarks)) << name;
    EXPECT_FALSE(settings.ImportPrintSettings(root_ / name)) << name;
    EXPECT_EQ(0, std::memcmp(&v, &before, sizeof v)) << name;
    ASSERT_EQ(bookmarks.Count(), 1) << name;
    EXPECT_EQ(settings.ActiveFile(), UserFile());
  }
  ASSERT_TRUE(settings.SaveEventGroup(v.eventNumber, bookmarks));
  ExpectInFile({"[VQ95]\r\n", "BookmarkTitle.0000=mine\r\n"});

  // A user file that cannot be read loads the defaults and says so; it is never saved over.
  fs::remove(UserFile());
  fs::create_directories(UserFile());
  EXPECT_FALSE(settings.LoadSystemGroup());
  EXPECT_EQ(v.cutZoomSize, 100);
  EXPECT_FALSE(settings.SaveSystemGroup());
}

// A text with a line break cannot be stored: the save says so and writes everything else. Texts
// longer than their fields stay whole in the file.
TEST_F(SettingsTest, LineBreaksAreReportedAndLongTextsStayWhole) {
  const std::string longPath = "/media/" + std::string(300, 'p') + vx::Sjis("写真");
  const std::string longTitle = std::string(150, 't');
  const std::string longKeyword = std::string(9000, 'k');
  WriteUserFile("[System]\r\nDefaultFileDir96=" + longPath + "\r\n[VQ96]\r\nImagePath=" + longPath +
                "\r\nBookmarkType.0000=1\r\nBookmarkTitle.0000=" + longTitle +
                "\r\n[Search]\r\nkeyword=" + longKeyword + "\r\n");
  vx::AppSettings settings(vx::ProgramFolder());
  vx::BookmarkList bookmarks;
  LoadAll(settings, &bookmarks);
  vx::SettingsValues& v = settings.Values();
  EXPECT_EQ(std::string(v.imagePath), longPath.substr(0, vx::kTextSize - 1));
  const vx::SearchSettings search = settings.LoadSearchGroup(96);
  ASSERT_TRUE(settings.SaveSystemGroup());
  ASSERT_TRUE(settings.SaveEventGroup(96, bookmarks));
  ASSERT_TRUE(settings.SaveSearchGroup(search, 96));
  ExpectInFile({"DefaultFileDir96=" + longPath + "\r\n", "ImagePath=" + longPath + "\r\n",
                "BookmarkTitle.0000=" + longTitle + "\r\n", "keyword=" + longKeyword + "\r\n"});

  CopyText(v.imagePath, "/other/");  // a changed value replaces the long one
  CopyText(v.recentFiles[0], "/home/a\nb.csv");
  v.cutZoomSize = 120;
  EXPECT_FALSE(settings.SaveSystemGroup());
  EXPECT_TRUE(settings.SaveEventGroup(96, bookmarks));
  ExpectInFile({"CutZoomSize=120\r\n", "ImagePath=/other/\r\n"});
  EXPECT_EQ(vxtest::ReadFileBytes(UserFile()).find("RecentFiles.00=/home/a"), std::string::npos);
  vx::SearchSettings broken = search;
  broken.keywords = "cat\r\ndog";
  EXPECT_FALSE(settings.ExportSettings(root_ / "export.ini", bookmarks, broken));
}

// Two instances on two displays share the profile; each saves its groups as a commit does. A save
// writes what that instance changed and keeps what the other changed since; lists go whole.
TEST_F(SettingsTest, TwoInstancesOnOneProfileKeepEachOthersChanges) {
  vx::AppSettings a(vx::ProgramFolder()), b(vx::ProgramFolder());
  vx::BookmarkList aMarks, bMarks;
  LoadAll(a, &aMarks);
  LoadAll(b, &bMarks);
  const auto commit = [](vx::AppSettings& settings, const vx::BookmarkList& marks) {
    ASSERT_TRUE(settings.SaveEventGroup(96, marks));
    ASSERT_TRUE(settings.SaveSystemGroup());
  };
  a.Values().fvrColors[6] = 0x123456;
  a.Values().cutZoomSize = 150;
  CopyText(a.Values().recentFiles[0], "/home/a.csv");
  commit(a, aMarks);
  b.Values().fvrColors[0] = 0x654321;
  b.Values().print.margins[2].top = 99;
  bMarks.Add(vx::Bookmark::Make(vx::Bookmark::kPage, 0, 7, "b1"));
  bMarks.Add(vx::Bookmark::Make(vx::Bookmark::kPage, 0, 8, "b2"));
  commit(b, bMarks);
  commit(a, aMarks);  // nothing changed since: nothing of b's goes

  // The same value changed by both: the later save wins. A list changed by both: the later one
  // whole, never a mixture; but bookmarks either added stay.
  a.Values().fvrColors[0] = 0xABCDEF;
  aMarks.Add(vx::Bookmark::Make(vx::Bookmark::kPage, 0, 9, "a1"));
  commit(a, aMarks);
  CopyText(b.Values().recentFiles[0], "/home/b.csv");
  commit(b, bMarks);

  vx::AppSettings reader(vx::ProgramFolder());
  vx::BookmarkList marks;
  LoadAll(reader, &marks);
  const vx::SettingsValues& v = reader.Values();
  EXPECT_EQ(std::vector<std::uint32_t>({v.fvrColors[0], v.fvrColors[6]}),
            std::vector<std::uint32_t>({0xABCDEF, 0x123456}));
  EXPECT_EQ(std::vector<int>({v.cutZoomSize, v.print.margins[2].top}), std::vector<int>({150, 99}));
  EXPECT_EQ(std::string(v.recentFiles[0]), "/home/b.csv");
  EXPECT_EQ(Titles(marks), (std::vector<std::string>{"b1", "b2", "a1"}));
}

// What either instance removed stays removed; an entry added to a folder stays in it, and moves
// to the top when the other removed the folder.
TEST_F(SettingsTest, TwoInstancesOnOneProfileMergeTheirBookmarks) {
  vx::AppSettings a(vx::ProgramFolder()), b(vx::ProgramFolder());
  ASSERT_TRUE(a.SaveEventGroup(96, Marks({" keep", " gone", " Folder", "> in"})));
  vx::BookmarkList loaded;
  b.LoadEventGroup(96, loaded);
  ASSERT_TRUE(a.SaveEventGroup(96, Marks({" keep", " Folder", "> in", " a"})));
  ASSERT_TRUE(b.SaveEventGroup(96, Marks({" keep", " gone", " Folder", "> in", "> b", " b2"})));
  b.LoadEventGroup(96, loaded);
  EXPECT_EQ(Outline(loaded),
            (std::vector<std::string>{" keep", " Folder", "> in", "> b", " a", " b2"}));
  ASSERT_TRUE(a.SaveEventGroup(96, Marks({" keep", " a"})));
  b.LoadEventGroup(96, loaded);
  EXPECT_EQ(Outline(loaded), (std::vector<std::string>{" keep", " b", " a", " b2"}));
}

// The only side that changed goes whole. When both did, a rename, a move or a reorder is kept as
// such, entry by entry.
TEST_F(SettingsTest, TwoInstancesOnOneProfileKeepRenamesMovesAndReorders) {
  const std::vector<std::string> start = {" Fsummer", "> s1", "> s2", " p"},
                                 moved = {" Fsummer", "> s1", "> s2", "> p"},
                                 renamed = {" Fwinter", "> s1", "> s2", " p"},
                                 reordered = {" p", " Fsummer", "> s1", "> s2"},
                                 added = {" Fsummer", "> s1", "> s2", " p", " q"},
                                 both = {" Fwinter", "> s1", "> s2", " p", " q"};
  // b's save, then a's; what the file holds then
  const std::vector<std::string> cases[][3] = {
      {renamed, start, renamed},
      {moved, start, moved},
      {reordered, start, reordered},
      {renamed, added, both},
      {renamed, {" Fsummer", "> s1x", "> s2", " p"}, {" Fwinter", "> s1x", "> s2", " p"}},
      {renamed,
       {" Fsummer", "> s1", "> s2", "> n", " p"},
       {" Fwinter", "> s1", "> s2", "> n", " p"}},
      {moved, {" Fsummer", "> s1", "> s2"}, {" Fsummer", "> s1", "> s2"}},
      {reordered, {" Fsummer", "> s1", " p"}, {" p", " Fsummer", "> s1"}}};
  for (const auto& [b, a, file] : cases) {
    fs::remove(UserFile());
    ASSERT_TRUE(vx::AppSettings(vx::ProgramFolder()).SaveEventGroup(96, Marks(start)));
    vx::AppSettings first(vx::ProgramFolder()), second(vx::ProgramFolder());
    vx::BookmarkList loaded;
    first.LoadEventGroup(96, loaded);
    second.LoadEventGroup(96, loaded);
    ASSERT_TRUE(second.SaveEventGroup(96, Marks(b)));
    ASSERT_TRUE(first.SaveEventGroup(96, Marks(a)));
    vx::AppSettings(vx::ProgramFolder()).LoadEventGroup(96, loaded);
    EXPECT_EQ(Outline(loaded), file);
  }
}

TEST_F(SettingsTest, AByteOrderMarkHidesNoGroup) {
  WriteUserFile("\xEF\xBB\xBF[System]\r\nVQNumber96=95\r\n");
  vx::AppSettings settings(vx::ProgramFolder());
  LoadAll(settings);
  EXPECT_EQ(settings.Values().eventNumber, 95);
  ASSERT_TRUE(settings.SaveSystemGroup());
  const std::string text = vxtest::ReadFileBytes(UserFile());
  EXPECT_EQ(text.find("[System]"), text.rfind("[System]"));
}

TEST_F(SettingsTest, ProtectedValuesAreSealedAndReadBackWhole) {
  vx::AppSettings settings(vx::ProgramFolder());
  std::string read = "stale";
  EXPECT_TRUE(settings.ReadProtectedString("AccessToken", read));  // missing: empty
  EXPECT_EQ(read, "");
  // The long token is beyond what a fixed read buffer would hold.
  for (const std::string& token : {std::string("a1b2c3-token"), std::string(3000, 'k'), {}}) {
    ASSERT_TRUE(settings.WriteProtectedString("AccessToken", token));
    const std::string stored = settings.ReadString("VQ96Auth", "AccessToken", "");
    EXPECT_TRUE(vx::Base64Decode(stored).has_value());
    EXPECT_TRUE(token.empty() || stored.find(token) == std::string::npos);
    EXPECT_TRUE(settings.ReadProtectedString("AccessToken", read));
    EXPECT_EQ(read, token);
  }
  ASSERT_TRUE(settings.WriteString("VQ96Auth", "AccessToken", "bm90IHNlYWxlZA=="));
  EXPECT_FALSE(settings.ReadProtectedString("AccessToken", read));  // not sealed by us
  EXPECT_EQ(read, "");
  ASSERT_TRUE(settings.WriteAuthInt("SandBox", 1));
  EXPECT_EQ(settings.ReadAuthInt("SandBox"), 1);
}

TEST(Base64, StandardVectors) {
  const std::pair<std::string, std::string> vectors[] = {
      {"Man", "TWFu"}, {"Ma", "TWE="}, {"M", "TQ=="}, {"", ""}, {{"\x00\xff\xfe", 3}, "AP/+"}};
  for (const auto& [plain, encoded] : vectors) {
    EXPECT_EQ(vx::Base64Encode(plain), encoded);
    EXPECT_EQ(vx::Base64Decode(encoded), std::optional<std::string>(plain)) << encoded;
  }
}

TEST_F(SettingsTest, AnOlderSettingsFileLoads) {
  const char* data = std::getenv("VX_TEST_DATA");
  ASSERT_NE(data, nullptr);
  fs::copy_file(fs::path(data) / "settings" / "vindaxel-old.ini", UserFile());
  vx::AppSettings settings(vx::ProgramFolder());
  vx::BookmarkList bookmarks;
  LoadAll(settings, &bookmarks);
  const vx::SettingsValues& v = settings.Values();
  EXPECT_EQ(v.windowRects[0].right, 1024);
  EXPECT_STREQ(v.fvrColorNames[0], vx::Sjis("最優先").c_str());
  // The checklist lacked the cut column: it is put in front of the circle name, widths by kind.
  EXPECT_EQ(std::vector<int>(v.checkColumns, v.checkColumns + 7),
            (std::vector<int>{257, 258, 3, 273, 260, 5, 0}));
  EXPECT_EQ(v.checkColumnWidths[4], 150);
  EXPECT_EQ(v.print.kinds[0].days, 7);  // "VQ95Days.00" of the file's event
  ASSERT_EQ(bookmarks.Count(), 2);
  EXPECT_STREQ(bookmarks.GetAt(1)->title, vx::Sjis("西ホール").c_str());
}

}  // namespace
