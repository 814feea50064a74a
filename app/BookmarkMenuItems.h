// The items of the bookmark menu, from the bookmark list: a page bookmark is an item, a folder a
// sub-menu holding the entries that follow it one level deeper. Every entry's command is
// ID_BOOKMARK_FIRST plus its index in the list. Titles are escaped for a menu, so that an '&'
// shows as itself and underlines nothing.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vx {

class BookmarkList;

struct BookmarkMenuItem {
  std::string text;                     // CP932
  int commandId = 0;                    // 0 for a folder
  std::vector<BookmarkMenuItem> items;  // a folder's entries

  bool operator==(const BookmarkMenuItem&) const = default;
};

// '&' doubled; a double-byte character is copied whole, and a lead byte without its second byte
// ends the text.
std::string EscapeMenuText(std::string_view title);

std::vector<BookmarkMenuItem> BookmarkMenuItems(const BookmarkList& list);

// The index of the page bookmark a go-to command names, or -1 (no entry there, or a folder).
int BookmarkIndexOfCommand(const BookmarkList& list, int commandId);

}  // namespace vx
