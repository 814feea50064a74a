// An event's bookmarks as two instances of the program on one profile leave them. Each instance
// holds its own list and saves it whole; merged at the save, neither loses what the other added,
// and what either removed stays removed. A bookmark is known by its type, depth, page and title;
// the same one twice in a list counts twice.
#pragma once

#include <array>
#include <map>
#include <string>
#include <string_view>
#include <tuple>
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

  // The side that changed since the base, whole, when only one did. Else ours in its order, less
  // what the other removed, with what the other added placed after the bookmark it follows there;
  // an entry whose folder the other renamed or moved stays in it, one whose folder is gone moves
  // to the top level. Never more than a list holds: ours come first.
  List Result() const;

 private:
  using Identity = std::tuple<int, int, int, std::string>;
  struct Entry {
    StoredBookmark bookmark;
    int theirs;  // its index in theirs; -1 when theirs lacks it
  };

  static Identity IdentityOf(const StoredBookmark& bookmark);
  static bool SameBookmarks(const List& a, const List& b);
  void Count(const List& list, int side);
  int Wanted(const Identity& identity) const;
  void KeepOurs(const List& ours, const List& theirs);
  void AddTheirs(const List& theirs);
  std::size_t PlaceOf(const List& theirs, int index, bool& inFolder) const;
  std::size_t MergedIndexOf(int theirsIndex) const;

  std::map<Identity, std::array<int, 3>> counts_;  // in the base, ours and theirs
  std::vector<bool> theirsKept_;
  std::vector<bool> followsTheirs_;  // ours, to be placed as theirs holds them
  std::size_t following_ = 0;        // of those, not placed yet
  std::vector<Entry> merged_;
};

}  // namespace vx
