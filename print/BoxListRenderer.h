// One entry of the box list: a cell of the list grid holding the layout's boxes (the circle's
// cut, running number, position, names and texts), placed at their own position or stacked.
#pragma once

#include "print/ListGrid.h"

namespace vx {

struct PrintJob;
struct PrintRecord;

// The column and row of running entry `index`: down the columns (cut direction 1) or across the
// rows (0).
void BoxList_CellOf(const ListGrid& grid, int index, int direction, int& column, int& row);
DibRect BoxList_CellRect(const PrintLayout& layout, const ListGrid& grid, int originX, int originY,
                         int index, int direction);

// Draws the circle's entry in the cell of `index`; nothing for a blank entry (no record).
// `serial` is the running number the POSNO box prints. 0, or -1 after reporting.
int List2_PaintColumnData_BMP(PrintJob& job, const ListGrid& grid, int index,
                              const PrintRecord* record, int serial, bool output);

}  // namespace vx
