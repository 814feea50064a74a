#include "print/ListGrid.h"

#include "print/PrintLayout.h"

namespace vx {

DibRect ListGrid::CellRect(const PrintLayout& l, int originX, int originY, int column,
                           int row) const {
  return {originX + x + column * (l.cellWidth - l.borderWidth),
          originY + y + row * (l.cellHeight - l.borderHeight), l.cellWidth, l.cellHeight};
}

}  // namespace vx
