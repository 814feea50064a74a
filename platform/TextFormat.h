// printf-style formatting into a std::string. The format may be CP932 text (Sjis("...")): no
// byte of a double-byte character is ever '%', so its conversions are found as in ASCII.
#pragma once

#include <string>

namespace vx {

std::string FormatText(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace vx
