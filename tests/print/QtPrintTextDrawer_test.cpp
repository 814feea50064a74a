// Texts drawn onto a page image by the Qt drawer's own way (one scratch picture per thread)
// against the image library's way through a mask of their own: the same pixels, for plain,
// aligned, squeezed, cut, wrapped and clipped texts.
#include "print/QtPrintTextDrawer.h"

#include <gtest/gtest.h>

#include "print/DibImage.h"

namespace vxtest {
namespace {

struct TextCase {
  const char* what;
  vx::DibRect box;
  const char* text;
  unsigned format;
  bool fit;
};

// A page of grey stripes, so that the multiplication shows on every background.
vx::DibImagePtr StripedPage() {
  vx::DibImagePtr page = vx::DibImage_Create(24, 400, 200);
  for (int y = 0; y < 200; y += 10) {
    const int grey = 255 - (y / 10) % 3 * 40;
    vx::DibImage_FillRect(*page, 0, y, 400, 10, grey, grey - 10, grey - 20, vx::kDibSet);
  }
  return page;
}

int LargestDifference(const vx::DibImage& a, const vx::DibImage& b) {
  int largest = 0;
  for (int y = 0; y < vx::DibImage_Height(a); ++y) {
    const std::uint8_t* p = vx::DibImage_GetRow(a, y);
    const std::uint8_t* q = vx::DibImage_GetRow(b, y);
    for (int x = 0; x < 3 * vx::DibImage_Width(a); ++x)
      largest = std::max(largest, std::abs(p[x] - q[x]));
  }
  return largest;
}

TEST(QtPrintTextDrawerTest, DrawsOntoThePageAsThroughAMaskOfItsOwn) {
  const unsigned single = vx::kTextSingleLine | vx::kTextNoPrefix | vx::kTextVCenter;
  const TextCase cases[] = {
      {"plain", {20, 20, 200, 40}, "Circle 12", vx::kTextLeft | single, true},
      {"centred", {20, 20, 200, 40}, "Circle 12", vx::kTextCenter | single, true},
      {"right", {20, 20, 200, 40}, "Circle 12", vx::kTextRight | single, true},
      {"squeezed", {20, 60, 200, 40}, "A rather long circle name", vx::kTextLeft | single, true},
      {"squeezed centred", {20, 60, 200, 40}, "A rather long name", vx::kTextCenter | single, true},
      {"squeezed right", {20, 60, 200, 40}, "A rather long name", vx::kTextRight | single, true},
      {"cut at twice",
       {20, 60, 50, 40},
       "A name far too long for its box",
       vx::kTextLeft | single,
       true},
      {"wrapped", {200, 20, 150, 150}, "words that wrap inside the box", vx::kTextWordBreak, false},
      {"clipped", {330, 170, 120, 60}, "Off the page", vx::kTextLeft | single, true},
  };
  vx::QtPrintTextDrawer drawer;
  for (const TextCase& c : cases) {
    const vx::TextLook look{28, vx::kFontWeightNormal, c.format, 0, 255};
    vx::DibImagePtr direct = StripedPage();
    vx::DibImagePtr masked = StripedPage();
    ASSERT_TRUE(drawer.DrawTextMultiplied(*direct, c.box, c.text, look, c.fit)) << c.what;
    ASSERT_TRUE(drawer.PrintTextDrawer::DrawTextMultiplied(*masked, c.box, c.text, look, c.fit))
        << c.what;
    EXPECT_LE(LargestDifference(*direct, *masked), 1) << c.what;
    EXPECT_GT(LargestDifference(*direct, *StripedPage()), 100) << c.what << ": nothing drawn";
  }
}

}  // namespace
}  // namespace vxtest
