#include "data/images/PngBitmap.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QColor>

#include "data/images/FileReader.h"
#include "data/images/OctetReader.h"
#include "tests/data/images/TestPictures.h"
#include "tests/support/TempDir.h"

namespace vx {
namespace {

using vxtest::PngRecipe;
using vxtest::WritePng;

// The four bytes of pixel (x, y) as they lie in memory.
std::array<int, 4> PixelBytes(const QImage& image, int x, int y) {
  const uchar* p = image.constScanLine(y) + 4 * x;
  return {p[0], p[1], p[2], p[3]};
}

using Bgra = std::array<int, 4>;

TEST(PngDecodeTest, PaletteWithTransparencyArrivesAsBgra) {
  PngRecipe recipe;
  recipe.width = 3;
  recipe.colorType = PNG_COLOR_TYPE_PALETTE;
  recipe.palette = {{255, 0, 0}, {0, 0, 255}, {10, 20, 30}};
  recipe.transparency = {0x80, 0x00};  // entry 2 stays opaque
  recipe.rows = {std::string{0, 1, 2}};
  const QImage image = LoadImageFromMemory(WritePng(recipe));
  ASSERT_FALSE(image.isNull());
  EXPECT_EQ(image.format(), QImage::Format_ARGB32);
  EXPECT_EQ(PixelBytes(image, 0, 0), (Bgra{0, 0, 255, 0x80}));
  EXPECT_EQ(PixelBytes(image, 1, 0), (Bgra{255, 0, 0, 0}));
  EXPECT_EQ(PixelBytes(image, 2, 0), (Bgra{30, 20, 10, 255}));
}

TEST(PngDecodeTest, SixteenBitGreyIsStrippedAndExpanded) {
  PngRecipe recipe;
  recipe.width = 2;
  recipe.colorType = PNG_COLOR_TYPE_GRAY;
  recipe.bitDepth = 16;
  recipe.rows = {std::string{char(0x12), char(0x34), char(0xFF), char(0xFF)}};
  const QImage image = LoadImageFromMemory(WritePng(recipe));
  ASSERT_FALSE(image.isNull());
  EXPECT_EQ(image.format(), QImage::Format_RGB32);
  EXPECT_EQ(PixelBytes(image, 0, 0), (Bgra{0x12, 0x12, 0x12, 0xFF}));
  EXPECT_EQ(PixelBytes(image, 1, 0), (Bgra{0xFF, 0xFF, 0xFF, 0xFF}));
}

TEST(PngDecodeTest, OneBitGreyIsExpandedToFullIntensity) {
  PngRecipe recipe;
  recipe.width = 9;  // nine pixels: the row spills into a second byte
  recipe.colorType = PNG_COLOR_TYPE_GRAY;
  recipe.bitDepth = 1;
  recipe.rows = {std::string{char(0b10110000), char(0b10000000)}};
  const QImage image = LoadImageFromMemory(WritePng(recipe));
  ASSERT_EQ(image.size(), QSize(9, 1));
  const int expected[9] = {255, 0, 255, 255, 0, 0, 0, 0, 255};
  for (int x = 0; x < 9; ++x) {
    EXPECT_EQ(PixelBytes(image, x, 0), (Bgra{expected[x], expected[x], expected[x], 255}))
        << "pixel " << x;
  }
}

TEST(PngDecodeTest, GreyWithAlphaAndRgbaKeepTheirAlpha) {
  PngRecipe grey;
  grey.width = 1;
  grey.colorType = PNG_COLOR_TYPE_GRAY_ALPHA;
  grey.rows = {std::string{char(0x40), char(0x90)}};
  const QImage g = LoadImageFromMemory(WritePng(grey));
  ASSERT_FALSE(g.isNull());
  EXPECT_EQ(g.format(), QImage::Format_ARGB32);
  EXPECT_EQ(PixelBytes(g, 0, 0), (Bgra{0x40, 0x40, 0x40, 0x90}));

  PngRecipe rgba;
  rgba.colorType = PNG_COLOR_TYPE_RGB_ALPHA;
  rgba.rows = {std::string{1, 2, 3, 4}};
  EXPECT_EQ(PixelBytes(LoadImageFromMemory(WritePng(rgba)), 0, 0), (Bgra{3, 2, 1, 4}));
}

TEST(PngDecodeTest, InterlacedPictureDecodesEveryPass) {
  PngRecipe recipe;
  recipe.width = 9;
  recipe.height = 9;
  recipe.interlaced = true;
  for (int y = 0; y < 9; ++y) {
    std::string row;
    for (int x = 0; x < 9; ++x) row += {char(x * 20), char(y * 20), char(x + y)};
    recipe.rows.push_back(row);
  }
  const QImage image = LoadImageFromMemory(WritePng(recipe));
  ASSERT_EQ(image.size(), QSize(9, 9));
  for (int y = 0; y < 9; ++y) {
    for (int x = 0; x < 9; ++x) {
      ASSERT_EQ(PixelBytes(image, x, y), (Bgra{x + y, y * 20, x * 20, 255})) << x << "," << y;
    }
  }
}

TEST(PngDecodeTest, TruncatedDataFailsInsteadOfDecodingGarbage) {
  const std::string png = vxtest::SolidRgbPng(64, 64, 200, 100, 50);
  for (std::size_t keep : {std::size_t{8}, std::size_t{30}, png.size() / 2, png.size() - 13}) {
    OctetReader reader(std::string_view(png).substr(0, keep));
    EXPECT_TRUE(DecodePng(reader).isNull()) << "kept " << keep << " bytes";
    EXPECT_TRUE(LoadImageFromMemory(std::string_view(png).substr(0, keep)).isNull());
  }
}

TEST(PngDecodeTest, AbsurdDimensionsFailCleanly) {
  const std::string png = vxtest::SolidRgbPng(4, 4, 1, 2, 3);
  // Beyond the side limit: refused while reading the header.
  EXPECT_TRUE(LoadImageFromMemory(vxtest::WithHeaderSize(png, 100000, 100000)).isNull());
  EXPECT_TRUE(LoadImageFromMemory(vxtest::WithHeaderSize(png, 0x7FFFFFFF, 1)).isNull());
  // Each side allowed, but far too many pixels in all: refused before allocating.
  EXPECT_TRUE(LoadImageFromMemory(vxtest::WithHeaderSize(png, 19000, 19000)).isNull());
  // Sane size, data too short for it.
  EXPECT_TRUE(LoadImageFromMemory(vxtest::WithHeaderSize(png, 400, 400)).isNull());
  EXPECT_FALSE(LoadImageFromMemory(png).isNull());
}

std::string JpegBytes(int width, int height, QColor colour) {
  QImage source(width, height, QImage::Format_RGB32);
  source.fill(colour);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  EXPECT_TRUE(source.save(&buffer, "JPG", 95));
  return bytes.toStdString();
}

TEST(ImageFallbackTest, JpegInAPngFileLoadsThroughQt) {
  vxtest::TempDir dir;
  const auto path = dir / "000123.PNG";
  vxtest::WriteFileBytes(path, JpegBytes(40, 30, QColor(0, 0, 250)));
  const QImage image = LoadImageFile(path);
  ASSERT_EQ(image.size(), QSize(40, 30));
  EXPECT_EQ(image.format(), QImage::Format_RGB32);
  const Bgra pixel = PixelBytes(image, 20, 15);
  EXPECT_GT(pixel[0], 200);  // blue first in memory
  EXPECT_LT(pixel[2], 40);

  EXPECT_EQ(LoadImageFromMemory(JpegBytes(8, 8, Qt::white)).size(), QSize(8, 8));
}

TEST(ImageFallbackTest, MissingFileAndGarbageGiveNullPictures) {
  vxtest::TempDir dir;
  EXPECT_TRUE(LoadImageFile(dir / "absent.PNG").isNull());
  vxtest::WriteFileBytes(dir / "junk.PNG", "this is not a picture at all");
  EXPECT_TRUE(LoadImageFile(dir / "junk.PNG").isNull());
  EXPECT_TRUE(LoadImageFromMemory("").isNull());
  EXPECT_TRUE(LoadImageFromMemory("\x89PNG").isNull());
}

TEST(ReaderTest, ReadersReportHowMuchTheyGave) {
  OctetReader octets("abcdef");
  char buffer[8] = {};
  EXPECT_EQ(octets.Read(buffer, 4), 4u);
  EXPECT_EQ(octets.Read(buffer, 4), 2u);
  EXPECT_EQ(std::string(buffer, 2), "ef");
  EXPECT_EQ(octets.Read(buffer, 4), 0u);

  vxtest::TempDir dir;
  vxtest::WriteFileBytes(dir / "f", "xyz");
  FileReader file(dir / "f");
  ASSERT_TRUE(file.IsOpen());
  EXPECT_EQ(file.Read(buffer, 8), 3u);
  EXPECT_EQ(file.Read(buffer, 8), 0u);
  FileReader missing(dir / "none");
  EXPECT_FALSE(missing.IsOpen());
  EXPECT_EQ(missing.Read(buffer, 8), 0u);
}

}  // namespace
}  // namespace vx
