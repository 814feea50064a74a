#include "platform/Sjis.h"

#include <gtest/gtest.h>

namespace {

TEST(Sjis, LeadBytesCoverBothRangesAndNotHalfWidthKatakana) {
  for (int c : {0x81, 0x9F, 0xE0, 0xFC}) EXPECT_TRUE(vx::IsSjisLeadByte(c)) << c;
  for (int c : {0x40, 0x80, 0xA0, 0xDF, 0xFD}) EXPECT_FALSE(vx::IsSjisLeadByte(c)) << c;
}

TEST(Sjis, CharLengthCountsAPairAndALoneLeadByteAtTheEnd) {
  const char text[] =
      "a\x82\xa0"
      "b";
  const char cut[] = "a\x82";
  EXPECT_EQ(vx::SjisCharLength(cut, 1), 1u);
  EXPECT_EQ(vx::SjisCharLength(text, 1), 2u);
}

TEST(Sjis, BoundedCopyAndTruncateNeverSplitAPair) {
  char out[5] = "xxxx";
  EXPECT_EQ(vx::SjisCopyBounded(out, "abc", 0), 0u);
  EXPECT_EQ(out[0], 'x');
  EXPECT_EQ(vx::SjisCopyBounded(out, "ab\x82\xa0", 4), 2u);
  EXPECT_STREQ(out, "ab");
  EXPECT_EQ(vx::SjisCopyBounded(out, "ab\x82\xa0", 5), 4u);
  EXPECT_STREQ(out, "ab\x82\xa0");
  EXPECT_EQ(vx::SjisCopyBounded(out, "abc", 1), 0u);
  EXPECT_EQ(out[0], '\0');
  EXPECT_EQ(vx::SjisTruncate("ab\x82\xa0"
                             "c",
                             3),
            "ab");
  EXPECT_EQ(vx::SjisTruncate("ab\x82\xa0"
                             "c",
                             4),
            "ab\x82\xa0");
  EXPECT_EQ(vx::SjisTruncate("ab\x82", 10), "ab\x82");
}

}  // namespace
