#include "app/ImageDataLocator.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>

#include "app/SettingsPath.h"
#include "platform/Paths.h"

namespace vx {

namespace {

std::string DiscFolderName(int event, bool newLayout) {
  char name[32];
  std::snprintf(name, sizeof name, newLayout ? "DATA%02dN" : "DATA%02d", event);
  return name;
}

// A disc may show its folder names in lower case.
std::filesystem::path DiscFolder(const std::filesystem::path& base, const std::string& name) {
  if (auto found = ResolveCaseInsensitive(base, name)) return *found;
  return JoinPath(base, name);
}

// Mount tables write a space in a path as "\040" and so on.
std::string UnescapeMountField(const std::string& field) {
  std::string out;
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (field[i] == '\\' && i + 3 < field.size()) {
      const std::string digits = field.substr(i + 1, 3);
      if (digits.find_first_not_of("01234567") == std::string::npos) {
        out += static_cast<char>(std::stoi(digits, nullptr, 8));
        i += 3;
        continue;
      }
    }
    out += field[i];
  }
  return out;
}

}  // namespace

ImageDataLocator::ImageDataLocator(std::filesystem::path programFolder,
                                   std::vector<std::filesystem::path> discRoots, Probe probe)
    : programFolder_(std::move(programFolder)),
      discRoots_(std::move(discRoots)),
      probe_(std::move(probe)) {}

std::vector<std::filesystem::path> ImageDataLocator::Candidates(int event) const {
  const std::filesystem::path parent = programFolder_.parent_path();
  std::vector<std::filesystem::path> folders = {
      JoinPath(programFolder_, "VQ" + std::to_string(event)),
      programFolder_,
      DiscFolder(parent, DiscFolderName(event, true)),
      DiscFolder(parent, DiscFolderName(event, false)),
  };
  for (const std::filesystem::path& root : discRoots_) {
    folders.push_back(root);
    folders.push_back(DiscFolder(root, DiscFolderName(event, true)));
    folders.push_back(DiscFolder(root, DiscFolderName(event, false)));
  }
  return folders;
}

std::optional<std::filesystem::path> ImageDataLocator::Find(SettingsValues& values,
                                                            const AskFolder& ask) const {
  const int event = values.eventNumber;
  for (;;) {
    const std::filesystem::path chosen = PathOfSettingsText(SettingsFieldText(values.imagePath));
    if (values.imgPathMode != 0 && !chosen.empty() && probe_(chosen, event)) return chosen;
    values.imgPathMode = 0;
    for (const std::filesystem::path& folder : Candidates(event)) {
      if (probe_(folder, event)) return folder;
    }
    if (!ask || !ask(std::span<char>(values.imagePath), event)) return std::nullopt;
    values.imgPathMode = 1;
  }
}

std::vector<std::filesystem::path> ListOpticalDiscMounts(const std::filesystem::path& mountsTable) {
  std::vector<std::filesystem::path> mounts;
  std::ifstream table(mountsTable);
  std::string line;
  while (std::getline(table, line)) {
    std::istringstream fields(line);
    std::string device, mountPoint, type;
    if (!(fields >> device >> mountPoint >> type)) continue;
    if (type == "iso9660" || type == "udf") mounts.emplace_back(UnescapeMountField(mountPoint));
  }
  return mounts;
}

}  // namespace vx
