#include "app/CircleLinkAddress.h"

#include <algorithm>

#include "platform/UiServices.h"

namespace vx {

namespace {

std::string_view Trimmed(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }

bool IsIdCharacter(char c) {
  return IsAsciiDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}

bool IsMailCharacter(char c) {
  const auto u = static_cast<unsigned char>(c);
  if (u <= 0x20 || u >= 0x7F) return false;
  return std::string_view("?%&<>()[]\\,;:\"'`/#").find(c) == std::string_view::npos;
}

bool IsWebAddress(std::string_view text) {
  std::string scheme(text.substr(0, std::min<std::size_t>(text.size(), 8)));
  for (char& c : scheme) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return scheme.starts_with("http://") || scheme.starts_with("https://");
}

}  // namespace

std::optional<std::string> WebLinkAddress(std::string_view field) {
  const std::string_view address = Trimmed(field);
  if (!IsOpenableUrl(address)) return std::nullopt;
  return std::string(address);
}

std::optional<std::string> TwitterProfileAddress(std::string_view field) {
  std::string_view id = Trimmed(field);
  if (IsWebAddress(id)) return std::string(id);
  if (id.starts_with('@')) id.remove_prefix(1);
  if (id.empty() || id.size() > 15 || !std::all_of(id.begin(), id.end(), IsIdCharacter)) {
    return std::nullopt;
  }
  return "https://twitter.com/" + std::string(id);
}

std::optional<std::string> PixivProfileAddress(std::string_view field) {
  const std::string_view id = Trimmed(field);
  if (IsWebAddress(id)) return std::string(id);
  if (id.empty() || id.size() > 12 || !std::all_of(id.begin(), id.end(), IsAsciiDigit)) {
    return std::nullopt;
  }
  return "https://www.pixiv.net/users/" + std::string(id);
}

std::optional<std::string> MailtoAddress(std::string_view field) {
  const std::string_view address = Trimmed(field);
  const std::size_t at = address.find('@');
  if (at == 0 || at == std::string_view::npos || at + 1 == address.size() ||
      address.find('@', at + 1) != std::string_view::npos ||
      !std::all_of(address.begin(), address.end(), IsMailCharacter)) {
    return std::nullopt;
  }
  return "mailto:" + std::string(address);
}

}  // namespace vx
