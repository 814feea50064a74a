// The information record of one event: its name and the cut and desk geometry of its images.
#pragma once

#include <string>

namespace vx {

struct EventInfo {
  std::string pavorunName;  // at most 51 bytes
  int cutSizeW = 178;       // cut cell size and origin on a catalogue page, offset between cells
  int cutSizeH = 255;
  int cutOriginX = 10;
  int cutOriginY = 66;
  int cutOffsetX = 0;
  int cutOffsetY = 0;
  int mapSizeW = 10;  // desk size and drawing origin on the hall map
  int mapSizeH = 10;
  int mapOriginX = 0;
  int mapOriginY = 0;
};

inline constexpr std::size_t kEventNameMaxBytes = 51;

}  // namespace vx
