#include "print/DibImage.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QImage>
#include <array>
#include <cstring>
#include <set>
#include <tuple>

#include "platform/CodePage.h"
#include "print/DibImageQt.h"
#include "print/PrintTextDrawer.h"
#include "print/QtPrintTextDrawer.h"
#include "tests/support/PipeGuard.h"
#include "tests/support/TempDir.h"

namespace vxtest {
namespace {

using vx::DibImage;
using vx::DibImagePtr;

using Bgr = std::array<int, 3>;

Bgr At(const DibImage& image, int x, int y) {
  const std::uint8_t* p = vx::DibImage_GetRow(image, y) + 3 * x;
  return {p[0], p[1], p[2]};
}

void Put(DibImage& image, int x, int y, Bgr c) {
  std::uint8_t* p = vx::DibImage_GetRow(image, y) + 3 * x;
  for (int i = 0; i < 3; ++i) p[i] = static_cast<std::uint8_t>(c[static_cast<std::size_t>(i)]);
}

DibImagePtr Filled(int width, int height, int grey) {
  DibImagePtr image = vx::DibImage_Create(24, width, height);
  vx::DibImage_FillRect(*image, 0, 0, width, height, grey, grey, grey, vx::kDibSet);
  return image;
}

TEST(DibImageTest, CreateLaysOutAPackedBitmap) {
  DibImagePtr grey = vx::DibImage_Create(8, 10, 2);
  ASSERT_NE(grey, nullptr);
  EXPECT_EQ(grey->block.size(), 40u + 1024u + 12u * 2u);
  EXPECT_EQ(vx::DibImage_Header(*grey).sizeImage, 20u);
  EXPECT_EQ(vx::DibImage_Header(*grey).clrUsed, 256u);
  // Row 0 (the top) is stored last.
  EXPECT_EQ(vx::DibImage_GetRow(*grey, 0), vx::DibImage_GetBits(*grey) + 12);

  DibImagePtr colour = vx::DibImage_Create(24, 3, 2);
  ASSERT_NE(colour, nullptr);
  EXPECT_EQ(vx::DibImage_Stride(*colour), 12);
  EXPECT_EQ(vx::DibImage_Header(*colour).sizeImage, 18u);
  EXPECT_EQ(colour->block.size(), 40u + 24u);

  for (auto [bits, w, h] : {std::tuple{16, 4, 4}, {24, 0, 4}, {8, 4, -1}, {24, 20001, 1}}) {
    EXPECT_EQ(vx::DibImage_Create(bits, w, h), nullptr) << bits << " " << w << "x" << h;
  }
}

TEST(DibImageTest, FillCombinesEachChannelByMode) {
  struct Case {
    int mode;
    int colour;
    int before;
    int after;
  };
  for (const Case c : {Case{50, 0, 5, 3},
                       {103, 50, 5, 2},
                       {101, 10, 250, 255},
                       {102, 10, 5, 0},
                       {104, 128, 200, 100},
                       {100, 7, 200, 7},
                       {0, 0, 77, 77},
                       {99, 255, 0, 252},
                       {105, 9, 40, 40}}) {
    DibImagePtr image = Filled(2, 2, c.before);
    vx::DibImage_FillRect(*image, 0, 0, 1, 1, c.colour, c.colour, c.colour, c.mode);
    EXPECT_EQ(At(*image, 0, 0), (Bgr{c.after, c.after, c.after})) << "mode " << c.mode;
    EXPECT_EQ(At(*image, 1, 1), (Bgr{c.before, c.before, c.before})) << "mode " << c.mode;
  }
}

TEST(DibImageTest, FillTakesChannelsInBlueGreenRedOrderAndClips) {
  DibImagePtr image = Filled(3, 3, 0);
  vx::DibImage_FillRect(*image, 2, 2, -4, -1, 10, 20, 30, vx::kDibSet);  // covers x 0..1, y 1
  EXPECT_EQ(At(*image, 0, 1), (Bgr{30, 20, 10}));
  EXPECT_EQ(At(*image, 1, 1), (Bgr{30, 20, 10}));
  EXPECT_EQ(At(*image, 2, 1), (Bgr{0, 0, 0}));
  EXPECT_EQ(At(*image, 0, 2), (Bgr{0, 0, 0}));
  vx::DibImage_FillRect(*image, 5, 5, 10, 10, 255, 255, 255, vx::kDibSet);  // entirely outside

  DibImagePtr grey = vx::DibImage_Create(8, 4, 1);
  vx::DibImage_FillRect(*grey, -1, 0, 3, 1, 9, 200, 200, 50);
  EXPECT_EQ(vx::DibImage_GetRow(*grey, 0)[1], 9);
  EXPECT_EQ(vx::DibImage_GetRow(*grey, 0)[2], 0);
}

TEST(DibImageTest, FramesAndInversion) {
  DibImagePtr image = Filled(5, 4, 255);
  vx::DibImage_FrameRectColor(*image, 0, 0, 5, 4, 2, 1, 2, 3);
  EXPECT_EQ(At(*image, 1, 1), (Bgr{3, 2, 1}));
  EXPECT_EQ(At(*image, 2, 2), (Bgr{3, 2, 1}));  // bands of 2 on a 4-pixel height meet
  EXPECT_EQ(At(*image, 2, 1), (Bgr{3, 2, 1}));
  DibImagePtr framed = Filled(4, 4, 255);
  vx::DibImage_FrameRect(*framed, 0, 0, 4, 4);
  EXPECT_EQ(At(*framed, 3, 2), (Bgr{0, 0, 0}));
  EXPECT_EQ(At(*framed, 1, 1), (Bgr{255, 255, 255}));
  vx::DibImage_InvertRect(*framed, 2, 2);
  EXPECT_EQ(At(*framed, 1, 1), (Bgr{0, 0, 0}));
  EXPECT_EQ(At(*framed, 0, 0), (Bgr{255, 255, 255}));
  EXPECT_EQ(At(*framed, 2, 2), (Bgr{255, 255, 255}));
}

TEST(DibImageTest, LinesCoverTheirLengthWithoutTheEndPointAndClip) {
  struct Case {
    int x, y, dx, dy;
    std::vector<std::pair<int, int>> drawn;
  };
  const Case cases[] = {
      {0, 0, 3, 0, {{0, 0}, {1, 0}, {2, 0}}},
      {0, 0, 3, 3, {{0, 0}, {1, 1}, {2, 2}}},
      {4, 0, -2, 4, {{4, 0}, {3, 1}, {3, 2}, {2, 3}}},
      {-2, 1, 4, 0, {{0, 1}, {1, 1}}},
      {0, 9, 5, 0, {}},
      {0, 0, 0, 0, {}},
  };
  for (const Case& c : cases) {
    DibImagePtr image = Filled(5, 5, 255);
    vx::DibImage_DrawLine(*image, c.x, c.y, c.dx, c.dy, 0, 0, 0, vx::kDibSet);
    std::set<std::pair<int, int>> drawn;
    for (int y = 0; y < 5; ++y) {
      for (int x = 0; x < 5; ++x) {
        if (At(*image, x, y)[0] == 0) drawn.emplace(x, y);
      }
    }
    EXPECT_EQ(drawn, std::set(c.drawn.begin(), c.drawn.end()))
        << c.x << "," << c.y << " " << c.dx << "," << c.dy;
  }
  DibImagePtr image = Filled(3, 1, 200);
  vx::DibImage_DrawLine(*image, 0, 0, 2, 0, 128, 128, 128, vx::kDibMultiply);
  EXPECT_EQ(At(*image, 1, 0), (Bgr{100, 100, 100}));
  vx::DibImage_DrawLine(*image, 0, 0, 3, 0, 0, 0, 0, 50);  // not a line mode
  EXPECT_EQ(At(*image, 2, 0), (Bgr{200, 200, 200}));
}

TEST(DibImageTest, BlitConvertsPalettesAndMultipliesMasks) {
  DibImagePtr mask = vx::DibImage_Create(8, 2, 1);
  std::uint8_t* palette = vx::DibImage_GetPalette(*mask);
  palette[4 * 7 + 2] = 250;  // index 7 is red
  vx::DibImage_GetRow(*mask, 0)[0] = 7;
  vx::DibImage_GetRow(*mask, 0)[1] = 128;
  DibImagePtr page = Filled(4, 2, 200);
  vx::DibImage_Blit(*page, 1, 1, 2, 1, *mask, 0, 0, vx::kDibSet);
  EXPECT_EQ(At(*page, 1, 1), (Bgr{0, 0, 250}));
  vx::DibImage_Blit(*page, -1, 0, 3, 1, *mask, 0, 0, vx::kDibMultiply);  // clipped at the left
  EXPECT_EQ(At(*page, 0, 0), (Bgr{100, 100, 100}));
  EXPECT_EQ(At(*page, 1, 0), (Bgr{200, 200, 200}));
  vx::DibImage_Blit(*mask, 0, 0, 1, 1, *page, 0, 0, vx::kDibSet);  // 8-bit destination: nothing
  EXPECT_EQ(vx::DibImage_GetRow(*mask, 0)[0], 7);
}

// A bitmap of a depth the library does not create, as BMP files may hold: one row of `bits`.
DibImagePtr OneRow(int bitCount, int width, const std::vector<std::uint8_t>& palette,
                   const std::vector<std::uint8_t>& row) {
  vx::DibHeader header;
  header.width = width;
  header.height = 1;
  header.bitCount = static_cast<std::uint16_t>(bitCount);
  header.clrUsed = static_cast<std::uint32_t>(palette.size() / 4);
  auto image = std::make_unique<DibImage>();
  image->block.resize(sizeof header);
  std::memcpy(image->block.data(), &header, sizeof header);
  image->block.insert(image->block.end(), palette.begin(), palette.end());
  image->block.insert(image->block.end(), row.begin(), row.end());
  image->block.resize(image->block.size() + (4 - row.size() % 4) % 4);
  return image;
}

TEST(DibImageTest, BlitReadsOneFourAndSixteenBitSources) {
  const std::vector<std::uint8_t> twoColours = {0, 0, 0, 0, 30, 20, 10, 0};
  struct Case {
    DibImagePtr source;
    Bgr third;  // pixel 2
  };
  Case cases[] = {
      {OneRow(1, 3, twoColours, {0b00100000}), {30, 20, 10}},
      {OneRow(4, 3, twoColours, {0x00, 0x10}), {30, 20, 10}},
      // 5-5-5: blue 1, green 2, red 3 (in eighths).
      {OneRow(16, 3, {}, {0, 0, 0, 0, 1 | (2 << 5), (2 >> 3) | (3 << 2)}), {8, 16, 24}},
  };
  for (Case& c : cases) {
    DibImagePtr page = Filled(3, 1, 99);
    vx::DibImage_Blit(*page, 0, 0, 3, 1, *c.source, 0, 0, vx::kDibSet);
    EXPECT_EQ(At(*page, 0, 0), (Bgr{0, 0, 0})) << vx::DibImage_BitCount(*c.source);
    EXPECT_EQ(At(*page, 2, 0), c.third) << vx::DibImage_BitCount(*c.source);
  }
  DibImagePtr turned = vx::DibImage_Rotate(*cases[0].source, 180);
  ASSERT_NE(turned, nullptr);
  EXPECT_EQ(vx::DibImage_GetRow(*turned, 0)[0], 0b10000000);  // pixel 2 went to pixel 0
  DibImagePtr upright = vx::DibImage_Rotate(*cases[0].source, 90);
  EXPECT_EQ(vx::DibImage_GetRow(*upright, 2)[0], 0b10000000);  // pixel 2 went to row 2
}

TEST(DibImageTest, TransparentCopySkipsBlackAndIndexZero) {
  DibImagePtr source = vx::DibImage_Create(24, 2, 1);
  Put(*source, 1, 0, {10, 10, 10});
  DibImagePtr page = Filled(2, 1, 5);
  vx::DibImage_BlitTransparent(vx::kDibAdd, *page, 5, 5, *source);
  EXPECT_EQ(At(*page, 0, 0), (Bgr{5, 5, 5}));
  EXPECT_EQ(At(*page, 1, 0), (Bgr{0, 0, 0}));  // max(0, 5 - 10)
  DibImagePtr light = Filled(2, 1, 250);
  vx::DibImage_BlitTransparent(vx::kDibSubtract, *light, 2, 1, *source);
  EXPECT_EQ(At(*light, 1, 0), (Bgr{255, 255, 255}));

  DibImagePtr indices = vx::DibImage_Create(8, 2, 1);
  vx::DibImage_GetRow(*indices, 0)[1] = 3;
  DibImagePtr target = vx::DibImage_Create(8, 2, 1);
  vx::DibImage_GetRow(*target, 0)[0] = 9;
  vx::DibImage_BlitTransparent(vx::kDibSet, *target, 2, 1, *indices);
  EXPECT_EQ(vx::DibImage_GetRow(*target, 0)[0], 9);
  EXPECT_EQ(vx::DibImage_GetRow(*target, 0)[1], 3);
}

TEST(DibImageTest, RotationMovesPixelsClockwiseOrRound) {
  DibImagePtr image = vx::DibImage_Create(24, 3, 2);
  Put(*image, 0, 0, {1, 2, 3});
  Put(*image, 2, 1, {4, 5, 6});
  DibImagePtr turned = vx::DibImage_Rotate(*image, 90);
  ASSERT_NE(turned, nullptr);
  EXPECT_EQ(vx::DibImage_Width(*turned), 2);
  EXPECT_EQ(vx::DibImage_Height(*turned), 3);
  EXPECT_EQ(At(*turned, 1, 0), (Bgr{1, 2, 3}));  // top-right is the source's top-left
  EXPECT_EQ(At(*turned, 0, 2), (Bgr{4, 5, 6}));
  DibImagePtr round = vx::DibImage_Rotate(*image, 180);
  EXPECT_EQ(At(*round, 2, 1), (Bgr{1, 2, 3}));
  EXPECT_EQ(At(*round, 0, 0), (Bgr{4, 5, 6}));
  EXPECT_EQ(vx::DibImage_Rotate(*image, 270), nullptr);

  DibImagePtr grey = vx::DibImage_Create(8, 2, 1);
  vx::DibImage_GetPalette(*grey)[4] = 77;
  vx::DibImage_GetRow(*grey, 0)[0] = 1;
  DibImagePtr greyTurned = vx::DibImage_Rotate(*grey, 90);
  EXPECT_EQ(vx::DibImage_GetRow(*greyTurned, 0)[0], 1);
  EXPECT_EQ(vx::DibImage_GetPalette(*greyTurned)[4], 77);  // the palette is kept
}

TEST(DibImageTest, StretchNearestAverageBilinearAndMirror) {
  DibImagePtr source = vx::DibImage_Create(24, 2, 1);
  Put(*source, 0, 0, {0, 0, 0});
  Put(*source, 1, 0, {200, 100, 50});

  DibImagePtr wide = vx::DibImage_Create(24, 4, 1);
  vx::DibImage_StretchBlit(*wide, {0, 0, 4, 1}, *source, {0, 0, 2, 1}, false);
  EXPECT_EQ(At(*wide, 1, 0), (Bgr{0, 0, 0}));
  EXPECT_EQ(At(*wide, 2, 0), (Bgr{200, 100, 50}));

  DibImagePtr one = vx::DibImage_Create(24, 1, 1);
  vx::DibImage_StretchBlit(*one, {0, 0, 1, 1}, *source, {0, 0, 2, 1}, true);
  EXPECT_EQ(At(*one, 0, 0), (Bgr{100, 50, 25}));  // the average of both

  vx::DibImage_StretchBlit(*wide, {0, 0, 4, 1}, *source, {0, 0, 2, 1}, true);
  EXPECT_EQ(At(*wide, 0, 0), (Bgr{0, 0, 0}));
  EXPECT_EQ(At(*wide, 1, 0), (Bgr{100, 50, 25}));   // halfway between
  EXPECT_EQ(At(*wide, 3, 0), (Bgr{200, 100, 50}));  // the edge pixel stands in for itself

  vx::DibImage_StretchBlit(*wide, {4, 0, -4, 1}, *source, {0, 0, 2, 1}, false);
  EXPECT_EQ(At(*wide, 0, 0), (Bgr{200, 100, 50}));
  EXPECT_EQ(At(*wide, 3, 0), (Bgr{0, 0, 0}));
}

TEST(DibImageTest, ScaledPageKeepsItsPicture) {
  // A page of 2480 x 3507 reduced to 678 x 960 keeps a black square in its corner.
  DibImagePtr page = Filled(2480, 3507, 255);
  vx::DibImage_FillRect(*page, 0, 0, 400, 400, 0, 0, 0, vx::kDibSet);
  DibImagePtr small = vx::DibImage_Create(24, 678, 960);
  vx::DibImage_StretchBlit(*small, {0, 0, 678, 960}, *page, {0, 0, 2480, 3507}, true);
  EXPECT_EQ(At(*small, 50, 50), (Bgr{0, 0, 0}));
  EXPECT_EQ(At(*small, 300, 500), (Bgr{255, 255, 255}));
  const int edge = At(*small, 109, 50)[0];  // 400 / 3.66 = 109.3: partly covered
  EXPECT_GT(edge, 0);
  EXPECT_LT(edge, 255);
}

TEST(DibImageTest, BmpFilesRoundTripAndHeadersAreChecked) {
  TempDir dir;
  DibImagePtr grey = vx::DibImage_Create(8, 3, 2);
  vx::DibImage_GetRow(*grey, 1)[2] = 42;
  ASSERT_EQ(vx::DibImage_SaveBmp(grey.get(), dir / "g.bmp"), 0);
  EXPECT_EQ(ReadFileBytes(dir / "g.bmp").size(), 14u + 40u + 1024u + 4u * 2u);
  DibImagePtr colour = Filled(3, 2, 9);
  ASSERT_EQ(vx::DibImage_SaveBmp(colour.get(), dir / "c.bmp"), 0);
  EXPECT_EQ(ReadFileBytes(dir / "c.bmp").size(), 14u + 40u + 12u * 2u);
  EXPECT_EQ(vx::DibImage_SaveBmp(nullptr, dir / "none.bmp"), 0);
  EXPECT_FALSE(std::filesystem::exists(dir / "none.bmp"));
  EXPECT_EQ(vx::DibImage_SaveBmp(colour.get(), dir / "missing" / "c.bmp"), -1);

  DibImagePtr back = vx::DibImage_LoadBmp(dir / "g.bmp");
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(back->block, grey->block);

  // The stored file size is not believed: a wrong one changes nothing, missing pixels refuse.
  std::string bytes = ReadFileBytes(dir / "c.bmp");
  bytes[2] = '\x7f';
  WriteFileBytes(dir / "lying.bmp", bytes);
  DibImagePtr lying = vx::DibImage_LoadBmp(dir / "lying.bmp");
  ASSERT_NE(lying, nullptr);
  EXPECT_EQ(lying->block, colour->block);
  WriteFileBytes(dir / "short.bmp", bytes.substr(0, bytes.size() - 1));
  EXPECT_EQ(vx::DibImage_LoadBmp(dir / "short.bmp"), nullptr);
  std::string reserved = bytes;
  reserved[6] = 1;
  WriteFileBytes(dir / "reserved.bmp", reserved);
  EXPECT_EQ(vx::DibImage_LoadBmp(dir / "reserved.bmp"), nullptr);
  std::string pastEnd = bytes;
  pastEnd[10] = '\x70';  // pixels said to start beyond the end
  WriteFileBytes(dir / "offset.bmp", pastEnd);
  EXPECT_EQ(vx::DibImage_LoadBmp(dir / "offset.bmp"), nullptr);
  EXPECT_EQ(vx::DibImage_LoadBmp(dir / "absent.bmp"), nullptr);
  ASSERT_EQ(::mkfifo((dir / "pipe.bmp").c_str(), 0600), 0);
  EXPECT_TRUE(ReturnsWithoutAWriter(
      {dir / "pipe.bmp"}, [&] { EXPECT_EQ(vx::DibImage_LoadBmp(dir / "pipe.bmp"), nullptr); }));
}

TEST(DibImageTest, TopDownBmpIsStoredBottomUp) {
  TempDir dir;
  DibImagePtr image = Filled(1, 2, 0);
  Put(*image, 0, 0, {1, 1, 1});  // top
  ASSERT_EQ(vx::DibImage_SaveBmp(image.get(), dir / "a.bmp"), 0);
  std::string bytes = ReadFileBytes(dir / "a.bmp");
  // Negative height, rows swapped: the same picture stored top row first.
  const std::string bottomUpRows = bytes.substr(54);
  bytes.replace(54, 4, bottomUpRows.substr(4, 4));
  bytes.replace(58, 4, bottomUpRows.substr(0, 4));
  const std::int32_t negative = -2;
  bytes.replace(22, 4, reinterpret_cast<const char*>(&negative), 4);
  WriteFileBytes(dir / "b.bmp", bytes);
  DibImagePtr back = vx::DibImage_LoadBmp(dir / "b.bmp");
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(vx::DibImage_Height(*back), 2);
  EXPECT_EQ(At(*back, 0, 0), (Bgr{1, 1, 1}));
}

TEST(DibImageTest, PngLoadsAsColourOrIndexedImage) {
  TempDir dir;
  QImage grey16(3, 1, QImage::Format_Grayscale16);
  reinterpret_cast<quint16*>(grey16.scanLine(0))[1] = 0x8080;
  ASSERT_TRUE(grey16.save(QString::fromStdString((dir / "g16.png").string())));
  DibImagePtr grey = vx::DibImage_LoadPng(dir / "g16.png");
  ASSERT_NE(grey, nullptr);
  EXPECT_EQ(vx::DibImage_BitCount(*grey), 8);
  EXPECT_EQ(vx::DibImage_GetRow(*grey, 0)[1], 0x80);
  EXPECT_EQ(vx::DibImage_GetPalette(*grey)[4 * 255], 255);
  EXPECT_EQ(vx::DibImage_GetPalette(*grey)[4 * 128 + 2], 128);

  QImage rgb(2, 2, QImage::Format_RGB32);
  rgb.fill(qRgb(10, 20, 30));
  rgb.setPixel(1, 0, qRgb(200, 100, 50));
  ASSERT_TRUE(rgb.save(QString::fromStdString((dir / "c.png").string())));
  DibImagePtr colour = vx::DibImage_LoadPng(dir / "c.png");
  ASSERT_NE(colour, nullptr);
  EXPECT_EQ(vx::DibImage_BitCount(*colour), 24);
  EXPECT_EQ(At(*colour, 1, 0), (Bgr{50, 100, 200}));
  EXPECT_EQ(At(*colour, 0, 1), (Bgr{30, 20, 10}));

  QImage indexed(2, 1, QImage::Format_Indexed8);
  indexed.setColorTable({qRgb(0, 0, 0), qRgb(1, 2, 3)});
  indexed.fill(0);
  indexed.setPixel(1, 0, 1);
  ASSERT_TRUE(indexed.save(QString::fromStdString((dir / "p.png").string())));
  DibImagePtr paletted = vx::DibImage_LoadPng(dir / "p.png");
  ASSERT_NE(paletted, nullptr);
  EXPECT_EQ(vx::DibImage_BitCount(*paletted), 8);
  const int index = vx::DibImage_GetRow(*paletted, 0)[1];
  EXPECT_EQ(vx::DibImage_GetPalette(*paletted)[4 * index], 3);  // blue first

  std::string damaged = ReadFileBytes(dir / "c.png");
  damaged.resize(damaged.size() / 2);
  WriteFileBytes(dir / "d.png", damaged);
  EXPECT_EQ(vx::DibImage_LoadPng(dir / "d.png"), nullptr);
  EXPECT_EQ(vx::DibImage_LoadPng(dir / "absent.png"), nullptr);
}

// Draws the text as one dark column per byte, from the left; measures one column per byte.
class ColumnDrawer : public vx::PrintTextDrawer {
 public:
  bool DrawText(DibImage& image, std::string_view text, const vx::TextLook& look) override {
    lastLook = look;
    const int width = vx::DibImage_Width(image);
    const int height = vx::DibImage_Height(image);
    const int g = look.backgroundGrey;
    vx::DibImage_FillRect(image, 0, 0, width, height, g, g, g, vx::kDibSet);
    const int t = look.textGrey;
    vx::DibImage_FillRect(image, 0, 0, static_cast<int>(text.size()), height, t, t, t, vx::kDibSet);
    return true;
  }
  int TextWidth(std::string_view text, int, int) override { return static_cast<int>(text.size()); }
  vx::TextLook lastLook;
};

TEST(DibImageTest, TextMaskTakesTheStyleLevelsAndShrinksToFit) {
  ColumnDrawer drawer;
  DibImagePtr mask =
      vx::DibImage_RenderText(drawer, "ab", 4, 2, 20, 400, vx::kTextLeft, vx::kTextMaskPercent);
  ASSERT_NE(mask, nullptr);
  EXPECT_EQ(vx::DibImage_BitCount(*mask), 8);
  EXPECT_EQ(vx::DibImage_GetRow(*mask, 1)[1], 0);    // text level
  EXPECT_EQ(vx::DibImage_GetRow(*mask, 1)[2], 100);  // background level
  EXPECT_EQ(vx::DibImage_GetPalette(*mask)[4 * 100], 100);
  EXPECT_EQ(vx::DibImage_GetPalette(*mask)[4 * 101], 0);
  EXPECT_EQ(drawer.lastLook.fontHeight, 20);

  for (auto [style, background, text] : {std::tuple{1, 0, 100}, {2, 255, 0}, {3, 0, 255}}) {
    mask = vx::DibImage_RenderText(drawer, "a", 2, 1, 10, 400, 0, style);
    EXPECT_EQ(vx::DibImage_GetRow(*mask, 0)[0], text) << style;
    EXPECT_EQ(vx::DibImage_GetRow(*mask, 0)[1], background) << style;
  }

  // Drawn 8 wide: six columns of text are squeezed into the box of 4; three keep their width.
  mask = vx::DibImage_RenderText(drawer, "abcdef", -4, 1, 10, 400, vx::kTextLeft,
                                 vx::kTextMaskMultiply);
  ASSERT_NE(mask, nullptr);
  EXPECT_EQ(vx::DibImage_Width(*mask), 4);
  EXPECT_EQ(vx::DibImage_GetRow(*mask, 0)[3], 0);
  mask =
      vx::DibImage_RenderText(drawer, "abc", -4, 1, 10, 400, vx::kTextLeft, vx::kTextMaskMultiply);
  EXPECT_EQ(vx::DibImage_GetRow(*mask, 0)[2], 0);
  EXPECT_EQ(vx::DibImage_GetRow(*mask, 0)[3], 255);
  EXPECT_EQ(vx::DibImage_RenderText(drawer, "a", 0, 1, 10, 400, 0, 0), nullptr);
}

TEST(DibImageTest, QtDrawerPutsJapaneseTextOnTheMask) {
  vx::QtPrintTextDrawer drawer;
  const std::string text = vx::Sjis("表示テスト");
  DibImagePtr mask =
      vx::DibImage_RenderText(drawer, text, 400, 60, 40, vx::kFontWeightNormal,
                              vx::kTextLeft | vx::kTextSingleLine, vx::kTextMaskMultiply);
  ASSERT_NE(mask, nullptr);
  int darkLeft = 0;
  for (int y = 0; y < 60; ++y) {
    const std::uint8_t* row = vx::DibImage_GetRow(*mask, y);
    for (int x = 0; x < 200; ++x) darkLeft += row[x] < 128;
    EXPECT_EQ(row[399], 255) << y;  // the text ends well before the right edge
  }
  EXPECT_GT(darkLeft, 200);
  const int width = drawer.TextWidth(text, 40, vx::kFontWeightNormal);
  EXPECT_GT(width, 150);
  EXPECT_LT(width, 300);
}

TEST(DibImageTest, QtEdgeKeepsThePicture) {
  DibImagePtr image = Filled(3, 2, 255);
  Put(*image, 2, 0, {30, 20, 10});
  const QImage picture = vx::DibImage_ToQImage(*image);
  ASSERT_EQ(picture.size(), QSize(3, 2));
  EXPECT_EQ(picture.pixel(2, 0), qRgb(10, 20, 30));
  DibImagePtr back = vx::DibImage_FromQImage(picture);
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(back->block, image->block);
}

}  // namespace
}  // namespace vxtest
