#include "checklist/Utf8UnderSjisCheck.h"

#include <algorithm>
#include <cstddef>
#include <string>

#include "platform/CodePage.h"
#include "platform/Sjis.h"

namespace vx {
namespace {

bool InRange(unsigned char c, unsigned char low, unsigned char high) {
  return c >= low && c <= high;
}

// Bytes of the well-formed UTF-8 character of two or more bytes at the start of `s`; 0 when there
// is none (no overlong forms, surrogates or values beyond U+10FFFF).
std::size_t MultibyteLength(std::string_view s) {
  const auto at = [&s](std::size_t i) { return static_cast<unsigned char>(s[i]); };
  const unsigned char lead = at(0);
  std::size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
  if (InRange(lead, 0xC2, 0xDF)) {
    length = 2;
  } else if (InRange(lead, 0xE0, 0xEF)) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (InRange(lead, 0xF0, 0xF4)) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  }
  if (length == 0 || s.size() < length || !InRange(at(1), low, high)) return 0;
  for (std::size_t i = 2; i < length; ++i) {
    if (!InRange(at(i), 0x80, 0xBF)) return 0;
  }
  return length;
}

// The converter puts one '?' in place of every byte sequence CP932 does not define.
bool IsValidCp932(std::string_view bytes) {
  const std::string utf8 = Cp932ToUtf8(bytes);
  return std::count(utf8.begin(), utf8.end(), '?') == std::count(bytes.begin(), bytes.end(), '?');
}

// Bytes of the CP932 character at the start of `s`: a lead byte and a byte that can follow it, or
// one byte.
std::size_t Cp932CharLength(std::string_view s) {
  if (s.size() < 2 || !IsSjisLeadByte(static_cast<unsigned char>(s[0]))) return 1;
  const auto trail = static_cast<unsigned char>(s[1]);
  return trail >= 0x40 && trail <= 0xFC && trail != 0x7F ? 2 : 1;
}

}  // namespace

bool IsUtf8RatherThanCp932(std::string_view bytes) {
  bool multibyte = false;
  for (std::size_t i = 0; i < bytes.size();) {
    if (static_cast<unsigned char>(bytes[i]) < 0x80) {
      ++i;
      continue;
    }
    const std::size_t length = MultibyteLength(bytes.substr(i));
    if (length == 0) return false;
    multibyte = true;
    i += length;
  }
  return multibyte && !IsValidCp932(bytes);
}

std::string ReadableAsCp932(std::string text) {
  if (!IsUtf8RatherThanCp932(text)) return text;
  std::string readable;
  for (std::string_view rest = text; !rest.empty();) {
    const std::string_view c = rest.substr(0, Cp932CharLength(rest));
    readable += static_cast<unsigned char>(c[0]) < 0x80 || IsValidCp932(c) ? c : "?";
    rest.remove_prefix(c.size());
  }
  return readable;
}

}  // namespace vx
