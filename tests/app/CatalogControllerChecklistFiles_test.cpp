// Saving and starting checklists, the save question, the title and the recent-file list; the
// portal, feed and web-page commands.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/AppSettings.h"
#include "app/SearchSettings.h"
#include "app/SettingsPath.h"
#include "data/SearchCondition.h"
#include "tests/app/ChecklistCommandFixture.h"

namespace vxtest {
namespace {

namespace fs = std::filesystem;
using Entries = decltype(ChecklistState::entries);

const Entries kMine = {{101, 2, "mine"}, {102, 1, ""}};

TEST_F(ChecklistCommandTest, SavingANewChecklistAsksForAFileAndNamesTheChecklist) {
  controller.NewChecklist(true);
  controller.SetCircleColor(3, 103);
  ui.QueuePath(dir / "first");  // the dialog adds the extension
  EXPECT_EQ(controller.SaveChecklist(false, false), IDYES);
  const auto asked = ui.CallsOf(vx::UiCallKind::kSaveFileDialog);
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(vx::Cp932ToUtf8(asked[0].request.title), "保存するチェックリストファイルの選択");
  EXPECT_EQ(asked[0].request.initialPath, dir / "新規チェックリスト");
  EXPECT_FALSE(asked[0].request.confirmOverwrite);  // asked below, and only once
  EXPECT_EQ(vx::Cp932ToUtf8(asked[0].request.filter),
            "チェックリストファイル (*.csv)|*.csv|全てのファイル (*.*)|*.*|");
  EXPECT_EQ(State().path, dir / "first.csv");
  EXPECT_FALSE(State().modified);
  EXPECT_NE(ReadFileBytes(dir / "first.csv").find("\r\nCircle,1103,3,"), std::string::npos);
  EXPECT_EQ(main.titles.back(), "Vindaxel - first.csv ");

  // Saved again to its own file without a dialog; "save as" the older format asks.
  controller.SetCircleColor(4, 103);
  EXPECT_EQ(controller.SaveChecklist(false, false), IDYES);
  EXPECT_EQ(ui.CallsOf(vx::UiCallKind::kSaveFileDialog).size(), 1u);
  ui.QueuePath(dir / "old.csv");
  EXPECT_EQ(controller.SaveChecklist(true, true), IDYES);
  EXPECT_TRUE(ReadFileBytes(dir / "old.csv").starts_with("QUILLOR,104,Vellastrade96,Windows\r\n"));
  EXPECT_EQ(std::string(values.defaultFileDir), dir.Path().string() + "/");
  EXPECT_TRUE(ui.UnexpectedCalls().empty());
}

TEST_F(ChecklistCommandTest, ReplacingAnExistingFileIsAskedFirst) {
  WriteFileBytes(dir / "taken.csv", "old");
  for (const int answer : {IDNO, IDYES}) {
    ui.QueuePath(dir / "taken.csv");
    ui.QueueAnswer(answer);
    EXPECT_EQ(controller.SaveChecklist(true, false), answer == IDYES ? IDYES : IDCANCEL);
    EXPECT_EQ(ReadFileBytes(dir / "taken.csv") == "old", answer == IDNO);
  }
  const std::string question = "チェックリストの上書き確認|" + (dir / "taken.csv").string() +
                               "\nは既に存在しています.\n上書きしてよろしいですか？";
  EXPECT_EQ(Boxes(), (std::vector<std::string>{question, question}));
  EXPECT_EQ(ui.CallsOf(vx::UiCallKind::kMessageBox)[0].flags, vx::MB_YESNO | vx::MB_ICONQUESTION);
  EXPECT_EQ(State().path, dir / "taken.csv");
  EXPECT_TRUE(ui.UnexpectedCalls().empty());
}

// Two instances of the program on two displays share one profile: each saving its checklist over
// the same file. A save over a file someone else wrote since this instance read or wrote it is
// asked first (default No); No leaves the file and the modified checklist as they are.
TEST_F(ChecklistCommandTest, ASaveDoesNotSilentlyOverwriteWhatAnotherInstanceSaved) {
  vx::PavorunDatabase otherDb{dir.Path()};
  otherDb.SetEventNo(kControllerEvent);
  vx::SettingsValues otherValues = values;
  vx::ScriptedUiServices otherUi;
  vx::ControllerServices services;
  services.ui = &otherUi;
  vx::CatalogController other{nullptr, services};
  ASSERT_TRUE(other.Init(&otherDb, &images, &otherValues));
  ASSERT_EQ(other.LoadChecklist(mine, false), 1);

  controller.SetCircleColor(7, 101);
  ASSERT_EQ(controller.SaveChecklist(false, false), IDYES);
  const std::string saved = ReadFileBytes(mine);
  other.SetCircleColor(3, 102);
  otherUi.QueueAnswer(IDNO);
  EXPECT_EQ(other.SaveChecklist(false, false), IDCANCEL);
  EXPECT_EQ(ReadFileBytes(mine), saved);
  EXPECT_TRUE(other.IsChecklistModified());
  ASSERT_EQ(otherUi.CallsOf(vx::UiCallKind::kMessageBox).size(), 1u);
  const vx::UiCall question = otherUi.CallsOf(vx::UiCallKind::kMessageBox)[0];
  EXPECT_EQ(vx::Cp932ToUtf8(question.caption) + "|" + vx::Cp932ToUtf8(question.text),
            "チェックリストの上書き確認|「" + mine.string() +
                "」は、このプログラムが読み込んだ後に他で変更されています。上書きしますか?");
  EXPECT_EQ(question.flags, vx::MB_YESNO | vx::MB_ICONWARNING | vx::MB_DEFBUTTON2);

  // Yes overwrites; from then on that instance's own file is saved without a question, and the
  // first instance is asked in its turn.
  otherUi.QueueAnswer(IDYES);
  EXPECT_EQ(other.SaveChecklist(false, false), IDYES);
  EXPECT_NE(ReadFileBytes(mine).find("Circle,1102,3,"), std::string::npos);
  other.SetCircleColor(4, 103);
  EXPECT_EQ(other.SaveChecklist(false, false), IDYES);
  EXPECT_TRUE(otherUi.UnexpectedCalls().empty());
  controller.SetCircleColor(5, 104);
  ui.QueueAnswer(IDNO);
  EXPECT_EQ(controller.SaveChecklist(false, false), IDCANCEL);
  EXPECT_EQ(Boxes().size(), 1u);

  // The same bytes written again, or the file gone, lose nothing: no question.
  const std::string latest = ReadFileBytes(mine);
  WriteFileBytes(mine, latest);
  EXPECT_EQ(other.SaveChecklist(false, false), IDYES);
  fs::remove(mine);
  EXPECT_EQ(other.SaveChecklist(false, false), IDYES);
  EXPECT_EQ(ReadFileBytes(mine), latest);
  EXPECT_EQ(otherUi.CallsOf(vx::UiCallKind::kMessageBox).size(), 2u);
  EXPECT_TRUE(otherUi.UnexpectedCalls().empty());
}

// A save that fails says so and answers Cancel: the command that asked for it stops, and the
// checklist, its file and its modified mark stay; the file on disk is not touched.
TEST_F(ChecklistCommandTest, AFailedSaveKeepsEverythingAndStopsTheCommandThatAskedForIt) {
  const fs::path longName = dir / (std::string(250, 'x') + ".csv");  // no room for a temporary
  WriteFileBytes(longName, "old");
  controller.SetChecklistPath(&longName, true);
  const ChecklistState before = State();
  ui.QueueAnswer(IDYES);  // save first?
  ui.QueueAnswer(IDOK);   // the error
  EXPECT_EQ(controller.NewChecklist(false), IDCANCEL);
  EXPECT_EQ(State(), before);
  EXPECT_EQ(ReadFileBytes(longName), "old");
  const std::vector<std::string> boxes = Boxes();
  ASSERT_EQ(boxes.size(), 2u);
  // The box names the reason the system gave, not a guess.
  EXPECT_EQ(boxes[1], "書き込みエラー|" + longName.string() +
                          "\nに保存できません.\nファイル名が長すぎます (File name too long).");

  // A new file that cannot be written is not left behind either.
  ui.ClearCalls();
  ui.QueuePath(dir / "missing" / "list.csv");
  ui.QueueAnswer(IDOK);
  EXPECT_EQ(controller.SaveChecklist(true, false), IDCANCEL);
  EXPECT_FALSE(fs::exists(dir / "missing"));
  EXPECT_EQ(Boxes(),
            std::vector<std::string>{"書き込みエラー|" + (dir / "missing" / "list.csv").string() +
                                     "\nに保存できません.\nフォルダが見つかりません "
                                     "(No such file or directory)."});
  EXPECT_EQ(State(), before);
  EXPECT_TRUE(ui.UnexpectedCalls().empty());
}

TEST_F(ChecklistCommandTest, TheSaveQuestionAnswersForTheUser) {
  EXPECT_EQ(controller.AskSaveChecklist(), IDNO);  // nothing changed: nothing asked
  EXPECT_TRUE(Boxes().empty());
  controller.SetCircleColor(3, 104);
  ui.QueueAnswer(IDNO);
  EXPECT_EQ(controller.AskSaveChecklist(), IDNO);
  ui.QueueAnswer(IDCANCEL);
  EXPECT_EQ(controller.AskSaveChecklist(), IDCANCEL);
  ui.QueueAnswer(IDYES);
  EXPECT_EQ(controller.AskSaveChecklist(), IDYES);
  EXPECT_FALSE(controller.IsChecklistModified());
  EXPECT_NE(ReadFileBytes(mine).find("Circle,1104,3,"), std::string::npos);
  EXPECT_EQ(ui.CallsOf(vx::UiCallKind::kMessageBox)[0].flags,
            vx::MB_YESNOCANCEL | vx::MB_ICONQUESTION);
  EXPECT_TRUE(ui.UnexpectedCalls().empty());
}

TEST_F(ChecklistCommandTest, ANewChecklistIsEmptyWithThePalettesColours) {
  controller.SetCircleColor(3, 104);
  ui.QueueAnswer(IDCANCEL);
  EXPECT_EQ(controller.NewChecklist(false), IDCANCEL);
  EXPECT_EQ(State().entries.size(), 3u);
  log.clear();
  ui.QueueAnswer(IDNO);
  EXPECT_EQ(controller.NewChecklist(false), IDYES);
  EXPECT_EQ(State(), (ChecklistState{{}, {"p0", "p1", "p2"}, {}, false}));
  EXPECT_EQ(ReceivedBy(main), (Messages{{UM_CHECKLIST_RESET, 0, 0}, {UM_COLORS_CHANGED, 0, 0}}));
  EXPECT_EQ(main.titles.back(), "Vindaxel - 新規チェックリスト ");
}

// The title changes only with the file or the mark, and names the file without its folder.
TEST_F(ChecklistCommandTest, TheTitleNamesTheFileAndTheModifiedMark) {
  const fs::path list = dir / "list.csv";
  main.titles.clear();
  controller.SetChecklistPath(&list, false);
  controller.MarkChecklistModified();
  controller.SetCircleColor(3, 104);  // already modified: the title stays
  controller.SetChecklistPath(nullptr, false);
  EXPECT_EQ(main.titles, (std::vector<std::string>{"Vindaxel - list.csv ", "Vindaxel - list.csv *",
                                                   "Vindaxel - list.csv "}));
}

// A file whose name CP932 cannot hold exactly is named exactly in the title and the recent-file
// menu, kept exactly in the settings and opened again from there; so is the folder it was chosen
// in. They used to show and open "Caf?" and a full-width tilde.
TEST_F(ChecklistCommandTest, FileNamesOutsideShiftJisAreShownAndKeptExactly) {
  const fs::path folder = dir / "出力〜テスト";
  fs::create_directory(folder);
  const fs::path file = folder / "Café.csv";
  ui.QueuePath(file);
  ASSERT_EQ(controller.SaveChecklist(true, false), IDYES);
  EXPECT_EQ(main.titles.back(), "Vindaxel - Café.csv ");
  EXPECT_EQ(main.recentMenus.back().front().text, "&1 " + file.string());
  EXPECT_EQ(vx::PathOfSettingsText(values.recentFiles[0]), file);
  EXPECT_EQ(vx::PathOfSettingsText(values.defaultFileDir), folder.string() + "/");
  controller.NewChecklist(true);
  ASSERT_EQ(controller.OpenRecentChecklist(0), IDYES);
  EXPECT_EQ(State().path, file);
  // The next file dialog opens in the folder chosen.
  ui.QueueFiles({});
  controller.AppendChecklist();
  EXPECT_EQ(ui.CallsOf(vx::UiCallKind::kOpenFilesDialog).back().request.initialPath,
            folder.string() + "/");
}

// A file used again goes to the top and the ones above it move down; a new one pushes the
// ninth out. The menu lists them as "&<n> <path>".
TEST_F(ChecklistCommandTest, RecentFilesKeepTheNewestFirstAndNineAtMost) {
  std::vector<fs::path> files;
  for (int i = 0; i < 9; ++i) files.push_back(dir / ("f" + std::to_string(i) + ".csv"));
  for (auto it = files.rbegin(); it != files.rend(); ++it) controller.SetChecklistPath(&*it, false);
  const auto recent = [&] {
    std::vector<std::string> names;
    for (const auto& entry : values.recentFiles) names.push_back(fs::path(entry).filename());
    return names;
  };
  EXPECT_EQ(recent(), (std::vector<std::string>{"f0.csv", "f1.csv", "f2.csv", "f3.csv", "f4.csv",
                                                "f5.csv", "f6.csv", "f7.csv", "f8.csv"}));
  ui.QueuePath(files[6]);
  ui.QueueAnswer(IDYES);  // replace it
  ASSERT_EQ(controller.SaveChecklist(true, false), IDYES);
  EXPECT_EQ(recent(), (std::vector<std::string>{"f6.csv", "f0.csv", "f1.csv", "f2.csv", "f3.csv",
                                                "f4.csv", "f5.csv", "f7.csv", "f8.csv"}));
  const fs::path fresh = dir / "fresh.csv";
  controller.SetChecklistPath(&fresh, false);
  EXPECT_EQ(recent(), (std::vector<std::string>{"fresh.csv", "f6.csv", "f0.csv", "f1.csv", "f2.csv",
                                                "f3.csv", "f4.csv", "f5.csv", "f7.csv"}));
  const std::vector<vx::RecentFileItem>& menu = main.recentMenus.back();
  ASSERT_EQ(menu.size(), 9u);
  EXPECT_EQ(menu[0], (vx::RecentFileItem{ID_RECENT_FIRST, "&1 " + fresh.string()}));
  EXPECT_EQ(menu[8].commandId, ID_RECENT_FIRST + 8);

  // Entry 2 opens through the recent-file command; an empty or missing entry does nothing.
  WriteFileBytes(files[0], ChecklistText(96, {{103, 1}}));
  EXPECT_EQ(controller.OpenRecentChecklist(2), IDYES);
  EXPECT_EQ(State().path, files[0]);
  EXPECT_EQ(recent()[0], "f0.csv");
  values.recentFiles[8][0] = '\0';
  EXPECT_EQ(controller.OpenRecentChecklist(8), IDCANCEL);
  EXPECT_EQ(controller.OpenRecentChecklist(9), IDCANCEL);

  // While the first entry is empty the menu is left as it is.
  const std::size_t rebuilds = main.recentMenus.size();
  values.recentFiles[0][0] = '\0';
  controller.RebuildRecentFilesMenu();
  EXPECT_EQ(main.recentMenus.size(), rebuilds);
}

TEST_F(ChecklistCommandTest, ThePortalsFavouritesAreCommittedAndAnnounced) {
  webJobs.portalSerials = {1104, 4242};  // the second names no circle
  controller.SetChecklistPath(&mine, false);
  EXPECT_EQ(controller.ImportChecklistFromPortal(), IDYES);
  EXPECT_EQ(
      State(),
      (ChecklistState{
          {{101, 2, "mine"}, {102, 1, ""}, {104, 2, "portal"}}, {"mine", "p1", "p2"}, mine, true}));
  EXPECT_EQ(ReceivedBy(main).front(), (Message{UM_CHECKLIST_RESET, 0, 0}));
  EXPECT_EQ(controller.ExportChecklistToPortal(), IDYES);
  EXPECT_EQ(webJobs.exports, 1);
  EXPECT_EQ(dialogs.shown, (std::vector<std::string>{"apply:+"}));

  // A declined file's rows never ride along with a later import.
  dialogs.onConfirm = [](vx::FavoriteStore&) { return IDCANCEL; };
  controller.LoadChecklist(Write("x.csv", ChecklistText(95, {{103, 1}})), false);
  webJobs.portalSerials.clear();
  controller.ImportChecklistFromPortal();
  EXPECT_EQ(controller.GetCircleColor(103), -1);
}

TEST_F(ChecklistCommandTest, FetchedFeedsAreAnnouncedButNotFromEventNinetyOn) {
  webJobs.changedFeeds = {102, 101};
  values.eventNumber = 89;
  controller.SetChecklistPath(&mine, false);
  controller.FetchChecklistRss();
  EXPECT_EQ(ReceivedBy(main),
            (Messages{{UM_CIRCLE_INFO_UPDATED, 0, 102}, {UM_CIRCLE_INFO_UPDATED, 0, 101}}));
  EXPECT_TRUE(controller.IsChecklistModified());
  values.eventNumber = 90;
  controller.FetchChecklistRss();
  EXPECT_EQ(webJobs.fetches, 1);
}

TEST(ChecklistCommandsWithoutServices, AnswerCancelAndChangeNothing) {
  vx::CatalogController c(nullptr, {});
  EXPECT_EQ(c.SaveChecklist(false, false), IDCANCEL);
  EXPECT_EQ(c.OpenChecklist(), IDCANCEL);
  EXPECT_EQ(c.AppendChecklist(), IDCANCEL);
  EXPECT_EQ(c.NewChecklist(true), IDCANCEL);
  EXPECT_EQ(c.ImportChecklistFromPortal(), IDCANCEL);
  EXPECT_EQ(c.LoadChecklist("/nowhere.csv", false), 0);
  EXPECT_EQ(c.PasteFromClipboard(), 0);
  EXPECT_FALSE(c.OpenUrl("https://example.org/"));
  EXPECT_TRUE(c.ChooseChecklistFile("t", false).empty());
}

TEST_F(ChecklistCommandTest, WebPagesOpenInTheChosenBrowserAndOnlyWebAndMailAddresses) {
  EXPECT_TRUE(controller.OpenUrl("https://example.org/"));
  EXPECT_FALSE(controller.OpenUrl("file:///etc/passwd"));
  values.browserPathMode = 1;
  std::snprintf(values.browserPath, vx::kTextSize, "/usr/bin/browser");
  EXPECT_TRUE(controller.OpenUrl("mailto:a@example.org"));
  EXPECT_FALSE(controller.OpenUrl("--help"));
  EXPECT_EQ(ui.OpenedUrls(),
            (std::vector<std::string>{"https://example.org/", "mailto:a@example.org"}));
  EXPECT_EQ(ui.CallsOf(vx::UiCallKind::kRunBrowser).at(0).path, "/usr/bin/browser");
  // The path page keeps the browser's place as CP932, which is no native path as it stands.
  std::snprintf(values.browserPath, vx::kTextSize, "%s", vx::Sjis("/opt/ブラウザ/run").c_str());
  EXPECT_TRUE(controller.OpenUrl("https://example.org/b"));
  EXPECT_EQ(ui.CallsOf(vx::UiCallKind::kRunBrowser).back().path, "/opt/ブラウザ/run");
}

// The search starts as the settings left it (AND, normalised, the default fields when nothing was
// saved) and goes back into them.
TEST(ControllerSearchSettings, TheSearchGroupFillsTheConditionAndIsWrittenBack) {
  TempDir dir;
  vx::PavorunDatabase db(dir.Path());
  BuildControllerCatalog(db);
  vx::CatalogImages images;
  vx::AppSettings settings(dir.Path());
  settings.Values().eventNumber = kControllerEvent;
  vx::CatalogController controller(&settings, {});
  ASSERT_TRUE(controller.Init(&db, &images, &settings.Values()));
  const vx::SearchCondition& search = *controller.GetSearchCondition();
  EXPECT_TRUE(search.MatchAll() && search.NormalizedMatch());
  EXPECT_EQ(search.KeywordFields(), vx::kDefaultSearchFields);
  EXPECT_EQ(search.Days(), (std::vector<int>{0, 1, 2}));

  vx::SearchSettings chosen = controller.GetCurrentSearchSettings();
  chosen.matchAll = false;
  chosen.days = std::vector<int>{2};
  chosen.genres = std::vector<int>{3};
  chosen.keywords = vx::Sjis("音楽");
  controller.ApplySearchSettings(chosen);
  ASSERT_TRUE(controller.SaveSearchSettings());
  EXPECT_EQ(settings.LoadSearchGroup(kControllerEvent), chosen);
  ASSERT_TRUE(controller.Init(&db, &images, &settings.Values()));
  EXPECT_EQ(controller.GetCurrentSearchSettings(), chosen);
}

}  // namespace
}  // namespace vxtest
