#include "app/SettingsPath.h"

#include "platform/CodePage.h"

namespace vx {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// 0 for a byte that cannot start a character.
std::size_t Utf8SequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead < 0xC2) return 0;  // a continuation byte, or the start of an overlong form
  if (lead < 0xE0) return 2;
  if (lead < 0xF0) return 3;
  return lead < 0xF5 ? 4 : 0;
}

bool IsValidUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length = Utf8SequenceLength(static_cast<unsigned char>(text[i]));
    if (length == 0 || i + length > text.size()) return false;
    for (std::size_t k = 1; k < length; ++k) {
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
    }
    i += length;
  }
  return true;
}

bool IsAscii(std::string_view text) {
  for (const char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

}  // namespace

std::string SettingsPathText(const std::filesystem::path& path) {
  const std::string& utf8 = path.native();
  const std::string cp932 = Utf8ToCp932(utf8);
  // CP932 text that reads as UTF-8 too would be taken for a value of an older version.
  const bool exact = Cp932ToUtf8(cp932) == utf8 && (IsAscii(cp932) || !IsValidUtf8(cp932));
  return exact ? cp932 : std::string(kUtf8Mark) + utf8;
}

std::filesystem::path PathOfSettingsText(std::string_view text) {
  if (text.starts_with(kUtf8Mark)) return std::filesystem::path(text.substr(kUtf8Mark.size()));
  return std::filesystem::path(Cp932ToUtf8(text));
}

std::string SettingsPathTextOfOlderValue(std::string_view stored) {
  if (stored.starts_with(kUtf8Mark) || IsAscii(stored) || !IsValidUtf8(stored)) {
    return std::string(stored);
  }
  return SettingsPathText(std::filesystem::path(std::string(stored)));
}

}  // namespace vx
