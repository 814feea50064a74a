#include "tools/sample-disc/ChecklistWriter.h"

#include <gtest/gtest.h>

#include "platform/CodePage.h"
#include "tests/tools/sample-disc/DiscReading.h"
#include "tools/sample-disc/CatalogBuilder.h"

namespace vx::sampledisc {
namespace {

using vxtest::ParseCsvRecords;
using vxtest::Sj;

// The older format's escaping undone: backslash-n is CR LF, a doubled backslash one backslash.
std::string Unescape(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const unsigned char u = static_cast<unsigned char>(text[i]);
    if (((u >= 0x81 && u <= 0x9F) || u >= 0xE0) && i + 1 < text.size()) {
      out += text.substr(i++, 2);
    } else if (text[i] == '\\' && i + 1 < text.size()) {
      out += text[i + 1] == 'n' ? std::string("\r\n") : std::string(1, text[i + 1]);
      ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

class ChecklistWriterTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    catalog_ = new Catalog(BuildCatalog(SampleOptions{}));
    entries_ = new std::vector<ChecklistEntry>(CurrentEventEntries(*catalog_, 1));
  }
  static void TearDownTestSuite() {
    delete entries_;
    delete catalog_;
  }
  static Catalog* catalog_;
  static std::vector<ChecklistEntry>* entries_;
};

Catalog* ChecklistWriterTest::catalog_ = nullptr;
std::vector<ChecklistEntry>* ChecklistWriterTest::entries_ = nullptr;

TEST(ChecklistFieldsTest, QuotesOnlyFieldsThatNeedIt) {
  EXPECT_EQ(QuoteCsvField("plain"), "plain");
  EXPECT_EQ(QuoteCsvField("a,b"), "\"a,b\"");
  EXPECT_EQ(QuoteCsvField("say \"hi\""), "\"say \"\"hi\"\"\"");
  EXPECT_EQ(QuoteCsvField("one\r\ntwo"), "\"one\r\ntwo\"");
  EXPECT_EQ(QuoteCsvField("C:\\x"), "C:\\x");
  // 0x95 0x5C (表) carries a backslash byte; 0x83 0x7C (ポ) a byte that is no comma either.
  EXPECT_EQ(QuoteCsvField(Sj("表ポ")), Sj("表ポ"));
  EXPECT_EQ(QuoteCsvField(Sj("表,")), "\"" + Sj("表,") + "\"");
}

TEST(ChecklistFieldsTest, EscapesLineBreaksAndBackslashesButNotDoubleByteCharacters) {
  EXPECT_EQ(EscapeLongText("a\r\nb"), "a\\nb");
  EXPECT_EQ(EscapeLongText("a\\nb"), "a\\\\nb");
  EXPECT_EQ(EscapeLongText("\\"), "\\\\");
  EXPECT_EQ(EscapeLongText(Sj("表示")), Sj("表示"));  // 表 ends in 0x5C
  EXPECT_EQ(Unescape(EscapeLongText("x\\y\r\nz")), "x\\y\r\nz");
}

TEST_F(ChecklistWriterTest, CurrentFormatRecordsCarryEveryField) {
  const std::string text = CurrentChecklistText(*catalog_, *entries_, 96, "Shift_JIS");
  const auto records = ParseCsvRecords(text);
  ASSERT_EQ(records.size(), 1 + 9 + entries_->size());
  EXPECT_EQ(records[0], (std::vector<std::string>{"Header", "VellastradeCD-ROMCatalog",
                                                   "Vellastrade96", "Shift_JIS", "Windows 1.96.1"}));
  EXPECT_EQ(records[1], (std::vector<std::string>{"Color", "1", "4a94ff", "4a94ff", Sj("最優先")}));
  EXPECT_EQ(records[9][4], Sj("様子見, 余裕があれば"));
  int unknown = 0;
  for (std::size_t i = 0; i < entries_->size(); ++i) {
    const auto& fields = records[10 + i];
    const ChecklistEntry& entry = (*entries_)[i];
    // Every field is followed by a comma, so the parse ends in one empty field.
    ASSERT_EQ(fields.size(), entry.unknown ? 15u : 29u) << i;
    EXPECT_TRUE(fields.back().empty());
    if (entry.unknown) {
      ++unknown;
      EXPECT_EQ(fields[0], "UnKnown");
      EXPECT_EQ(fields[4], entry.memo);
      EXPECT_EQ(fields[5], std::to_string(entry.colour));
      continue;
    }
    EXPECT_EQ(fields[0], "Circle");
    EXPECT_EQ(fields[1], std::to_string(entry.circle.updateId));
    EXPECT_EQ(fields[2], std::to_string(entry.colour));
    EXPECT_EQ(fields[10], entry.circle.name);
    EXPECT_EQ(fields[17], entry.memo);
    EXPECT_EQ(fields[25], entry.feedText);
    EXPECT_EQ(fields[26], entry.circle.twitter);
  }
  EXPECT_EQ(unknown, 1);
}

TEST_F(ChecklistWriterTest, MemosNeedingQuotesReadBackUnchanged) {
  const auto records = ParseCsvRecords(CurrentChecklistText(*catalog_, *entries_, 96, "Shift_JIS"));
  std::vector<std::string> memos;
  for (std::size_t i = 0; i < entries_->size(); ++i) {
    if (!(*entries_)[i].unknown) memos.push_back(records[10 + i][17]);
  }
  EXPECT_EQ(memos[0], Sj("新刊2冊, 既刊1冊"));
  EXPECT_EQ(memos[1], Sj("スケブ\"可\"か聞く"));
  EXPECT_EQ(memos[2], Sj("1行目\r\n2行目"));
  EXPECT_EQ(memos[3], Sj("C:\\vx\\memo と \\n の違い"));
  EXPECT_EQ(memos[5], Sj("全部入り, \"引用\"\r\n改行\\終わり"));
}

TEST_F(ChecklistWriterTest, UnplacedCircleIsWrittenWithCrossesAndXx) {
  const auto records = ParseCsvRecords(CurrentChecklistText(*catalog_, *entries_, 96, "Shift_JIS"));
  const auto& unplaced = records[10 + 4];
  ASSERT_EQ(unplaced[10], "\xB6\xDE\xAF\xBA\xB3");
  EXPECT_EQ(unplaced[3], "");
  EXPECT_EQ(unplaced[4], "");
  EXPECT_EQ(unplaced[5], "\x81\x7E");
  EXPECT_EQ(unplaced[6], "\x81\x7E");
  EXPECT_EQ(unplaced[7], "\x81\x7E");
  EXPECT_EQ(unplaced[8], "XX");
  const auto& placed = records[10];
  EXPECT_EQ(placed[5], Sj("金"));
  EXPECT_EQ(placed[6], Sj("東"));
  EXPECT_EQ(placed[7], Sj("Ａ"));
  EXPECT_EQ(placed[8], "1");
  EXPECT_NE(placed[18], "0") << "map x of a placed circle";
}

TEST_F(ChecklistWriterTest, EncodingsCarryTheSameRecords) {
  const std::string sjis = CurrentChecklistText(*catalog_, *entries_, 96, "Shift_JIS");
  for (const auto& [name, codePage] : std::vector<std::pair<std::string, int>>{
           {"UTF-8", kCodePageUtf8}, {"EUC-JP", kCodePageEucJp}, {"ISO-2022-JP", kCodePageIso2022Jp}}) {
    const std::string encoded = EncodeLines(CurrentChecklistText(*catalog_, *entries_, 96, name), codePage);
    EXPECT_NE(encoded, sjis);
    std::string back = ToCp932(encoded, codePage);
    const std::string header = "Header,VellastradeCD-ROMCatalog,Vellastrade96,";
    back.replace(header.size(), name.size(), "Shift_JIS");
    EXPECT_EQ(back, sjis) << name;
  }
  const std::string jis = EncodeLines(CurrentChecklistText(*catalog_, *entries_, 96, "ISO-2022-JP"), kCodePageIso2022Jp);
  for (unsigned char c : jis) ASSERT_LT(c, 0x80) << "ISO-2022-JP is seven-bit";
  // Each line returns to ASCII before its line end, so a reader may convert line by line.
  for (const std::string& line : vxtest::SplitCrLfLines(jis)) {
    const std::size_t in = line.find_last_of('\x1b');
    if (in != std::string::npos) {
      EXPECT_EQ(line.compare(in, 3, "\x1b(B"), 0) << line;
    }
  }
  EXPECT_NE(jis.find("\x1b(I"), std::string::npos) << "half-width katakana kept as such";
}

TEST_F(ChecklistWriterTest, OlderFormatLinesHaveTwentyNineFieldsAndEscapedTexts) {
  const std::string text = OlderChecklistText(*catalog_, *entries_, 96);
  const auto lines = vxtest::SplitCrLfLines(text);
  ASSERT_EQ(lines.size(), 1 + entries_->size()) << "no line break may stay inside a line";
  EXPECT_EQ(lines[0], "QUILLOR,104,Vellastrade96,Windows");
  const auto records = ParseCsvRecords(text);
  for (std::size_t i = 0; i < entries_->size(); ++i) {
    const auto& fields = records[1 + i];
    const ChecklistEntry& entry = (*entries_)[i];
    ASSERT_EQ(fields.size(), 30u) << i;
    EXPECT_EQ(fields[0], entry.unknown ? "-1" : std::to_string(entry.circle.id - 1));
    EXPECT_EQ(fields[1], std::to_string(entry.colour));
    EXPECT_EQ(Unescape(fields[17]), entry.memo);
    EXPECT_EQ(fields[18], entry.circle.kana);
    if (entry.unknown) {
      for (int k = 2; k <= 8; ++k) EXPECT_EQ(fields[k], "") << k;
    } else {
      EXPECT_EQ(fields[9], entry.circle.name);
      EXPECT_EQ(Unescape(fields[14]), entry.circle.description);
    }
  }
  // The literal backslash-n of the fourth memo stays distinguishable from a line break.
  EXPECT_EQ(records[4][17], Sj("C:\\\\vx\\\\memo と \\\\n の違い"));
}

TEST_F(ChecklistWriterTest, DeskColumnsFollowTheHalfDeskRule) {
  const auto records = ParseCsvRecords(OlderChecklistText(*catalog_, *entries_, 96));
  const Circle& first = (*entries_)[0].circle;
  const Desk* desk = catalog_->FindDesk(first.blockId, first.spaceNo);
  ASSERT_NE(desk, nullptr);
  EXPECT_EQ(records[1][15], std::to_string(desk->x / catalog_->geometry.deskW));
  EXPECT_EQ(records[1][16], std::to_string(desk->y / catalog_->geometry.deskH));
  EXPECT_EQ(records[1][19], std::to_string(desk->x));
}

TEST_F(ChecklistWriterTest, OtherEventRecordsPointAtCataloguedCirclesByText) {
  const auto other = OtherEventEntries(*catalog_);
  const auto records = ParseCsvRecords(CurrentChecklistText(*catalog_, other, 95, "Shift_JIS"));
  EXPECT_EQ(records[0][2], "Vellastrade95");
  auto circlesWith = [&](auto predicate) {
    int n = 0;
    for (const Circle& c : catalog_->circles) n += predicate(c);
    return n;
  };
  const auto& byTwitter = other[0].circle;
  EXPECT_EQ(circlesWith([&](const Circle& c) { return c.twitter == byTwitter.twitter; }), 1);
  EXPECT_EQ(circlesWith([&](const Circle& c) { return c.name == byTwitter.name; }), 0);
  const auto& byPixiv = other[1].circle;
  EXPECT_TRUE(byPixiv.twitter.empty());
  EXPECT_EQ(circlesWith([&](const Circle& c) { return c.pixiv == byPixiv.pixiv; }), 1);
  const auto& byNames = other[2].circle;
  EXPECT_GE(circlesWith([&](const Circle& c) {
              return c.name == byNames.name && c.penName == byNames.penName;
            }), 1);
  EXPECT_EQ(circlesWith([&](const Circle& c) { return c.name == other[3].circle.name; }), 3);
  EXPECT_EQ(circlesWith([&](const Circle& c) { return c.penName == other[3].circle.penName; }), 0);
  EXPECT_NE(other[4].circle.name.find('\''), std::string::npos);
  for (int i : {2, 3, 4, 5}) {
    EXPECT_TRUE(other[i].circle.twitter.empty() && other[i].circle.pixiv.empty()) << "record " << i;
  }
  EXPECT_EQ(circlesWith([&](const Circle& c) { return c.name == other[5].circle.name; }), 0);
  ASSERT_TRUE(other.back().unknown);
  EXPECT_EQ(circlesWith([&](const Circle& c) { return c.kana == other.back().circle.kana; }), 3);
}

}  // namespace
}  // namespace vx::sampledisc
