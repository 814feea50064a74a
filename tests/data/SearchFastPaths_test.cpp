// The folding and page descrambling that every row of a search goes through work on raw buffers
// for speed; these tests hold them to the plain one-character, one-byte definitions.
#include "data/ScrambleVfs.h"
#include "data/TextFold.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <numeric>
#include <string>
#include <vector>

namespace {

// The fold of one character code by its definition: the table entry, written high byte first.
std::string FoldOfCode(unsigned code) {
  const std::uint16_t folded = vx::GetTextFoldTable()[code];
  std::string out;
  if (folded >= 256) out.push_back(static_cast<char>(folded >> 8));
  if (folded != 0) out.push_back(static_cast<char>(folded & 0xFF));
  return out;
}

bool IsLead(unsigned byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

TEST(SearchFold, EveryCharacterFoldsByItsTableEntry) {
  for (unsigned lead = 0; lead < 256; ++lead) {
    if (!IsLead(lead)) {
      ASSERT_EQ(vx::FoldText(std::string(1, static_cast<char>(lead))), FoldOfCode(lead)) << lead;
      continue;
    }
    for (unsigned trail = 0; trail < 256; ++trail) {
      const std::string text{static_cast<char>(lead), static_cast<char>(trail)};
      ASSERT_EQ(vx::FoldText(text), FoldOfCode(lead << 8 | trail)) << lead << " " << trail;
    }
  }
}

TEST(SearchFold, LongMixedTextFoldsCharacterByCharacterAfterWhatWasThere) {
  // Every single byte and a run of double-byte characters, ending in a lone lead byte.
  std::string text;
  std::string expected = "kept";
  for (unsigned b = 1; b < 256; ++b) {
    if (IsLead(b)) continue;
    text.push_back(static_cast<char>(b));
    expected += FoldOfCode(b);
  }
  for (unsigned code = 0x8240; code < 0x8400; code += 3) {
    if ((code & 0xFF) < 0x40) continue;
    text.push_back(static_cast<char>(code >> 8));
    text.push_back(static_cast<char>(code & 0xFF));
    expected += FoldOfCode(code);
  }
  text.push_back('\x83');
  expected.push_back('\x83');
  std::string out = "kept";
  vx::FoldText(text, out);
  EXPECT_EQ(out, expected);
}

TEST(SearchScramble, UnalignedSpansMatchTheBytewiseKey) {
  constexpr char kKey[] = "qzmvtrkbwplhsdnc";  // and a zero byte as the seventeenth
  for (const std::int64_t offset : {0LL, 5LL, 1020LL, 3 * 1024LL + 1000}) {
    std::vector<std::uint8_t> bytes(2100);
    std::iota(bytes.begin(), bytes.end(), 0);
    const std::vector<std::uint8_t> plain = bytes;
    vx::ScrambleBytes(bytes.data(), bytes.size(), offset);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
      const std::size_t inPage =
          static_cast<std::size_t>(offset + static_cast<std::int64_t>(i)) % 1024;
      const auto key = static_cast<std::uint8_t>(kKey[inPage % 17]);
      ASSERT_EQ(bytes[i], plain[i] ^ key) << "offset " << offset << " byte " << i;
    }
    vx::ScrambleBytes(bytes.data(), bytes.size(), offset);
    EXPECT_EQ(bytes, plain);
  }
}

}  // namespace
