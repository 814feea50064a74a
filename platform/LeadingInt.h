// Decimal numbers as the catalogue files, records and profile files write them.
#pragma once

#include <string_view>

namespace vx {

// The number at the front of `text`: leading white space skipped, an optional sign, then digits up
// to the first non-digit; 0 when there are none. Values beyond the int range are clamped.
int LeadingInt(std::string_view text);

}  // namespace vx
