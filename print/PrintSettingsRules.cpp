#include "print/PrintSettingsRules.h"

#include <algorithm>

#include "print/PrintCatalogTables.h"
#include "print/PrintDataSource.h"

namespace vx {

int ListPageBreaksAvailable(int order, int mask) {
  const bool dayFirst = (mask & kBreakDayBit) != 0;
  int available = kBreakDayBit;
  if (order == kOrderPlacement && dayFirst) {
    available |= kBreakBlockBit;
    if ((mask & kBreakBlockBit) == 0) available |= kBreakHallBit;
  }
  if (order == kOrderColor && dayFirst) available |= kBreakColorBit;
  return available;
}

int MergeListPageBreaks(int order, int stored, int checked) {
  const int available = ListPageBreaksAvailable(order, stored);
  return (stored & ~available) | (checked & available);
}

bool ListBlockAllEnabled(int order, int mask) {
  const bool hallBreak =
      (mask & kBreakHallBit) != 0 && (ListPageBreaksAvailable(order, mask) & kBreakHallBit) != 0;
  return order == kOrderPlacement && !hallBreak;
}

int MapPageBreaksAvailable(int order) {
  int available = 0;
  if (order == kOrderColor) available |= kBreakColorBit;
  if (order == kOrderPlacement || order == kOrderCoordinates) available |= kBreakBlockBit;
  return available;
}

int MergeMapPageBreaks(int order, int stored, int checked) {
  const int available = MapPageBreaksAvailable(order);
  return (stored & ~available) | (checked & available);
}

bool HallHasCircles(const PrintDataSource& source, int hall) {
  if (hall < 0 || hall >= kHallCount) return false;
  const int areaId = source.FindAreaId(HallNames()[static_cast<std::size_t>(hall)]);
  return areaId != 0 && source.Area(areaId).circleCount > 0;
}

bool HallGroupEnabled(const PrintDataSource& source, int group, int enabledHalls) {
  if (group < 0 || group >= kHallGroupCount) return false;
  const int mapId = source.FindMapId(HallGroupNames()[static_cast<std::size_t>(group)]);
  if (mapId == 0) return false;
  int halls = 0;
  for (int i = 0; i < kHallCount; ++i) {
    if ((enabledHalls & (1 << i)) == 0) continue;
    const int areaId = source.FindAreaId(HallNames()[static_cast<std::size_t>(i)]);
    if (areaId != 0 && source.Area(areaId).mapId == mapId) ++halls;
  }
  return halls >= 2;
}

int ValidFillDirection(int direction) { return direction >= 1 && direction <= 9 ? direction : 5; }

int ClampDensity(int percent) { return std::clamp(percent, 0, 100); }

}  // namespace vx
