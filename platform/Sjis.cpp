#include "platform/Sjis.h"

#include <cstring>

namespace vx {

std::size_t SjisCharLength(std::string_view s, std::size_t i) {
  if (i + 1 < s.size() && IsSjisLeadByte(static_cast<unsigned char>(s[i]))) return 2;
  return 1;
}

std::size_t SjisCopyBounded(char* dst, const char* src, std::size_t size) {
  if (size == 0) return 0;
  std::size_t used = 0;
  while (*src != '\0') {
    const std::size_t len =
        (IsSjisLeadByte(static_cast<unsigned char>(*src)) && src[1] != '\0') ? 2 : 1;
    if (used + len > size - 1) break;
    std::memcpy(dst + used, src, len);
    used += len;
    src += len;
  }
  dst[used] = '\0';
  return used;
}

std::string SjisTruncate(std::string_view s, std::size_t maxBytes) {
  std::size_t used = 0;
  while (used < s.size()) {
    const std::size_t len = SjisCharLength(s, used);
    if (used + len > maxBytes) break;
    used += len;
  }
  return std::string(s.substr(0, used));
}

}  // namespace vx
