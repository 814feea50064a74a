#include "print/MapDesk.h"

#include <cstdlib>

#include "print/PrintDataSource.h"
#include "print/PrintRecordFields.h"
#include "print/PrintRecords.h"

namespace vx {

int MapDesk_Offset(int index, int size) {
  return index >= 0 ? index * size : size / 2 + std::abs(index) * size;
}

DibRect MapDesk_HalfRect(int layoutCode, int half, int w, int h) {
  const DibRect left{0, 0, (w - 1) / 2, h - 1};
  const DibRect right{w / 2, 0, (w - 1) / 2, h - 1};
  const DibRect top{0, 0, w - 1, (h - 1) / 2};
  const DibRect bottom{0, h / 2, w - 1, (h - 1) / 2};
  const bool a = half == 0;
  switch (layoutCode) {
    case 1:
      return a ? left : right;
    case 2:
      return a ? bottom : top;
    case 3:
      return a ? right : left;
    case 4:
      return a ? top : bottom;
    default:
      return {0, 0, w - 1, h - 1};
  }
}

void MapDesk_Position(const PrintRecord& record, const PrintMapCell& cell, int& x, int& y) {
  x = cell.originX + MapDesk_Offset(record.FieldInt(kFieldDeskColumn), cell.width);
  y = cell.originY + MapDesk_Offset(record.FieldInt(kFieldDeskRow), cell.height);
}

DibRect MapDesk_CircleRect(const PrintRecord& record, const PrintMapCell& cell) {
  int x = 0;
  int y = 0;
  MapDesk_Position(record, cell, x, y);
  const bool halves = record.fieldCount > kFieldSpaceHalf;
  const DibRect part = halves ? MapDesk_HalfRect(record.FieldInt(kFieldLayoutCode),
                                                 record.FieldInt(kFieldSpaceHalf) == 0 ? 0 : 1,
                                                 cell.width, cell.height)
                              : MapDesk_HalfRect(0, 0, cell.width, cell.height);
  return {x + part.x, y + part.y, part.w, part.h};
}

}  // namespace vx
