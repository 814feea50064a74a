#include "checklist/FavoriteStore.h"

#include "platform/CodePage.h"
#include "tests/checklist/StoreFixture.h"

#include <climits>
#include <filesystem>
#include <tuple>
#include <utility>

namespace vxtest {
namespace {

using vx::FavoriteImportRecord;
using vx::Sjis;
using namespace std::string_literals;

using ChecklistFormatTest = StoreFixture;

TEST_F(ChecklistFormatTest, CurrentFormatLines) {
  FillStore();
  EXPECT_EQ(Store().SaveText(),
            Sjis("Header,VellastradeCD-ROMCatalog,Vellastrade96,Shift_JIS,Windows 1.96.1\r\n"
                 "Color,1,0000ff,000000,赤\r\n"
                 "Color,2,0080ff,0080ff,\"橙, \"\"注意\"\"\"\r\n"
                 "Circle,1007,2,3,1,月,東,Ｃ,1,110,\"Rich, \"\"Circle\"\"\",リッチ,Pen,Book,"
                 "http://x/,m@x,\"C:\\vx\r\n表n\",\"a,b \"\"q\"\"\r\nnext\",220,50,3,1,"
                 "\"u\\v\r\nw\",o,r,\"feed\r\n7\",tw,px,\r\n"
                 "UnKnown,\"Rich, \"\"Circle\"\"\",リッチ,Pen,m,5,Book,http://x/,m@x,"
                 "\"C:\\vx\r\n表n\",\"u\\v\r\nw\",o,r,\"feed\r\n-7\",tw,px,\r\n"
                 "Circle,1006,1,,,×,×,×,XX,110,Unplaced,,,,,,,,0,0,0,0,,,,,,,\r\n"
                 "Circle,1004,0,5,1,月,東,Ａ,1,220,Delta,,,,,,,note,20,50,1,0,,,,,,,\r\n"));
}

TEST_F(ChecklistFormatTest, OlderFormatLinesAndClipboardText) {
  FillStore();
  EXPECT_EQ(Store().SaveVer1Text(),
            Sjis("QUILLOR,104,Vellastrade96,Windows\r\n"
                 "6,2,3,1,月,東,Ｃ,1,110,\"Rich, \"\"Circle\"\"\",Pen,Book,http://x/,m@x,"
                 "C:\\\\vx\\n表n,22,5,\"a,b \"\"q\"\"\\nnext\",リッチ,220,50,3,1,u\\\\v\\nw,o,r,"
                 "feed\\n7,tw,px,\r\n"
                 "-1,5,,,,,,,,\"Rich, \"\"Circle\"\"\",Pen,Book,http://x/,m@x,C:\\\\vx\\n表n,,,m,"
                 "リッチ,,,,,u\\\\v\\nw,o,r,feed\\n-7,tw,px,\r\n"
                 "5,1,0,0,漏,,,0,110,Unplaced,,,,,,0,0,,,0,0,0,0,,,,,,,\r\n"
                 "3,0,5,1,月,東,Ａ,1,220,Delta,,,,,,2,5,note,,20,50,1,0,,,,,,,\r\n"));
  // Circles of the checklist keep their colour unless memo only; others take the one given.
  const int ids[] = {4, 6, 2, 999};
  std::string text;
  Store().CopyAsVer1Text(text, ids, 3);
  EXPECT_EQ(text, Sjis("QUILLOR,104,Vellastrade96,Windows\r\n"
                       "3,3,5,1,月,東,Ａ,1,220,Delta,,,,,,2,5,note,,20,50,1,0,,,,,,,\r\n"
                       "5,1,0,0,漏,,,0,110,Unplaced,,,,,,0,0,,,0,0,0,0,,,,,,,\r\n"
                       "1,3,2,2,土,東,Ａ,1,110,Beta,,,,,,2,5,,,20,50,1,1,,,,,,,\r\n"));
}

TEST_F(ChecklistFormatTest, ASavedChecklistReadsBackIdenticallyInBothFormats) {
  FillStore();
  using vx::FavoriteStore;
  const std::pair<std::string (FavoriteStore::*)() const,
                  std::error_code (FavoriteStore::*)(const std::filesystem::path&) const>
      formats[] = {{&FavoriteStore::SaveText, &FavoriteStore::Save},
                   {&FavoriteStore::SaveVer1Text, &FavoriteStore::SaveVer1}};
  for (const auto& [text, save] : formats) {
    const std::string saved = (Store().*text)();
    EXPECT_TRUE((Store().*save)(dir_ / "missing" / "list.csv"));
    ASSERT_FALSE((Store().*save)(dir_ / "list.csv"));
    EXPECT_TRUE(Store().LoadFile(dir_ / "list.csv", false, true));
    Store().CommitImportRecords(false, false);
    EXPECT_EQ((Store().*text)(), saved);
    // Every text of every row is the text of the circle it was written from.
    ASSERT_EQ(Rows().size(), 4u);
    for (const FavoriteImportRecord& row : Rows()) {
      const vx::CircleRecord* r = Store().FindCircle(row.circleId ? row.circleId : INT_MIN + 1);
      ASSERT_NE(r, nullptr);
      EXPECT_EQ(
          std::vector<std::string>(row.texts.begin(), row.texts.begin() + vx::kImportFileTextCount),
          (std::vector<std::string>{r->circleName, r->circleKana, r->penName, r->bookName, r->url,
                                    r->mailAddr, r->description, r->updateData, r->orbalink, r->rss,
                                    r->memo, r->rssInfo, r->twitter, r->pixiv}));
    }
  }
}

TEST_F(ChecklistFormatTest, TailTextsAreReadFromTheColumnsTheyAreWrittenTo) {
  // Description, update data, orbalink, RSS, memo, feed text, Twitter, Pixiv.
  const std::vector<std::string> plain = {"d", "u", "o", "r", "m", "f", "t", "p"};
  // clang-format off
  const std::pair<std::string, std::vector<std::string>> cases[] = {
      {HeaderLine(96) + CircleLine({{1, "1002"}, {16, "d"}, {17, "m"}, {22, "u"}, {23, "o"},
                                    {24, "r"}, {25, "f"}, {26, "t"}, {27, "p"}}), plain},
      // A longer record carries one more field before them.
      {HeaderLine(96) + RecordLine(29, {{0, "Circle"}, {1, "1002"}, {16, "d"}, {17, "m"},
                                        {22, "x"}, {23, "u"}, {24, "o"}, {25, "r"}, {26, "f"},
                                        {27, "t"}, {28, "p"}}), plain},
      {MagicLine(96) + RecordLine(29, {{0, "1"}, {14, "d\\\\x"}, {17, "a\\nb"}, {23, "u\\\\v"},
                                       {24, "o"}, {25, "r"}, {26, "f\\ng\\"}, {27, "t"},
                                       {28, "p"}}),
       {"d\\x", "u\\v", "o", "r", "a\r\nb", "f\r\ng\\", "t", "p"}},
  };
  // clang-format on
  for (const auto& [text, expected] : cases) {
    Store().LoadText(text, false, true);
    ASSERT_EQ(Rows().size(), 1u);
    const auto& t = Rows()[0].texts;
    EXPECT_EQ(std::vector<std::string>(t.begin() + vx::kImportDescription,
                                       t.begin() + vx::kImportFileTextCount),
              expected)
        << text;
  }
}

TEST_F(ChecklistFormatTest, AReplacingReadEmptiesTheChecklistOnlyWhenAGoodTextIsCommitted) {
  FillStore();
  const std::string before = Store().SaveText();
  const std::pair<std::string, int> failures[] = {
      {"no header here\r\nCircle,1001,1,\r\n", vx::kReadBadData},
      {"QUILLOR,200,Vellastrade96,Windows\r\n0,1,\r\n", vx::kReadUnsupportedVersion},
      {"", vx::kReadNothing},
      {"\r\nHeader,VellastradeCD-ROMCatalog,Vellastrade96,Shift_JIS,x\r\n", vx::kReadNothing},
  };
  for (const auto& [text, status] : failures) {
    Store().LoadText(text, false, true);
    EXPECT_EQ(Store().ReadStatus(), status) << text;
    EXPECT_FALSE(Store().CommitImportRecords(false, false));
    EXPECT_EQ(Store().SaveText(), before) << text;
  }
  // An appending read takes no colours unless asked; the rows of an earlier read never pass for
  // those of a file that is not read: one that cannot be opened, and one no checklist can be,
  // refused before a byte is read (a device or a huge file would take all memory).
  const std::string text = HeaderLine(96) + "Color,1,0,0,green\r\nUnKnown,New,,,,2,\r\n";
  vxtest::WriteFileBytes(dir_ / "huge.csv", text);
  std::filesystem::resize_file(dir_ / "huge.csv", vx::kMaxChecklistFileBytes + 1);
  const std::pair<std::filesystem::path, int> unread[] = {{dir_ / "missing.csv", vx::kReadNothing},
                                                          {dir_ / "huge.csv", vx::kReadTooLarge},
                                                          {"/dev/zero", vx::kReadNotAFile},
                                                          {dir_.Path(), vx::kReadNotAFile}};
  for (const auto& [file, status] : unread) {
    Store().LoadText(text, true, false);
    Store().LoadFile(file, true, true);
    EXPECT_EQ(std::make_pair(Store().ReadStatus(), vx::FavoriteStore::CheckFile(file)),
              std::make_pair(status, status));
    EXPECT_FALSE(Store().CommitImportRecords(false, false));
  }
  EXPECT_EQ(Store().SaveText(), before);

  // A good text waits for its commit; discarded (a declined or cancelled load) it changes nothing.
  Store().LoadText(text, false, false);
  EXPECT_EQ(Store().SaveText(), before);
  EXPECT_EQ(Store().ImportColor(0).name + Store().ImportColor(1).name,
            "green" + Sjis("橙, \"注意\""));
  Store().DiscardImport();
  EXPECT_FALSE(Store().CommitImportRecords(false, false));
  EXPECT_EQ(Store().SaveText(), before);

  Store().LoadText(text, false, false);
  EXPECT_TRUE(Store().CommitImportRecords(false, false));
  EXPECT_EQ(Store().GetColorName(0) + Store().GetColorName(1), "green" + Sjis("橙, \"注意\""));
  EXPECT_EQ(PrintOrderIds(), std::vector<int>{INT_MIN + 1});  // unknown ids start afresh
  EXPECT_EQ(Store().FindCircle(INT_MIN + 1)->circleName, "New");
  // The purge and the colours are applied once: committing again adds the rows only.
  Store().SetColor(2, 1);
  Store().SetColorDef(0, 1, 1, "mine");
  EXPECT_TRUE(Store().CommitImportRecords(false, false));
  EXPECT_EQ(Store().GetColor(2), 1);
  EXPECT_EQ(Store().GetColorName(0), "mine");

  // A header-only file replaces the checklist with an empty one when committed.
  Store().LoadText(HeaderLine(96), false, true);
  EXPECT_EQ(Store().ReadStatus(), vx::kReadDone);
  EXPECT_TRUE(Store().CommitImportRecords(false, false));
  EXPECT_EQ(Store().GetEntryCount(), 0);
}

// Text after a good header or magic line that is not made of records is no checklist, nor is a
// damaged one: a last record cut short, a NUL byte, UTF-8 text where the text is Shift-JIS. The
// read fails (status 1) and nothing waits for a commit, so the checklist stays as it was. Records
// of kinds this reader does not know, blanks, a last Ctrl-Z, a last line without a line end and
// Shift-JIS text that happens to be valid UTF-8 are no such text.
TEST_F(ChecklistFormatTest, LinesThatAreNotRecordsRefuseTheWholeText) {
  FillStore();
  const std::string before = Store().SaveText();
  const std::string circle = CircleLine({{1, "1001"}, {2, "1"}});
  const std::string unended = circle.substr(0, circle.size() - 2);  // whole, without a line end
  const std::string older = RecordLine(29, {{0, "1"}, {1, "1"}, {9, "Older"}});
  std::string binary = "\x89PNG\r\n\x1A\n";
  for (int i = 0; i < 64; ++i) binary += static_cast<char>((i * 73 + 11) % 256);
  // UTF-8 bytes, as another program writes them under a Shift_JIS header.
  const std::string utf8Name = "\xE3\x83\x86\xE3\x82\xB9\xE3\x83\x88";  // テスト
  const std::string utf8Latin = "M\xC3\xBCller \xC3\x84";  // Ä: a CP932 lead byte before '"'
  const std::string refused[] = {
      // Cut inside a field, after a comma, inside a quoted text (also at a line end in it).
      HeaderLine(96) + circle + "Circle,1002,1,3,1,Sat,E,A,1,110,Na",
      HeaderLine(96) + circle + "Circle,1002,1,",
      HeaderLine(96) + circle + unended.substr(0, unended.size() - 1),
      HeaderLine(96) + circle + "Circle,1002,1,,,,,,,,N,,,,,,,\"first line\r\n",
      HeaderLine(96) + "Color,1,ff,ff,\"red",
      HeaderLine(96) + "Color,1,ff",
      HeaderLine(96) + circle + "Circ",
      "Header,VellastradeCD-ROMCatalog,Vellastrade96",
      MagicLine(96) + older + "2,1,5,1,Sat",
      "QUILLOR,104,Vellastrade9",
      // A NUL byte inside a record, or where a record would be.
      HeaderLine(96) + "Circle,1001,1,,,,,,,,Name\0junk,,,,,,,memo,\r\n"s + circle,
      HeaderLine(96) + circle + std::string(512, '\0'),
      "Header,VellastradeCD-ROMCatalog,Vellastrade96,Shift_JIS\0,x\r\n"s + circle,
      // UTF-8 under a Shift_JIS header, under one the reader does not know, in the older format.
      HeaderLine(96) + CircleLine({{1, "1001"}, {2, "1"}, {17, utf8Name}}),
      HeaderLine(96, "UTF8") + CircleLine({{1, "1001"}, {2, "1"}, {17, utf8Name}}),
      HeaderLine(96) + CircleLine({{1, "1001"}, {2, "1"}, {17, "\"" + utf8Latin + "\""}}),
      MagicLine(96) + RecordLine(29, {{0, "1"}, {1, "1"}, {9, utf8Name}}),
      HeaderLine(96) + binary,
      HeaderLine(96) + "lorem ipsum, dolor sit\r\namet\r\n",
      HeaderLine(96) + "abc\r\ndef\r\n",  // named like records, yet none is one
      HeaderLine(96) + circle + "lorem ipsum\r\n" + circle,
      HeaderLine(96) + CircleLine({{1, "x1001"}, {2, "1"}}),
      HeaderLine(95) + CircleLine({{1, "A-12"}, {2, "1"}}),
      HeaderLine(95) + CircleLine({{1, "1001"}, {2, "one"}}),
      HeaderLine(96) + "UnKnown,U,,,,red,\r\n",
      HeaderLine(96) + "Color,1,ff00zz,ff,red\r\n",
      MagicLine(96) + "hello world\r\n",
      MagicLine(96) + ",1,,,\r\nabc,1,2,3,\r\n",
  };
  for (const std::string& text : refused) {
    Store().LoadText(text, false, true);
    EXPECT_EQ(Store().ReadStatus(), vx::kReadBadData) << text;
    EXPECT_TRUE(Rows().empty()) << text;
    EXPECT_FALSE(Store().CommitImportRecords(false, false)) << text;
    EXPECT_EQ(Store().SaveText(), before) << text;
  }
  const std::pair<std::string, std::vector<int>> read[] = {
      {HeaderLine(96) + circle + "Memo,1001,later\r\n  \r\n\x1A", {1}},
      {HeaderLine(96) + "Color,3,ff,,three\r\n", {}},
      {MagicLine(96) + ",1,,,\r\n-1,2,,,\r\n", {0, 0}},  // page 0, cut 0 is no place
      // Whole records without a last line end; a file cut at a line end; after an empty line,
      // nothing is read, not even damage.
      {HeaderLine(96) + unended, {1}},
      {HeaderLine(96) + "Color,3,ff,ff,\"th\"\"ree\"", {}},
      {HeaderLine(96).substr(0, HeaderLine(96).size() - 2), {}},
      {MagicLine(96) + older.substr(0, older.size() - 2), {2}},
      {HeaderLine(96) + circle + "\r\nCircle,1002,\0"s + utf8Name, {1}},
      // Shift-JIS text, of which ﾃｽﾄｱ and ﾃｽ are valid UTF-8 as well (ýı, ý): valid CP932 reads as
      // what it declares. So does UTF-8 that is valid CP932 (サークル reads as 繧ｵ繝ｼ繧ｯ繝ｫ).
      {HeaderLine(96) + CircleLine({{1, "1001"}, {17, "\xC3\xBD\xC4\xB1"}}), {1}},
      {HeaderLine(96) + CircleLine({{1, "1001"}, {17, Sjis("漢字とかな、ｶﾅ")}}), {1}},
      {MagicLine(96) + RecordLine(29, {{0, "1"}, {9, Sjis("ﾃｽ")}}), {2}},
      {HeaderLine(96) + CircleLine({{1, "1001"},
                                    {17,
                                     "\xE3\x82\xB5\xE3\x83\xBC\xE3\x82\xAF"
                                     "\xE3\x83\xAB"}}),
       {1}},
  };
  for (const auto& [text, ids] : read) {
    Store().LoadText(text, false, true);
    EXPECT_EQ(Store().ReadStatus(), vx::kReadDone) << text;
    EXPECT_EQ(RowIds(), ids) << text;
  }
}

// A file's colours keep their numbers up to the sixteen colours there are, whatever the colour
// count: the load raises the count rather than merging colours.
TEST_F(ChecklistFormatTest, ColourNumbersKeepTheirNumberUpToSixteen) {
  Store().SetColorCount(9);
  Store().LoadText(HeaderLine(96) + "Color,9,ff,ff,nine\r\nColor,10,ff,ff,ten\r\n" +
                       "Color,0,ff,ff,zero\r\nColor,-2,ff,ff,negative\r\n" +
                       "Color,17,ff,ff,seventeen\r\n" + CircleLine({{1, "1001"}, {2, "12"}}) +
                       CircleLine({{1, "1002"}, {2, "-3"}}) + "UnKnown,U,,,,99,\r\n",
                   false, true);
  EXPECT_EQ(Store().ImportColor(8).name + Store().ImportColor(9).name +
                Store().ImportColor(16).name + Store().ImportColor(-1).name,
            "nineten");
  EXPECT_TRUE(Store().ImportDefinesColor(9));
  EXPECT_FALSE(Store().ImportDefinesColor(11));
  std::vector<int> colors;
  for (const FavoriteImportRecord& row : Rows()) colors.push_back(row.color);
  EXPECT_EQ(colors, (std::vector<int>{12, 0, 16}));
  EXPECT_EQ(Store().GetHighestImportColor(), 16);
  Store().SetColorCount(40);  // never more than the sixteen colours there are
  EXPECT_EQ(Store().GetColorCount(), 16);
  Store().SetColorCount(0);
  EXPECT_EQ(Store().GetColorCount(), 1);
}

TEST_F(ChecklistFormatTest, HeadersAndMagicLines) {
  const std::string circle = CircleLine({{1, "1001"}, {2, "1"}});
  // clang-format off
  const std::tuple<std::string, int, int, std::vector<int>> cases[] = {
      // Records before the Header are skipped; a blank line ends the read.
      {circle + HeaderLine(96) + CircleLine({{1, "1002"}}) + "\r\n" + circle, vx::kReadDone, 96,
       {2}},
      {"Header,vellastradeCD-ROMCatalog,Vellastrade96,Shift_JIS,x\r\n" + circle,
       vx::kReadBadData, 0, {}},
      {"Header,VellastradeCD-ROMCatalog,Vellastrade,x\r\n" + circle, vx::kReadDone, 0, {0}},
      {"quillor,150,vellastrade90,Windows\r\n", vx::kReadDone, 90, {}},
  };
  // clang-format on
  for (const auto& [text, status, eventNo, rows] : cases) {
    EXPECT_EQ(Store().LoadText(text, false, true), eventNo == 96) << text;
    EXPECT_EQ(std::make_pair(Store().ReadStatus(), Store().GetFileEventNo()),
              std::make_pair(status, eventNo))
        << text;
    EXPECT_EQ(RowIds(), rows) << text;
  }
}

TEST_F(ChecklistFormatTest, CancellingKeepsWhatWasRead) {
  Store().SetColor(5, 1);
  std::string text = MagicLine(96) + "-1,1,\r-1,1,\n";  // any line end counts
  for (int i = 0; i < 18; ++i) text += "-1,1,\r\n";
  std::pair<int, int> last;
  Store().LoadText(text, false, true, [&](int index, int total) {
    last = {index, total};
    if (index == 9) Store().RequestStop();
  });
  EXPECT_EQ(last, std::make_pair(-1, 21));
  EXPECT_EQ(Rows().size(), 10u);
  EXPECT_EQ(Store().GetEntryCount(), 1);  // nothing is replaced before the commit
  Store().LoadText(text, false, true);    // the next read starts afresh
  EXPECT_EQ(Rows().size(), 20u);
}

// A checklist in another encoding, with or without a byte order mark, reads into CP932 bytes.
class ChecklistEncodingTest
    : public StoreFixture,
      public ::testing::WithParamInterface<std::tuple<const char*, int, const char*>> {};

TEST_P(ChecklistEncodingTest, ReadsTheTextsAsCp932) {
  const auto [name, codePage, prefix] = GetParam();
  const std::string memo = Sjis("①ｶﾀﾛｸﾞ外, \"当日\"確認～");
  const std::string quoted = Sjis("\"①ｶﾀﾛｸﾞ外, \"\"当日\"\"確認～\"");
  const std::string body = "Color,1,0000ff,000000," + Sjis("最優先") + "\r\n" +
                           CircleLine({{1, "5"}, {10, Sjis("がっこう")}, {17, quoted}});
  EXPECT_FALSE(
      Store().LoadText(prefix + HeaderLine(95, name) + vx::FromCp932(body, codePage), false, true));
  EXPECT_EQ(Store().ImportColor(0).name, Sjis("最優先"));
  ASSERT_EQ(RowIds(), std::vector<int>{5});  // found by its name
  EXPECT_EQ(Rows()[0].texts[vx::kImportMemo], memo);
}

INSTANTIATE_TEST_SUITE_P(
    Encodings, ChecklistEncodingTest,
    ::testing::Values(std::make_tuple("Shift_JIS", vx::kCodePageCp932, ""),
                      std::make_tuple("utf-8", vx::kCodePageUtf8, ""),
                      std::make_tuple("UTF-8", vx::kCodePageUtf8, "\xEF\xBB\xBF"),
                      std::make_tuple("EUC-JP", vx::kCodePageEucJp, ""),
                      std::make_tuple("ISO-2022-JP", vx::kCodePageIso2022Jp, "")));

}  // namespace
}  // namespace vxtest
