// One check colour of the checklist: what the windows paint, what printing uses, and its name.
#pragma once

#include <cstdint>
#include <string>

namespace vx {

// A colour as the checklist files and settings keep it: 0x00BBGGRR (red in the low byte).
using ColorRef = std::uint32_t;

struct FavoriteColor {
  ColorRef checkColor = 0;
  ColorRef printColor = 0;
  std::string name;  // CP932
};

}  // namespace vx
