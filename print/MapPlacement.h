// Where the part of a hall map (its print rectangle on the map image) lands in the page's map
// frame: scaled to the frame's width, or to its height when that makes it too tall, aspect kept,
// and aligned in the frame. Page points of map points (the circles' desks) follow from it.
#pragma once

#include "print/DibImage.h"

namespace vx {

enum class MapAlign : int { kStart = 0, kCentre = 1, kEnd = 2 };

struct MapPlacement {
  DibRect part;    // on the map image
  DibRect onPage;  // in layout pixels, before the page origin is added

  // The page point (layout pixels) of map image point (mx, my).
  int PageX(int mx) const;
  int PageY(int my) const;
};

MapPlacement MapPlacement_Fit(const DibRect& part, const DibRect& frame, MapAlign horizontal,
                              MapAlign vertical);
// The map document's placement setting 1..9 (1, 4, 7 left, 3, 6, 9 right; 1, 2, 3 bottom,
// 7, 8, 9 top; others centred).
void MapPlacement_AlignOf(int position, MapAlign& horizontal, MapAlign& vertical);

}  // namespace vx
