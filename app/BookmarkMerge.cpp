#include "app/BookmarkMerge.h"

#include <algorithm>
#include <cstdio>

#include "app/BookmarkList.h"
#include "platform/ProfileFile.h"
#include "platform/Sjis.h"

namespace vx {
namespace {

enum Side { kBase, kOurs, kTheirs };

std::string Key(std::string_view name, std::size_t index) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%04zx", index);
  return std::string(name) + digits;
}

// How many of one bookmark the merge holds. Both sides adding it, or both removing it, is one
// change, not two.
int MergedCount(int base, int ours, int theirs) {
  const int ourChange = ours - base;
  const int theirChange = theirs - base;
  if (ourChange > 0 && theirChange > 0) return base + std::max(ourChange, theirChange);
  if (ourChange < 0 && theirChange < 0) return base + std::min(ourChange, theirChange);
  return base + ourChange + theirChange;
}

// The folder entry `index` stands in: the nearest entry before it of a lower depth; -1 for none.
int FolderOf(const BookmarkMerge::List& list, int index) {
  for (int i = index - 1; i >= 0; --i) {
    if (list[i].depth < list[index].depth) return i;
  }
  return -1;
}

int Size(const BookmarkMerge::List& list) { return static_cast<int>(list.size()); }

}  // namespace

BookmarkMerge::List BookmarkMerge::Read(const ProfileFile& file, std::string_view section) {
  List list;
  while (list.size() < BookmarkList::kCapacity) {
    const std::size_t i = list.size();
    const int type = file.GetInt(section, Key("BookmarkType.", i), Bookmark::kEnd);
    if (type == Bookmark::kEnd) break;
    list.push_back({type, file.GetInt(section, Key("BookmarkDepth.", i), 0),
                    file.GetInt(section, Key("BookmarkPage.", i), 0),
                    file.GetString(section, Key("BookmarkTitle.", i), "")});
  }
  return list;
}

void BookmarkMerge::Write(ProfileFile& file, std::string_view section, const List& list) {
  for (std::size_t i = 0; i < list.size(); ++i) {
    file.WriteString(section, Key("BookmarkType.", i), std::to_string(list[i].type));
    file.WriteString(section, Key("BookmarkDepth.", i), std::to_string(list[i].depth));
    file.WriteString(section, Key("BookmarkPage.", i), std::to_string(list[i].page));
    file.WriteString(section, Key("BookmarkTitle.", i), list[i].title);
  }
  file.WriteString(section, Key("BookmarkType.", list.size()), std::to_string(Bookmark::kEnd));
}

BookmarkMerge::BookmarkMerge(const List& base, const List& ours, const List& theirs)
    : theirsKept_(theirs.size(), false), followsTheirs_(theirs.size(), false) {
  // A rename or a move is a removal and an addition here: merged, it would come out in the
  // unchanged side's order, its folder's entries at the top level.
  const bool oursUnchanged = SameBookmarks(base, ours);
  if (oursUnchanged || SameBookmarks(base, theirs)) {
    for (const StoredBookmark& bookmark : oursUnchanged ? theirs : ours) {
      merged_.push_back({bookmark, -1});
    }
    return;
  }
  Count(base, kBase);
  Count(ours, kOurs);
  Count(theirs, kTheirs);
  KeepOurs(ours, theirs);
  AddTheirs(theirs);
}

BookmarkMerge::List BookmarkMerge::Result() const {
  List list;
  for (const Entry& entry : merged_) list.push_back(entry.bookmark);
  return list;
}

// A list entry holds the title cut to its field: so is it known.
BookmarkMerge::Identity BookmarkMerge::IdentityOf(const StoredBookmark& bookmark) {
  return {bookmark.type, bookmark.depth, bookmark.page,
          SjisTruncate(bookmark.title, kBookmarkTitleSize - 1)};
}

void BookmarkMerge::Count(const List& list, int side) {
  for (const StoredBookmark& bookmark : list) ++counts_[IdentityOf(bookmark)][side];
}

int BookmarkMerge::Wanted(const Identity& identity) const {
  const std::array<int, 3>& count = counts_.at(identity);
  return MergedCount(count[kBase], count[kOurs], count[kTheirs]);
}

bool BookmarkMerge::SameBookmarks(const List& a, const List& b) {
  return std::ranges::equal(a, b, {}, IdentityOf, IdentityOf);
}

// The n-th of a bookmark in ours is the n-th of it in theirs; the file's form of it is kept. An
// entry whose folder the other renamed or moved goes where the other holds it.
void BookmarkMerge::KeepOurs(const List& ours, const List& theirs) {
  std::map<Identity, std::vector<int>> inTheirs;
  for (int j = 0; j < Size(theirs); ++j) inTheirs[IdentityOf(theirs[j])].push_back(j);
  std::map<Identity, int> seen;
  std::vector<bool> kept(ours.size(), false);
  for (int i = 0; i < Size(ours); ++i) {
    const Identity identity = IdentityOf(ours[i]);
    const int occurrence = seen[identity]++;
    if (occurrence >= Wanted(identity)) continue;  // the other removed it
    const std::vector<int>& same = inTheirs[identity];
    const int j = occurrence < static_cast<int>(same.size()) ? same[occurrence] : -1;
    const int folder = FolderOf(ours, i);
    const bool folderGone = folder >= 0 && !kept[folder];
    if (folderGone && j >= 0 && FolderOf(theirs, j) >= 0) {
      followsTheirs_[j] = true;
      ++following_;
      continue;
    }
    kept[i] = true;
    if (j >= 0) theirsKept_[j] = true;
    merged_.push_back({j >= 0 ? theirs[j] : ours[i], j});
    if (folderGone) merged_.back().bookmark.depth = 0;
  }
}

void BookmarkMerge::AddTheirs(const List& theirs) {
  std::map<Identity, int> seen, added;
  for (int j = 0; j < Size(theirs); ++j) {
    const Identity identity = IdentityOf(theirs[j]);
    const int occurrence = seen[identity]++;
    const int ours = counts_[identity][kOurs];
    if (followsTheirs_[j]) {
      --following_;
    } else if (occurrence < ours || added[identity] >= Wanted(identity) - ours) {
      continue;
    } else if (merged_.size() + following_ >= BookmarkList::kCapacity) {
      continue;  // ours, still to be placed, come first
    } else {
      ++added[identity];
    }
    bool inFolder = false;
    const std::size_t at = PlaceOf(theirs, j, inFolder);
    Entry entry{theirs[j], j};
    if (!inFolder) entry.bookmark.depth = 0;
    merged_.insert(merged_.begin() + static_cast<std::ptrdiff_t>(at), entry);
    theirsKept_[j] = true;
  }
}

// After the nearest bookmark before it in theirs that the merge holds: inside its folder while
// the folder is held, else past the entries of the folder it lands behind.
std::size_t BookmarkMerge::PlaceOf(const List& theirs, int index, bool& inFolder) const {
  inFolder = theirs[index].depth > 0;
  for (int k = index - 1; k >= 0; --k) {
    if (theirsKept_[k]) {
      std::size_t at = MergedIndexOf(k) + 1;
      while (!inFolder && at < merged_.size() && merged_[at].bookmark.depth > 0) ++at;
      return at;
    }
    if (theirs[k].depth < theirs[index].depth) inFolder = false;  // its folder is gone
  }
  return 0;
}

std::size_t BookmarkMerge::MergedIndexOf(int theirsIndex) const {
  const auto found = std::find_if(merged_.begin(), merged_.end(),
                                  [&](const Entry& entry) { return entry.theirs == theirsIndex; });
  return static_cast<std::size_t>(found - merged_.begin());
}

}  // namespace vx
