#include "print/PrintPageGeometry.h"

#include <algorithm>
#include <utility>

#include "print/PrintJob.h"
#include "print/PrintLayout.h"

namespace vx {
namespace {

// Millimetres at the DPI in whole pixels: the product in integers, the division in floating point,
// truncated toward zero.
int Pixels(long long millimetres, int dpi) {
  return static_cast<int>(static_cast<double>(millimetres * dpi) / 25.4);
}

}  // namespace

PrintPageGeometry PrintPage_Geometry(const PrintLayout& l, int orientation) {
  PrintPageGeometry g;
  g.width = std::max(1, Pixels(l.paperWidth, l.dpi));
  g.height = std::max(1, Pixels(l.paperHeight, l.dpi));
  g.printableWidth = std::max(0, Pixels(l.paperWidth - 2LL * l.marginX, l.dpi));
  g.printableHeight = std::max(0, Pixels(l.paperHeight - 2LL * l.marginY, l.dpi));
  g.originX = Pixels(l.offsetX, l.dpi) + (g.width - g.printableWidth) / 2;
  g.originY = Pixels(l.offsetY, l.dpi) + (g.height - g.printableHeight) / 2;
  if (orientation == kLandscape) {
    std::swap(g.width, g.height);
    std::swap(g.printableWidth, g.printableHeight);
    std::swap(g.originX, g.originY);
  }
  return g;
}

void PrintPage_ScaledSize(int width, int height, int longSide, int& scaledWidth,
                          int& scaledHeight) {
  if (longSide <= 0) {
    scaledWidth = std::max(1, width);
    scaledHeight = std::max(1, height);
    return;
  }
  const long long s = longSide;
  if (width <= height) {
    scaledWidth = static_cast<int>(s * width / std::max(1, height));
    scaledHeight = longSide;
  } else {
    scaledWidth = longSide;
    scaledHeight = static_cast<int>(s * height / std::max(1, width));
  }
  scaledWidth = std::max(1, scaledWidth);
  scaledHeight = std::max(1, scaledHeight);
}

}  // namespace vx
