// Telling UTF-8 text from the Shift-JIS (CP932) text a checklist declares: other programs and
// editors write UTF-8 under a Shift_JIS header, which read as CP932 turns into other characters.
#pragma once

#include <string>
#include <string_view>

namespace vx {

// True when `bytes` is UTF-8 rather than CP932: all of it well-formed UTF-8 with at least one
// character beyond ASCII, and not valid CP932 (UTF-8 Japanese read as CP932 almost always pairs
// bytes into codes CP932 does not define, or leaves a lead byte before a comma). Text valid in
// both is CP932: Shift-JIS text such as ﾃｽ (UTF-8 ý) always reads as what it declares, and a
// short UTF-8 text that happens to be valid CP932 is taken for it.
bool IsUtf8RatherThanCp932(std::string_view bytes);

// `text` as written, unless the check above would take it for UTF-8 (only texts holding bytes that
// are not CP932, read from a damaged file, can be): then every character CP932 does not define
// becomes '?', so that a checklist this program writes always reads back.
std::string ReadableAsCp932(std::string text);

}  // namespace vx
