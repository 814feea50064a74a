#include "tools/sample-disc/ChecklistWriter.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/CodePage.h"
#include "tests/tools/sample-disc/DiscReading.h"
#include "tools/sample-disc/CatalogBuilder.h"

namespace vx::sampledisc {
namespace {

using vxtest::ParseCsvRecords;
using vxtest::Sj;

const Catalog& Small() {
  static const Catalog catalog = BuildCatalog(SampleOptions{});
  return catalog;
}

const std::vector<ChecklistEntry>& Entries() {
  static const std::vector<ChecklistEntry> entries = CurrentEventEntries(Small(), 1);
  return entries;
}

TEST(ChecklistFieldsTest, QuotingAndEscapingLeaveDoubleByteCharactersAlone) {
  // 0x95 0x5C (表) ends in a backslash byte; 0x83 0x7C (ポ) in a byte that is no comma either.
  const std::pair<std::string, std::string> quoted[] = {{"plain", "plain"},
                                                        {"a,b", "\"a,b\""},
                                                        {"say \"hi\"", "\"say \"\"hi\"\"\""},
                                                        {"1\r\n2", "\"1\r\n2\""},
                                                        {"C:\\x", "C:\\x"},
                                                        {Sj("表ポ"), Sj("表ポ")},
                                                        {Sj("表,"), "\"" + Sj("表,") + "\""}};
  for (const auto& [in, out] : quoted) EXPECT_EQ(QuoteCsvField(in), out) << in;
  const std::pair<std::string, std::string> escaped[] = {{"a\r\nb", "a\\nb"},
                                                         {"a\\nb", "a\\\\nb"},
                                                         {"x\\y\r\nz", "x\\\\y\\nz"},
                                                         {Sj("表示"), Sj("表示")}};
  for (const auto& [in, out] : escaped) EXPECT_EQ(EscapeLongText(in), out) << in;
}

TEST(ChecklistWriterTest, CurrentFormatKeepsTrickyMemosAndTheUnknownCircle) {
  const auto& entries = Entries();
  const auto records = ParseCsvRecords(CurrentChecklistText(Small(), entries, 96, "Shift_JIS"));
  ASSERT_EQ(records.size(), 1 + 9 + entries.size());
  EXPECT_EQ(records[0], (std::vector<std::string>{"Header", "VellastradeCD-ROMCatalog",
                                                  "Vellastrade96", "Shift_JIS", "Windows 1.96.1"}));
  EXPECT_EQ(records[9], (std::vector<std::string>{"Color", "9", "0000ff", "0000ff",
                                                  Sj("様子見, 余裕があれば")}));
  std::vector<std::string> kinds, memos;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const auto& f = records[10 + i];
    // Every field is followed by a comma, so the parse ends in one empty field.
    ASSERT_EQ(f.size(), entries[i].unknown ? 15u : 29u) << i;
    const Circle& circle = entries[i].circle;
    EXPECT_EQ(f[1], entries[i].unknown ? circle.name : std::to_string(circle.updateId));
    kinds.push_back(f[0]);
    memos.push_back(f[entries[i].unknown ? 4 : 17]);
  }
  EXPECT_EQ(std::count(kinds.begin(), kinds.end(), "UnKnown"), 1);
  EXPECT_EQ(std::vector<std::string>(memos.begin(), memos.begin() + 7),
            (std::vector<std::string>{
                Sj("新刊2冊, 既刊1冊"), Sj("スケブ\"可\"か聞く"), Sj("1行目\r\n2行目"),
                Sj("C:\\vx\\memo と \\n の違い"), Sj("ｶﾀﾛｸﾞ外, 当日確認"),
                Sj("全部入り, \"引用\"\r\n改行\\終わり"), Sj("カタログ未掲載, 前回\"参加\"")}));
  // The unplaced ｶﾞｯｺｳ has crosses and XX where a placed circle has its space.
  ASSERT_EQ(records[14][10], "\xB6\xDE\xAF\xBA\xB3");
  EXPECT_EQ(std::vector<std::string>(records[14].begin() + 3, records[14].begin() + 9),
            (std::vector<std::string>{"", "", Sj("×"), Sj("×"), Sj("×"), "XX"}));
  EXPECT_EQ(std::vector<std::string>(records[10].begin() + 5, records[10].begin() + 9),
            (std::vector<std::string>{Sj("金"), Sj("東"), Sj("Ａ"), "1"}));
}

TEST(ChecklistWriterTest, EncodingsCarryTheSameRecordsAndJisLinesEndInAscii) {
  const std::string sjis = CurrentChecklistText(Small(), Entries(), 96, "Shift_JIS");
  const std::pair<std::string, int> encodings[] = {
      {"UTF-8", kCodePageUtf8}, {"EUC-JP", kCodePageEucJp}, {"ISO-2022-JP", kCodePageIso2022Jp}};
  std::string jis;
  for (const auto& [name, codePage] : encodings) {
    jis = EncodeLines(CurrentChecklistText(Small(), Entries(), 96, name), codePage);
    std::string back = ToCp932(jis, codePage);
    back.replace(std::string("Header,VellastradeCD-ROMCatalog,Vellastrade96,").size(), name.size(),
                 "Shift_JIS");
    EXPECT_EQ(back, sjis) << name;
  }
  EXPECT_TRUE(std::all_of(jis.begin(), jis.end(), [](char c) { return (c & 0x80) == 0; }))
      << "seven-bit";
  // So a reader may convert line by line.
  for (const std::string& line : vxtest::SplitCrLfLines(jis)) {
    const std::size_t in = line.find_last_of('\x1b');
    EXPECT_TRUE(in == std::string::npos || line.compare(in, 3, "\x1b(B") == 0) << line;
  }
  EXPECT_NE(jis.find("\x1b(I"), std::string::npos) << "half-width katakana kept as such";
}

TEST(ChecklistWriterTest, OlderFormatLinesHaveTwentyNineFieldsAndEscapedTexts) {
  const auto& entries = Entries();
  const std::string text = OlderChecklistText(Small(), entries, 96);
  ASSERT_EQ(vxtest::SplitCrLfLines(text).size(), 1 + entries.size())
      << "no line break may stay inside a line";
  const auto records = ParseCsvRecords(text);
  EXPECT_EQ(records[0], (std::vector<std::string>{"QUILLOR", "104", "Vellastrade96", "Windows"}));
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const auto& f = records[1 + i];
    const ChecklistEntry& e = entries[i];
    ASSERT_EQ(f.size(), 30u) << i;
    EXPECT_EQ(f[0] + "|" + f[9] + "|" + f[14] + "|" + f[17],
              std::to_string(e.unknown ? -1 : e.circle.id - 1) + "|" + e.circle.name + "|" +
                  EscapeLongText(e.circle.description) + "|" + EscapeLongText(e.memo));
  }
  // The literal backslash-n of the fourth memo stays distinguishable from a line break.
  EXPECT_EQ(records[4][17], Sj("C:\\\\vx\\\\memo と \\\\n の違い"));
  // Desk column and row count whole desks; x is in pixels.
  const Desk* desk = Small().FindDesk(entries[0].circle.blockId, entries[0].circle.spaceNo);
  ASSERT_NE(desk, nullptr);
  EXPECT_EQ(records[1][15] + "|" + records[1][16] + "|" + records[1][19],
            std::to_string(desk->x / 20) + "|" + std::to_string(desk->y / 20) + "|" +
                std::to_string(desk->x));
}

TEST(ChecklistWriterTest, OtherEventRecordsPointAtCataloguedCirclesByText) {
  const auto other = OtherEventEntries(Small());
  EXPECT_EQ(ParseCsvRecords(CurrentChecklistText(Small(), other, 95, "Shift_JIS"))[0][2],
            "Vellastrade95");
  const auto& circles = Small().circles;
  auto matches = [&](std::string Circle::*field, const ChecklistEntry& e) {
    return std::count_if(circles.begin(), circles.end(),
                         [&](const Circle& c) { return c.*field == e.circle.*field; });
  };
  // By Twitter id alone, by Pixiv id alone, by a name shared by three, by nothing, by reading.
  EXPECT_EQ(
      (std::vector<long>{matches(&Circle::twitter, other[0]), matches(&Circle::name, other[0]),
                         matches(&Circle::pixiv, other[1]), matches(&Circle::name, other[3]),
                         matches(&Circle::penName, other[3]), matches(&Circle::name, other[5]),
                         matches(&Circle::kana, other.back())}),
      (std::vector<long>{1, 0, 1, 3, 0, 0, 3}));
  EXPECT_TRUE(std::any_of(circles.begin(), circles.end(), [&](const Circle& c) {
    return c.name == other[2].circle.name && c.penName == other[2].circle.penName;
  }));
  EXPECT_NE(other[4].circle.name.find('\''), std::string::npos);
  EXPECT_TRUE(other[1].circle.twitter.empty());
  for (int i : {2, 3, 4, 5}) EXPECT_EQ(other[i].circle.twitter + other[i].circle.pixiv, "") << i;
  EXPECT_TRUE(other.back().unknown);
}

}  // namespace
}  // namespace vx::sampledisc
