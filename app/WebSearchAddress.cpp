#include "app/WebSearchAddress.h"

#include "data/CircleRecord.h"

namespace vx {

namespace {

constexpr std::string_view kQueryStart =
    "search?hl=ja&inlang=ja&ie=Shift_JIS&c2coff=1&as_qdr=all&q=";
constexpr std::string_view kQueryEnd = "&lr=lang_ja";

void AppendEncoded(std::string& out, std::string_view term) {
  static constexpr char kHex[] = "0123456789abcdef";
  for (const char c : term) {
    const auto byte = static_cast<unsigned char>(c);
    out += '%';
    out += kHex[byte >> 4];
    out += kHex[byte & 0xF];
  }
}

}  // namespace

std::string_view CircleFieldText(const CircleRecord& circle, int field) {
  switch (field) {
    case 1:
      return circle.circleName;
    case 2:
      return circle.circleKana;
    case 3:
      return circle.penName;
    case 4:
      return circle.bookName;
    case 5:
      return circle.url;
    case 6:
      return circle.mailAddr;
    default:
      return {};
  }
}

std::string WebSearchAddress(std::string_view service, const CircleRecord& circle,
                             const WebSearchTerms& terms) {
  int first = 1;
  int second = 3;
  bool all = terms.type == 1;
  if (terms.type == 2) {
    first = terms.item1;
    second = terms.item2;
    all = terms.condition == 1;
  } else if (terms.type != 0 && terms.type != 1) {
    return {};
  }
  const std::string_view one = CircleFieldText(circle, first);
  const std::string_view two =
      first == second ? std::string_view() : CircleFieldText(circle, second);
  if (one.empty() && two.empty()) return {};

  std::string address(service);
  address += kQueryStart;
  AppendEncoded(address, one);
  if (!one.empty() && !two.empty()) address += all ? "+" : "+OR+";
  AppendEncoded(address, two);
  address += kQueryEnd;
  return address;
}

}  // namespace vx
