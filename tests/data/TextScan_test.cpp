#include "data/TextScan.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace {

using vx::NextSjisChar;
using vx::NextTabField;

TEST(NextSjisChar, ReadsSingleAndDoubleByteCharacters) {
  std::string_view rest = "a\x82\xa0\xb1";  // 'a', hiragana a, half-width katakana a
  EXPECT_EQ(NextSjisChar(rest), 'a');
  EXPECT_EQ(NextSjisChar(rest), 0x82A0);
  EXPECT_EQ(NextSjisChar(rest), 0xB1);
  EXPECT_TRUE(rest.empty());
  EXPECT_EQ(NextSjisChar(rest), 0);
  EXPECT_TRUE(rest.empty());
}

TEST(NextSjisChar, LeadByteAtTheEndIsOneCharacterAndNeverReadsBeyond) {
  const char buffer[] = "x\x82" "\0" "\x9f";  // bytes past the view must stay unread
  std::string_view rest(buffer, 2);
  EXPECT_EQ(NextSjisChar(rest), 'x');
  EXPECT_EQ(NextSjisChar(rest), 0x82);
  EXPECT_TRUE(rest.empty());
}

TEST(CutAtLineEnd, StopsAtTheFirstCrOrLf) {
  EXPECT_EQ(vx::CutAtLineEnd("abc\r\ndef"), "abc");
  EXPECT_EQ(vx::CutAtLineEnd("abc\ndef\r"), "abc");
  EXPECT_EQ(vx::CutAtLineEnd("no end"), "no end");
  EXPECT_EQ(vx::CutAtLineEnd("\r"), "");
}

TEST(NextTabField, SplitsFieldsThenAnswersEmptyFieldsForever) {
  std::string_view rest = "first\tsecond";
  EXPECT_EQ(NextTabField(rest), "first");
  EXPECT_EQ(NextTabField(rest), "second");
  EXPECT_EQ(NextTabField(rest), "");
  EXPECT_EQ(NextTabField(rest), "");
}

TEST(NextTabField, ConsecutiveTabsGiveEmptyFields) {
  std::string_view rest = "a\t\tc\t";
  EXPECT_EQ(NextTabField(rest), "a");
  EXPECT_EQ(NextTabField(rest), "");
  EXPECT_EQ(NextTabField(rest), "c");
  EXPECT_EQ(NextTabField(rest), "");
  EXPECT_TRUE(rest.empty());
}

TEST(NextTabField, LoneLeadByteBeforeTabKeepsTheFieldsApart) {
  std::string_view rest = "ab\x82\tnext";
  EXPECT_EQ(NextTabField(rest), "ab\x82");
  EXPECT_EQ(NextTabField(rest), "next");
}

TEST(FormatInt, WritesDecimal) {
  EXPECT_EQ(vx::FormatInt(0), "0");
  EXPECT_EQ(vx::FormatInt(-42), "-42");
  EXPECT_EQ(vx::FormatInt(2147483647), "2147483647");
}

}  // namespace
