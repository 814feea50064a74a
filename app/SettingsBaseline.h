// What this instance of the program last read from, or wrote to, the user settings file. Two
// instances (one per display) may share one profile: a save that wrote every value it holds would
// put back, unseen, the old values of what the other instance changed since. With the baseline a
// save keeps the file's value where someone else changed it and this instance did not.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace vx {

class ProfileFile;

class SettingsBaseline {
 public:
  // A key of the file, by section.
  using Entry = std::pair<std::string, std::string>;

  // After a load: `ours` holds the group's values as this instance writes them, `file` the file
  // they came from.
  void RememberLoaded(const ProfileFile& ours, const ProfileFile& file);

  // Writes into `file`, the settings file as it is now, the values of `mine` (the file with all
  // of `ours` written in, long texts the file holds whole kept whole) for every key of `ours`
  // whose list this instance changed, or to which nobody else gave another value since this
  // instance read or wrote it. A key unknown to the baseline counts as changed here. Answers the
  // keys written.
  // Lists (recent files, list columns, the selected days and genres) go whole: one changed entry
  // writes or keeps the whole list, so that two lists are never mixed. Bookmarks are merged
  // entry by entry (BookmarkMerge), so that neither instance loses what the other added, renamed
  // or moved.
  std::vector<Entry> MergeInto(ProfileFile& file, const ProfileFile& ours,
                               const ProfileFile& mine) const;

  // After `file` with the keys `written` was saved. The keys kept as someone else wrote them stay
  // as they were known, so that a later save keeps them as long as this instance does not change
  // them.
  void RememberSaved(const std::vector<Entry>& written, const ProfileFile& ours,
                     const ProfileFile& file);

 private:
  struct Known {
    std::string ours;                   // the value as this instance holds it
    std::optional<std::string> inFile;  // as the file held it then; none when it lacked the key
  };

  // The keys that change together: one list, or the key alone.
  static std::string UnitOf(std::string_view section, std::string_view key);
  void Remember(const Entry& entry, const ProfileFile& ours, const ProfileFile& file);
  // The bookmarks of `section` as known, as `mine` holds them and as the file does, merged into
  // the file.
  void MergeBookmarks(ProfileFile& file, const std::string& section, const ProfileFile& mine) const;

  std::unordered_map<std::string, Known> known_;  // section '\n' key -> what was known
};

}  // namespace vx
