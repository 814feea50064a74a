// The two built-in tables of check colours (COLORREF, 0x00BBGGRR), one entry per possible colour.
// The standard table is also what the settings start from; the colour page resets a colour set
// to either table.
#pragma once

#include <cstdint>

#include "app/SettingsValues.h"

namespace vx {

inline constexpr std::uint32_t kStandardCheckColors[kMaxCheckColors] = {
    0x4A94FF, 0xFF00FF, 0x00F7FF, 0x4AB500, 0xFFB500, 0x9C529C, 0xFF0000, 0x00FF00, 0x0000FF,
    // Pink, brown, grey, teal, navy, olive and maroon, so that no two colours look alike.
    0xC080FF, 0x336699, 0x808080, 0x808000, 0x800000, 0x008080, 0x000080};

inline constexpr std::uint32_t kSecondCheckColors[kMaxCheckColors] = {
    0x007FFF, 0x0000FF, 0xFF00FF, 0xFFFF00, 0xFF0000, 0x336699, 0x00FFFF, 0x7F007F, 0x00FF00,
    // Grey, pink, teal, navy, olive, maroon and dark green.
    0x808080, 0xC080FF, 0x808000, 0x800000, 0x008080, 0x000080, 0x008000};

}  // namespace vx
