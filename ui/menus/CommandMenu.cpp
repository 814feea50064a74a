#include "ui/menus/CommandMenu.h"

#include <QAction>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>

#include <algorithm>

#include "ui/menus/CommandActions.h"
#include "ui/menus/CommandTarget.h"
#include "ui/menus/PopupPlacement.h"

namespace vx {

namespace {

// A copy of a menu's items for one popup, with the states `owner` gives them, so that the
// commands of the copy reach the owner and not the window the original menu belongs to.
void CopyItems(const QMenu& from, QMenu& to, const CommandTarget& owner) {
  for (const QAction* item : from.actions()) {
    if (item->isSeparator()) {
      to.addSeparator();
    } else if (const QMenu* sub = item->menu()) {
      CopyItems(*sub, *to.addMenu(item->icon(), item->text()), owner);
    } else {
      QAction* copy = to.addAction(item->icon(), item->text());
      CommandActions::SetCommandId(copy, CommandActions::CommandId(item));
      copy->setCheckable(item->isCheckable());
      copy->setChecked(item->isChecked());
      CommandActions::UpdateAction(copy, owner);
    }
  }
}

QRect ScreenAround(const QPoint& point) {
  const QScreen* screen = QGuiApplication::screenAt(point);
  if (!screen) screen = QGuiApplication::primaryScreen();
  return screen ? screen->availableGeometry() : QRect();
}

}  // namespace

CommandMenu::CommandMenu() : menu_(std::make_unique<QMenu>()) {}

// The sub-menus go first: their QMenus take their items off this menu as they are destroyed.
CommandMenu::~CommandMenu() { subMenus_.clear(); }

bool CommandMenu::Load(const MenuTable& table) {
  Clear();
  for (const MenuEntry& entry : table) {
    const QString text = QString::fromUtf8(entry.text);
    switch (entry.kind) {
      case MenuEntry::Kind::kItem:
        if (QAction* item = AppendItem(text, entry.id); entry.statusText) {
          item->setStatusTip(QString::fromUtf8(entry.statusText));
        }
        break;
      case MenuEntry::Kind::kSeparator:
        AppendItem(QString(), 0);
        break;
      case MenuEntry::Kind::kSubMenu:
        AppendSubMenu(text)->Load(entry.entries);
        break;
    }
  }
  return !table.empty();
}

void CommandMenu::ShowAsMenuBar(QMenuBar* bar) const {
  bar->clear();
  bar->addActions(menu_->actions());
}

int CommandMenu::Count() const { return static_cast<int>(menu_->actions().size()); }

QAction* CommandMenu::ItemAt(int position) const {
  const QList<QAction*> items = menu_->actions();
  if (position < 0 || position >= items.size()) return nullptr;
  return items[position];
}

int CommandMenu::CommandIdAt(int position) const {
  const QAction* item = ItemAt(position);
  if (!item || item->isSeparator() || item->menu()) return 0;
  return CommandActions::CommandId(item);
}

CommandMenu* CommandMenu::SubMenuAt(int position) const { return SubMenuOf(ItemAt(position)); }

CommandMenu* CommandMenu::SubMenuOf(const QAction* action) const {
  if (!action || !action->menu()) return nullptr;
  for (const auto& sub : subMenus_) {
    if (sub->Menu()->menuAction() == action) return sub.get();
  }
  return nullptr;
}

QAction* CommandMenu::ItemBefore(int position) const {
  return position < 0 ? nullptr : ItemAt(position);  // null appends
}

QAction* CommandMenu::InsertItem(int position, const QString& text, int id, const QIcon& icon) {
  auto* item = new QAction(menu_.get());
  if (id == 0) {
    item->setSeparator(true);
  } else {
    item->setText(text);
    item->setIcon(icon);
    CommandActions::SetCommandId(item, id);
  }
  menu_->insertAction(ItemBefore(position), item);
  return item;
}

QAction* CommandMenu::AppendItem(const QString& text, int id, const QIcon& icon) {
  return InsertItem(-1, text, id, icon);
}

CommandMenu* CommandMenu::InsertSubMenu(int position, const QString& text) {
  auto sub = std::make_unique<CommandMenu>();
  sub->Menu()->setTitle(text);
  menu_->insertAction(ItemBefore(position), sub->Menu()->menuAction());
  subMenus_.push_back(std::move(sub));
  return subMenus_.back().get();
}

CommandMenu* CommandMenu::AppendSubMenu(const QString& text) { return InsertSubMenu(-1, text); }

bool CommandMenu::DeleteItem(int position) {
  QAction* item = ItemAt(position);
  if (!item) return false;
  if (const CommandMenu* sub = SubMenuOf(item)) {
    std::erase_if(subMenus_, [sub](const auto& owned) { return owned.get() == sub; });
    return true;
  }
  menu_->removeAction(item);
  delete item;
  return true;
}

void CommandMenu::Clear() {
  subMenus_.clear();
  for (QAction* item : menu_->actions()) {
    menu_->removeAction(item);
    delete item;
  }
}

CommandMenu::Place CommandMenu::Find(int id) {
  const QList<QAction*> items = menu_->actions();
  for (int position = 0; position < items.size(); ++position) {
    if (CommandMenu* sub = SubMenuOf(items[position])) {
      if (Place place = sub->Find(id); place.menu) return place;
    } else if (!items[position]->isSeparator() &&
               CommandActions::CommandId(items[position]) == id) {
      return {this, position};
    }
  }
  return {};
}

QAction* CommandMenu::FindAction(int id) {
  const Place place = Find(id);
  return place.menu ? place.menu->ItemAt(place.position) : nullptr;
}

bool CommandMenu::SetChecked(int id, bool checked) {
  QAction* item = FindAction(id);
  if (!item) return false;
  item->setCheckable(true);
  item->setChecked(checked);
  return true;
}

int CommandMenu::AttachImages(const std::function<QIcon(int id)>& imageOf) {
  int attached = 0;
  for (QAction* item : menu_->actions()) {
    if (CommandMenu* sub = SubMenuOf(item)) {
      attached += sub->AttachImages(imageOf);
      continue;
    }
    const int id = CommandActions::CommandId(item);
    if (id == 0 || item->isSeparator()) continue;
    if (const QIcon image = imageOf(id); !image.isNull()) {
      item->setIcon(image);
      ++attached;
    }
  }
  return attached;
}

int CommandMenu::TrackPopup(const QPoint& screenPos, CommandTarget& owner) const {
  return TrackPopup(screenPos, owner, QRect());
}

int CommandMenu::TrackPopup(const QPoint& screenPos, CommandTarget& owner,
                            const QRect& keepClear) const {
  QMenu popup;
  CopyItems(*menu_, popup, owner);
  QPoint at = screenPos;
  if (keepClear.isValid()) {
    at = PopupPositionClearOf(screenPos, popup.sizeHint(), keepClear, ScreenAround(screenPos));
  }
  const int id = CommandActions::CommandId(popup.exec(at));
  if (id == 0 || !owner.QueryState(id).enabled) return 0;
  owner.OnCommand(id);
  return id;
}

}  // namespace vx
