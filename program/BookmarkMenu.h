// The main window's bookmark menu: after its two commands and the separator, one item per page
// bookmark and one sub-menu per folder, rebuilt whole from the bookmark list.
#pragma once

namespace vx {

class BookmarkList;
class CommandMenu;

void BuildBookmarkMenu(CommandMenu& menu, const BookmarkList& list);

}  // namespace vx
