#include "program/BookmarkMenu.h"

#include "app/BookmarkMenuItems.h"
#include "platform/qt/QtStrings.h"
#include "ui/menus/CommandMenu.h"
#include "ui/menus/MenuTables.h"

namespace vx {

void BuildBookmarkMenu(CommandMenu& menu, const BookmarkList& list) {
  for (int position = menu.Count() - 1; position >= kBookmarkFixedItems; --position) {
    menu.DeleteItem(position);
  }
  for (const BookmarkMenuItem& item : BookmarkMenuItems(list)) {
    if (item.commandId != 0) {
      menu.AppendItem(QtText(item.text), item.commandId);
      continue;
    }
    CommandMenu* folder = menu.AppendSubMenu(QtText(item.text));
    for (const BookmarkMenuItem& entry : item.items) {
      folder->AppendItem(QtText(entry.text), entry.commandId);
    }
  }
}

}  // namespace vx
