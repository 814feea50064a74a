// Where image data is installed on the hard disk and where it lies on a disc.
#pragma once

#include <filesystem>
#include <optional>
#include <vector>

namespace vx {

// The installed folder of `event`: "VQ<event>" in the image folder (an existing folder spelt in
// another case is found).
std::filesystem::path InstalledImageFolder(const std::filesystem::path& imageFolder, int event);

// The events installed in the image folder, ascending: every folder "VQ<n>" (any case, n only
// digits without leading zeros and at least 1) that holds image data of n.
std::vector<int> ListInstalledImageEvents(const std::filesystem::path& imageFolder);

// Where a folder chosen on a disc holds the image data of `event`: the folder itself, else its
// sub-folder "DATA%02dN", else "DATA%02d".
std::optional<std::filesystem::path> FindImageSource(const std::filesystem::path& chosen,
                                                     int event);

// True when both name one existing folder, however they are spelt (links, "..", case).
bool IsSameFolder(const std::filesystem::path& a, const std::filesystem::path& b);

}  // namespace vx
