#include "data/images/PngDecoder.h"

#include <gtest/gtest.h>

#include "data/images/OctetReader.h"
#include "tests/data/images/TestPictures.h"

namespace vx {
namespace {

using namespace std::string_literals;
using vxtest::Png;
using Bgr = std::array<std::uint8_t, 3>;

// The stored form in plain vectors: what a print page image is made of.
struct StoredPicture final : PngPixelTarget {
  PngLayout Layout() const override { return PngLayout::kStored; }
  bool Allocate(const PngShape& s, std::vector<std::uint8_t*>& rows) override {
    shape = s;
    pixels.assign(std::size_t{s.width} * s.height * (s.colour ? 3 : 1), 0);
    for (std::uint32_t y = 0; y < s.height; ++y) {
      rows.push_back(pixels.data() + std::size_t{y} * s.width * (s.colour ? 3 : 1));
    }
    return true;
  }
  PngShape shape;
  std::vector<std::uint8_t> pixels;
};

PngDecodeResult DecodeStored(const std::string& bytes, StoredPicture& picture,
                             PictureLimits limits = {64, 4096}) {
  OctetReader reader(bytes);
  return DecodePng(reader, limits, picture);
}

TEST(PngStoredLayoutTest, GreyKeepsItsIndicesWithTheLevelsOfItsStoredDepth) {
  StoredPicture oneBit;
  ASSERT_EQ(DecodeStored(Png(9, 1, 1, 0, {"\xB0\x80"}), oneBit), PngDecodeResult::kDecoded);
  EXPECT_FALSE(oneBit.shape.colour);
  EXPECT_EQ(oneBit.pixels, (std::vector<std::uint8_t>{1, 0, 1, 1, 0, 0, 0, 0, 1}));
  // Index 1 of a 1-bit picture is white, though its indices are widened to bytes.
  EXPECT_EQ(oneBit.shape.palette, (std::vector<Bgr>{{0, 0, 0}, {255, 255, 255}}));

  StoredPicture sixteenBit;
  ASSERT_EQ(DecodeStored(Png(2, 1, 16, 0, {"\x12\x34\xFF\xFF"}), sixteenBit),
            PngDecodeResult::kDecoded);
  EXPECT_EQ(sixteenBit.pixels, (std::vector<std::uint8_t>{0x12, 0xFF}));
  ASSERT_EQ(sixteenBit.shape.palette.size(), 256u);
  EXPECT_EQ(sixteenBit.shape.palette[0x12], (Bgr{0x12, 0x12, 0x12}));
}

TEST(PngStoredLayoutTest, PaletteArrivesBlueFirstAndColourLosesItsAlpha) {
  StoredPicture paletted;
  ASSERT_EQ(
      DecodeStored(Png(2, 1, 8, 3, {"\1\0"s}, vxtest::PngChunk("PLTE", "\1\2\3\4\5\6"s)), paletted),
      PngDecodeResult::kDecoded);
  EXPECT_EQ(paletted.pixels, (std::vector<std::uint8_t>{1, 0}));
  EXPECT_EQ(paletted.shape.palette, (std::vector<Bgr>{{3, 2, 1}, {6, 5, 4}}));

  StoredPicture rgba;
  ASSERT_EQ(DecodeStored(Png(1, 1, 8, 6, {"\x0A\x14\x1E\x80"}), rgba), PngDecodeResult::kDecoded);
  EXPECT_TRUE(rgba.shape.colour);
  EXPECT_EQ(rgba.pixels, (std::vector<std::uint8_t>{0x1E, 0x14, 0x0A}));
}

TEST(PngStoredLayoutTest, LimitsAndDamageRefuseBeforeThePixels) {
  StoredPicture wide;
  EXPECT_EQ(DecodeStored(Png(65, 1, 8, 0, {std::string(65, '\0')}), wide),
            PngDecodeResult::kFailed);
  EXPECT_TRUE(wide.pixels.empty());
  StoredPicture many;
  EXPECT_EQ(DecodeStored(Png(64, 64, 8, 0, std::vector<std::string>(64, std::string(64, '\0'))),
                         many, {64, 4095}),
            PngDecodeResult::kFailed);
  EXPECT_TRUE(many.pixels.empty());
  StoredPicture notPng;
  EXPECT_EQ(DecodeStored("GIF89a", notPng), PngDecodeResult::kNotPng);
  std::string cut = Png(4, 4, 8, 2, std::vector<std::string>(4, std::string(12, '\x7F')));
  cut.resize(cut.size() - 20);
  StoredPicture truncated;
  EXPECT_EQ(DecodeStored(cut, truncated), PngDecodeResult::kFailed);
}

}  // namespace
}  // namespace vx
