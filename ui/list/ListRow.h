// One row of a list control: the owner's record of the circle it shows, the state image (the
// check-colour swatch) and the texts of its cells.
#pragma once

#include <string>
#include <vector>

namespace vx {

// What the owning view keeps of a circle beside the texts: enough to sort by colour, day and
// space and to draw the circle's cut.
struct ListRowRecord {
  static constexpr int kNoPlace = 0x7FFFFFFF;  // day and space key of a circle without a place

  int circleId = 0;
  int printNumber = 0;  // the checklist view's: the row's place in its tab when it was added
  int color = -1;       // -1 not in the checklist, 0 memo only, 1..n check colour
  int day = kNoPlace;
  int spaceKey = kNoPlace;  // ((blockId << 9) | spaceNo) * 2 + spaceNoSub
  int pageNo = 0;
  int cutIndex = 0;   // from 1
  int cutNumber = 0;  // the circle's updateId; -1 the picture of a circle without a name
};

struct ListRow {
  ListRowRecord record;
  int stateImage = 0;              // 0 none, k the list's state image k - 1
  std::vector<std::string> cells;  // CP932, one per column
};

}  // namespace vx
