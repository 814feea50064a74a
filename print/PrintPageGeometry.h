// The page image of a job in pixels: its size at the layout's DPI, the printable area inside the
// layout's margins and where that area starts, turned for landscape pages.
#pragma once

namespace vx {

struct PrintLayout;

struct PrintPageGeometry {
  int width = 1;  // at least 1
  int height = 1;
  int printableWidth = 0;
  int printableHeight = 0;
  int originX = 0;  // of the printable area, the layout's offset included
  int originY = 0;
};

PrintPageGeometry PrintPage_Geometry(const PrintLayout& layout, int orientation);

// The long side `longSide` (0: the page's own size) with the other side in proportion, each at
// least 1.
void PrintPage_ScaledSize(int width, int height, int longSide, int& scaledWidth, int& scaledHeight);

}  // namespace vx
