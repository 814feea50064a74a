#include "platform/Sjis.h"

#include <gtest/gtest.h>

#include <cstring>

#include "platform/UiServices.h"

namespace {

TEST(SjisLeadByte, CoversBothCp932Ranges) {
  EXPECT_FALSE(vx::IsSjisLeadByte(0x80));
  EXPECT_TRUE(vx::IsSjisLeadByte(0x81));
  EXPECT_TRUE(vx::IsSjisLeadByte(0x9F));
  EXPECT_FALSE(vx::IsSjisLeadByte(0xA0));
  EXPECT_FALSE(vx::IsSjisLeadByte(0xDF));  // half-width katakana are single bytes
  EXPECT_TRUE(vx::IsSjisLeadByte(0xE0));
  EXPECT_TRUE(vx::IsSjisLeadByte(0xFC));
  EXPECT_FALSE(vx::IsSjisLeadByte(0xFD));
}

TEST(SjisNext, StepsOverDoubleByteAndStopsAtTerminator) {
  const char text[] = "a\x82\xa0" "b";
  const char* p = vx::SjisNext(text);
  EXPECT_EQ(p, text + 1);
  p = vx::SjisNext(p);
  EXPECT_EQ(p, text + 3);
  p = vx::SjisNext(p);
  EXPECT_EQ(*p, '\0');
  EXPECT_EQ(vx::SjisNext(p), p);
}

TEST(SjisNext, LoneLeadByteBeforeTerminatorNeverSkipsIt) {
  const char text[] = "a\x82";
  const char* p = vx::SjisNext(text + 1);
  EXPECT_EQ(p, text + 2);
  EXPECT_EQ(*p, '\0');
}

TEST(SjisCopyBounded, NeverSplitsADoubleByteCharacter) {
  char out[4];
  std::memset(out, 'x', sizeof out);
  EXPECT_EQ(vx::SjisCopyBounded(out, "ab\x82\xa0", sizeof out), 2u);
  EXPECT_STREQ(out, "ab");

  char fits[5];
  EXPECT_EQ(vx::SjisCopyBounded(fits, "ab\x82\xa0", sizeof fits), 4u);
  EXPECT_STREQ(fits, "ab\x82\xa0");
}

TEST(SjisCopyBounded, ZeroAndOneByteDestinations) {
  char one[1] = {'x'};
  EXPECT_EQ(vx::SjisCopyBounded(one, "abc", 1), 0u);
  EXPECT_EQ(one[0], '\0');
  EXPECT_EQ(vx::SjisCopyBounded(one, "abc", 0), 0u);
}

TEST(SjisTruncate, CutsBeforeTheCharacterThatDoesNotFit) {
  EXPECT_EQ(vx::SjisTruncate("ab\x82\xa0" "c", 3), "ab");
  EXPECT_EQ(vx::SjisTruncate("ab\x82\xa0" "c", 4), "ab\x82\xa0");
  EXPECT_EQ(vx::SjisTruncate("ab\x82", 10), "ab\x82");  // lone lead byte kept as data
}

TEST(OpenableUrl, OnlyWebAndMailSchemes) {
  EXPECT_TRUE(vx::IsOpenableUrl("http://example.com/"));
  EXPECT_TRUE(vx::IsOpenableUrl("HTTPS://example.com/"));
  EXPECT_TRUE(vx::IsOpenableUrl("mailto:someone@example.com"));
  EXPECT_FALSE(vx::IsOpenableUrl("file:///etc/passwd"));
  EXPECT_FALSE(vx::IsOpenableUrl("javascript:alert(1)"));
  EXPECT_FALSE(vx::IsOpenableUrl("/usr/bin/xterm"));
  EXPECT_FALSE(vx::IsOpenableUrl(""));
}

}  // namespace
