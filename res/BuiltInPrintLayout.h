// The print layout file "vpr.ini" compiled into the program: every layout the print dialogs
// offer. A "vpr.ini" in the program folder takes its place.
#pragma once

#include <optional>
#include <string>

namespace vx {

// Where the built-in file lives, for messages.
inline constexpr const char* kBuiltInPrintLayoutPath = ":/print/vpr.ini";

// The file's bytes (CP932); none when the resource cannot be read.
std::optional<std::string> BuiltInPrintLayout();

}  // namespace vx
