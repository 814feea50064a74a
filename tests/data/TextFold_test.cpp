#include "data/TextFold.h"

#include "platform/CodePage.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using vx::FoldText;
using vx::Sjis;

TEST(FoldText, CaseWidthKanaVoicingAndSymbols) {
  EXPECT_EQ(FoldText(Sjis("Ａｂ１！")), "ab1!");
  EXPECT_EQ(FoldText("Hello, World"), "hello, world");
  for (const char* kana : {"がっこう", "ガッコウ", "ｶﾞｯｺｳ"}) {
    EXPECT_EQ(FoldText(Sjis(kana)), Sjis("ｶﾂｺｳ")) << kana;
  }
  EXPECT_EQ(FoldText(Sjis("パ")), Sjis("ﾊ"));
  EXPECT_EQ(FoldText(Sjis("ぢづゐゑをヰヱヲ")), Sjis("ﾁﾂｲｴｦｲｴｦ"));
  EXPECT_EQ(FoldText(Sjis("ゃュｮ")), Sjis("ﾔﾕﾖ"));
  EXPECT_EQ(FoldText(Sjis("゛゜")), "");
  EXPECT_EQ(FoldText(Sjis("ﾊﾟ")), Sjis("ﾊﾟ"));  // the half-width mark stays
  EXPECT_EQ(FoldText(Sjis("【ａ】「ｂ」")), std::string("(a)") + Sjis("｢b｣"));
  EXPECT_EQ(FoldText(Sjis("★●◎※")), Sjis("☆○○*"));
  EXPECT_EQ(FoldText("\x81\x60\x81\x7c"), "--");  // wave dash and full-width minus by code
  EXPECT_EQ(FoldText("[x]{y}"), "(x)(y)");
  EXPECT_EQ(FoldText(Sjis("漢字ｱ")), Sjis("漢字ｱ"));
  EXPECT_EQ(FoldText(std::string("A\x82", 2)), std::string("a\x82", 2));  // lone lead byte at the end
}

bool IsLead(unsigned byte) { return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC); }

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
  text.push_back('\x83');
  expected.push_back('\x83');
  std::string out = "kept";
  FoldText(text, out);
  EXPECT_EQ(out, expected);
}

}  // namespace
