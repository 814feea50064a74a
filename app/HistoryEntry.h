// One place in the page history: a page and the circle that was current on it (0 for an empty
// cut).
#pragma once

namespace vx {

struct HistoryEntry {
  int pageNo = 0;
  int circleId = 0;
  friend bool operator==(const HistoryEntry&, const HistoryEntry&) = default;
};

}  // namespace vx
