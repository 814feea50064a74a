#include "data/images/ImageInstallFolders.h"

#include "data/images/CatalogImages.h"
#include "platform/Paths.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <string>
#include <system_error>

namespace vx {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kMaxEventDigits = 9;

// n of "VQ<n>", or 0. Only the spelling InstalledImageFolder gives counts: "VQ096" would be
// listed as 96 while deleting and installing 96 address "VQ96".
int InstalledFolderEvent(const std::string& name) {
  if (name.size() < 3 || std::toupper(static_cast<unsigned char>(name[0])) != 'V' ||
      std::toupper(static_cast<unsigned char>(name[1])) != 'Q') {
    return 0;
  }
  const std::string digits = name.substr(2);
  if (digits.size() > kMaxEventDigits || digits.front() == '0' ||
      !std::all_of(digits.begin(), digits.end(),
                   [](char c) { return std::isdigit(static_cast<unsigned char>(c)); })) {
    return 0;
  }
  return std::stoi(digits);
}

std::string DiscFolderName(int event, const char* suffix) {
  char name[32];
  std::snprintf(name, sizeof name, "DATA%02d%s", event, suffix);
  return name;
}

}  // namespace

fs::path InstalledImageFolder(const fs::path& imageFolder, int event) {
  const std::string name = "VQ" + std::to_string(event);
  return ResolveCaseInsensitive(imageFolder, name).value_or(imageFolder / name);
}

std::vector<int> ListInstalledImageEvents(const fs::path& imageFolder) {
  std::vector<int> events;
  std::error_code error;
  for (const fs::directory_entry& entry : fs::directory_iterator(imageFolder, error)) {
    const int event = InstalledFolderEvent(entry.path().filename().string());
    if (event >= 1 && entry.is_directory(error) && HasImageData(entry.path(), event)) {
      events.push_back(event);
    }
  }
  std::sort(events.begin(), events.end());
  return events;
}

std::optional<fs::path> FindImageSource(const fs::path& chosen, int event) {
  if (HasImageData(chosen, event)) return chosen;
  for (const char* suffix : {"N", ""}) {
    const std::optional<fs::path> folder =
        ResolveCaseInsensitive(chosen, DiscFolderName(event, suffix));
    if (folder && HasImageData(*folder, event)) return folder;
  }
  return std::nullopt;
}

bool IsSameFolder(const fs::path& a, const fs::path& b) {
  std::error_code error;
  return fs::equivalent(a, b, error);
}

}  // namespace vx
