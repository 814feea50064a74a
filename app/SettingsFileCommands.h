// The settings export and import commands: the behaviour settings (system, event with bookmarks,
// and search groups) and the print settings alone, to and from an ini file the user picks. An
// import replaces the working copy of the values and tells every window; the program stays on its
// current event. A cancelled file dialog changes nothing; a file that cannot be written or read
// says so, and so does one that is not a regular file or is far larger than settings files.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace vx {

class ApplicationCore;
class UiServices;

class SettingsFileCommands {
 public:
  // `bookmarksChanged` runs after an import replaced the bookmarks (the menu follows them).
  SettingsFileCommands(ApplicationCore& core, UiServices& ui,
                       std::function<void()> bookmarksChanged = {});

  // True when a file was written or read.
  bool ExportSettings();
  bool ImportSettings();
  bool ExportPrintSettings();
  bool ImportPrintSettings();

 private:
  struct FileKind {
    std::string_view filterName;  // UTF-8
    std::string_view title;
  };
  std::optional<std::filesystem::path> ChooseFile(const FileKind& kind, bool save);
  // The working copy back into the settings object, which the export writes.
  void TakeWorkingValues();
  void ReportFailure(std::string_view utf8What, const std::filesystem::path& file);
  // False, after saying why, for a file no settings file can be: not a regular file, or too
  // large. `utf8Kind` names the settings ("動作設定").
  bool CanImport(const std::filesystem::path& file, std::string_view utf8Kind);

  ApplicationCore& core_;
  UiServices& ui_;
  std::function<void()> bookmarksChanged_;
};

}  // namespace vx
