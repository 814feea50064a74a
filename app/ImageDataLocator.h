// Finds the folder that holds the current event's cut and map images: the folder the user chose
// before, else the installed copy beside the program, the disc folders next to the program
// folder and the mounted optical discs, else it asks the user.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "app/SettingsValues.h"

namespace vx {

// Shown without owner when no image data was found; start-up goes on without pictures.
inline constexpr std::string_view kImageDataMissingText =
    "画像データが見つかりません.\n画像表示は正常に行われません.";
inline constexpr std::string_view kImageDataMissingTitle =
    "ヴェラストレードCD-ROMロザーヴァンクイストの警告";

class ImageDataLocator {
 public:
  // Whether a folder holds the event's image data.
  using Probe = std::function<bool(const std::filesystem::path& folder, int event)>;
  // The image path dialog on the "ImagePath" field (CP932, NUL-terminated); true for OK, with
  // the chosen folder in the field.
  using AskFolder = std::function<bool(std::span<char> pathField, int event)>;

  // `discRoots`: the mount points of the optical discs, in the order they are tried.
  ImageDataLocator(std::filesystem::path programFolder,
                   std::vector<std::filesystem::path> discRoots, Probe probe);

  // The folders tried when no chosen folder holds the data, in order.
  std::vector<std::filesystem::path> Candidates(int event) const;

  // Uses and updates "ImgPathMode" and "ImagePath" of `values` (event "VQNumber96"). Nothing
  // when nothing was found and the user cancelled the dialog (or there is no dialog).
  std::optional<std::filesystem::path> Find(SettingsValues& values, const AskFolder& ask) const;

 private:
  std::filesystem::path programFolder_;
  std::vector<std::filesystem::path> discRoots_;
  Probe probe_;
};

// The mount points of optical discs (ISO 9660 and UDF file systems) listed in a mounts table in
// the format of /proc/mounts, in table order.
std::vector<std::filesystem::path> ListOpticalDiscMounts(
    const std::filesystem::path& mountsTable = "/proc/mounts");

}  // namespace vx
