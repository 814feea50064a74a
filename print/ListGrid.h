// The grid of list cells on a page: its origin (LISTOFFSET, or beside the map) and how many cells
// it has across and down. Neighbouring cells share their border line.
#pragma once

#include "print/DibImage.h"

namespace vx {

struct PrintLayout;

struct ListGrid {
  int x = 0;  // layout pixels, before the page origin is added
  int y = 0;
  int across = 1;  // LINE (or MAPLINE, HALLLINE)
  int down = 1;    // COLUMN (or MAPCOLUMN, HALLCOLUMN)

  int Cells() const { return across * down; }
  // The cell in `column` and `row` (-1 is the header row above the first row) on a page whose
  // drawing starts at (originX, originY).
  DibRect CellRect(const PrintLayout& layout, int originX, int originY, int column, int row) const;
};

}  // namespace vx
