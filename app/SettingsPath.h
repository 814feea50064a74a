// Paths in the settings. The settings file is Shift-JIS (CP932), and so are the path fields of the
// value block, which hold the very bytes the file does: a path that CP932 holds exactly is kept as
// CP932, as ever; any other (a wave dash typed as U+301C, "Café") is kept as a UTF-8 byte order
// mark followed by its UTF-8 bytes, which no CP932 text begins with, so that it reads back the
// same and the program uses the folder the user chose, not a look-alike.
#pragma once

#include <cstddef>
#include <cstring>
#include <filesystem>
#include <string>
#include <string_view>

namespace vx {

// The settings text of a native (UTF-8) path.
std::string SettingsPathText(const std::filesystem::path& path);
// The native path a settings text names: a marked text is UTF-8, any other CP932.
std::filesystem::path PathOfSettingsText(std::string_view text);
// A value that older versions of the program stored as UTF-8 without a mark (the recent
// checklist files and the checklist folder), as the settings keep it now; a value written as
// CP932, marked or plain ASCII comes back unchanged.
std::string SettingsPathTextOfOlderValue(std::string_view stored);

// Stores `text` in a path field when it fits whole, the rest of the field zeroed; a cut path
// would name another place, so one that does not fit leaves the field as it was (false).
template <std::size_t N>
bool StoreSettingsPath(char (&field)[N], std::string_view text) {
  if (text.size() >= N) return false;
  std::memcpy(field, text.data(), text.size());
  std::memset(field + text.size(), 0, N - text.size());
  return true;
}

// The text of a path field, never read past its end.
template <std::size_t N>
std::string_view SettingsFieldText(const char (&field)[N]) {
  return std::string_view(field, strnlen(field, N));
}

}  // namespace vx
