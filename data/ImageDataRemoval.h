// Deleting an installed event's image data from the hard disk.
#pragma once

#include <filesystem>
#include <functional>
#include <string>

namespace vx {

// Shows an error box: text and title, CP932.
using ErrorBoxFunction = std::function<void(const std::string& text, const std::string& title)>;

// Deletes, in this order, "PDATA/*.PNG" and the folder PDATA, "MDATA/*.PNG" and MDATA, the cut
// archives "*.CCZ", then `eventFolder` itself (names matched without regard to case). A file that
// cannot be deleted is reported and ends the deletion, leaving the rest in place; a folder that
// cannot be removed (it still holds other files) is reported and the deletion goes on. False when
// anything is left.
bool RemoveInstalledImageData(const std::filesystem::path& eventFolder,
                              const ErrorBoxFunction& showError);

}  // namespace vx
