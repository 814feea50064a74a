#include "data/DiscTextCheck.h"
#include "data/PavorunDatabase.h"
#include "data/TextLineReader.h"
#include "platform/CodePage.h"
#include "tests/data/DiscTextFiles.h"
#include "tests/data/TestCatalog.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using vx::Sjis;
using vxtest::CircleLine;
using vxtest::CountRows;
using vxtest::DayCircleLine;
using vxtest::QueryTexts;
using Texts = std::vector<std::string>;
using P = vx::PavorunDatabase;
using Pass = vx::ImportStatus (P::*)(std::FILE*, vx::ImportProgress*);

Texts SjisAll(const Texts& utf8) {
  Texts out;
  for (const std::string& s : utf8) out.push_back(Sjis(s));
  return out;
}

class DiscTextImportTest : public ::testing::Test {
 protected:
  vxtest::TempDir dir;
  P db{dir.Path()};

  void SetUp() override {
    ASSERT_TRUE(db.IsOpen()) << db.LastError();
    ASSERT_EQ(db.BeginTransaction(), 0);  // spares a sync per row
    db.SetEventNo(96);
    ASSERT_EQ(db.ClearEventTables(), 0);
  }

  vx::ImportStatus ImportBytes(Pass pass, const std::string& bytes,
                               vx::ImportProgress* progress = nullptr) {
    vxtest::WriteFileBytes(dir / "file.txt", bytes);
    const vx::FileHandle file = vx::OpenFileForReading(dir / "file.txt");
    return (db.*pass)(file.get(), progress);
  }
  void Import(Pass pass, const std::string& utf8, vx::ImportProgress* progress = nullptr) {
    const vx::ImportStatus status = ImportBytes(pass, vxtest::DiscText(utf8), progress);
    EXPECT_FALSE(status.Failed()) << status.message;
  }
  void ImportDefinitionAndLayout() {
    Import(&P::ImportDefinitionFile, vxtest::kDefinitionText);
    Import(&P::ImportLayoutFile, vxtest::kLayoutText);
    ASSERT_EQ(db.BeginCircleImport(), 0);
  }
  Texts Circles(const std::string& columns, const std::string& where = "1") {
    return QueryTexts(db, "select " + columns + " from PavorunCircle where pavorunNo=" +
                              std::to_string(db.GetEventNo()) + " and " + where + " order by id;");
  }
};

// An update line: update id, then columns 1 to 19 with texts ending in `tag`.
std::string UpdateLine(const std::string& updateId, int genreCode, const std::string& tag) {
  std::string line = updateId + "\t9\t9\t土\t-\tＡ\t9\t" + std::to_string(genreCode);
  for (const char* column :
       {"name", "kana", "pen", "book", "url", "mail", "desc", "upd", "orba", "rss", "tw", "px"}) {
    line += "\t" + std::string(column) + tag;
  }
  return line + "\n";
}

TEST_F(DiscTextImportTest, DefinitionFileFillsEveryMaster) {
  Import(&P::ImportDefinitionFile, vxtest::kDefinitionText);
  EXPECT_EQ(QueryTexts(db, "select * from PavorunInfo;"),
            SjisAll({"96|テストイベント|178|255|10|66|5|6|12|14|3|4"}));
  EXPECT_EQ(QueryTexts(db, "select id,year,month,day,weekday from PavorunDate order by id;"),
            (Texts{"1|2020|8|15|7", "2|2020|8|16|1"}));
  EXPECT_EQ(QueryTexts(db,
                       "select id,name,filename,x,y,w,h,allfilename,x2,y2,w2,h2,rotate "
                       "from PavorunMap order by id;"),
            SjisAll({"1|東123|e123|1|2|400|300|A1|2|4|800|600|1",
                     "2|西12|w12|10|20|30|40|W|7|8|9|10|0"}));
  EXPECT_EQ(
      QueryTexts(db,
                 "select id,name,simpleName,mapId,x,y,w,h,allFilename,x2,y2,w2,h2 "
                 "from PavorunArea order by id;"),
      SjisAll({"1|東1|東|1|0|0|200|300|E1|0|0|400|600", "2|西1|西|2|5|6|7|8|W1|11|12|13|14"}));
  EXPECT_EQ(QueryTexts(db, "select id,name,areaId from PavorunBlock order by id;"),
            SjisAll({"1|Ａ|1", "2|Ｂ|1", "3|Ｃ|1", "4|あ|2", "5|い|2"}));
  EXPECT_EQ(QueryTexts(db, "select id,name,code from PavorunGenre order by id;"),
            SjisAll({"1|創作|110", "2|ゲーム|220"}));
  EXPECT_EQ(QueryTexts(db, "select * from PavorunJiko;"), (Texts{"96|1|2|3|1|5"}));
}

// A comment section is a stray section like any other: its lines are rows of the section before.
TEST_F(DiscTextImportTest, OptionalFieldsBlockNamesAndStraySections) {
  std::string bytes = vxtest::DiscText(
      "stray "
      "line\n*Comment\n見本のディスク\n*Pavorun\n96\tx\n*PavorunDate\n2020\t8\t15\t土\n*"
      "PavorunMap\n"
      "a\tfa\t1\t2\t3\t4\t\t\t\t\t\t\n"  // empty hi-res range: doubled; the first map rotates
      "b\tfb\t5\t6\t7\t8\n"
      "c\tfc\t1\t1\t1\t1\tC\t\t\t9\t\t1\n"
      "*PavorunArea\n一\ta\tＡＢ\t0\t0\t0\t0\n二\ta\tＣ\t0\t0\t0\t0\n"
      "*PavorunGenre\n110\tone\t0\n*Bogus\t1\n220\ttwo\t0\n330\tthree\t0\n" +
      vxtest::kGeometryText + "*Comment\tnote\n1\tＡ\t1\t0\t1\n");
  bytes.insert(bytes.rfind(Sjis("Ｃ")) + 2, "x");  // an odd byte after the last name is no name
  testing::internal::CaptureStderr();
  const vx::ImportStatus status = ImportBytes(&P::ImportDefinitionFile, bytes);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "unknown state\nunknown state Comment\nunknown state\nunknown state Bogus\n"
            "unknown state Comment\n");
  EXPECT_FALSE(status.Failed()) << "a duplicate row is left out, not an error";
  EXPECT_EQ(QueryTexts(db, "select name,x2,y2,w2,h2,rotate from PavorunMap order by id;"),
            (Texts{"a|2|4|6|8|1", "b|10|12|14|16|0", "c|2|2|9|2|1"}));
  EXPECT_EQ(QueryTexts(db, "select id,name,areaId from PavorunBlock order by id;"),
            SjisAll({"1|Ａ|1", "2|Ｂ|1", "3|Ｃ|2"}));
  EXPECT_EQ(QueryTexts(db, "select mapId from PavorunArea;"), (Texts{"1", "1"}));
  // An unknown section keeps the genre section but restarts its rows: "two" is a duplicate.
  EXPECT_EQ(QueryTexts(db, "select id,name from PavorunGenre order by id;"),
            (Texts{"1|one", "2|three"}));
  EXPECT_EQ(QueryTexts(db, "select * from PavorunJiko;"), (Texts{"96|1|1|1|0|1"}));
}

// Each of these would have left rows that no event lists (or filled another event): the pass
// refuses the file and says why.
TEST_F(DiscTextImportTest, DefinitionOfAnotherEventOrOfNoEventIsRefused) {
  db.SetEventNo(97);
  ASSERT_EQ(db.GetDateMaster().InsertRow(1, 1999, 1, 1, 1), 0);
  db.SetEventNo(96);
  const std::string date = "*PavorunDate\n2021\t5\t3\t月\n";
  const struct {
    std::string text;
    std::string why;
  } cases[] = {
      {"*Pavorun\n97\tnext\n" + date,
       "ヴェラストレード96 の設定情報ファイルではありません "
       "(ヴェラストレード97 と書かれています)."},
      {"*Pavorun\nx96\tgarbled\n" + date, "(ヴェラストレード0 と書かれています)"},
      {"", "開催回の行 (*Pavorun) がありません."},
      {"# nothing but a comment\n" + date, "開催回の行 (*Pavorun) がありません."},
      {"*Pavorun\n96\tname\n*PavorunGenre\n110\tg\n",
       "必要な節 (*CutInfo, *MapTableInfo, *PavorunDate, *PavorunMap, *PavorunArea, "
       "*PavorunJiko) がないか"},
      // The day section came first; the event line then deleted the row it had stored.
      {date + "*Pavorun\n96\tname\n" + vxtest::kGeometryText +
           vxtest::kDefinitionText.substr(vxtest::kDefinitionText.find("*PavorunMap")),
       "日程 (*PavorunDate) がありません."},
  };
  for (const auto& c : cases) {
    const vx::ImportStatus status = ImportBytes(&P::ImportDefinitionFile, vxtest::DiscText(c.text));
    EXPECT_TRUE(status.FileRefused()) << c.text;
    EXPECT_NE(status.message.find(Sjis(c.why)), std::string::npos) << c.text;
    EXPECT_EQ(db.GetEventNo(), 96);
  }
  EXPECT_EQ(QueryTexts(db, "select pavorunNo,id,year from PavorunDate where pavorunNo=97;"),
            (Texts{"97|1|1999"}));
}

// A file cut exactly at a line end holds only whole rows: cut before its genres' or errata's
// section it installed an event without them. Only a cut after the last section's line is whole.
TEST_F(DiscTextImportTest, ADefinitionCutAtALineEndBeforeANeededSectionIsRefusedNamingIt) {
  const std::string& whole = vxtest::kDefinitionText;
  const auto lineEnd = [&whole](const char* text) { return whole.find('\n', whole.find(text)); };
  const std::size_t firstArea = lineEnd("東1\t");
  const std::size_t firstGenre = lineEnd("110\t");
  const std::size_t errata = lineEnd("*PavorunJiko");
  for (std::size_t end = whole.find("*PavorunArea") - 1; end != std::string::npos;
       end = whole.find('\n', end + 1)) {
    const std::string cut = whole.substr(0, end + 1);
    const vx::ImportStatus status = ImportBytes(&P::ImportDefinitionFile, vxtest::DiscText(cut));
    std::string missing;
    if (end < firstArea) missing = "*PavorunArea, ";
    if (end < firstGenre) missing += "*PavorunGenre, ";
    if (end < errata) missing += "*PavorunJiko, ";
    if (missing.empty()) {
      EXPECT_FALSE(status.Failed()) << cut << status.message;
      continue;
    }
    missing.resize(missing.size() - 2);
    EXPECT_EQ(status.message, Sjis("必要な節 (" + missing +
                                   ") がないか、その行がありません. "
                                   "ファイルが途中で切れている可能性があります."))
        << cut;
  }
}

TEST_F(DiscTextImportTest, EventNameOfFiftyOneBytesAndHalfCharactersInShortNames) {
  std::string wide;
  for (int i = 0; i < 26; ++i) wide += "祭";  // 52 bytes
  std::string mapName;
  for (int i = 0; i < 12; ++i) mapName += "館";  // 24 bytes, more than a map row keeps
  Import(&P::ImportDefinitionFile,
         "*Pavorun\n96\tx" + wide + "\n*PavorunDate\n2020\t8\t15\t土\n*PavorunMap\n" + mapName +
             "\tf\t0\t0\t9\t9\n*PavorunArea\nA館\t" + mapName + "\tＡ\t0\t0\t9\t9\nAB館\t" +
             mapName + "\tＢ\t0\t0\t9\t9\n" + vxtest::kGeometryText + vxtest::kGenreText);
  Import(&P::ImportLayoutFile, "Ａ\t1\t1\t1\t1\n");
  EXPECT_EQ(QueryTexts(db, "select pavorunName from PavorunInfo;"),
            (Texts{"x" + Sjis(wide).substr(0, 50)}));
  EXPECT_EQ(QueryTexts(db, "select simpleName,mapId from PavorunArea order by id;"),
            (Texts{"A|1", "AB|1"}));
  EXPECT_EQ(QueryTexts(db, "select mapId from PavorunLayout;"), (Texts{"1"}));
  db.SelectEvent(96);
  EXPECT_EQ(db.GetEventInfo().pavorunName.size(), 51u);
}

TEST_F(DiscTextImportTest, HighResolutionRangeIsDoubledOnlyWhenMissingAndHeldToTheIntRange) {
  Import(&P::ImportDefinitionFile,
         "*Pavorun\n96\tx\n*PavorunDate\n2020\t8\t15\t土\n*PavorunMap\n"
         "m\tf\t2000000000\t-2000000000\t5\t6\t\t1\t2\t\t4\n"
         "n\tf\t2000000000\t-2000000000\t5\t6\n"
         "*PavorunArea\na\tm\tＡ\t2147483647\t0\t0\t0\t\t7\t8\t9\t10\n" +
             vxtest::kGeometryText + vxtest::kGenreText);
  EXPECT_EQ(QueryTexts(db, "select x2,y2,w2,h2 from PavorunMap order by id;"),
            (Texts{"1|2|10|4", "2147483646|-2147483648|10|12"}));
  EXPECT_EQ(QueryTexts(db, "select x2,y2,w2,h2 from PavorunArea;"), (Texts{"7|8|9|10"}));
}

TEST_F(DiscTextImportTest, LayoutRowsTakeTheMapOfTheBlocksAreaAfreshOnEachImport) {
  ImportDefinitionAndLayout();
  EXPECT_EQ(QueryTexts(db,
                       "select blockId,spaceNo,xpos,ypos,layout,mapId from PavorunLayout "
                       "order by blockId,spaceNo;"),
            (Texts{"1|1|20|50|1|1", "1|2|40|50|1|1", "2|1|60|50|2|1", "4|1|100|100|3|2"}));
  ASSERT_EQ(db.GetMapIdOfBlock(4), 2);  // remembered: あ lies on map 2
  // The next disc moves area 西1 onto map 1.
  std::string moved = vxtest::kDefinitionText;
  moved.replace(moved.find("西1\t西12"), std::string("西1\t西12").size(), "西1\t東123");
  ASSERT_EQ(db.ClearEventTables(), 0);
  Import(&P::ImportDefinitionFile, moved);
  Import(&P::ImportLayoutFile, "あ\t1\t1\t1\t1\n");
  EXPECT_EQ(QueryTexts(db, "select blockId,mapId from PavorunLayout;"), (Texts{"4|1"}));
}

TEST_F(DiscTextImportTest, CircleFileFillsEveryColumnAndFindsDayBlockAndGenre) {
  ImportDefinitionAndLayout();
  Import(&P::ImportCircleFile,
         CircleLine(501, 12, 3, "日", "Ｂ", 7, 220, "サークル", "説明'引用'") +
             CircleLine(2, 1, 2, "日", "Ｚ", 1, 999, "sun") +
             CircleLine(3, 0, 0, "漏", "", 0, 110, "none") +
             CircleLine(4, 0, 0, "月", "Ａ", 0, 110, "mon"));
  EXPECT_EQ(Circles("*").at(0),
            Sjis("96|1|12|3|2|2|7|0|2|サークル|kana|pen|book|url|mail|説明'引用'||501|upd|"
                 "orba|rss|0|tw|px"));
  EXPECT_EQ(Circles("circleName,day,blockId,genreId"),
            (Texts{Sjis("サークル|2|2|2"), "sun|2|0|0", "none|0|0|1", "mon|0|1|1"}));
  EXPECT_EQ(db.GetNextCircleId(), 5);
}

TEST_F(DiscTextImportTest, RepeatedSpaceNumberIsTheSecondHalfWithinOneFile) {
  ImportDefinitionAndLayout();
  std::string text;
  for (int space : {12, 12, 12, 0, 12, 13, 13, 12}) {
    text += CircleLine(1, 1, 1, "土", "Ａ", space, 110, "c");
  }
  Import(&P::ImportCircleFile, text);
  EXPECT_EQ(Circles("spaceNo,spaceNoSub"),
            (Texts{"12|0", "12|1", "12|1", "0|0", "12|1", "13|0", "13|1", "12|0"}));
  Import(&P::ImportDayCircleFile, DayCircleLine(1, 1, "土", "Ａ", 12, 110, "first"));
  Import(&P::ImportDayCircleFile, DayCircleLine(2, 1, "日", "Ａ", 12, 110, "second"));
  EXPECT_EQ(QueryTexts(db, "select spaceNoSub from PavorunCircle where id>8 order by id;"),
            (Texts{"0", "0"}));
}

TEST_F(DiscTextImportTest, WholeLinesAndTheIdsOfEachKindOfLine) {
  ImportDefinitionAndLayout();
  Import(&P::ImportCircleFile,
         CircleLine(1, 1, 1, "土", "Ａ", 1, 110, "one") +
             CircleLine(2, 1, 2, "土", "Ａ", 2, 110, "") + "\n" +
             CircleLine(3, 1, 3, "土", "Ａ", 3, 110, "long", std::string(12000, 'x')) +
             CircleLine(4, 1, 4, "土", "Ａ", 4, 110, "next"));
  // The nameless line and the blank line each took an id.
  EXPECT_EQ(Circles("id,circleName,length(description),pixiv"),
            (Texts{"1|one|1|px", "4|long|12000|px", "5|next|1|px"}));
  EXPECT_EQ(db.GetNextCircleId(), 6);
  // Day files keep nameless lines, take the id as update id and may lack the flag column.
  db.SetNextCircleId(40);
  const std::string noFlag =
      "\t7\t日\t-\tＢ\t4\t220\tshort\tkana\tpen\tbook\turl\tmail\tdesc\tupd\torba\trss\ttw\tpx\n";
  Import(&P::ImportDayCircleFile, DayCircleLine(9, 2, "土", "Ａ", 1, 110, "") + noFlag);
  EXPECT_EQ(QueryTexts(db,
                       "select id,pageNo,cutIndex,day,blockId,spaceNo,genreId,circleName,"
                       "updateId,description,pixiv from PavorunCircle where id>=40;"),
            (Texts{"40|9|2|1|1|1|1||40|desc|px", "41|0|7|2|2|4|2|short|41|desc|px"}));
  // A new circle pass starts from id 1 and deletes only this event's circles.
  ASSERT_EQ(db.Exec(nullptr, nullptr, "insert into PavorunCircle(pavorunNo,id) values(95,1);"), 0);
  ASSERT_EQ(db.BeginCircleImport(), 0);
  EXPECT_EQ(db.GetNextCircleId(), 1);
  EXPECT_EQ(CountRows(db, "PavorunCircle", 96), 0);
  EXPECT_EQ(CountRows(db, "PavorunCircle", 95), 1);
}

TEST_F(DiscTextImportTest, CrOnlyLineEndsAndBlankDayLines) {
  ImportDefinitionAndLayout();
  std::string lines = CircleLine(1, 1, 1, "土", "Ａ", 1, 110, "one") +
                      CircleLine(2, 1, 2, "土", "Ａ", 2, 110, "two");
  for (char& c : lines) c = c == '\n' ? '\r' : c;
  EXPECT_FALSE(ImportBytes(&P::ImportCircleFile, Sjis(lines)).Failed());
  EXPECT_EQ(Circles("id,circleName"), (Texts{"1|one", "2|two"}));
  // Blank lines hold no circle but take their id, as every line does.
  Import(&P::ImportDayCircleFile, "\n" + DayCircleLine(1, 3, "土", "Ａ", 3, 110, "three") +
                                      " \t\n\n" + DayCircleLine(1, 4, "土", "Ａ", 4, 110, ""));
  EXPECT_EQ(Circles("id,updateId,circleName"), (Texts{"1|1|one", "2|2|two", "4|4|three", "7|7|"}));
}

// Junk, a converted file or a broken line must not become circles: such lines are left out and
// counted, and more than ten refuse the file. What a disc may hold still passes: blank lines,
// blanks around numbers, empty number fields, empty columns past the last, a final Ctrl-Z.
TEST_F(DiscTextImportTest, LinesThatAreNoRowAreLeftOutCountedAndPastTenRefuseTheFile) {
  ImportDefinitionAndLayout();
  // A CP932 row whose name is `name` as it stands, byte for byte.
  const auto row = [](int id, const std::string& name) {
    std::string line = vxtest::DiscText(CircleLine(id, 1, id, "土", "Ａ", id, 110, "@"));
    return line.replace(line.find('@'), 1, name);
  };
  const std::string refused[] = {
      CircleLine(2, 1, 2, "土", "Ａ", 2, 110, "ユーティーエフ"),  // UTF-8 as it stands
      row(3, "\x85"),                                             // a lead byte before a TAB
      vxtest::DiscText("4\tp4\t1\t土\t-\tＡ\t1\t110\tletter\n"),
      "5\t1\t1\r\n",
      row(6, "extra").insert(row(6, "extra").size() - 2, "\tmore"),
      row(7, "bell\x07"),
  };
  std::string text = row(1, "one");
  for (const std::string& line : refused) text += line;
  text += row(8, "trailing").insert(row(8, "trailing").size() - 2, "\t\t") + " \t\r\n" +
          vxtest::DiscText("  9\t 1\t1 \t土\t-\tＡ\t\t110\tspaced\n") + "\x1A";
  const vx::ImportStatus status = ImportBytes(&P::ImportCircleFile, text);
  EXPECT_FALSE(status.Failed()) << status.message;
  EXPECT_EQ(Circles("id,circleName"), (Texts{"1|one", "8|trailing", "10|spaced"}));
  EXPECT_EQ(status.refusedLines, 6);
  EXPECT_EQ(status.refusedLineNumbers, (std::vector<int>{2, 3, 4, 5, 6}));
  EXPECT_EQ(
      status.RefusedLinesText(),
      Sjis("読み込めない行が 6 行あります (行 2, 3, 4, 5, 6, ...). 行 2: UTF-8 のテキストです "
           "(Shift-JIS のファイルが必要です)."));
  const std::string reasons[] = {"Shift-JIS のテキストではありません", "列 2 が数値ではありません",
                                 "列の数 (3) が 9 から 20 ではありません",
                                 "列の数 (21) が 9 から 20 ではありません"};
  for (std::size_t i = 0; i < std::size(reasons); ++i) {
    vx::ImportStatus single = ImportBytes(&P::ImportCircleFile, refused[i + 1]);
    EXPECT_EQ(single.refusedReason, Sjis(reasons[i])) << i;
  }
  // Day files: 21 columns with the flag, 19 without.
  const vx::ImportStatus day = ImportBytes(
      &P::ImportDayCircleFile,
      vxtest::DiscText(DayCircleLine(1, 1, "土", "Ａ", 1, 110, "flag") +
                       "\t1\t土\t-\tＡ\t1\t110\tnoflag\n\t1\t土\t-\tＡ\t1\tx\tbadgenre\n"));
  EXPECT_EQ(std::make_tuple(day.refusedLines, day.refusedReason),
            std::make_tuple(1, Sjis("列 9 が数値ではありません")));
  EXPECT_EQ(Circles("circleName", "id>10"), (Texts{"flag", "noflag"}));

  std::string junk;
  for (int i = 0; i < 11; ++i) junk += "junk " + std::to_string(i) + "\r\n";
  const vx::ImportStatus refusedFile = ImportBytes(&P::ImportCircleFile, junk + row(12, "late"));
  EXPECT_TRUE(refusedFile.FileRefused());
  EXPECT_NE(
      refusedFile.message.find(Sjis("読み込めない行が 10 行を超えました (行 1, 2, 3, 4, 5, ...)")),
      std::string::npos);
}

// A file cut short ends in a row that no line end follows and that is shorter than the file's
// other rows; the pass refuses the file, naming that line. A last row as long as the others (an
// older disc may lack the last columns) is whole without its line end.
TEST_F(DiscTextImportTest, ALastRowCutShortRefusesTheFileAWholeOneWithoutLineEndDoesNot) {
  ImportDefinitionAndLayout();
  const std::string whole = CircleLine(1, 1, 1, "土", "Ａ", 1, 110, "one");
  const auto withoutEnd = [](std::string line, std::size_t keptFields) {
    std::size_t end = 0;
    for (std::size_t f = 0; f < keptFields; ++f) end = line.find_first_of("\t\n", end) + 1;
    return line.substr(0, end - 1);
  };
  const std::string older = withoutEnd(whole, 18) + "\n";  // no Twitter and Pixiv columns
  const std::string cut = "行の途中でファイルが終わっています (列の数 ";
  const struct {
    Pass pass;
    std::string text;
    std::string why;  // empty: accepted
  } cases[] = {
      {&P::ImportCircleFile, whole + withoutEnd(whole, 20), ""},
      {&P::ImportCircleFile, whole + withoutEnd(whole, 13), "行 2: " + cut + "13, 行の列の数 20)"},
      {&P::ImportCircleFile, older + older + withoutEnd(older, 18), ""},
      {&P::ImportCircleFile, older + withoutEnd(older, 17), "行 2: " + cut + "17, 行の列の数 18)"},
      {&P::ImportCircleFile, withoutEnd(whole, 19), "行 1: " + cut + "19, 行の列の数 20)"},
      {&P::ImportDayCircleFile,
       DayCircleLine(1, 1, "土", "Ａ", 1, 110, "a") +
           withoutEnd(DayCircleLine(1, 2, "土", "Ａ", 2, 110, "b"), 9),
       "行 2: " + cut + "9, 行の列の数 21)"},
      {&P::ImportLayoutFile, "Ａ\t1\t20\t50\t1\nＡ\t2\t40", "行 2: " + cut + "3, 行の列の数 5)"},
      {&P::ImportLayoutFile, "Ａ\t1\t20\t50\t1\nＡ\t2\t40\t50\t",
       "行 2: " + cut + "4, 行の列の数 5)"},
      {&P::ImportLayoutFile, "Ａ\t1\t20\t50\t1\nＡ\t2\t40\t50\t1", ""},
  };
  for (const auto& c : cases) {
    const vx::ImportStatus status = ImportBytes(c.pass, vxtest::DiscText(c.text));
    EXPECT_EQ(status.message,
              c.why.empty() ? "" : Sjis(c.why + ". ファイルが途中で切れている可能性があります."))
        << c.text;
  }
  // Half a double-byte character at the very end: the name was cut.
  std::string halfName = vxtest::DiscText(whole + withoutEnd(whole, 20));
  halfName.replace(halfName.size() - 2, 2, "\x83");
  EXPECT_EQ(ImportBytes(&P::ImportCircleFile, halfName).message,
            Sjis("行 2: 行の途中でファイルが終わっています (最後の文字が欠けています). "
                 "ファイルが途中で切れている可能性があります."));
}

// Cut at 700 bytes, a definition file stopped inside *PavorunGenre: 8 of 20 genres installed.
TEST_F(DiscTextImportTest, ADefinitionSectionWhoseLastRowIsCutShortRefusesTheFile) {
  const std::string head = "*Pavorun\n96\tx\n" + vxtest::kGeometryText +
                           "*PavorunDate\n2020\t8\t15\t土\n*PavorunMap\nm\tf\t0\t0\t0\t0\n"
                           "*PavorunArea\na\tm\tＡ\t0\t0\t0\t0\n";
  const std::string cut = "行の途中でファイルが終わっています (";
  const struct {
    std::string tail;
    std::string why;  // empty: accepted
  } cases[] = {
      {"*PavorunGenre\n110\t創作\t1\n120\t評", cut + "列の数 2, 行の列の数 3)"},
      {"*PavorunGenre\n110\t創作\n120\t評論", ""},  // its rows have two fields
      {"*PavorunGenre\n110\t創作\t1\n120", cut + "列の数 1, 行の列の数 3)"},
      {"*PavorunGenre\n110\t創作\t1\n*PavorunJi", cut + "節の名前 *PavorunJi)"},
      {"*PavorunGenre\n110\t創作\t1\n*PavorunJiko\n1\tＡ\t3", cut + "列の数 3, 行の列の数 5)"},
      {"*PavorunGenre\n110\t創作\t1\n# a comment", ""},
  };
  for (const auto& c : cases) {
    const std::string text = vxtest::DiscText(head + c.tail);
    const int lines = static_cast<int>(std::count(text.begin(), text.end(), '\n')) + 1;
    const vx::ImportStatus status = ImportBytes(&P::ImportDefinitionFile, text);
    const std::string why = c.why + ". ファイルが途中で切れている可能性があります";
    EXPECT_EQ(status.message, c.why.empty() ? "" : vx::LineRefusalText(lines, Sjis(why))) << c.tail;
  }
}

// The text after a NUL byte was dropped without a word: a row lost its last fields.
TEST_F(DiscTextImportTest, ANulByteInAnyLineRefusesTheFileNamingLineAndColumn) {
  Import(&P::ImportDefinitionFile, vxtest::kDefinitionText);
  std::string definition = vxtest::DiscText(vxtest::kDefinitionText);
  definition.insert(definition.find(Sjis("Ａ")), 1, '\0');
  std::string layout = vxtest::DiscText(vxtest::kLayoutText);
  layout.insert(layout.find("50"), 1, '\0');
  std::string circles = vxtest::DiscText(CircleLine(1, 1, 1, "土", "Ａ", 1, 110, "one") +
                                         CircleLine(2, 1, 2, "土", "Ａ", 2, 110, "two"));
  circles.insert(circles.find("two") + 1, 1, '\0');
  const std::string why = " に NUL 文字 (0x00) があります. ファイルが壊れている可能性があります.";
  EXPECT_EQ(ImportBytes(&P::ImportDefinitionFile, definition).message, Sjis("行 15: 列 3" + why));
  EXPECT_EQ(ImportBytes(&P::ImportLayoutFile, layout).message, Sjis("行 2: 列 4" + why));
  ASSERT_EQ(db.BeginCircleImport(), 0);
  EXPECT_EQ(ImportBytes(&P::ImportCircleFile, circles).message, Sjis("行 2: 列 9" + why));
  const std::string dayLine = vxtest::DiscText(DayCircleLine(1, 1, "土", "Ａ", 1, 110, "a"));
  EXPECT_EQ(ImportBytes(&P::ImportDayCircleFile, std::string(1, '\0') + dayLine).message,
            Sjis("行 1: 列 1" + why));
}

TEST_F(DiscTextImportTest, EveryPassRefusesANullFileAndReportsItsEnd) {
  for (Pass pass : {&P::ImportDefinitionFile, &P::ImportLayoutFile, &P::ImportCircleFile,
                    &P::ImportDayCircleFile, &P::ApplyUpdateFile}) {
    vxtest::RecordingProgress progress;
    const vx::ImportStatus status = (db.*pass)(nullptr, &progress);
    EXPECT_TRUE(status.FileRefused());
    EXPECT_EQ(status.message, Sjis("読み込むファイルがありません."));
    EXPECT_EQ(progress.positions, (std::vector<int>{-1}));
  }
}

TEST_F(DiscTextImportTest, LayoutTooLargeForTheGridIsRefused) {
  Import(&P::ImportDefinitionFile, vxtest::kDefinitionText);
  const vx::ImportStatus status = ImportBytes(
      &P::ImportLayoutFile, vxtest::DiscText("Ａ\t1\t20\t50\t1\nＣ\t900000\t1\t1\t1\n"));
  EXPECT_TRUE(status.FileRefused());
  EXPECT_EQ(status.message,
            Sjis("配置の大きさ (ブロック 3 × スペース 900000) が扱える範囲を超えています."));
}

TEST_F(DiscTextImportTest, ProgressAndStopFlagsOfEachPass) {
  db.GetDefinitionStop() = true;  // left over from an earlier cancel: cleared at the start
  vxtest::RecordingProgress progress;
  progress.onReport = [this](int position) {
    if (position == 2) db.GetDefinitionStop() = true;
  };
  Import(&P::ImportDefinitionFile, "*PavorunGenre\n1\ta\n2\tb\n3\tc\n4\td\n", &progress);
  EXPECT_EQ(progress.positions, (std::vector<int>{0, 1, 2, -1}));
  EXPECT_EQ(CountRows(db, "PavorunGenre", 96), 2);

  std::string text;
  for (int i = 1; i <= 30; ++i) text += CircleLine(i, 1, i, "土", "Ａ", i, 110, "c");
  progress.positions.clear();
  progress.onReport = [this](int position) {
    if (position == 20) db.GetCircleStop() = true;
  };
  ASSERT_EQ(db.BeginCircleImport(), 0);
  Import(&P::ImportCircleFile, text, &progress);
  EXPECT_EQ(progress.positions, (std::vector<int>{0, 10, 20, -1}));
  EXPECT_EQ(CountRows(db, "PavorunCircle", 96), 21);

  text.clear();
  for (int i = 0; i < 25; ++i) text += UpdateLine(std::to_string(6000 + i), 110, "");
  progress.positions.clear();
  progress.onReport = [this](int position) {
    if (position == 10) db.GetCircleStop() = true;
  };
  Import(&P::ApplyUpdateFile, text, &progress);  // clears the flag left by the circle pass
  EXPECT_EQ(progress.positions, (std::vector<int>{0, 10, -1}));
  EXPECT_EQ(CountRows(db, "PavorunCircle", 96), 21 + 11);
}

// The sample catalogue's circles 1..6 carry update ids 1001..1006.
TEST_F(DiscTextImportTest, UpdateLineChangesTheContactTextsOfItsCircleAndFlagsIt) {
  vxtest::BuildSampleCatalog(db, 90);
  Import(&P::ApplyUpdateFile, UpdateLine("1003", 220, "X"));
  EXPECT_EQ(Circles("penName,bookName,url,mailAddr,updateData,orbalink,rss,twitter,pixiv,"
                    "updateFlag,pageNo,cutIndex,day,blockId,spaceNo,genreId,circleName,"
                    "circleKana,description,updateId",
                    "updateFlag<>0"),
            (Texts{"penX|bookX|urlX|mailX|updX|orbaX|rssX|twX|pxX|1|3|36|1|1|2|2|Gamma|||1003"}));
  // Events before 75 carry the update text in the description column.
  vxtest::BuildSampleCatalog(db, 74);
  Import(&P::ApplyUpdateFile, UpdateLine("1001", 110, "Y"));
  EXPECT_EQ(Circles("updateData,description", "id=1"), (Texts{"descY|"}));
}

TEST_F(DiscTextImportTest, OnlyUpdateLinesWithAnUnknownIdAddUnplacedCirclesAfterTheLargestId) {
  vxtest::BuildSampleCatalog(db, 90);
  // A row added after the event was selected: the next id comes from the table.
  ASSERT_EQ(db.GetCircleTable().InsertRow(vxtest::MakeCircle(11, 0, 0, 0, 0, 0, 0, 0, "late")), 0);
  Import(&P::ApplyUpdateFile, "\n" + UpdateLine("", 110, "N") + UpdateLine("abc", 110, "N") +
                                  UpdateLine("0", 110, "N") + "\n" + UpdateLine("5000", 220, "A") +
                                  UpdateLine("5001", 999, "B"));
  EXPECT_EQ(Circles("*", "id>11"),
            (Texts{"90|12|0|0|0|0|0|0|2|nameA|kanaA|penA|bookA|urlA|mailA|descA||5000|updA|"
                   "orbaA|rssA|0|twA|pxA",
                   "90|13|0|0|0|0|0|0|0|nameB|kanaB|penB|bookB|urlB|mailB|descB||5001|updB|"
                   "orbaB|rssB|0|twB|pxB"}));
  EXPECT_EQ(CountRows(db, "PavorunCircle", 90), 9);
}

// An update text was read as the disc's files once were: the fields after a NUL byte were lost
// and a last row cut short replaced a circle's texts with what was left of it.
TEST_F(DiscTextImportTest, UpdateTextDamagedOrCutShortIsRefusedNamingItsLine) {
  vxtest::BuildSampleCatalog(db, 90);
  const std::string first = vxtest::DiscText(UpdateLine("1001", 110, "A"));
  const std::string second = vxtest::DiscText(UpdateLine("1003", 220, "X"));
  const auto cutAfter = [](const std::string& row, std::size_t fields) {
    std::size_t end = 0;
    for (std::size_t f = 0; f < fields; ++f) end = row.find_first_of("\t\r", end) + 1;
    return row.substr(0, end - 1);
  };
  std::string withNul = second;
  withNul.insert(withNul.find("pen"), 1, '\0');
  std::string halfName = cutAfter(second, 20);
  halfName.replace(halfName.size() - 2, 2, Sjis("名").substr(0, 1));
  const std::string cut = "行 2: 行の途中でファイルが終わっています (";
  const std::string cutWhy = ". ファイルが途中で切れている可能性があります.";
  const struct {
    std::string bytes;
    std::string why;  // empty: applied
  } cases[] = {
      {first + withNul,
       "行 2: 列 11 に NUL 文字 (0x00) があります. ファイルが壊れている可能性があります."},
      {first + cutAfter(second, 13), cut + "列の数 13, 行の列の数 20)" + cutWhy},
      {first + halfName, cut + "最後の文字が欠けています)" + cutWhy},
      {first + cutAfter(second, 20), ""},
      // Rows of an older file without the last two columns.
      {cutAfter(first, 18) + "\r\n" + cutAfter(second, 18), ""},
  };
  for (const auto& c : cases) {
    const vx::ImportStatus status = ImportBytes(&P::ApplyUpdateFile, c.bytes);
    EXPECT_EQ(status.FileRefused(), !c.why.empty()) << c.why;
    EXPECT_EQ(status.message, Sjis(c.why));
  }
}

// A line that is no update row is left out and counted, as a circle file's; the rest applies.
TEST_F(DiscTextImportTest, UpdateLinesThatAreNoRowsAreLeftOutAndCounted) {
  vxtest::BuildSampleCatalog(db, 90);
  const vx::ImportStatus status = ImportBytes(
      &P::ApplyUpdateFile, vxtest::DiscText(UpdateLine("1001", 110, "A")) +
                               UpdateLine("1002", 110, "名") +  // converted to UTF-8
                               vxtest::DiscText("1004\t1\t2\n" + UpdateLine("1005", 110, "E")));
  EXPECT_FALSE(status.Failed()) << status.message;
  EXPECT_EQ(status.refusedLines, 2);
  EXPECT_EQ(status.refusedLineNumbers, (std::vector<int>{2, 3}));
  EXPECT_EQ(status.refusedReason, Sjis("UTF-8 のテキストです (Shift-JIS のファイルが必要です)"));
  EXPECT_EQ(Circles("id,penName", "updateFlag<>0"), (Texts{"1|penA", "5|penE"}));
}

TEST_F(DiscTextImportTest, RefusedWriteEndsThePassWithTheEngineError) {
  ImportDefinitionAndLayout();
  ASSERT_EQ(db.Exec(nullptr, nullptr, "drop table PavorunLayout;"), 0);
  Import(&P::ImportLayoutFile, "Ａ\t1\t1\t1\t1\n");  // the layout pass recreates its table
  ASSERT_EQ(db.Exec(nullptr, nullptr, "drop table PavorunGenre;"), 0);
  const vx::ImportStatus failed =
      ImportBytes(&P::ImportDefinitionFile, vxtest::DiscText("*PavorunGenre\n1\ta\n2\tb\n"));
  EXPECT_TRUE(failed.Failed());
  EXPECT_NE(failed.message.find("no such table"), std::string::npos) << failed.message;
  ASSERT_EQ(db.Exec(nullptr, nullptr, "drop table PavorunCircle;"), 0);
  EXPECT_TRUE(
      ImportBytes(&P::ApplyUpdateFile, vxtest::DiscText(UpdateLine("5000", 110, "A"))).Failed());
}

}  // namespace
