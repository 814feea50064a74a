#include "print/LeaderLineImage.h"

#include <algorithm>
#include <cstdlib>

#include "print/LineList.h"

namespace vx {
namespace {

struct Offset {
  int dx;
  int dy;
};

// The line drawn several times side by side: wider steps take more offsets and larger end
// squares.
struct LineStyle {
  std::vector<Offset> offsets;
  int square;
};

LineStyle StyleOf(int step) {
  switch (step) {
    case 0:
      return {{{0, 0}}, 5};
    case 1:
      return {{{0, 0}, {1, 0}, {0, 1}, {1, 1}}, 6};
    case 2:
      return {{{-1, -1}, {0, -1}, {1, -1}, {-1, 0}, {1, 0}, {-1, 1}, {0, 1}, {1, 1}}, 7};
    default: {
      LineStyle ring{{}, 9};
      for (int dy = -2; dy <= 2; ++dy) {
        for (int dx = -2; dx <= 2; ++dx) {
          const bool onRing = std::max(std::abs(dx), std::abs(dy)) == 2;
          const bool corner = std::abs(dx) == 2 && std::abs(dy) == 2;
          if (onRing && !corner) ring.offsets.push_back({dx, dy});
        }
      }
      return ring;
    }
  }
}

void Square(DibImage& layer, int x, int y, int size, int r, int g, int b) {
  DibImage_FillRect(layer, x - size / 2, y - size / 2, size, size, r, g, b, kDibSet);
}

// The part of the page the lines and their end squares cover.
DibRect LinesArea(const std::vector<LeaderLine>& lines, int margin, const DibImage& page) {
  int left = DibImage_Width(page);
  int top = DibImage_Height(page);
  int right = 0;
  int bottom = 0;
  for (const LeaderLine& line : lines) {
    left = std::min({left, line.x, line.x + line.width});
    top = std::min({top, line.y, line.y + line.height});
    right = std::max({right, line.x, line.x + line.width});
    bottom = std::max({bottom, line.y, line.y + line.height});
  }
  left = std::max(0, left - margin);
  top = std::max(0, top - margin);
  right = std::min(DibImage_Width(page), right + margin + 1);
  bottom = std::min(DibImage_Height(page), bottom + margin + 1);
  return {left, top, right - left, bottom - top};
}

// A wide line is drawn in the colour halfway to white, so that the map shows through it; its
// squares in the full colour.
void DrawLine(DibImage& layer, const LeaderLine& line, const DibRect& area, const LineStyle& style,
              bool wide) {
  const int x = line.x - area.x;
  const int y = line.y - area.y;
  const int r = line.color & 0xFF;
  const int g = (line.color >> 8) & 0xFF;
  const int b = (line.color >> 16) & 0xFF;
  const auto lighter = [wide](int c) { return wide ? 255 - (255 - c) / 2 : c; };
  for (const Offset& o : style.offsets) {
    DibImage_DrawLine(layer, x + o.dx, y + o.dy, line.width, line.height, lighter(r), lighter(g),
                      lighter(b), kDibSet);
  }
  Square(layer, x, y, style.square, r, g, b);
  Square(layer, x + line.width, y + line.height, style.square, r, g, b);
}

}  // namespace

int LeaderLines_DrawIntoImage(DibImage& page, const std::vector<LeaderLine>& lines, int step) {
  const LineStyle style = StyleOf(step);
  const DibRect area = LinesArea(lines, style.square, page);
  if (area.w <= 0 || area.h <= 0) return 0;
  DibImagePtr layer = DibImage_Create(24, area.w, area.h);
  if (!layer) return -1;
  DibImage_FillRect(*layer, 0, 0, area.w, area.h, 255, 255, 255, kDibSet);
  for (const LeaderLine& line : lines) DrawLine(*layer, line, area, style, step > 0);
  DibImage_Blit(page, area.x, area.y, area.w, area.h, *layer, 0, 0, kDibMultiply);
  return 0;
}

}  // namespace vx
