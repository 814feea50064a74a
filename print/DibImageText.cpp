// Text rendered into a grey mask through the injected text drawer.
#include <algorithm>
#include <cstdlib>

#include "print/DibImage.h"
#include "print/PrintTextDrawer.h"

namespace vx {
namespace {

struct GreyLevels {
  int background;
  int text;
};

GreyLevels LevelsOf(int style) {
  switch (style) {
    case kTextMaskPercentInverse:
      return {0, 100};
    case kTextMaskMultiply:
      return {255, 0};
    case kTextMaskMultiplyInverse:
      return {0, 255};
    default:
      return {100, 0};
  }
}

// The columns of the double-width drawing that hold the text, squeezed into `width`.
DibImagePtr ShrinkToFit(PrintTextDrawer& drawer, const DibImage& wide, std::string_view text,
                        int width, int height, int fontHeight, int fontWeight, unsigned format) {
  const int extent = std::clamp(drawer.TextWidth(text, fontHeight, fontWeight), width, 2 * width);
  int start = 0;
  switch (format & kTextHorizontalMask) {
    case kTextCenter:
      start = (2 * width - extent) / 2;
      break;
    case kTextRight:
      start = 2 * width - extent;
      break;
    default:
      break;
  }
  DibImagePtr fitted = DibImage_Create(24, width, height);
  if (!fitted) return nullptr;
  DibImage_StretchBlit(*fitted, {0, 0, width, height}, wide, {start, 0, extent, height}, true);
  return fitted;
}

// The 8-bit mask: the blue byte of every pixel is its index; the palette shows the grey levels
// between the background and the text.
DibImagePtr ToMask(const DibImage& drawn, const GreyLevels& levels) {
  const int width = DibImage_Width(drawn);
  const int height = DibImage_Height(drawn);
  DibImagePtr mask = DibImage_Create(8, width, height);
  if (!mask) return nullptr;
  std::uint8_t* palette = DibImage_GetPalette(*mask);
  const int step = levels.background <= levels.text ? 1 : -1;
  for (int v = levels.background; v != levels.text; v += step) {
    for (int c = 0; c < 3; ++c) palette[4 * v + c] = static_cast<std::uint8_t>(v);
  }
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* in = DibImage_GetRow(drawn, y);
    std::uint8_t* out = DibImage_GetRow(*mask, y);
    for (int x = 0; x < width; ++x) out[x] = in[3 * x];
  }
  return mask;
}

}  // namespace

DibImagePtr DibImage_RenderText(PrintTextDrawer& drawer, std::string_view text, int width,
                                int height, int fontHeight, int fontWeight, unsigned format,
                                int style) {
  const int boxWidth = std::abs(width);
  if (boxWidth == 0 || height <= 0) return nullptr;
  // A text that fits its box comes out the same drawn straight into it.
  const bool fit = width < 0 && drawer.TextWidth(text, fontHeight, fontWeight) > boxWidth;
  const GreyLevels levels = LevelsOf(style);
  DibImagePtr drawn = DibImage_Create(24, fit ? 2 * boxWidth : boxWidth, height);
  if (!drawn) return nullptr;
  const TextLook look{fontHeight, fontWeight, format, levels.text, levels.background};
  if (!drawer.DrawText(*drawn, text, look)) return nullptr;
  if (fit) {
    drawn = ShrinkToFit(drawer, *drawn, text, boxWidth, height, fontHeight, fontWeight, format);
    if (!drawn) return nullptr;
  }
  return ToMask(*drawn, levels);
}

}  // namespace vx
