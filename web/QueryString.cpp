#include "web/QueryString.h"

#include <utility>

namespace vx {
namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool StorePair(std::map<std::string, std::string>& pairs, const std::string& name,
               std::string_view value) {
  if (value.empty()) return true;
  std::string decoded;
  if (!PercentDecode(value, decoded)) return false;
  pairs[name] = std::move(decoded);
  return true;
}

}  // namespace

bool PercentDecode(std::string_view text, std::string& out) {
  std::string decoded;
  decoded.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      decoded += text[i];
      continue;
    }
    if (i + 2 >= text.size()) return false;
    const int high = HexDigit(text[i + 1]);
    const int low = HexDigit(text[i + 2]);
    if (high < 0 || low < 0) return false;
    decoded += static_cast<char>(high * 16 + low);
    i += 2;
  }
  out = std::move(decoded);
  return true;
}

bool ParseQueryString(std::string_view url, std::map<std::string, std::string>& out) {
  const std::size_t question = url.find('?');
  if (question == std::string_view::npos) return true;
  std::string_view query = url.substr(question + 1);
  query = query.substr(0, query.find('#'));
  std::map<std::string, std::string> pairs;
  std::string name;
  std::string value;
  bool readingName = true;
  for (const char c : query) {
    if (c == '&') {
      if (!StorePair(pairs, name, value)) return false;
      name.clear();
      value.clear();
      readingName = true;
    } else if (c == '=' && readingName) {
      readingName = false;
    } else {
      (readingName ? name : value) += c;
    }
  }
  if (!name.empty() && !StorePair(pairs, name, value)) return false;
  for (auto& [key, decoded] : pairs) out[key] = std::move(decoded);
  return true;
}

}  // namespace vx
