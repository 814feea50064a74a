// One circle of the checklist: the store's own copy of its record (the memo and the fetched feed
// text live there), its colour and its place in the print order.
#pragma once

#include "data/CircleRecord.h"

namespace vx {

struct FavoriteEntry {
  CircleRecord record;
  int color = -1;      // -1 unchecked (gone at the next purge), 0 memo only, 1..n check colour
  int printOrder = 0;  // 1-based; gaps and repeats last until the next purge renumbers
};

}  // namespace vx
