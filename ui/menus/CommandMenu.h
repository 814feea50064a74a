// A menu built from a table, whose items are QActions carrying command ids (CommandActions), and
// which can be changed after it was built: items addressed by position or found by command id
// through every sub-menu, inserted, deleted, given images. The top level of a menu bar table is a
// list of sub-menus; ShowAsMenuBar puts them on a window's QMenuBar.
//
// Items are drawn by Qt's own menu style: the text after a tab is the right-aligned accelerator
// column, '&' the mnemonic and "&&" a literal ampersand.
#pragma once

#include <QIcon>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

#include "ui/menus/MenuEntry.h"

class QAction;
class QMenu;
class QMenuBar;
class QPoint;
class QRect;

namespace vx {

class CommandTarget;

class CommandMenu {
 public:
  CommandMenu();
  virtual ~CommandMenu();
  CommandMenu(const CommandMenu&) = delete;
  CommandMenu& operator=(const CommandMenu&) = delete;

  // Replaces everything the menu held by the rows of the table; false (and an empty menu) for an
  // empty table.
  bool Load(const MenuTable& table);
  // The Qt menu holding the items (for a popup, QMenu::exec; for a menu bar, see ShowAsMenuBar).
  QMenu* Menu() const { return menu_.get(); }
  // Shows the items of this menu as the bar's items. Later changes inside the sub-menus show on
  // the bar; the bar's own list of items is taken as it is now.
  void ShowAsMenuBar(QMenuBar* bar) const;

  int Count() const;
  QAction* ItemAt(int position) const;         // null outside 0..Count() - 1
  int CommandIdAt(int position) const;         // 0 for a separator, a sub-menu or outside
  CommandMenu* SubMenuAt(int position) const;  // null unless a sub-menu stands there

  // Position -1, or Count(), appends. Id 0 makes a separator (the text is then ignored).
  QAction* InsertItem(int position, const QString& text, int id, const QIcon& icon = QIcon());
  QAction* AppendItem(const QString& text, int id, const QIcon& icon = QIcon());
  CommandMenu* InsertSubMenu(int position, const QString& text);
  CommandMenu* AppendSubMenu(const QString& text);
  // A sub-menu goes with everything in it. False outside the items.
  bool DeleteItem(int position);
  void Clear();

  // Where a command's item stands: this menu or a sub-menu at any depth (depth first, in item
  // order), and the position there.
  struct Place {
    CommandMenu* menu = nullptr;  // null when the command has no item
    int position = -1;
  };
  Place Find(int id);
  QAction* FindAction(int id);
  // Sets the check mark of the command's item; false when it has none.
  bool SetChecked(int id, bool checked);
  // Gives every item, at any depth, the image of its command (a null icon: none). Answers how
  // many items got one.
  int AttachImages(const std::function<QIcon(int id)>& imageOf);

  // Shows this menu as a popup at a screen point and runs the chosen command at `owner`, which
  // also decides which items are enabled (the menu may belong to another window). With a
  // rectangle to keep clear, the popup is moved above or below it when it would cover it.
  // Answers the command chosen, 0 when none was.
  int TrackPopup(const QPoint& screenPos, CommandTarget& owner) const;
  int TrackPopup(const QPoint& screenPos, CommandTarget& owner, const QRect& keepClear) const;

 private:
  CommandMenu* SubMenuOf(const QAction* action) const;
  QAction* ItemBefore(int position) const;  // where an insert at the position goes

  std::unique_ptr<QMenu> menu_;
  std::vector<std::unique_ptr<CommandMenu>> subMenus_;
};

}  // namespace vx
