// SQL functions over CP932 text, for use instead of SQLite's UTF-8-aware built-ins:
//   cnt(text, key)    1 when key occurs in text, else 0; NULL for a NULL argument
//   ncnt(text, key)   the same on the folded text (the caller folds the key); NULL for NULL
//   normalize(text)   the folded text; NULL for NULL
//   firstchar(text)   the first character (one byte, or two for a lead byte); NULL for NULL
#pragma once

#include <cstddef>
#include <string_view>

#include "platform/Sjis.h"

struct sqlite3;

namespace vx {

// The first occurrence of `key` in `text` at or after `from`; npos when none. glibc's memmem is
// far quicker than a byte-by-byte search on the long texts a search or a memo merge looks at.
std::size_t FindBytes(std::string_view text, std::string_view key, std::size_t from);

// Whether `key` occurs in `text` starting on a character boundary at a place `accept(position)`
// takes: bytes that match from the trail byte of a double-byte character on ("@" in 0x8B 0x40)
// are not the key's characters.
template <typename Accept>
bool FindCharacterMatch(std::string_view text, std::string_view key, Accept accept) {
  std::size_t start = 0;  // a character start at or before the next match
  for (std::size_t match = FindBytes(text, key, 0); match != std::string_view::npos;
       match = FindBytes(text, key, match + 1)) {
    // SjisCharLength, inline: searches walk every text they look at.
    while (start < match) {
      start += start + 1 < text.size() && IsSjisLeadByte(static_cast<unsigned char>(text[start]))
                   ? 2
                   : 1;
    }
    if (start == match && accept(match)) return true;
  }
  return false;
}

inline bool ContainsCharacters(std::string_view text, std::string_view key) {
  return FindCharacterMatch(text, key, [](std::size_t) { return true; });
}

// Registers the four functions on `connection`; returns the first SQLite error code, or 0.
int RegisterTextFunctions(sqlite3* connection);

}  // namespace vx
