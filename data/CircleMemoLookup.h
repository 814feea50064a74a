// What the catalogue database needs of the checklist store: the record it keeps of a circle, whose
// memo the SQL function getMemo answers and which a search hands on instead of the fresh row.
#pragma once

namespace vx {

struct CircleRecord;

class CircleMemoLookup {
 public:
  virtual ~CircleMemoLookup() = default;
  // The store's record of the circle, or null when the circle is not in the store. No side effect;
  // may be called from a search worker while the UI thread waits.
  virtual const CircleRecord* FindCircle(int circleId) const = 0;
};

}  // namespace vx
