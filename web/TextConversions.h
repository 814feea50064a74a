// Text conversions at the web code's edges: UTF-8 (replies, form values), wide text (the feed
// patterns run on it) and the program's CP932 ("ANSI"). Each conversion reads its input up to the
// first NUL, as the C strings they stand in for did; characters the target cannot hold become '?'.
#pragma once

#include <string>
#include <string_view>

namespace vx {

// Malformed UTF-8 becomes U+FFFD, one per bad byte sequence.
std::wstring Utf8ToWide(std::string_view utf8);
// Code points that are not characters (surrogates, beyond U+10FFFF) become U+FFFD.
std::string WideToUtf8(std::wstring_view wide);
std::string WideToAnsi(std::wstring_view wide);
std::wstring AnsiToWide(std::string_view ansi);
std::string Utf8ToAnsi(std::string_view utf8);
std::string AnsiToUtf8(std::string_view ansi);

}  // namespace vx
