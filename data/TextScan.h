// Scanning CP932 text: characters, lines and TAB-separated fields. All of them work on bounded
// views, so a lead byte at the very end is never paired with what lies beyond the text.
#pragma once

#include <string>
#include <string_view>

namespace vx {

// Reads the character at the front of `rest` (one byte, or two for a lead byte that has a
// following byte), removes it from `rest` and returns its code (lead byte x 256 + trail byte for
// two bytes). An empty `rest` gives 0 and stays empty.
int NextSjisChar(std::string_view& rest);

// `line` up to (not including) its first CR or LF.
std::string_view CutAtLineEnd(std::string_view line);

// Returns the field at the front of `rest`, up to the next TAB, and moves `rest` behind that TAB.
// Without a TAB the whole rest is the field and `rest` becomes empty, so later calls give empty
// fields. TAB never occurs as a trail byte in CP932, so the split is bytewise.
std::string_view NextTabField(std::string_view& rest);

}  // namespace vx
