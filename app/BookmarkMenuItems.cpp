#include "app/BookmarkMenuItems.h"

#include <cstring>
#include <utility>

#include "app/BookmarkList.h"
#include "res/ResourceIds.h"

namespace vx {

namespace {

// The menu's own notion of a lead byte, wider than the character set's.
bool IsMenuLeadByte(unsigned char c) { return (c >= 0x80 && c <= 0x9F) || c >= 0xE0; }

BookmarkMenuItem ItemOf(const Bookmark& bookmark, int index) {
  const std::string_view title(bookmark.title, strnlen(bookmark.title, sizeof bookmark.title));
  return {EscapeMenuText(title), ID_BOOKMARK_FIRST + index, {}};
}

bool IsEntry(const Bookmark* bookmark) { return bookmark && bookmark->type != Bookmark::kEnd; }

}  // namespace

std::string EscapeMenuText(std::string_view title) {
  std::string text;
  for (std::size_t i = 0; i < title.size(); ++i) {
    const char c = title[i];
    if (IsMenuLeadByte(static_cast<unsigned char>(c))) {
      if (i + 1 >= title.size()) break;
      text += c;
      text += title[++i];
    } else {
      text += c;
      if (c == '&') text += '&';
    }
  }
  return text;
}

std::vector<BookmarkMenuItem> BookmarkMenuItems(const BookmarkList& list) {
  std::vector<BookmarkMenuItem> items;
  int index = 0;
  while (IsEntry(list.GetAt(index))) {
    const Bookmark& bookmark = *list.GetAt(index);
    BookmarkMenuItem item = ItemOf(bookmark, index++);
    if (bookmark.IsFolder()) {
      item.commandId = 0;
      for (const Bookmark* entry = list.GetAt(index);
           IsEntry(entry) && entry->depth == bookmark.depth + 1; entry = list.GetAt(index)) {
        item.items.push_back(ItemOf(*entry, index++));
      }
    }
    items.push_back(std::move(item));
  }
  return items;
}

int BookmarkIndexOfCommand(const BookmarkList& list, int commandId) {
  const int index = commandId - ID_BOOKMARK_FIRST;
  const Bookmark* bookmark = list.GetAt(index);
  return bookmark && bookmark->type == Bookmark::kPage ? index : -1;
}

}  // namespace vx
