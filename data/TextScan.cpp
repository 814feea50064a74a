#include "data/TextScan.h"

#include "platform/Sjis.h"

namespace vx {

int NextSjisChar(std::string_view& rest) {
  if (rest.empty()) return 0;
  const auto first = static_cast<unsigned char>(rest[0]);
  if (IsSjisLeadByte(first) && rest.size() >= 2) {
    const auto second = static_cast<unsigned char>(rest[1]);
    rest.remove_prefix(2);
    return first * 256 + second;
  }
  rest.remove_prefix(1);
  return first;
}

std::string_view CutAtLineEnd(std::string_view line) {
  const auto end = line.find_first_of("\r\n");
  return end == std::string_view::npos ? line : line.substr(0, end);
}

std::string_view NextTabField(std::string_view& rest) {
  const auto tab = rest.find('\t');
  if (tab == std::string_view::npos) {
    const std::string_view field = rest;
    rest = rest.substr(rest.size());
    return field;
  }
  const std::string_view field = rest.substr(0, tab);
  rest.remove_prefix(tab + 1);
  return field;
}

}  // namespace vx
