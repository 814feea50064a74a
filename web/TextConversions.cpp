#include "web/TextConversions.h"

#include <utility>

#include "platform/CodePage.h"

namespace vx {
namespace {

constexpr wchar_t kReplacement = 0xFFFD;

template <class Text>
Text UpToNul(Text text) {
  const auto nul = text.find(typename Text::value_type{0});
  return nul == Text::npos ? text : text.substr(0, nul);
}

// The code point of the well-formed sequence at s[i] and its length; length 0 when malformed.
std::pair<char32_t, std::size_t> DecodeUtf8(std::string_view s, std::size_t i) {
  const auto byte = [&s](std::size_t k) { return static_cast<unsigned char>(s[k]); };
  const unsigned char lead = byte(i);
  if (lead < 0x80) return {lead, 1};
  std::size_t length;
  char32_t cp;
  char32_t minimum;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, cp = lead & 0x1F, minimum = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, cp = lead & 0x0F, minimum = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, cp = lead & 0x07, minimum = 0x10000;
  } else {
    return {0, 0};
  }
  if (i + length > s.size()) return {0, 0};
  for (std::size_t k = 1; k < length; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) return {0, 0};
    cp = (cp << 6) | (byte(i + k) & 0x3F);
  }
  if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return {0, 0};
  return {cp, length};
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = kReplacement;
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

}  // namespace

std::wstring Utf8ToWide(std::string_view utf8) {
  utf8 = UpToNul(utf8);
  std::wstring wide;
  wide.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    const auto [cp, length] = DecodeUtf8(utf8, i);
    if (length == 0) {
      wide += kReplacement;
      ++i;
      continue;
    }
    wide += static_cast<wchar_t>(cp);
    i += length;
  }
  return wide;
}

std::string WideToUtf8(std::wstring_view wide) {
  wide = UpToNul(wide);
  std::string utf8;
  utf8.reserve(wide.size() * 3);
  for (wchar_t c : wide) AppendUtf8(utf8, static_cast<char32_t>(c));
  return utf8;
}

std::string WideToAnsi(std::wstring_view wide) { return Utf8ToCp932(WideToUtf8(wide)); }

std::wstring AnsiToWide(std::string_view ansi) { return Utf8ToWide(Cp932ToUtf8(UpToNul(ansi))); }

std::string Utf8ToAnsi(std::string_view utf8) { return Utf8ToCp932(UpToNul(utf8)); }

std::string AnsiToUtf8(std::string_view ansi) { return Cp932ToUtf8(UpToNul(ansi)); }

}  // namespace vx
