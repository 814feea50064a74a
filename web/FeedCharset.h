// The character sets a feed may declare, read into wide text for the feed patterns. Stands in for
// the multi-language service the program once asked: a name it does not know reads as UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace vx {

// The code page of a charset name (any case; the common aliases of the Japanese sets): 932, 20932,
// 50220 or 65001. An empty or unknown name gives 65001.
int CharsetToCodePage(std::string_view charset);

// `bytes` in `codePage` as wide text. A UTF-8 byte order mark is dropped; malformed input becomes
// replacement characters (UTF-8) or '?' (the Japanese sets) and the rest is converted.
std::wstring MultiByteToUnicode(int codePage, std::string_view bytes);

}  // namespace vx
