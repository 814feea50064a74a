// One entry of the column list: a row of the list grid split into the layout's columns (running
// number, colour swatch, position, names, texts), with alternating backgrounds and separators.
#pragma once

#include <vector>

#include "print/ListGrid.h"

namespace vx {

struct PrintJob;
struct PrintRecord;

struct ListEntry {
  int column = 0;
  int row = 0;                          // -1: the header row
  const PrintRecord* record = nullptr;  // none: an empty row, or the header row
  int number = -1;                      // from 0 on the page: even ones take ODDLINEBGCOLOR
  int serial = 0;                       // the running number of item -2
};

// The width of every column of the layout (0 for a column the job does not show): fixed ones
// their own, proportional ones their share of the room the fixed ones leave; the last
// proportional column and the last column take what is left.
std::vector<int> ListColumn_Widths(const PrintLayout& layout);

// Draws the entry at its cell of `grid`; 0, or -1 after reporting.
int List1_PaintColumnData_BMP(PrintJob& job, const ListGrid& grid, const ListEntry& entry,
                              bool output);

}  // namespace vx
