#include "app/BookmarkList.h"

#include <string>

#include "platform/Sjis.h"

namespace vx {

Bookmark Bookmark::Make(int type, int depth, int page, std::string_view title) {
  Bookmark bookmark;
  bookmark.type = type;
  bookmark.depth = depth;
  bookmark.page = page;
  bookmark.SetTitle(title);
  return bookmark;
}

void Bookmark::SetTitle(std::string_view text) {
  const std::string bounded(text);
  SjisCopyBounded(title, bounded.c_str(), sizeof title);
}

const Bookmark* BookmarkList::GetAt(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return &entries_[static_cast<std::size_t>(index)];
}

Bookmark* BookmarkList::GetAt(int index) {
  return const_cast<Bookmark*>(static_cast<const BookmarkList&>(*this).GetAt(index));
}

bool BookmarkList::Add(const Bookmark& bookmark) {
  if (Count() >= kCapacity) return false;
  entries_.push_back(bookmark);
  return true;
}

}  // namespace vx
