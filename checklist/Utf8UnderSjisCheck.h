// Telling UTF-8 text from the Shift-JIS (CP932) text a checklist declares. Other programs write
// UTF-8 under a Shift_JIS header; read as CP932 its Japanese turns into other, equally valid
// characters, so the bytes themselves must tell.
#pragma once

#include <string_view>

namespace vx {

// True when `bytes` is UTF-8 rather than CP932: all of it well-formed UTF-8 with at least one
// character beyond ASCII, and either a character of three bytes or more (kana, kanji, full-width
// forms: CP932 text forms those only by the rarest chance) or text that is not valid CP932.
// Text valid in both with two-byte characters only (half-width kana such as ﾃｽ read as UTF-8 ý)
// stays CP932.
bool IsUtf8RatherThanCp932(std::string_view bytes);

}  // namespace vx
