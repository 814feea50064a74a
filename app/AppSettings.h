// Every persistent setting of the program. "settings.ini" in the program folder says where the
// user's data lives; the settings themselves live in "vindaxel.ini" in that folder, in groups.
// The groups are read into and written from one value block (SettingsValues), of which the
// application keeps a working copy. Each group operation reads or rewrites the file. Another
// instance on another display may share the file: a save into it writes the values this instance
// changed since it loaded or saved them (and those the file lacks), and keeps the file's others;
// the bookmarks both hold are merged one by one.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "app/CheckColorTables.h"
#include "app/SearchSettings.h"
#include "app/SettingsBaseline.h"
#include "app/SettingsValues.h"

namespace vx {

class BookmarkList;
class ProfileFile;

enum class UserDataMode { kProgramFolder = 0, kDocuments = 1, kDataHome = 2 };

// The program's folder under the documents folder or the data home.
inline constexpr std::string_view kUserDataSubfolder = "vindaxel";

class AppSettings {
 public:
  // Reads "settings.ini" in `programFolder` and settles the user folder (creating it when needed).
  explicit AppSettings(std::filesystem::path programFolder);

  SettingsValues& Values() { return values_; }
  const SettingsValues& Values() const { return values_; }

  UserDataMode DataMode() const { return mode_; }
  bool IsReadOnly() const { return readOnly_; }
  const std::filesystem::path& UserFolder() const { return userFolder_; }
  const std::filesystem::path& UserSettingsFile() const { return userFile_; }
  const std::filesystem::path& ActiveFile() const { return activeFile_; }

  // Points the group operations at another file (export and import).
  void SetIniPath(const std::filesystem::path& file) { activeFile_ = file; }

  // Single values of the active file. Writes answer false when the file cannot be written.
  int ReadInt(std::string_view section, std::string_view key, int defaultValue) const;
  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view defaultValue) const;
  bool WriteInt(std::string_view section, std::string_view key, int value) const;
  bool WriteString(std::string_view section, std::string_view key, std::string_view text) const;
  // Colours of the "Color" section, stored as "#%06X" of the COLORREF value.
  std::uint32_t ReadColor(std::string_view key, std::uint32_t defaultValue) const;
  bool WriteColor(std::string_view key, std::uint32_t color) const;

  // The group operations. The event number is "VQNumber96". The system group includes the print
  // group of the event it loads or saves. A load answers false when the file exists but cannot be
  // read (every value then takes its default); a save answers false when the file cannot be
  // written, or when a value could not be stored (a text with a line break): the other values
  // are written all the same. A text longer than its field is kept whole in the file as long as
  // the field holds its start.
  bool LoadSystemGroup();
  bool SaveSystemGroup() const;
  bool LoadPrintGroup(int eventNumber);
  bool SavePrintGroup(int eventNumber) const;
  bool LoadEventGroup(int eventNumber, BookmarkList& bookmarks);
  bool SaveEventGroup(int eventNumber, const BookmarkList& bookmarks) const;
  SearchSettings LoadSearchGroup(int eventNumber) const;
  bool SaveSearchGroup(const SearchSettings& search, int eventNumber) const;
  // Why the last save that answered false failed: the file's error, or illegal_byte_sequence for
  // a value the file cannot hold. ForgetSaveFailure clears it before a round of saves.
  std::error_code SaveFailure() const { return saveFailure_; }
  // The paper kinds whose margins the last read of the print group found leaving no printable
  // area (the margin dialog would refuse them) and set back to their defaults.
  const std::vector<int>& MarginsReset() const { return marginsReset_; }
  void ForgetSaveFailure() { saveFailure_.clear(); }

  // Settings export and import files hold the search, event and system groups; print settings
  // files the print group alone. Both leave the active file as it was. An import of a file that
  // cannot be read or holds none of those groups changes nothing and answers nothing (false).
  // An import keeps the event number ("VQNumber96") and takes the file's keys of that event.
  bool ExportSettings(const std::filesystem::path& file, const BookmarkList& bookmarks,
                      const SearchSettings& search);
  std::optional<SearchSettings> ImportSettings(const std::filesystem::path& file,
                                               BookmarkList& bookmarks);
  bool ExportPrintSettings(const std::filesystem::path& file);
  bool ImportPrintSettings(const std::filesystem::path& file);

  // The protected group holds the portal's access token sealed for the current user.
  // ReadProtectedString answers false, with `text` empty, when the value cannot be opened.
  bool ReadProtectedString(std::string_view key, std::string& text) const;
  bool WriteProtectedString(std::string_view key, std::string_view text) const;
  int ReadAuthInt(std::string_view key) const;
  bool WriteAuthInt(std::string_view key, int value) const;

 private:
  void SettleUserFolder(std::string_view userData, const std::filesystem::path& programFolder);
  void LoadSystemGroup(const ProfileFile& file);
  void LoadEventGroup(const ProfileFile& file, int eventNumber, BookmarkList& bookmarks);
  static SearchSettings LoadSearchGroup(const ProfileFile& file, int eventNumber);
  bool SaveWhole(const ProfileFile& file, bool refusedWrites = false) const;
  // The group's keys as `write` puts them: into the active file whole, into the user settings
  // file as far as this instance changed them (SettingsBaseline).
  using GroupWriter = std::function<void(ProfileFile&)>;
  bool SaveGroup(const GroupWriter& write) const;
  // After a load of the user settings file: its values, as `write` puts them, are this instance's.
  void RememberLoaded(const ProfileFile& file, const GroupWriter& write) const;
  void WriteSystemGroup(ProfileFile& file) const;
  void WritePrintGroup(ProfileFile& file, int eventNumber) const;
  void WriteEventGroup(ProfileFile& file, int eventNumber, const BookmarkList& bookmarks) const;
  static void WriteSearchGroup(ProfileFile& file, const SearchSettings& search, int eventNumber);

  SettingsValues values_{};
  UserDataMode mode_ = UserDataMode::kProgramFolder;
  bool readOnly_ = false;
  std::filesystem::path userFolder_;
  std::filesystem::path userFile_;
  std::filesystem::path activeFile_;
  std::filesystem::path settingsIni_;
  mutable std::error_code saveFailure_;
  mutable SettingsBaseline baseline_;
  std::vector<int> marginsReset_;
};

// The built-in check colours (display and print alike) of every colour.
inline constexpr const auto& kDefaultCheckColors = kStandardCheckColors;

}  // namespace vx
