// Conversions between the program's internal text (CP932 bytes) and the encodings met at its
// edges. Characters that the target cannot represent, and malformed input, become '?' (one per
// character) and the rest of the text is converted. Safe to call from any thread; throws
// std::system_error only when the system lacks the iconv converters (CP932, EUC-JP-MS).
#pragma once

#include <string>
#include <string_view>

namespace vx {

enum CodePage : int {
  kCodePageCp932 = 932,
  kCodePageUtf8 = 65001,
  kCodePageEucJp = 20932,
  kCodePageIso2022Jp = 50220,
};

// CP932 <-> UTF-8.
std::string Cp932ToUtf8(std::string_view cp932);
std::string Utf8ToCp932(std::string_view utf8);

// Text in `codePage` to CP932 and back; an unknown code page returns the bytes unchanged.
std::string ToCp932(std::string_view bytes, int codePage);
std::string FromCp932(std::string_view cp932, int codePage);

// CP932 bytes of a UTF-8 literal, for Japanese texts that are data ("日", file headers, ...).
inline std::string Sjis(std::string_view utf8Literal) { return Utf8ToCp932(utf8Literal); }

}  // namespace vx
