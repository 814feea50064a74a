// What the print code draws text with: the platform's text drawing behind one interface, so that
// pages are composed headless and tests can draw text their own way. Texts are CP932.
#pragma once

#include <string_view>

#include "print/DibImage.h"

namespace vx {

// Format flags of a text box (the values of the classic DrawText flags).
constexpr unsigned kTextLeft = 0x0;
constexpr unsigned kTextCenter = 0x1;
constexpr unsigned kTextRight = 0x2;
constexpr unsigned kTextHorizontalMask = 0x3;
constexpr unsigned kTextVCenter = 0x4;
constexpr unsigned kTextBottom = 0x8;
constexpr unsigned kTextWordBreak = 0x10;
constexpr unsigned kTextSingleLine = 0x20;
constexpr unsigned kTextNoPrefix = 0x800;

// Font weights (100 thin .. 900 black).
constexpr int kFontWeightNormal = 400;

struct TextLook {
  int fontHeight = 0;  // pixels
  int fontWeight = kFontWeightNormal;
  unsigned format = kTextLeft;
  int textGrey = 0;  // 0..255, drawn in all three channels
  int backgroundGrey = 255;
};

class PrintTextDrawer {
 public:
  virtual ~PrintTextDrawer() = default;
  // Fills the 24-bit image with the background grey and draws the text into its whole area;
  // false when it cannot draw.
  virtual bool DrawText(DibImage& image24, std::string_view text, const TextLook& look) = 0;
  // Width in pixels of the text on one line.
  virtual int TextWidth(std::string_view text, int fontHeight, int fontWeight) = 0;
  // Draws the text in black into `box` of the 24-bit page, multiplied, so that the box's
  // background shows around the letters; `fit` squeezes a text wider than the box onto its one
  // line (at most to half). The look's grey levels are ignored. False when it cannot draw.
  virtual bool DrawTextMultiplied(DibImage& page24, const DibRect& box, std::string_view text,
                                  const TextLook& look, bool fit);
};

}  // namespace vx
