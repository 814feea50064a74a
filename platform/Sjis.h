// Shift-JIS (CP932) byte helpers shared by every layer.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vx {

inline bool IsSjisLeadByte(unsigned char c) {
  return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// Byte length of the character starting at s[i] inside a bounded view (1 or 2; 1 for a lone lead
// byte at the end).
std::size_t SjisCharLength(std::string_view s, std::size_t i);

// Copies at most size-1 bytes of `src` into `dst` and always terminates (when size > 0); a
// double-byte character is copied whole or not at all. Returns the bytes copied.
std::size_t SjisCopyBounded(char* dst, const char* src, std::size_t size);

// `s` cut to at most `maxBytes` bytes without splitting a double-byte character.
std::string SjisTruncate(std::string_view s, std::size_t maxBytes);

}  // namespace vx
