#include "ui/map/HallMapSlot.h"

#include "app/CatalogController.h"

namespace vx {

std::vector<HallMapSlot> ListHallMapSlots(const CatalogController& controller) {
  std::vector<HallMapSlot> slots;
  const int days = controller.GetDayCount();
  const int maps = controller.GetMapCount();
  for (int day = 1; day <= days; ++day) {
    for (int mapId = 1; mapId <= maps; ++mapId) {
      slots.push_back({day, mapId,
                       controller.GetDayWeekdayName(day) + " " + controller.GetMapName(mapId),
                       controller.GetMapImagePath(CatalogController::kHallMap, day, mapId),
                       controller.GetMapImagePath(CatalogController::kGenreMap, day, mapId),
                       controller.GetMapImagePath(CatalogController::kHiResHallMap, day, mapId),
                       controller.GetMapImagePath(CatalogController::kHiResGenreMap, day, mapId)});
    }
  }
  return slots;
}

}  // namespace vx
