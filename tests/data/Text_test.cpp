#include "platform/BoundedFileReader.h"
#include "data/CsvReader.h"
#include "data/DiscTextCheck.h"
#include "platform/LeadingInt.h"
#include "data/MyFile2.h"
#include "data/SqlText.h"
#include "data/TextFold.h"
#include "data/TextLineReader.h"
#include "data/TextScan.h"
#include "data/Weekday.h"
#include "platform/CodePage.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <climits>
#include <cstdint>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

namespace {

using vx::IFile;
using vx::MyFile2;
using vx::Sjis;
using Records = std::vector<std::vector<std::string>>;
using Texts = std::vector<std::string>;

TEST(TextScan, CharactersAndTabFieldsNeverReadPastTheView) {
  const char buffer[] =
      "a\x82\xa0\xb1x\x82"
      "\0"
      "\x9f";  // the last two bytes lie outside
  std::string_view rest(buffer, 6);
  std::vector<int> codes;
  while (!rest.empty()) codes.push_back(vx::NextSjisChar(rest));
  EXPECT_EQ(codes, (std::vector<int>{'a', 0x82A0, 0xB1, 'x', 0x82}));
  EXPECT_EQ(vx::NextSjisChar(rest), 0);
  rest = "ab\x82\tnext\t\tc\t";
  Texts fields;
  for (int i = 0; i < 6; ++i) fields.emplace_back(vx::NextTabField(rest));
  EXPECT_EQ(fields, (Texts{"ab\x82", "next", "", "c", "", ""}));
  const auto split = vx::SplitTabFields<3>("x\t\tz\tignored");
  EXPECT_EQ(Texts(split.begin(), split.end()), (Texts{"x", "", "z"}));
  EXPECT_EQ(std::string(vx::CutAtLineEnd("ab\r\nc")) + std::string(vx::CutAtLineEnd("d\ne\r")) +
                std::string(vx::CutAtLineEnd("f")),
            "abdf");
}

TEST(LeadingInt, ReadsLikeTheRuntimeConversionAndClamps) {
  EXPECT_EQ(
      (std::vector<int>{vx::LeadingInt(""), vx::LeadingInt("  \t12ab"), vx::LeadingInt("- 3"),
                        vx::LeadingInt("-2147483648"), vx::LeadingInt("-99999999999999999999"),
                        vx::LeadingInt("99999999999")}),
      (std::vector<int>{0, 12, 0, INT_MIN, INT_MIN, INT_MAX}));
}

TEST(DiscTextCheck, Cp932LinesPassUtf8AndBrokenOnesDoNot) {
  const struct {
    std::string line;
    bool sjis;
    bool utf8;
  } cases[] = {
      {"", true, false},
      {Sjis("96\tヴェラストレード96\tｶﾀｶﾅ ﾃｰ"), true, false},
      {"\x82\xa0\xe0\x40\xfc\xfc", true, false},  // the highest lead and trail bytes
      {"\xe3\x83\xb4\xe3\x82\xa7", true, true},   // "ヴェ" in UTF-8: reads as CP932 too
      {"\xef\xbb\xbf"
       "abc",
       true, true},                       // a byte order mark
      {"\xc3\xb0", true, false},          // two-byte UTF-8 alone: no Japanese
      {"\xe0\x9f\x83\x41", true, false},  // CP932 kanji, no shortest UTF-8
      {"\x82", false, false},             // a lead byte cut off
      {"\x82\x20", false, false},
      {"a\x80", false, false},
      {"a\xfd", false, false},
      {"a\rb", false, false},
      {"\x1A", false, false},
      {"\xe3\x83", true, false},  // a UTF-8 character cut off
  };
  for (const auto& c : cases) {
    EXPECT_EQ(vx::IsSjisTextLine(c.line), c.sjis) << c.line;
    EXPECT_EQ(vx::LooksLikeUtf8(c.line), c.utf8) << c.line;
    EXPECT_EQ(vx::DiscTextProblem(c.line).empty(), c.sjis && !c.utf8) << c.line;
  }
  for (std::string_view number : {"", "  ", "12", "-3", "+7", " 4 "}) {
    EXPECT_TRUE(vx::IsNumberField(number)) << number;
  }
  for (std::string_view other : {"-", "1a", "1 2", "\x82\x4f", "0x1"}) {
    EXPECT_FALSE(vx::IsNumberField(other)) << other;
  }
}

// A device, a pipe without a writer or a huge file was read whole (or waited on) on the UI thread.
TEST(BoundedFileReader, ReadsRegularFilesWithinTheBoundAndRefusesTheRestUnread) {
  using Outcome = vx::BoundedFileReader::Outcome;
  vxtest::TempDir dir;
  vxtest::WriteFileBytes(dir / "small", "12345678");
  vxtest::WriteFileBytes(dir / "huge", "");
  std::filesystem::resize_file(dir / "huge", 1u << 30);  // sparse: costs no disk
  ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0600), 0);
  const vx::BoundedFileReader reader(8);
  const std::pair<std::filesystem::path, Outcome> cases[] = {
      {dir / "small", Outcome::kRead},          {dir / "huge", Outcome::kTooLarge},
      {dir / "pipe", Outcome::kNotRegularFile}, {"/dev/zero", Outcome::kNotRegularFile},
      {dir.Path(), Outcome::kNotRegularFile},   {dir / "missing", Outcome::kCannotOpen},
  };
  for (const auto& [path, outcome] : cases) {
    std::string bytes = "stale";
    EXPECT_EQ(reader.Check(path), outcome) << path;
    EXPECT_EQ(reader.Read(path, bytes), outcome) << path;
    EXPECT_EQ(bytes, outcome == Outcome::kRead ? "12345678" : "") << path;
    Outcome opened{};
    const vx::FileHandle stream(reader.OpenStream(path, opened));
    EXPECT_EQ(opened, outcome) << path;
    EXPECT_EQ(stream != nullptr, outcome == Outcome::kRead) << path;
  }
  EXPECT_EQ(vx::BoundedFileReader(7).Check(dir / "small"), Outcome::kTooLarge);
  Outcome opened{};
  const vx::FileHandle stream(vx::BoundedFileReader(8).OpenStream(dir / "small", opened));
  char text[9] = {};
  ASSERT_NE(stream, nullptr);
  EXPECT_EQ(std::fread(text, 1, 8, stream.get()), 8u);
  EXPECT_STREQ(text, "12345678");
}

TEST(SqlText, ValuesAreQuotedAndGrowBeyondAnyFixedBuffer) {
  std::string sql = "insert into T values(";
  vx::AppendSqlInt(sql, -3);
  vx::AppendSqlQuotedField(sql, "a'b");
  vx::CloseSqlValues(sql);
  EXPECT_EQ(sql, "insert into T values(-3,'a''b');");
  std::string quoted;
  vx::AppendSqlQuoted(quoted, std::string(20000, '\''));
  EXPECT_EQ(quoted, "'" + std::string(40000, '\'') + "'");
}

TEST(Weekday, NamesAndIndexInCp932) {
  EXPECT_EQ(
      (Texts{vx::GetWeekdayShortName(0), vx::GetWeekdayShortName(7), vx::GetWeekdayLongName(2),
             vx::GetWeekdayShortName(8), vx::GetWeekdayLongName(-1)}),
      (Texts{Sjis("漏"), Sjis("土"), Sjis("月曜日"), "", ""}));
  EXPECT_EQ((std::vector<int>{vx::FindWeekdayIndex(Sjis("土曜")), vx::FindWeekdayIndex(Sjis("金")),
                              vx::FindWeekdayIndex("x"), vx::FindWeekdayIndex("")}),
            (std::vector<int>{7, 6, 0, 0}));
}

// The kana and width cases that normalize() shows are in SqliteDatabase_test.
TEST(FoldText, KanaKindsSymbolsAndALoneLeadByte) {
  EXPECT_EQ(vx::FoldText("Hello, [x]{y}"), "hello, (x)(y)");
  EXPECT_EQ(vx::FoldText(Sjis("ぢづゐゑをヰヱヲゃュｮ")), Sjis("ﾁﾂｲｴｦｲｴｦﾔﾕﾖ"));
  EXPECT_EQ(vx::FoldText(Sjis("ﾊﾟ漢字")), Sjis("ﾊﾟ漢字"));  // the half-width mark stays
  EXPECT_EQ(vx::FoldText(Sjis("【ａ】「ｂ」★●◎※")), "(a)" + Sjis("｢b｣☆○○*"));
  EXPECT_EQ(vx::FoldText("\x81\x60\x81\x7c"), "--");  // wave dash and full-width minus by code
  EXPECT_EQ(vx::FoldText(std::string("A\x82", 2)), std::string("a\x82", 2));
}

bool IsLead(unsigned byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// The fast fold works on raw buffers: hold it to the table, character by character.
TEST(FoldText, EveryCharacterFoldsByItsTableEntryAfterWhatTheOutputHeld) {
  const vx::TextFoldTable& table = vx::GetTextFoldTable();
  std::string text;
  std::string expected = "kept";
  for (unsigned code = 1; code < 0x10000; ++code) {
    const unsigned lead = code >> 8;
    if (IsLead(code < 0x100 ? code : lead) != (code >= 0x100)) continue;
    if (code >= 0x100) text.push_back(static_cast<char>(lead));
    text.push_back(static_cast<char>(code & 0xFF));
    const std::uint16_t folded = table[code];
    if (folded >= 256) expected.push_back(static_cast<char>(folded >> 8));
    if (folded != 0) expected.push_back(static_cast<char>(folded & 0xFF));
  }
  text.push_back('\x83');  // a lone lead byte at the end
  expected.push_back('\x83');
  std::string out = "kept";
  vx::FoldText(text, out);
  EXPECT_EQ(out, expected);
}

Records ReadAll(std::string_view text, char separator = ',', int codePage = 932) {
  MyFile2 source(text);
  vx::CsvReader reader(&source, separator);
  reader.SetCodePage(codePage);
  Records records;
  while (reader.ReadRecord()) {
    records.emplace_back();
    for (int i = 0; i < reader.FieldCount(); ++i) records.back().push_back(reader.GetField(i));
  }
  return records;
}

TEST(MyFile2, EveryByteValueIsDataUntilTheEnd) {
  MyFile2 source(std::string_view("a\xff\x00z", 4));
  std::vector<int> read;
  for (int c = source.getc(); c != IFile::kEnd; c = source.getc()) read.push_back(c);
  source.ungetc('z');
  read.push_back(source.getc());
  source.rewind();
  read.push_back(source.getc());
  EXPECT_EQ(read, (std::vector<int>{'a', 0xFF, 0, 'z', 'z', 'a'}));
}

TEST(CsvReader, SplitsRecordsAndFields) {
  const struct {
    std::string text;
    Records expected;
  } cases[] = {
      {"", {}},
      {"a\r\nb\rc\nd", {{"a"}, {"b"}, {"c"}, {"d"}}},
      {"a,1\r\n\r\nb,2\r\n", {{"a", "1"}}},  // a blank line ends the reading
      {"a,b,\n,a\n,,\n", {{"a", "b", ""}, {"", "a"}, {"", "", ""}}},
      {"\"x,\"\"y\"\"\"z,w\n\"\",\"a\"\na\"b,c\n", {{"x,\"y\"z", "w"}, {"", "a"}, {"a\"b", "c"}}},
      {"\"one\ntwo\",3\r\nnext\n", {{"one\r\ntwo", "3"}, {"next"}}},
      {"\"one\rtwo\",3\n", {{"one\r\ntwo", "3"}}},
      {"\"one\r\n\r\nthree\"\n", {{"one\r\n\r\nthree"}}},
      {"a,\"open\nmore", {{"a", "open\r\nmore\r\n"}}},
      {"a\xff"
       "b,c\nd\n",
       {{"a\xff"
         "b",
         "c"},
        {"d"}}},
      {std::string("ab\0cd,e\nf\n", 10), {{"ab"}, {"f"}}},
      {"\xEF\xBB\xBFHeader,x\n", {{"\xEF\xBB\xBFHeader", "x"}}},
  };
  for (const auto& c : cases) EXPECT_EQ(ReadAll(c.text), c.expected) << c.text;
  // "ソ" and "表" end in 0x5C, "ー" in 0x5B: trail bytes that must not disturb the split.
  EXPECT_EQ(ReadAll(Sjis("ソ表\tー\r\nkey\t値\r\n"), '\t'),
            (Records{{Sjis("ソ表"), Sjis("ー")}, {"key", Sjis("値")}}));
  // The code pages and the header line that picks them are read in the checklist tests.
  EXPECT_EQ(ReadAll("\xEF\xBB\xBF日本,語\n", ',', 65001),
            (Records{{"?" + Sjis("日本"), Sjis("語")}}));
}

TEST(CsvReader, AShorterRecordHidesTheFieldsOfTheLongerOneBefore) {
  MyFile2 source("1,2,-3x\n4\n");
  vx::CsvReader reader(&source, ',');
  ASSERT_TRUE(reader.ReadRecord());
  EXPECT_EQ(reader.GetFieldInt(2), -3);
  ASSERT_TRUE(reader.ReadRecord());
  EXPECT_EQ(reader.FieldCount(), 1);
  EXPECT_EQ(reader.GetField(1) + reader.GetField(-1), "");
  EXPECT_EQ(reader.GetFieldInt(2), 0);
}

TEST(TextLineReader, LinesEndAtCrLfLfOrALoneCrTheirTextAtNulAndTheCountAgrees) {
  vxtest::TempDir dir;
  const std::string longLine(100000, 'q');
  struct Case {
    std::string bytes;
    Texts lines;
  };
  const std::vector<Case> cases = {
      {std::string("a\r\nb\n\r\nc\rkept\nd\0gone\n", 21) + longLine + "\ne",
       {"a", "b", "", "c", "kept", "d", longLine, "e"}},
      // A disc written with CR alone: every line a row, not one line.
      {"1\tx\r2\ty\r\r3\tz\r", {"1\tx", "2\ty", "", "3\tz"}},
      {"\r\n\r", {"", ""}},
      {"", {}},
      // Ctrl-Z ends the text only where nothing but line ends follows it.
      {"a\r\n\x1A", {"a"}},
      {"a\x1A\x1A\r\n\r\n", {"a"}},
      {"a\n\n\x1A\r\n\n", {"a", ""}},
      {"\x1A\r\nb\x1A\n", {"\x1A", "b"}},
      {"\x1A", {}},
  };
  for (const Case& c : cases) {
    vxtest::WriteFileBytes(dir / "f.txt", c.bytes);
    const vx::FileHandle file = vx::OpenFileForReading(dir / "f.txt");
    EXPECT_EQ(vx::CountFileLines(file.get()), static_cast<int>(c.lines.size())) << c.bytes;
    vx::TextLineReader reader(file.get());
    Texts lines;
    for (std::string_view line; reader.Next(line);) lines.emplace_back(line);
    EXPECT_EQ(lines, c.lines) << c.bytes;
  }
}

// What the import needs to know of a line beyond its text: a NUL byte in it (the text stops
// there) and whether the file went on after it.
TEST(TextLineReader, TellsWhetherALineHeldANulAndWhetherALineEndFollowedIt) {
  vxtest::TempDir dir;
  struct Fact {
    std::string whole;
    bool nul;
    bool ended;
  };
  const struct {
    std::string bytes;
    std::vector<Fact> facts;
  } cases[] = {
      {std::string("a\0b\r\nc", 6), {{std::string("a\0b", 3), true, true}, {"c", false, false}}},
      {"a\rb\r", {{"a", false, true}, {"b", false, true}}},
      {"a\x1A", {{"a\x1A", false, true}}},  // the final Ctrl-Z ends the text
      {"a\n\x1A", {{"a", false, true}}},
  };
  for (const auto& c : cases) {
    vxtest::WriteFileBytes(dir / "f.txt", c.bytes);
    const vx::FileHandle file = vx::OpenFileForReading(dir / "f.txt");
    vx::TextLineReader reader(file.get());
    std::vector<std::tuple<std::string, bool, bool>> facts, expected;
    for (std::string_view line; reader.Next(line);) {
      facts.emplace_back(std::string(reader.WholeLine()), reader.HeldNul(), reader.Ended());
    }
    for (const Fact& f : c.facts) expected.emplace_back(f.whole, f.nul, f.ended);
    EXPECT_EQ(facts, expected) << c.bytes;
  }
}

TEST(TextLineReader, NullFileReadsAsEmpty) {
  vx::TextLineReader reader(nullptr);
  std::string_view line = "untouched";
  EXPECT_FALSE(reader.Next(line));
  EXPECT_EQ(line, "untouched");
  EXPECT_EQ(vx::CountFileLines(nullptr), 0);
}

}  // namespace
