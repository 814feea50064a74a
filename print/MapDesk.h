// Where a circle's desk lies on its hall map image: the record's desk column and row (fields 15
// and 16; a negative value is a shift by half a desk) from the map's desk origin, and the half
// of the desk its space takes by the desk's layout code (field 21) and the space half (field 22).
#pragma once

#include "print/DibImage.h"

namespace vx {

struct PrintMapCell;
struct PrintRecord;

// The offset of desk index `index` on an axis whose desks are `size` long.
int MapDesk_Offset(int index, int size);
// The part of a W x H desk that space half `half` (0 a, 1 b) takes for layout code 1..4, relative
// to the desk; the whole desk (W - 1 by H - 1) for another code.
DibRect MapDesk_HalfRect(int layoutCode, int half, int width, int height);
// The top left corner of the record's desk on the map image.
void MapDesk_Position(const PrintRecord& record, const PrintMapCell& cell, int& x, int& y);
// The rectangle the record's circle is marked in: its half of the desk when the record carries
// the space half (23 fields or more), else the whole desk.
DibRect MapDesk_CircleRect(const PrintRecord& record, const PrintMapCell& cell);

}  // namespace vx
