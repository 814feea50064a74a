// The licence of the JSON library the web services use, shown in the about box.
#pragma once

#include <string_view>

namespace vx {

std::string_view JsonLibraryLicenseText();

}  // namespace vx
