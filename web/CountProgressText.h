// "<label>(<position>/<total>)", the progress line of the web jobs; a negative (finished)
// position shows as the total. `utf8Label` is a literal; the result is CP932.
#pragma once

#include <string>

namespace vx {

std::string CountProgressText(const char* utf8Label, int position, int total);

}  // namespace vx
