#include "print/MapPlacement.h"

namespace vx {
namespace {

int Aligned(int start, int spare, MapAlign align) {
  switch (align) {
    case MapAlign::kCentre:
      return start + spare / 2;
    case MapAlign::kEnd:
      return start + spare;
    default:
      return start;
  }
}

}  // namespace

int MapPlacement::PageX(int mx) const {
  if (part.w <= 0) return onPage.x;
  return onPage.x + static_cast<int>(static_cast<long long>(mx - part.x) * onPage.w / part.w);
}

int MapPlacement::PageY(int my) const {
  if (part.h <= 0) return onPage.y;
  return onPage.y + static_cast<int>(static_cast<long long>(my - part.y) * onPage.h / part.h);
}

MapPlacement MapPlacement_Fit(const DibRect& part, const DibRect& frame, MapAlign horizontal,
                              MapAlign vertical) {
  MapPlacement p{part, {frame.x, frame.y, 0, 0}};
  if (part.w <= 0 || part.h <= 0 || frame.w <= 0 || frame.h <= 0) return p;
  long long w = frame.w;
  long long h = static_cast<long long>(part.h) * frame.w / part.w;
  if (h > frame.h) {
    h = frame.h;
    w = static_cast<long long>(part.w) * frame.h / part.h;
  }
  p.onPage.w = static_cast<int>(w);
  p.onPage.h = static_cast<int>(h);
  p.onPage.x = Aligned(frame.x, frame.w - p.onPage.w, horizontal);
  p.onPage.y = Aligned(frame.y, frame.h - p.onPage.h, vertical);
  return p;
}

void MapPlacement_AlignOf(int position, MapAlign& horizontal, MapAlign& vertical) {
  if (position < 1 || position > 9) position = 5;
  const int column = (position - 1) % 3;
  const int row = (position - 1) / 3;  // 0 the bottom row (1, 2, 3)
  horizontal = static_cast<MapAlign>(column);
  vertical = row == 0 ? MapAlign::kEnd : row == 1 ? MapAlign::kCentre : MapAlign::kStart;
}

}  // namespace vx
