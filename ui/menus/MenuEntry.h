// One row of a menu table: an item with its command id, a separator, or a sub-menu with its own
// rows. Texts are UTF-8: '&' marks the mnemonic, "&&" stands for an ampersand, and a tab starts
// the accelerator text shown at the right. An item may carry a status text, which the window's
// status bar shows while the item is pointed at.
#pragma once

#include <utility>
#include <vector>

namespace vx {

struct MenuEntry {
  enum class Kind { kItem, kSeparator, kSubMenu };

  static MenuEntry Item(const char* text, int id, const char* statusText = nullptr) {
    return {Kind::kItem, text, id, {}, statusText};
  }
  static MenuEntry Separator() { return {Kind::kSeparator, "", 0, {}}; }
  static MenuEntry SubMenu(const char* text, std::vector<MenuEntry> entries) {
    return {Kind::kSubMenu, text, 0, std::move(entries)};
  }

  Kind kind;
  const char* text;
  int id;
  std::vector<MenuEntry> entries;
  const char* statusText = nullptr;
};

using MenuTable = std::vector<MenuEntry>;

}  // namespace vx
