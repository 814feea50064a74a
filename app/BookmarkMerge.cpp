#include "app/BookmarkMerge.h"

#include <algorithm>
#include <cstdio>
#include <deque>
#include <functional>
#include <iterator>
#include <map>
#include <set>
#include <tuple>

#include "app/BookmarkList.h"
#include "platform/ProfileFile.h"
#include "platform/Sjis.h"

namespace vx {
namespace {

std::string Key(std::string_view name, std::size_t index) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%04zx", index);
  return std::string(name) + digits;
}

constexpr int kTop = -1;

int Size(const BookmarkMerge::List& list) { return static_cast<int>(list.size()); }

bool IsFolder(const StoredBookmark& bookmark) { return bookmark.type != Bookmark::kPage; }

// A list entry holds the title cut to its field: so is it known.
std::string TitleKey(const StoredBookmark& bookmark) {
  return SjisTruncate(bookmark.title, kBookmarkTitleSize - 1);
}

// A bookmark by its page and title, a folder by its title.
using Identity = std::tuple<bool, int, std::string>;

Identity IdentityOf(const StoredBookmark& bookmark) {
  const bool folder = IsFolder(bookmark);
  return {folder, folder ? 0 : bookmark.page, TitleKey(bookmark)};
}

bool SameBookmarks(const BookmarkMerge::List& a, const BookmarkMerge::List& b) {
  const auto form = [](const StoredBookmark& bookmark) {
    return std::tuple(bookmark.type, bookmark.depth, bookmark.page, TitleKey(bookmark));
  };
  return std::ranges::equal(a, b, {}, form, form);
}

// The folder record each record stands in (-1: the top level), as the organiser reads a list: a
// bookmark one level deeper than the folder before it belongs to it.
std::vector<int> FolderRecords(const BookmarkMerge::List& list) {
  std::vector<int> folders(list.size(), -1);
  int folder = -1, depth = 0;
  for (int i = 0; i < Size(list); ++i) {
    if (IsFolder(list[i])) {
      folder = i;
      depth = list[i].depth + 1;
      continue;
    }
    if (list[i].depth != depth) folder = -1, depth = 0;
    folders[i] = folder;
  }
  return folders;
}

// Of the entries `order` holds in another order than `base`, a longest run that keeps the base
// order: the others were moved.
std::set<int> Unmoved(const std::vector<int>& base, const std::vector<int>& order) {
  std::map<int, int> rankInBase;
  for (int i = 0; i < static_cast<int>(base.size()); ++i) rankInBase[base[i]] = i;
  std::vector<int> ranks;
  for (const int entry : order) ranks.push_back(rankInBase.at(entry));
  std::vector<int> ends;  // of the longest runs found, by length: where the lowest-ending one ends
  std::vector<int> previous(order.size(), -1);
  for (int i = 0; i < static_cast<int>(order.size()); ++i) {
    const auto at = std::ranges::lower_bound(ends, ranks[i], {}, [&](int k) { return ranks[k]; });
    if (at != ends.begin()) previous[i] = *(at - 1);
    if (at == ends.end()) {
      ends.push_back(i);
    } else {
      *at = i;
    }
  }
  std::set<int> unmoved;
  for (int i = ends.empty() ? -1 : ends.back(); i >= 0; i = previous[i]) unmoved.insert(order[i]);
  return unmoved;
}

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
    : lists_{base, ours, theirs} {
  const bool oursUnchanged = SameBookmarks(base, ours);
  if (oursUnchanged || SameBookmarks(base, theirs)) {
    result_ = oursUnchanged ? theirs : ours;
    return;
  }
  for (const Side side : {kBase, kOurs, kTheirs}) {
    folderOf_[side] = FolderRecords(lists_[side]);
    entryAt_[side].assign(lists_[side].size(), -1);
  }
  for (int i = 0; i < Size(base); ++i) NewEntry(kBase, i);
  MatchByKey(kBase, kOurs);
  MatchRenamedFolders(kOurs);
  AddUnmatched(kOurs);
  MatchByKey(kBase, kTheirs);
  MatchRenamedFolders(kTheirs);
  MatchByKey(kOurs, kTheirs);  // both added it
  AddUnmatched(kTheirs);
  Keep();
  Place();
  Compose();
}

// --- Which entries the lists share ---------------------------------------------------------------

void BookmarkMerge::NewEntry(Side side, int index) {
  entries_.push_back({IsFolder(lists_[side][index])});
  Link(static_cast<int>(entries_.size()) - 1, side, index);
}

void BookmarkMerge::Link(int entry, Side side, int index) {
  entries_[entry].at[side] = index;
  entryAt_[side][index] = entry;
}

// The n-th of a key among the entries `known` holds and `side` does not yet is the n-th of it left
// in `side`. Of ours only what ours added is left to theirs: the base knew the rest.
void BookmarkMerge::MatchByKey(Side known, Side side) {
  std::map<Identity, std::deque<int>> waiting;
  for (int i = 0; i < Size(lists_[known]); ++i) {
    const Entry& entry = entries_[entryAt_[known][i]];
    if (entry.at[side] < 0 && (known == kBase || entry.at[kBase] < 0)) {
      waiting[IdentityOf(lists_[known][i])].push_back(entryAt_[known][i]);
    }
  }
  for (int j = 0; j < Size(lists_[side]); ++j) {
    if (entryAt_[side][j] >= 0) continue;
    const auto found = waiting.find(IdentityOf(lists_[side][j]));
    if (found == waiting.end() || found->second.empty()) continue;
    Link(found->second.front(), side, j);
    found->second.pop_front();
  }
}

// A base folder the side no longer holds is the new folder there holding most of its bookmarks.
void BookmarkMerge::MatchRenamedFolders(Side side) {
  const List& base = lists_[kBase];
  for (int i = 0; i < Size(base); ++i) {
    const int old = entryAt_[kBase][i];
    if (!entries_[old].folder || entries_[old].at[side] >= 0) continue;
    std::map<int, int> shared;  // a new folder record of the side -> the old one's bookmarks in it
    for (int k = i + 1; k < Size(base) && folderOf_[kBase][k] == i; ++k) {
      const int j = entries_[entryAt_[kBase][k]].at[side];
      const int folder = j < 0 ? -1 : folderOf_[side][j];
      if (folder >= 0 && entryAt_[side][folder] < 0) ++shared[folder];
    }
    const auto most = std::ranges::max_element(
        shared, [](const auto& a, const auto& b) { return a.second < b.second; });
    if (most != shared.end()) Link(old, side, most->first);
  }
}

void BookmarkMerge::AddUnmatched(Side side) {
  for (int j = 0; j < Size(lists_[side]); ++j) {
    if (entryAt_[side][j] < 0) NewEntry(side, j);
  }
}

// --- What stays, and where -----------------------------------------------------------------------

// What neither side removed. What only theirs holds is kept while a list has room after ours.
void BookmarkMerge::Keep() {
  int count = 0;
  for (Entry& entry : entries_) {
    const bool ours = entry.at[kOurs] >= 0, theirs = entry.at[kTheirs] >= 0;
    entry.kept = entry.at[kBase] >= 0 ? ours && theirs : ours || theirs;
    if (entry.kept && ours) ++count;
  }
  for (int j = 0; j < Size(lists_[kTheirs]); ++j) {
    Entry& entry = entries_[entryAt_[kTheirs][j]];
    if (!entry.kept || entry.at[kOurs] >= 0) continue;
    entry.kept = count < BookmarkList::kCapacity;
    if (entry.kept) ++count;
  }
}

int BookmarkMerge::FolderIn(Side side, int entry) const {
  const int folder = folderOf_[side][entries_[entry].at[side]];
  return folder < 0 ? kTop : entryAt_[side][folder];
}

bool BookmarkMerge::HeldIn(Side side, int entry, int container) const {
  return entries_[entry].at[side] >= 0 && FolderIn(side, entry) == container;
}

// A bookmark's folder comes from the side that moved it since the base, ours when both did.
void BookmarkMerge::Place() {
  for (int e = 0; e < static_cast<int>(entries_.size()); ++e) {
    Entry& entry = entries_[e];
    if (!entry.kept || entry.folder) continue;
    const bool ours = entry.at[kOurs] >= 0;
    int folder = FolderIn(ours ? kOurs : kTheirs, e);
    if (ours && entry.at[kTheirs] >= 0 && entry.at[kBase] >= 0 && folder == FolderIn(kBase, e)) {
      folder = FolderIn(kTheirs, e);
    }
    entry.parent = folder != kTop && entries_[folder].kept ? folder : kTop;
  }
}

// --- The merged list -----------------------------------------------------------------------------

void BookmarkMerge::Compose() {
  std::map<int, std::vector<int>> members;  // container -> its entries
  for (int e = 0; e < static_cast<int>(entries_.size()); ++e) {
    if (entries_[e].kept) members[entries_[e].parent].push_back(e);
  }
  ordered_.assign(entries_.size(), false);
  for (const int top : Order(kTop, members[kTop])) {
    result_.push_back(RecordOf(top, 0));
    if (!entries_[top].folder) continue;
    for (const int inside : Order(top, members[top])) result_.push_back(RecordOf(inside, 1));
  }
}

std::vector<int> BookmarkMerge::InOrderOf(Side side, const std::vector<int>& entries) const {
  std::vector<int> held;
  std::ranges::copy_if(entries, std::back_inserter(held),
                       [&](int e) { return entries_[e].at[side] >= 0; });
  std::ranges::sort(held, {}, [&](int e) { return entries_[e].at[side]; });
  return held;
}

// The entries every list holds here, in the base order, less those a side moved; then, each after
// the entry it follows there, what ours added or moved here, then what theirs did.
std::vector<int> BookmarkMerge::Order(int container, const std::vector<int>& members) {
  std::vector<int> shared;
  std::ranges::copy_if(members, std::back_inserter(shared), [&](int e) {
    return HeldIn(kBase, e, container) && HeldIn(kOurs, e, container) &&
           HeldIn(kTheirs, e, container);
  });
  const std::vector<int> base = InOrderOf(kBase, shared);
  const std::set<int> keptByOurs = Unmoved(base, InOrderOf(kOurs, shared));
  const std::set<int> keptByTheirs = Unmoved(base, InOrderOf(kTheirs, shared));
  const auto moved = [&](Side side, int e) {
    return HeldIn(side, e, container) && !(side == kOurs ? keptByOurs : keptByTheirs).contains(e);
  };
  std::vector<int> order;
  for (const int e : base) {
    if (moved(kOurs, e) || moved(kTheirs, e)) continue;
    order.push_back(e);
    ordered_[e] = true;
  }
  const auto anywhere = [](int) { return true; };
  for (const int e : InOrderOf(kOurs, members)) {
    if (!ordered_[e] && (moved(kOurs, e) || !moved(kTheirs, e))) {
      InsertAfterItsPredecessor(kOurs, e, container, anywhere, order);
    }
  }
  // Where ours moved an entry of the base is no place theirs knows.
  const auto notMovedByOurs = [&](int before) {
    return entries_[before].at[kBase] < 0 || !moved(kOurs, before);
  };
  for (const int e : InOrderOf(kTheirs, members)) {
    if (!ordered_[e]) InsertAfterItsPredecessor(kTheirs, e, container, notMovedByOurs, order);
  }
  return order;
}

// After the nearest entry before it in the side's list that stands here already and that it may
// follow; first when there is none before it in its folder.
void BookmarkMerge::InsertAfterItsPredecessor(Side side, int entry, int container,
                                              const std::function<bool(int)>& mayFollow,
                                              std::vector<int>& order) {
  auto at = order.begin();
  for (int k = entries_[entry].at[side] - 1; k >= 0; --k) {
    const int before = entryAt_[side][k];
    if (before == container) break;
    const int itsContainer = entries_[before].folder ? kTop : entries_[before].parent;
    if (ordered_[before] && itsContainer == container && mayFollow(before)) {
      at = std::ranges::find(order, before) + 1;
      break;
    }
  }
  order.insert(at, entry);
  ordered_[entry] = true;
}

// A folder's title from the side that renamed it; the file's form of a title where it holds the
// same one, for it may be longer than a list holds.
StoredBookmark BookmarkMerge::RecordOf(int entry, int depth) const {
  const Entry& e = entries_[entry];
  const StoredBookmark* ours = e.at[kOurs] >= 0 ? &lists_[kOurs][e.at[kOurs]] : nullptr;
  const StoredBookmark* theirs = e.at[kTheirs] >= 0 ? &lists_[kTheirs][e.at[kTheirs]] : nullptr;
  const bool oursRenamed =
      ours && (e.at[kBase] < 0 || TitleKey(*ours) != TitleKey(lists_[kBase][e.at[kBase]]));
  const StoredBookmark* chosen = theirs ? theirs : ours;
  if (oursRenamed && theirs && TitleKey(*theirs) != TitleKey(*ours)) chosen = ours;
  StoredBookmark record = *chosen;
  record.depth = depth;
  return record;
}

}  // namespace vx
