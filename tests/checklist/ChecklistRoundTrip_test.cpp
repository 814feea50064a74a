// Whatever bytes the texts of a checklist hold, a saved checklist reads back with them and with
// every record whole: writer and reader agree on where characters and fields end.
#include "checklist/ChecklistText.h"
#include "checklist/FavoriteStore.h"

#include "platform/CodePage.h"
#include "tests/checklist/StoreFixture.h"

#include <climits>
#include <random>
#include <tuple>
#include <utility>

namespace vxtest {
namespace {

using vx::Sjis;

// Line breaks come back as CR LF, the reader's way of joining the lines of a quoted field; NUL
// bytes, which would end a line for the reader, are not written.
std::string AsReadBack(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\0') continue;
    if (text[i] == '\r' || text[i] == '\n') {
      out += "\r\n";
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

TEST(ChecklistTextTest, BytesThatAreNotCp932NeverHideASeparatorOrALineBreak) {
  const std::pair<std::string, std::string> fields[] = {
      {"ab", "ab"},
      {"\x83,", "\"\x83,\""},
      {"\x83\"", "\"\x83\"\"\""},
      {"\x83\n", "\"\x83\n\""},
      {Sjis("表,"), Sjis("\"表,\"")},
      {std::string("a\0b", 3), "ab"},
  };
  for (const auto& [text, written] : fields) {
    std::string out;
    vx::AppendCsvText(out, text);
    EXPECT_EQ(out, written) << text;
  }
  const std::tuple<std::string, std::string, std::string> escapes[] = {
      {"\x83 x", "\x83 x", "\x83 x"},
      {"\x83", "\x83", "\x83"},
      {"\x83\n", "\\n", "\r\n"},  // the lead byte would take the backslash for its second byte
      {"\x83\r\nA", "\\nA", "\r\nA"},
      {"\x83\rA", "A", "A"},
      {Sjis("表") + "\n" + Sjis("ソ") + "\\", Sjis("表\\nソ\\\\"), Sjis("表\r\nソ\\")},
  };
  for (const auto& [text, escaped, readBack] : escapes) {
    EXPECT_EQ(vx::EscapeLongText(text), escaped) << text;
    EXPECT_EQ(vx::UnescapeLongText(escaped), readBack) << text;
  }
}

class ChecklistRoundTripTest : public StoreFixture {
 protected:
  struct ReadBack {
    std::string name, kana, memo, description, pixiv;
    int entries;
    friend bool operator==(const ReadBack&, const ReadBack&) = default;
  };

  // An unknown circle whose texts are all `text`, then catalogue circle 2 with `text` as memo;
  // saved, read back replacing and committed.
  ReadBack RoundTrip(const std::string& text, bool older) {
    Store().Purge(true);
    vx::CircleRecord texts;
    texts.circleName = texts.circleKana = texts.penName = texts.memo = texts.description = text;
    texts.pixiv = "tail";
    Store().AddUnknownCircle(1, texts);
    Store().SetColorAndMemo(2, 3, text.empty() ? "-" : text);
    const std::string saved = older ? Store().SaveVer1Text() : Store().SaveText();
    Store().LoadText(saved, false, true);
    Store().CommitImportRecords(true, false);
    const vx::CircleRecord* unknown = Store().FindCircle(INT_MIN + 1);
    const vx::CircleRecord* known = Store().FindCircle(2);
    if (unknown == nullptr || known == nullptr) return {"(lost)", "", "", "", "", 0};
    return {unknown->circleName,  unknown->circleKana, unknown->memo,
            unknown->description, unknown->pixiv,      Store().GetEntryCount()};
  }

  std::mt19937 random_{20240811};
};

TEST_F(ChecklistRoundTripTest, AnyBytesReadBackFromTheCurrentFormat) {
  std::uniform_int_distribution<int> length(0, 40), byte(0, 255);
  for (int round = 0; round < 300; ++round) {
    std::string text;
    for (int n = length(random_); n > 0; --n) text += static_cast<char>(byte(random_));
    const std::string back = AsReadBack(text);
    ASSERT_EQ(RoundTrip(text, false), (ReadBack{back, back, back, back, "tail", 2}))
        << testing::PrintToString(text);
  }
}

// The older format keeps long texts on one line: a lead byte left alone before a line break
// cannot be told from a character there, and goes; everything else reads back.
TEST_F(ChecklistRoundTripTest, AnyTokensReadBackFromTheOlderFormat) {
  const std::pair<std::string, std::string> tokens[] = {
      {"a", "a"},
      {",", ","},
      {"\"", "\""},
      {"\\", "\\"},
      {"\\n", "\\n"},
      {Sjis("表"), Sjis("表")},
      {Sjis("ソ"), Sjis("ソ")},
      {"\r\n", "\r\n"},
      {"\n", "\r\n"},
      {"\x83,", "\x83,"},
      {"\x83\"", "\x83\""},
      {"\x83 ", "\x83 "},
      {"\x83\n", "\r\n"},
      {"\x83\r\n", "\r\n"},
      {"\xFF", "\xFF"},
      {"\x80", "\x80"},
  };
  std::uniform_int_distribution<std::size_t> pick(0, std::size(tokens) - 1);
  std::uniform_int_distribution<int> length(0, 12);
  for (int round = 0; round < 300; ++round) {
    std::string text, expected;
    for (int n = length(random_); n > 0; --n) {
      const auto& [token, back] = tokens[pick(random_)];
      text += token;
      expected += back;
    }
    if (round % 3 == 0) {  // a lead byte at the very end stays
      text += '\x83';
      expected += '\x83';
    }
    const std::string names = AsReadBack(text);  // names are quoted, not escaped
    ASSERT_EQ(RoundTrip(text, true), (ReadBack{names, names, expected, expected, "tail", 2}))
        << testing::PrintToString(text);
  }
}

// Texts of unknown circles are the file's bytes as they were read. A checklist of such texts alone
// that are UTF-8 and not CP932 would be refused as UTF-8 under a Shift_JIS header: what CP932
// does not define is saved as '?', and the saved checklist reads back; CP932 stays as it is.
TEST_F(ChecklistRoundTripTest, ASavedChecklistIsNeverTakenForUtf8) {
  const std::string utf8 = "\xE3\x83\x86\xE3\x82\xB9\xE3\x83\x88";  // テスト in UTF-8
  const std::pair<std::string, std::string> texts[] = {
      {utf8, "\xE3\x83?\x82\xB9\xE3\x83?"},
      {"\xEF\xBB\xBF", "?\xBF"},
      {"\xC3\xBD" + Sjis("表") + "\xEF\xBB", "\xC3\xBD" + Sjis("表") + "\xEF\xBB"},  // not UTF-8
      {"\xC3\xBD\xC4\xB1", "\xC3\xBD\xC4\xB1"},  // ﾃｽﾄｱ: CP932 as well
  };
  for (const auto& [text, back] : texts) {
    for (const bool older : {false, true}) {
      Store().Purge(true);
      vx::CircleRecord unknown;
      unknown.circleName = unknown.memo = text;
      Store().AddUnknownCircle(1, unknown);
      const std::string saved = older ? Store().SaveVer1Text() : Store().SaveText();
      Store().LoadText(saved, false, true);
      EXPECT_EQ(Store().ReadStatus(), vx::kReadDone) << text;
      ASSERT_EQ(Rows().size(), 1u) << text;
      EXPECT_EQ(Rows()[0].texts[vx::kImportCircleName], back) << text;
      EXPECT_EQ(Rows()[0].texts[vx::kImportMemo], back) << text;
    }
  }
}

}  // namespace
}  // namespace vxtest
