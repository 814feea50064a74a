// An event's bookmarks as two instances of the program on one profile leave them. Each instance
// holds its own list and saves it whole; merged at the save entry by entry, neither loses what the
// other added, renamed or moved, and what either removed stays removed.
// Across the lists a bookmark is the same entry when its page and title match, wherever it stands;
// a folder when its title matches, or when a side no longer holds it but holds a new folder with
// its bookmarks in it (a rename). The same bookmark twice in a list is two entries.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vx {

class ProfileFile;

// A bookmark as the settings file holds it: the title may be longer than a list entry holds.
struct StoredBookmark {
  int type = 0;
  int depth = 0;
  int page = 0;
  std::string title;
};

class BookmarkMerge {
 public:
  using List = std::vector<StoredBookmark>;

  // The bookmarks of `section`, as far as a list holds them.
  static List Read(const ProfileFile& file, std::string_view section);
  // Stores `list` in `section`, followed by the end mark.
  static void Write(ProfileFile& file, std::string_view section, const List& list);

  // `base`: the list as this instance last loaded or saved it; `ours`: as this instance holds it
  // now; `theirs`: as the file holds it now.
  BookmarkMerge(const List& base, const List& ours, const List& theirs);

  // The side that changed since the base, whole, when only one did. Else every entry neither side
  // removed and every entry either added, where that side holds it (in its folder, after the entry
  // it follows). A folder's title, and an entry's folder and order, come from the side that
  // changed them, ours when both did; an entry whose folder is gone stands at the top level. Never
  // more than a list holds: ours come first.
  List Result() const { return result_; }

 private:
  enum Side { kBase, kOurs, kTheirs };
  struct Entry {
    bool folder = false;
    std::array<int, 3> at{-1, -1, -1};  // its index in each list; -1 where a list lacks it
    bool kept = false;
    int parent = -1;  // the folder entry it stands in; -1 for the top level
  };

  void NewEntry(Side side, int index);
  void Link(int entry, Side side, int index);
  void MatchByKey(Side known, Side side);
  void MatchRenamedFolders(Side side);
  void AddUnmatched(Side side);
  void Keep();
  void Place();
  void Compose();
  int FolderIn(Side side, int entry) const;
  bool HeldIn(Side side, int entry, int container) const;
  std::vector<int> InOrderOf(Side side, const std::vector<int>& entries) const;
  std::vector<int> Order(int container, const std::vector<int>& members);
  void InsertAfterItsPredecessor(Side side, int entry, int container,
                                 const std::function<bool(int)>& mayFollow,
                                 std::vector<int>& order);
  StoredBookmark RecordOf(int entry, int depth) const;

  std::array<List, 3> lists_;
  std::array<std::vector<int>, 3> folderOf_;  // per list: the folder record each stands in, or -1
  std::array<std::vector<int>, 3> entryAt_;   // per list: the entry each record is
  std::vector<Entry> entries_;
  std::vector<bool> ordered_;  // placed in its container's order
  List result_;
};

}  // namespace vx
