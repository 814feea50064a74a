// SQL functions over CP932 text, for use instead of SQLite's UTF-8-aware built-ins:
//   cnt(text, key)    1 when key occurs in text, else 0; NULL for a NULL argument
//   ncnt(text, key)   the same on the folded text (the caller folds the key); NULL for NULL
//   normalize(text)   the folded text; NULL for NULL
//   firstchar(text)   the first character (one byte, or two for a lead byte); NULL for NULL
#pragma once

#include <string_view>

struct sqlite3;

namespace vx {

// Whether `key` occurs in `text` starting on a character boundary: bytes that match from the
// trail byte of a double-byte character on ("@" in 0x8B 0x40) are not the key's characters.
bool ContainsCharacters(std::string_view text, std::string_view key);

// Registers the four functions on `connection`; returns the first SQLite error code, or 0.
int RegisterTextFunctions(sqlite3* connection);

}  // namespace vx
