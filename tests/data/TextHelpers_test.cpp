#include "data/LeadingInt.h"
#include "data/SqlText.h"
#include "data/TextFold.h"
#include "data/TextLineReader.h"
#include "data/TextScan.h"
#include "data/Weekday.h"
#include "platform/CodePage.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

using vx::Sjis;
using Texts = std::vector<std::string>;

TEST(TextScan, CharactersAndTabFieldsNeverReadPastTheView) {
  const char buffer[] = "a\x82\xa0\xb1x\x82" "\0" "\x9f";  // the last two bytes lie outside
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
  EXPECT_EQ(vx::CutAtLineEnd("abc\r\ndef"), "abc");
  EXPECT_EQ(vx::CutAtLineEnd("abc\ndef\r"), "abc");
  EXPECT_EQ(vx::CutAtLineEnd("no end"), "no end");
}

TEST(TextScan, NumbersReadAndWrittenLikeTheRuntime) {
  EXPECT_EQ(vx::FormatInt(-42), "-42");
  EXPECT_EQ(vx::FormatInt(INT_MAX), "2147483647");
  EXPECT_EQ(vx::LeadingInt(""), 0);
  EXPECT_EQ(vx::LeadingInt("  \t12ab"), 12);
  EXPECT_EQ(vx::LeadingInt("- 3"), 0);
  EXPECT_EQ(vx::LeadingInt("-2147483648"), INT_MIN);
  EXPECT_EQ(vx::LeadingInt("-99999999999999999999"), INT_MIN);
  EXPECT_EQ(vx::LeadingInt("99999999999"), INT_MAX);
}

TEST(SqlText, ValuesAreQuotedAndGrowBeyondAnyFixedBuffer) {
  std::string sql = "insert into T values(";
  vx::AppendSqlInt(sql, -3);
  vx::AppendSqlQuotedField(sql, "a'b");
  vx::AppendSqlQuotedField(sql, static_cast<const char*>(nullptr));
  vx::CloseSqlValues(sql);
  EXPECT_EQ(sql, "insert into T values(-3,'a''b',null);");
  std::string quoted;
  vx::AppendSqlQuoted(quoted, std::string(20000, '\''));
  EXPECT_EQ(quoted, "'" + std::string(40000, '\'') + "'");
  EXPECT_EQ(vx::FormatSql("select '%q', %d;", "o'k", 7), "select 'o''k', 7;");
}

TEST(Weekday, NamesAndIndexInCp932) {
  EXPECT_EQ((Texts{vx::GetWeekdayShortName(0), vx::GetWeekdayShortName(7),
                   vx::GetWeekdayLongName(2), vx::GetWeekdayShortName(8),
                   vx::GetWeekdayLongName(-1)}),
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

}  // namespace
