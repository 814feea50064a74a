#include "platform/Base64.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace {

TEST(Base64, Rfc4648VectorsAndEveryByteValue) {
  std::string allBytes;
  for (int i = 0; i < 256; ++i) allBytes += static_cast<char>(i);
  const std::pair<std::string, std::string> vectors[] = {{"", ""},
                                                         {"f", "Zg=="},
                                                         {"fo", "Zm8="},
                                                         {"foo", "Zm9v"},
                                                         {"foob", "Zm9vYg=="},
                                                         {"fooba", "Zm9vYmE="},
                                                         {"foobar", "Zm9vYmFy"},
                                                         {"\xFB\xFF\xBF", "+/+/"}};
  for (const auto& [bytes, text] : vectors) {
    EXPECT_EQ(vx::Base64Encode(bytes), text);
    EXPECT_EQ(vx::Base64Decode(text), bytes);
    EXPECT_EQ(vx::Base64DecodedLength(text), bytes.size());
  }
  EXPECT_EQ(vx::Base64Decode(vx::Base64Encode(allBytes)), allBytes);
}

TEST(Base64, WhitespaceIsIgnoredAndMalformedTextRejected) {
  EXPECT_EQ(vx::Base64Decode(" Zm9v\r\nYmE=\n"), "fooba");
  EXPECT_EQ(vx::Base64Decode("Zm\t9v Y g = ="), "foob");
  for (const std::string bad : {"Zm9v!mFy", "Zm9v-_Fy", "Zm9\xC3\xA9", "Zg", "Zm9vY",
                                "Z===", "====", "Zg==Zm8=", "Z=g=", "Zm9v=", "Zh=="}) {
    EXPECT_EQ(vx::Base64Decode(bad), std::nullopt) << bad;
  }
  EXPECT_EQ(vx::Base64Decode(std::string("Zm9\0", 4)), std::nullopt);
}

}  // namespace
