// What the disc import asks of its user: where a missing file lies, and error boxes. The import
// calls these on the thread that runs it; an implementation that shows windows must take the call
// to the UI thread and wait for the answer.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace vx {

class ImportPrompts {
 public:
  virtual ~ImportPrompts() = default;

  // Asks for the file named `fileName` (CP932, for example "V96MAP.TXT"), starting in `folder`.
  // The file chosen (its folder becomes the import's source folder), or nothing when the user
  // gives up.
  virtual std::optional<std::filesystem::path> LocateFile(const std::string& fileName,
                                                          const std::filesystem::path& folder) = 0;
  // An error box titled "エラー" with `text` (CP932).
  virtual void ShowError(const std::string& text) = 0;
  // A warning box about an install that went through with lines left out (CP932).
  virtual void ShowWarning(const std::string& text) { ShowError(text); }
};

}  // namespace vx
