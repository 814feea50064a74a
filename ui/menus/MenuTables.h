// The program's menus as tables: the main window's menu bar (128), the map window's view menu
// (132) and the bookmark tree's item popup (189); and the main window's accelerators (128).
//
// Main menu bar, by position: 0 file, 1 view, 2 page jump (its day, hall, block and genre
// sub-menus at 5..8, each holding one placeholder), 3 bookmarks (two commands and a separator),
// 4 checklist (the nine items that follow the colour items), 5 search, 6 tools, 7 window, 8 help.
// The file menu's recent-checklist sub-menu is its third item from the end.
#pragma once

#include <vector>

#include "ui/menus/MenuEntry.h"

namespace vx {

MenuTable MainMenuTable();
MenuTable MapViewMenuTable();
MenuTable BookmarkTreeMenuTable();
// The table of a menu resource id; empty for an id that names no menu.
MenuTable MenuTableOf(int menuId);

// Positions in the main menu bar and in its sub-menus that other code addresses.
constexpr int kMainFileMenu = 0;
constexpr int kMainJumpMenu = 2;
constexpr int kMainBookmarkMenu = 3;
constexpr int kMainChecklistMenu = 4;
constexpr int kMainWindowMenu = 7;
constexpr int kJumpDayMenu = 5;  // then hall 6, block 7, genre 8
constexpr int kBookmarkFixedItems = 3;
constexpr int kChecklistResourceItems = 9;  // the first of them is the current-colour sub-menu

// One accelerator: the keys in QKeySequence's portable form, and the command.
struct Accelerator {
  const char* keys;
  int id;
};
std::vector<Accelerator> MainAccelerators();

}  // namespace vx
