// Loading checklists through the controller: what each outcome leaves of the user's checklist,
// and what every window hears.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "app/CheckColorTables.h"
#include "app/ChecklistReadJob.h"
#include "tests/app/ChecklistCommandFixture.h"

namespace vxtest {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using Entries = decltype(ChecklistState::entries);

const std::string kNotAFile =
    "チェックリスト読み込みエラー|チェックリストファイル\n%s\nは、通常のファイルではありません."
    "\n\n読み込みは失敗しました.";
const std::string kCannotRead =
    "読み込みエラー|%s\nにアクセスできません.\n他のアプリケーションで使用されているか、"
    "ファイルが見つかりません.";

const std::string kBadData =
    "チェックリスト読み込みエラー|チェックリストファイル\n%s\nには、異常なデータが含まれて"
    "います.\n\n読み込みは失敗しました.";

// The read runs under a progress dialog titled for what it does.
const std::string kRead = "read:チェックリストの読み込み+";

std::string WithPath(std::string text, const fs::path& path) {
  return text.replace(text.find("%s"), 2, path.string());
}

TEST_F(ChecklistCommandTest, AFileOfTheCurrentEventBecomesTheChecklistAndEveryWindowHearsIt) {
  const fs::path file = Write("list.csv", ChecklistText(96, {{104, 3}, {103, 1}}));
  EXPECT_EQ(controller.LoadChecklist(file, false), 1);
  EXPECT_EQ(State(), (ChecklistState{
                         {{104, 3, "m104"}, {103, 1, "m103"}}, {"file", "p1", "p2"}, file, false}));
  EXPECT_EQ(ReceivedBy(main), (Messages{{UM_COLORS_CHANGED, 0, 0},
                                        {UM_CHECKLIST_RESET, 0, 0},
                                        {UM_CIRCLE_CHECKED, 3, 104},
                                        {UM_CHECKLIST_ENTRY_CHANGED, 0, 104},
                                        {UM_CIRCLE_CHECKED, 1, 103},
                                        {UM_CHECKLIST_ENTRY_CHANGED, 0, 103}}));
  EXPECT_EQ(ReceivedBy(list), ReceivedBy(main));
  EXPECT_EQ(dialogs.shown, (std::vector<std::string>{kRead, "apply:+"}));
  EXPECT_EQ(vx::Cp932ToUtf8(dialogs.readText), "チェックリストを読み込んでいます...(3/10)");
  EXPECT_EQ(vx::Cp932ToUtf8(dialogs.applyText), "ロード結果をウィンドウに反映させています...(2/2)");
  EXPECT_EQ(main.titles.back(), "Vindaxel - list.csv ");
  EXPECT_EQ(std::string(values.recentFiles[0]), file.string());
  EXPECT_TRUE(Boxes().empty());
}

// Another event's checklist is matched by the circles' texts and confirmed on the page; taken, it
// is a new checklist, so that saving it cannot overwrite its file.
TEST_F(ChecklistCommandTest, AnotherEventsFileAcceptedOnThePageBecomesANewModifiedChecklist) {
  const fs::path file = Write("old.csv", ChecklistText(95, {{103, 0}, {900, 4}}));
  dialogs.onConfirm = [](vx::FavoriteStore& store) {
    EXPECT_EQ(store.GetImportRecords().size(), 2u);
    store.GetImportRecords()[1].action = vx::kImportSkip;
    return IDOK;
  };
  EXPECT_EQ(controller.LoadChecklist(file, false), 1);
  // The memo-only row took colour 1 after the page.
  EXPECT_EQ(State(), (ChecklistState{{{103, 1, "m103"}}, {"file", "p1", "p2"}, {}, true}));
  EXPECT_TRUE(Store().GetImportRecords().empty());  // applied, the rows are not kept
  EXPECT_EQ(dialogs.shown, (std::vector<std::string>{kRead, "confirm:95/96+", "apply:+"}));
  EXPECT_EQ(main.titles.back(), "Vindaxel - 新規チェックリスト *");
  EXPECT_EQ(std::string(values.recentFiles[0]), mine.string());
}

// A load that is declined, cancelled or cannot be read commits nothing: not a circle, a colour,
// the file or the modified mark changes.
TEST_F(ChecklistCommandTest, ALoadThatIsNotCommittedLeavesTheChecklistAsItWas) {
  const ChecklistState before = State();
  struct Case {
    std::string name;
    std::function<fs::path()> prepare;
    int result;
    std::vector<std::string> dialogs;
    std::vector<std::string> boxes;  // "%s" stands for the file
  };
  const Case cases[] = {
      {"declined page",
       [&] {
         dialogs.onConfirm = [](vx::FavoriteStore&) { return IDCANCEL; };
         return Write("other.csv", ChecklistText(95, {{103, 2}}));
       },
       1,
       {kRead, "confirm:95/96+"},
       {}},
      {"cancelled read",
       [&] {
         dialogs.cancelReadAt = 2;
         return Write("long.csv", ChecklistText(96, {{103, 1}, {104, 1}, {112, 1}, {113, 1}}));
       },
       1,
       {kRead},
       {}},
      {"missing file", [&] { return dir / "gone.csv"; }, 0, {}, {kCannotRead}},
      {"folder", [&] { return dir.Path(); }, 0, {}, {kCannotRead}},
      // Read whole, these would take all memory or never end: refused before any reading.
      {"device", [&] { return fs::path("/dev/zero"); }, 0, {}, {kNotAFile}},
      {"too large",
       [&] {
         const fs::path huge = Write("huge.csv", HeaderLine(96));
         fs::resize_file(huge, vx::kMaxChecklistFileBytes + 1);
         return huge;
       },
       0,
       {},
       {"チェックリスト読み込みエラー|チェックリストファイル\n%s\nは、チェックリストとしては"
        "大きすぎます (64 MB まで).\n\n読み込みは失敗しました."}},
      {"empty file",
       [&] { return Write("empty.csv", ""); },
       0,
       {kRead},
       {"チェックリスト読み込みエラー|チェックリストファイル\n%s\nは開けませんでした. "
        "他のアプリケーションで使用中の恐れがあります."}},
      {"no header", [&] { return Write("bad.csv", "Circle,1103,1,\r\n"); }, 0, {kRead}, {kBadData}},
      // A good header followed by garbage would read as an empty checklist.
      {"garbage after the header",
       [&] { return Write("garbage.csv", HeaderLine(96) + "\x89PNG\x01\x02 ,\xff\xfe\r\n"); },
       0,
       {kRead},
       {kBadData}},
      // Damaged files would read as a checklist that lost circles or texts.
      {"last record cut",
       [&] {
         return Write("cut.csv", ChecklistText(96, {{103, 1}}) + "Circle,1104,2,3,1,Sat");
       },
       0,
       {kRead},
       {kBadData}},
      {"NUL in a record",
       [&] { return Write("nul.csv", HeaderLine(96) + "Circle,1103,1,,,,,,,,C\0x,\r\n"s); },
       0,
       {kRead},
       {kBadData}},
      {"UTF-8 under a Shift_JIS header",
       [&] {
         const std::string memo = "\xE3\x83\x86\xE3\x82\xB9";  // テス in UTF-8
         return Write("utf8.csv", ChecklistText(96, {{103, 1}}) +
                                      CircleLine({{1, "1104"}, {2, "1"}, {17, memo}}));
       },
       0,
       {kRead},
       {kBadData}},
      {"newer version",
       [&] { return Write("new.csv", "QUILLOR,200,Vellastrade96,x\r\n"); },
       0,
       {kRead},
       {"チェックリスト読み込みエラー|チェックリストファイル\n%s\nは、対応していないバージョン"
        "のファイルです.\n\n読み込みは失敗しました."}},
  };
  const std::vector<std::string> titles = main.titles;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    dialogs.onConfirm = nullptr;
    dialogs.cancelReadAt = -1;
    dialogs.shown.clear();
    ui.ClearCalls();
    log.clear();
    const fs::path file = c.prepare();
    EXPECT_EQ(controller.LoadChecklist(file, false), c.result);
    EXPECT_EQ(State(), before);
    EXPECT_EQ(main.titles, titles);
    EXPECT_EQ(dialogs.shown, c.dialogs);
    std::vector<std::string> boxes;
    for (const std::string& box : c.boxes) boxes.push_back(WithPath(box, file));
    EXPECT_EQ(Boxes(), boxes);
    const bool read = !c.dialogs.empty();
    const Messages heard = read ? Messages{{UM_COLORS_CHANGED, 0, 0}} : Messages{};
    EXPECT_EQ(ReceivedBy(main), heard);
    EXPECT_TRUE(Store().GetImportRecords().empty());  // nothing left for a later commit
  }
}

// A Cancel that comes before the worker's first step stops the read before its first record; a
// stop left over from an earlier read does not stop the next job.
TEST_F(ChecklistCommandTest, ACancelBeforeTheReadStartsStopsIt) {
  const fs::path file = Write("long.csv", ChecklistText(96, {{103, 1}, {104, 1}, {112, 1}}));
  for (const bool cancel : {true, false}) {
    Store().RequestStop();  // came too late for an earlier read
    vx::ChecklistReadJob job(Store(), vx::ChecklistSource::File(file), false, true);
    ASSERT_TRUE(job.Begin());
    EXPECT_EQ(cancel && job.RequestCancel(), cancel);
    EXPECT_EQ(job.RunStep(), 1);
    EXPECT_EQ(Store().GetImportRecords().size(), cancel ? 0u : 3u) << cancel;
    EXPECT_EQ(job.End(), 0);
    Store().DiscardImport();
  }
}

// A checklist saved empty replaces the checklist with an empty one, and the windows are told so.
TEST_F(ChecklistCommandTest, AHeaderOnlyFileEmptiesTheChecklistAndTheWindowsHearOfIt) {
  const fs::path file = Write("none.csv", HeaderLine(96));
  EXPECT_EQ(controller.LoadChecklist(file, false), 1);
  EXPECT_EQ(State(), (ChecklistState{{}, {"mine", "p1", "p2"}, file, false}));
  EXPECT_EQ(ReceivedBy(main), (Messages{{UM_COLORS_CHANGED, 0, 0}, {UM_CHECKLIST_RESET, 0, 0}}));
}

TEST_F(ChecklistCommandTest, AppendingAndPastingKeepTheFileAndMarkTheChecklistModified) {
  const fs::path file = Write("more.csv", ChecklistText(96, {{103, 4}}));
  EXPECT_EQ(controller.LoadChecklist(file, true), 1);
  const Entries three = {{101, 2, "mine"}, {102, 1, ""}, {103, 4, "m103"}};
  EXPECT_EQ(State(), (ChecklistState{three, {"mine", "p1", "p2"}, mine, true}));

  // The clipboard holds the older text format; its circles keep their colour, the text appends.
  const int ids[] = {104};
  controller.SetCircleColor(5, 104);
  ASSERT_TRUE(controller.CopyCirclesToClipboard(ids));
  controller.UncheckCircle(104);
  log.clear();
  EXPECT_TRUE(controller.IsClipboardTextAvailable());
  EXPECT_EQ(controller.PasteFromClipboard(), 1);
  Entries four = three;
  four.emplace_back(104, 5, "");
  EXPECT_EQ(State(), (ChecklistState{four, {"mine", "p1", "p2"}, mine, true}));
  EXPECT_EQ(ReceivedBy(main).at(1), (Message{UM_CHECKLIST_RESET, 0, 0}));
  EXPECT_EQ(ReceivedBy(main).size(), 2u + 2 * four.size());

  // Clipboard text goes through the same read: cut short, or of a later version, it is refused
  // as a file would be, in a box that names the clipboard, not its text.
  ui.ClearCalls();
  for (const std::string& text :
       {MagicLine(96) + "103,1,10,3,Sat", "QUILLOR,200,Vellastrade96\r\n"s}) {
    ui.SetClipboardText(text);
    EXPECT_EQ(controller.PasteFromClipboard(), 0);
  }
  EXPECT_EQ(State(), (ChecklistState{four, {"mine", "p1", "p2"}, mine, true}));
  const std::string refused = "チェックリスト読み込みエラー|クリップボードのチェックリスト";
  EXPECT_EQ(Boxes(),
            (std::vector<std::string>{
                refused + "には、異常なデータが含まれています.\n\n読み込みは失敗しました.",
                refused + "は、対応していないバージョンのものです.\n\n読み込みは失敗しました."}));
}

// The first of several files replaces the checklist, the others are appended; the result has no
// file of its own.
TEST_F(ChecklistCommandTest, OpeningThreeFilesReplacesWithTheFirstAndAppendsTheOthers) {
  ui.QueueFiles({Write("a", ChecklistText(96, {{103, 1}})),  // no extension: loaded all the same
                 Write("b.csv", ChecklistText(96, {{104, 2}})),
                 Write("c.csv", ChecklistText(96, {{112, 3}}))});
  EXPECT_EQ(controller.OpenChecklist(), IDYES);
  EXPECT_EQ(
      State(),
      (ChecklistState{
          {{103, 1, "m103"}, {104, 2, "m104"}, {112, 3, "m112"}}, {"file", "p1", "p2"}, {}, true}));
  const auto asked = ui.CallsOf(vx::UiCallKind::kOpenFilesDialog);
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(vx::Cp932ToUtf8(asked[0].request.title), "読み込むチェックリストファイルの選択");
  EXPECT_EQ(asked[0].owner, &beacon);
  EXPECT_TRUE(Boxes().empty());  // nothing had changed: no save question
  EXPECT_TRUE(ui.UnexpectedCalls().empty());
}

TEST_F(ChecklistCommandTest, OpeningAsksToSaveAChangedChecklistFirst) {
  controller.SetCircleColor(3, 104);
  ui.QueueAnswer(IDCANCEL);
  EXPECT_EQ(controller.OpenChecklist(), IDCANCEL);
  EXPECT_EQ(Boxes(),
            (std::vector<std::string>{
                "チェックリストの保存確認|チェックリストまたはメモの内容が変更されています."
                "\nファイルへ保存しますか？"}));
  ui.QueueAnswer(IDNO);
  const fs::path file = Write("d.csv", ChecklistText(96, {{103, 1}}));
  EXPECT_EQ(controller.OpenChecklistFile(file), IDYES);
  EXPECT_EQ(State().path, file);
  // The file already open is not opened again, and nothing is asked.
  ui.ClearCalls();
  controller.SetCircleColor(2, 104);
  EXPECT_EQ(controller.OpenChecklistFile(file), IDCANCEL);
  EXPECT_TRUE(ui.Calls().empty());
  EXPECT_TRUE(ui.UnexpectedCalls().empty());
}

TEST_F(ChecklistCommandTest, AppendingAsksNothingAndAppendsEveryFileChosen) {
  controller.SetCircleColor(3, 104);
  ui.QueueFiles({Write("a.csv", ChecklistText(96, {{103, 1}})),
                 Write("b.csv", ChecklistText(96, {{112, 2}}))});
  EXPECT_EQ(controller.AppendChecklist(), IDYES);
  EXPECT_EQ(State().entries.size(), 5u);
  EXPECT_EQ(vx::Cp932ToUtf8(ui.CallsOf(vx::UiCallKind::kOpenFilesDialog).at(0).request.title),
            "追加読み込みするチェックリストファイルの選択");
  EXPECT_TRUE(Boxes().empty());
  EXPECT_TRUE(ui.UnexpectedCalls().empty());
}

TEST_F(ChecklistCommandTest, ErasingMemosReplaysTheChecklistAndMarksItModified) {
  controller.SetCircleMemo("note", 104);  // memo only
  controller.SetChecklistPath(&mine, false);
  log.clear();
  controller.EraseUncheckedMemos();
  EXPECT_EQ(State(),
            (ChecklistState{{{101, 2, "mine"}, {102, 1, ""}}, {"mine", "p1", "p2"}, mine, true}));
  EXPECT_EQ(ReceivedBy(main).front(), (Message{UM_CHECKLIST_RESET, 0, 0}));
  controller.EraseAllMemos();
  EXPECT_EQ(State().entries, (Entries{{101, 2, ""}, {102, 1, ""}}));
  // Nothing to erase: the windows still hear the checklist, and it stays as saved.
  controller.SetChecklistPath(&mine, false);
  controller.EraseAllMemos();
  EXPECT_FALSE(controller.IsChecklistModified());
}

// A checklist using colours above the colour count raises the count to them: the file's colour
// numbers, names and values survive a load and a save, and the user is told.
TEST_F(ChecklistCommandTest, ColoursAboveTheColourCountRaiseItAndSurviveASave) {
  const fs::path file = Write(
      "twelve.csv", ChecklistText(96, {{104, 12}, {103, 10}}) + "Color,10,0000ff,00ff00,ten\r\n");
  EXPECT_EQ(controller.LoadChecklist(file, false), 1);
  EXPECT_EQ(controller.GetColorCount(), 12);
  EXPECT_EQ(values.fvrColorNum, 12);
  const Entries entries{{104, 12, "m104"}, {103, 10, "m103"}};
  EXPECT_EQ(State().entries, entries);
  // Colour 10 as the file defines it; 11 and 12 the standard colours, without a name.
  EXPECT_EQ(std::tuple(values.fvrColors[9], values.fvrPrintColors[9],
                       std::string(values.fvrColorNames[9]), Store().GetColorName(9)),
            std::tuple(0xffu, 0xff00u, std::string("ten"), std::string("ten")));
  EXPECT_EQ(std::tuple(values.fvrColors[11], std::string(values.fvrColorNames[11])),
            std::tuple(vx::kStandardCheckColors[11], std::string()));
  EXPECT_EQ(Store().GetPrintColor(11), vx::kStandardCheckColors[11]);
  EXPECT_EQ(Boxes(), std::vector<std::string>{
                         "チェックリストの読み込み|このチェックリストは色12までを使っています。\n"
                         "どの色も失われないよう、チェック色の数を 9 から 12 に増やしました。"});

  ui.ClearCalls();
  ASSERT_EQ(controller.SaveChecklist(false, false), IDYES);
  EXPECT_EQ(controller.LoadChecklist(file, false), 1);
  EXPECT_EQ(State().entries, entries);
  EXPECT_TRUE(Boxes().empty());  // the count already holds them
}

}  // namespace
}  // namespace vxtest
