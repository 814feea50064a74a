#include "platform/Base64.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Vector {
  std::string bytes;
  std::string text;
};

class Base64Vectors : public testing::TestWithParam<Vector> {};

TEST_P(Base64Vectors, EncodeAndDecodeMatch) {
  const Vector& v = GetParam();
  EXPECT_EQ(vx::Base64Encode(v.bytes), v.text);
  EXPECT_EQ(vx::Base64Decode(v.text), v.bytes);
  EXPECT_EQ(vx::Base64DecodedLength(v.text), v.bytes.size());
}

INSTANTIATE_TEST_SUITE_P(Rfc4648, Base64Vectors,
                         testing::Values(Vector{"", ""}, Vector{"f", "Zg=="},
                                         Vector{"fo", "Zm8="}, Vector{"foo", "Zm9v"},
                                         Vector{"foob", "Zm9vYg=="}, Vector{"fooba", "Zm9vYmE="},
                                         Vector{"foobar", "Zm9vYmFy"}, Vector{"Man", "TWFu"}));

TEST(Base64, EveryByteValueRoundTrips) {
  std::string bytes;
  for (int i = 0; i < 256; ++i) bytes += static_cast<char>(i);
  const std::string text = vx::Base64Encode(bytes);
  EXPECT_EQ(text.size(), 344u);
  EXPECT_EQ(text.find_first_not_of(
                "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/="),
            std::string::npos);
  EXPECT_EQ(vx::Base64Decode(text), bytes);
  EXPECT_EQ(vx::Base64DecodedLength(text), bytes.size());
}

TEST(Base64, HighAlphabetCharacters) {
  EXPECT_EQ(vx::Base64Encode("\xFB\xFF\xBF"), "+/+/");
  EXPECT_EQ(vx::Base64Decode("+/+/"), "\xFB\xFF\xBF");
}

TEST(Base64, WhitespaceIsIgnored) {
  EXPECT_EQ(vx::Base64Decode(" Zm9v\r\nYmE=\n"), "fooba");
  EXPECT_EQ(vx::Base64Decode("Zm\t9v Y g = ="), "foob");
  EXPECT_EQ(vx::Base64DecodedLength(" Zm9v\r\nYmE=\n"), 5u);
  EXPECT_EQ(vx::Base64Decode(" \r\n"), "");
}

TEST(Base64, InvalidCharactersAreRejected) {
  EXPECT_EQ(vx::Base64Decode("Zm9v!mFy"), std::nullopt);
  EXPECT_EQ(vx::Base64Decode("Zm9v-_Fy"), std::nullopt);  // URL-safe alphabet is not accepted
  EXPECT_EQ(vx::Base64Decode(std::string("Zm9\0", 4)), std::nullopt);
  EXPECT_EQ(vx::Base64Decode("Zm9\xC3\xA9"), std::nullopt);
}

TEST(Base64, BadPaddingIsRejected) {
  EXPECT_EQ(vx::Base64Decode("Zg"), std::nullopt);         // missing padding
  EXPECT_EQ(vx::Base64Decode("Zm9vY"), std::nullopt);      // length not a multiple of four
  EXPECT_EQ(vx::Base64Decode("Z==="), std::nullopt);       // three pad characters
  EXPECT_EQ(vx::Base64Decode("===="), std::nullopt);
  EXPECT_EQ(vx::Base64Decode("Zg==Zm8="), std::nullopt);   // padding before the end
  EXPECT_EQ(vx::Base64Decode("Z=g="), std::nullopt);       // pad between characters
  EXPECT_EQ(vx::Base64Decode("Zm9v="), std::nullopt);
}

}  // namespace
