// What the print settings pages allow, apart from their widgets: which page breaks a print order
// offers, how the boxes merge into the stored masks, which halls and hall groups can be chosen
// in the catalogue, and the ranges of the map words.
#pragma once

namespace vx {

class PrintDataSource;

// Page-break bits of a print kind's PageChange word.
enum PageBreakBits : int {
  kBreakDayBit = 1,
  kBreakHallBit = 2,
  kBreakColorBit = 4,
  kBreakBlockBit = 8,
};

// Print orders of the order lists.
enum PrintOrderIndex : int {
  kOrderChecklist = 0,
  kOrderPlacement = 1,
  kOrderCircleName = 2,
  kOrderColor = 3,
  kOrderCoordinates = 4,  // map page only
};

// The page breaks the list and cut pages offer for the order and the stored mask: the day
// always; hall and block after a day break in placement order (hall not with a block break);
// the check colour after a day break in colour order.
int ListPageBreaksAvailable(int order, int mask);
// The stored mask with the available bits taken from `checked`; the others keep their value.
int MergeListPageBreaks(int order, int stored, int checked);
// Whether "all circles of the block" can be chosen: in placement order without a hall break.
bool ListBlockAllEnabled(int order, int mask);

// The map page: the colour break in colour order, the block break in placement or coordinate
// order; day and hall breaks never.
int MapPageBreaksAvailable(int order);
int MergeMapPageBreaks(int order, int stored, int checked);

// Whether hall i (0-based, the engine's hall table) has at least one circle in the catalogue.
bool HallHasCircles(const PrintDataSource& source, int hall);
// Whether hall group g can be printed as a map: the catalogue has its map and at least two of
// the halls in `enabledHalls` (bit i for hall i) lie on it.
bool HallGroupEnabled(const PrintDataSource& source, int group, int enabledHalls);

// A fill direction outside 1..9 becomes 5 (the centre); a density is kept inside 0..100.
int ValidFillDirection(int direction);
int ClampDensity(int percent);

}  // namespace vx
