#include "tools/sample-disc/CatalogModel.h"

#include <algorithm>

namespace vx::sampledisc {

const Desk* Catalog::FindDesk(int blockId, int spaceNo) const {
  auto it = std::lower_bound(desks.begin(), desks.end(), std::make_pair(blockId, spaceNo),
                             [](const Desk& desk, const std::pair<int, int>& key) {
                               return std::make_pair(desk.blockId, desk.spaceNo) < key;
                             });
  if (it == desks.end() || it->blockId != blockId || it->spaceNo != spaceNo) return nullptr;
  return &*it;
}

int Catalog::PlacedCircleCount() const {
  return static_cast<int>(
      std::count_if(circles.begin(), circles.end(), [](const Circle& c) { return c.day > 0; }));
}

}  // namespace vx::sampledisc
