#include "app/SettingsBaseline.h"

#include <set>
#include <unordered_set>

#include "app/BookmarkMerge.h"
#include "platform/ProfileFile.h"

namespace vx {
namespace {

std::string EntryName(std::string_view section, std::string_view key) {
  return std::string(section) + '\n' + std::string(key);
}

std::optional<std::string> ValueIn(const ProfileFile& file, const std::string& section,
                                   const std::string& key) {
  if (!file.HasKey(section, key)) return std::nullopt;
  return file.GetString(section, key, "");
}

std::vector<SettingsBaseline::Entry> EntriesOf(const ProfileFile& values) {
  std::vector<SettingsBaseline::Entry> entries;
  for (const std::string& section : values.Sections()) {
    for (const std::string& key : values.Keys(section)) entries.emplace_back(section, key);
  }
  return entries;
}

// Each event's section holds its bookmarks.
bool IsBookmarkKey(std::string_view key) { return key.starts_with("Bookmark"); }

struct ListKeys {
  std::string_view section;
  std::string_view prefix;
  std::string_view list;
};

// The widths of a list's columns go with its column order.
constexpr ListKeys kLists[] = {
    {"System", "RecentFiles.", "recent files"},
    {"Config", "Column.List", "list columns"},
    {"Config", "ColumnWidth.List", "list columns"},
    {"Config", "Column.Check", "checklist columns"},
    {"Config", "ColumnWidth.Check", "checklist columns"},
    {"Search", "genre", "genres"},
    {"Search", "VQ", "days"},
};

}  // namespace

void SettingsBaseline::RememberLoaded(const ProfileFile& ours, const ProfileFile& file) {
  for (const Entry& entry : EntriesOf(ours)) Remember(entry, ours, file);
}

std::vector<SettingsBaseline::Entry> SettingsBaseline::MergeInto(ProfileFile& file,
                                                                 const ProfileFile& ours,
                                                                 const ProfileFile& mine) const {
  std::vector<Entry> entries = EntriesOf(ours);
  std::vector<Entry> written;
  std::set<std::string> bookmarkSections;
  std::erase_if(entries, [&](const Entry& entry) {
    if (!IsBookmarkKey(entry.second)) return false;
    bookmarkSections.insert(entry.first);
    written.push_back(entry);
    return true;
  });
  std::unordered_set<std::string> ourChanges, theirChanges;
  for (const auto& [section, key] : entries) {
    const auto known = known_.find(EntryName(section, key));
    if (known == known_.end() || known->second.ours != ours.GetString(section, key, "")) {
      ourChanges.insert(UnitOf(section, key));
    } else if (const auto now = ValueIn(file, section, key); now && now != known->second.inFile) {
      theirChanges.insert(UnitOf(section, key));  // a key gone from the file is no one's value
    }
  }
  for (const auto& [section, key] : entries) {
    const std::string unit = UnitOf(section, key);
    if (!ourChanges.contains(unit) && theirChanges.contains(unit)) continue;
    file.WriteString(section, key, mine.GetString(section, key, ""));
    written.emplace_back(section, key);
  }
  for (const std::string& section : bookmarkSections) MergeBookmarks(file, section, mine);
  return written;
}

void SettingsBaseline::MergeBookmarks(ProfileFile& file, const std::string& section,
                                      const ProfileFile& mine) const {
  const std::string prefix = EntryName(section, "");
  ProfileFile base;
  for (const auto& [name, known] : known_) {
    if (!name.starts_with(prefix)) continue;
    const std::string_view key = std::string_view(name).substr(prefix.size());
    if (IsBookmarkKey(key)) base.WriteString(section, key, known.ours);
  }
  const BookmarkMerge merge(BookmarkMerge::Read(base, section), BookmarkMerge::Read(mine, section),
                            BookmarkMerge::Read(file, section));
  BookmarkMerge::Write(file, section, merge.Result());
}

void SettingsBaseline::RememberSaved(const std::vector<Entry>& written, const ProfileFile& ours,
                                     const ProfileFile& file) {
  for (const Entry& entry : written) Remember(entry, ours, file);
}

void SettingsBaseline::Remember(const Entry& entry, const ProfileFile& ours,
                                const ProfileFile& file) {
  const auto& [section, key] = entry;
  known_[EntryName(section, key)] = {ours.GetString(section, key, ""), ValueIn(file, section, key)};
}

std::string SettingsBaseline::UnitOf(std::string_view section, std::string_view key) {
  for (const ListKeys& list : kLists) {
    if ((list.section.empty() || list.section == section) && key.starts_with(list.prefix)) {
      return EntryName(section, list.list);
    }
  }
  return EntryName(section, key);
}

}  // namespace vx
