// The map choice of the map window: one slot per day and hall, day by day and within a day by map
// id, so that slot = (day - 1) x maps per day + map id - 1. Each is named "<weekday> <hall>" and
// carries the paths of its map and genre pictures.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace vx {

class CatalogController;

struct HallMapSlot {
  int day = 0;
  int mapId = 0;
  std::string label;  // CP932
  std::filesystem::path mapPath;
  std::filesystem::path genrePath;
  std::filesystem::path hiResMapPath;  // for screens of high pixel ratio
  std::filesystem::path hiResGenrePath;
};

// Empty when the catalogue has no days or no maps.
std::vector<HallMapSlot> ListHallMapSlots(const CatalogController& controller);

}  // namespace vx
