#include "data/TextFold.h"

#include "platform/CodePage.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using vx::FoldText;
using vx::Sjis;

TEST(FoldText, FoldsCaseWidthAndPunctuation) {
  EXPECT_EQ(FoldText(Sjis("Ａｂ１！")), "ab1!");
  EXPECT_EQ(FoldText(Sjis("ＡＢＣ")), "abc");
  EXPECT_EQ(FoldText("Hello, World"), "hello, world");
  EXPECT_EQ(FoldText(Sjis("０９")), "09");
}

TEST(FoldText, KanaOfEveryKindFoldsToUnvoicedHalfWidth) {
  const std::string expected = Sjis("ｶﾂｺｳ");
  EXPECT_EQ(FoldText(Sjis("がっこう")), expected);
  EXPECT_EQ(FoldText(Sjis("ガッコウ")), expected);
  EXPECT_EQ(FoldText(Sjis("ｶﾞｯｺｳ")), expected);
  EXPECT_EQ(FoldText(Sjis("パ")), Sjis("ﾊ"));
  EXPECT_EQ(FoldText(Sjis("ぢづゐゑをヰヱヲ")), Sjis("ﾁﾂｲｴｦｲｴｦ"));
  EXPECT_EQ(FoldText(Sjis("ゃュｮ")), Sjis("ﾔﾕﾖ"));
}

TEST(FoldText, VoicingMarksVanishButTheHalfWidthSemiVoicedMarkStays) {
  EXPECT_EQ(FoldText(Sjis("゛゜")), "");
  EXPECT_EQ(FoldText(Sjis("ﾊﾟ")), Sjis("ﾊﾟ"));
}

TEST(FoldText, SymbolsFoldToTheirPlainForms) {
  EXPECT_EQ(FoldText(Sjis("【ａ】「ｂ」")), std::string("(a)") + Sjis("｢b｣"));
  EXPECT_EQ(FoldText(Sjis("★●◎※")), Sjis("☆○○*"));
  EXPECT_EQ(FoldText("\x81\x60\x81\x7c"), "--");  // wave dash and full-width minus by code
  EXPECT_EQ(FoldText("[x]{y}"), "(x)(y)");
}

TEST(FoldText, KanjiAndUnlistedCharactersStay) {
  EXPECT_EQ(FoldText(Sjis("漢字ｱ")), Sjis("漢字ｱ"));
  EXPECT_EQ(FoldText(""), "");
}

TEST(FoldText, LeadByteAtTheEndStaysOneByte) {
  EXPECT_EQ(FoldText(std::string("A\x82", 2)), std::string("a\x82", 2));
}

TEST(FoldText, AppendsToWhatTheOutputHeld) {
  std::string out = "x";
  FoldText(Sjis("Ｙ"), out);
  EXPECT_EQ(out, "xy");
}

}  // namespace
