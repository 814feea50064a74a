#include "ui/menus/CommandMenu.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QTest>
#include <QTimer>

#include <set>

#include "res/ResourceIds.h"
#include "ui/menus/CommandActions.h"
#include "ui/menus/MenuTables.h"

namespace {

using vx::CommandMenu;
using vx::MenuEntry;

QString Text(const char* utf8) { return QString::fromUtf8(utf8); }

// A small bar: A [1, sep, B [2, C [3]], 4], D [5].
vx::MenuTable SmallTable() {
  using E = MenuEntry;
  return {E::SubMenu(
              "&A", {E::Item("one", 1), E::Separator(),
                     E::SubMenu("&B", {E::Item("two", 2), E::SubMenu("&C", {E::Item("three", 3)})}),
                     E::Item("four", 4)}),
          E::SubMenu("&D", {E::Item("five", 5)})};
}

TEST(CommandMenuTest, ItemsAreFoundByCommandThroughEverySubMenu) {
  CommandMenu menu;
  ASSERT_TRUE(menu.Load(SmallTable()));
  CommandMenu* a = menu.SubMenuAt(0);
  ASSERT_NE(a, nullptr);
  CommandMenu* b = a->SubMenuAt(2);
  ASSERT_NE(b, nullptr);
  CommandMenu* c = b->SubMenuAt(1);
  ASSERT_NE(c, nullptr);

  const struct {
    int id;
    CommandMenu* menu;
    int position;
  } cases[] = {{1, a, 0},        {2, b, 0},       {3, c, 0}, {4, a, 3}, {5, menu.SubMenuAt(1), 0},
               {6, nullptr, -1}, {0, nullptr, -1}};  // separators carry no command
  for (const auto& c : cases) {
    const CommandMenu::Place place = menu.Find(c.id);
    EXPECT_EQ(place.menu, c.menu) << c.id;
    EXPECT_EQ(place.position, c.position) << c.id;
  }
  EXPECT_EQ(menu.FindAction(3)->text(), Text("three"));
  EXPECT_EQ(a->CommandIdAt(1), 0);  // separator
  EXPECT_EQ(a->CommandIdAt(2), 0);  // sub-menu
  EXPECT_EQ(a->CommandIdAt(9), 0);
  EXPECT_EQ(a->SubMenuAt(0), nullptr);
  EXPECT_EQ(a->ItemAt(-1), nullptr);
}

TEST(CommandMenuTest, InsertAndDeleteByPosition) {
  CommandMenu menu;
  menu.Load(SmallTable());
  CommandMenu* a = menu.SubMenuAt(0);
  a->InsertItem(0, Text("zero"), 10);
  a->InsertItem(-1, Text("last"), 11);
  a->InsertItem(2, QString(), 0);  // a separator
  ASSERT_EQ(a->Count(), 7);
  EXPECT_EQ(a->CommandIdAt(0), 10);
  EXPECT_TRUE(a->ItemAt(2)->isSeparator());
  EXPECT_EQ(a->CommandIdAt(6), 11);

  // Deleting the sub-menu takes its own sub-menus with it.
  EXPECT_TRUE(a->DeleteItem(4));
  EXPECT_EQ(menu.Find(2).menu, nullptr);
  EXPECT_EQ(menu.Find(3).menu, nullptr);
  EXPECT_EQ(menu.Find(4).position, 4);
  EXPECT_FALSE(a->DeleteItem(6));
  while (a->Count() > 0) a->DeleteItem(a->Count() - 1);
  EXPECT_EQ(menu.Find(10).menu, nullptr);
  EXPECT_EQ(menu.Find(5).position, 0);

  CommandMenu* added = menu.InsertSubMenu(1, Text("&New"));
  added->AppendItem(Text("seven"), 7);
  EXPECT_EQ(menu.SubMenuAt(1), added);
  EXPECT_EQ(menu.Find(7).menu, added);
  EXPECT_FALSE(menu.Load({}));
  EXPECT_EQ(menu.Count(), 0);
}

TEST(CommandMenuTest, MnemonicsTabsAndAmpersandsAreQtsOwn) {
  CommandMenu menu;
  QAction* colour = menu.AppendItem(Text("「赤」に追加(&1)\t1"), ID_CHECK_COLOR_FIRST);
  QAction* literal = menu.AppendItem(Text("Tom && Jerry"), 2);
  EXPECT_EQ(QKeySequence::mnemonic(colour->text()), QKeySequence(Qt::ALT | Qt::Key_1));
  EXPECT_TRUE(QKeySequence::mnemonic(literal->text()).isEmpty());
  EXPECT_EQ(literal->iconText(), Text("Tom & Jerry"));

  // Typing the mnemonic in the open menu chooses the item.
  QAction* chosen = nullptr;
  QTimer::singleShot(0, [&] { QTest::keyClick(menu.Menu(), Qt::Key_1); });
  chosen = menu.Menu()->exec(QPoint(10, 10));
  EXPECT_EQ(chosen, colour);
}

TEST(CommandMenuTest, ImagesAreAttachedByCommandAtAnyDepth) {
  CommandMenu menu;
  menu.Load(SmallTable());
  QPixmap red(16, 15);
  red.fill(Qt::red);
  const int attached =
      menu.AttachImages([&](int id) { return id == 3 || id == 5 ? QIcon(red) : QIcon(); });
  EXPECT_EQ(attached, 2);
  EXPECT_FALSE(menu.FindAction(3)->icon().isNull());
  EXPECT_TRUE(menu.FindAction(2)->icon().isNull());
}

TEST(CommandMenuTest, TheTopLevelShowsOnAMenuBar) {
  CommandMenu menu;
  menu.Load(vx::MainMenuTable());
  QMenuBar bar;
  menu.ShowAsMenuBar(&bar);
  ASSERT_EQ(bar.actions().size(), 9);
  EXPECT_EQ(bar.actions()[vx::kMainChecklistMenu]->text(), Text("チェックリスト(&A)"));
  EXPECT_EQ(bar.actions()[vx::kMainJumpMenu]->menu(), menu.SubMenuAt(vx::kMainJumpMenu)->Menu());
  // A later change inside a sub-menu shows on the bar.
  menu.SubMenuAt(vx::kMainBookmarkMenu)->AppendItem(Text("page 12"), ID_BOOKMARK_FIRST);
  EXPECT_EQ(bar.actions()[vx::kMainBookmarkMenu]->menu()->actions().size(), 4);
}

// What other windows address by position in the main menu.
TEST(MenuTablesTest, MainMenuHasThePlacesOthersAddress) {
  CommandMenu menu;
  ASSERT_TRUE(menu.Load(vx::MenuTableOf(IDR_MENU_MAIN)));
  CommandMenu* jump = menu.SubMenuAt(vx::kMainJumpMenu);
  const int placeholders[] = {ID_JUMP_DAY_PLACEHOLDER, ID_JUMP_HALL_PLACEHOLDER,
                              ID_JUMP_BLOCK_PLACEHOLDER, ID_JUMP_GENRE_PLACEHOLDER};
  for (int k = 0; k < 4; ++k) {
    ASSERT_NE(jump->SubMenuAt(vx::kJumpDayMenu + k), nullptr) << k;
    EXPECT_EQ(jump->SubMenuAt(vx::kJumpDayMenu + k)->CommandIdAt(0), placeholders[k]);
  }
  CommandMenu* file = menu.SubMenuAt(vx::kMainFileMenu);
  EXPECT_EQ(file->SubMenuAt(file->Count() - 3)->CommandIdAt(0), ID_RECENT_FIRST);
  CommandMenu* bookmarks = menu.SubMenuAt(vx::kMainBookmarkMenu);
  EXPECT_EQ(bookmarks->Count(), vx::kBookmarkFixedItems);
  EXPECT_EQ(bookmarks->CommandIdAt(0), ID_BOOKMARK_ADD);
  CommandMenu* checklist = menu.SubMenuAt(vx::kMainChecklistMenu);
  EXPECT_EQ(checklist->Count(), vx::kChecklistResourceItems);
  EXPECT_EQ(checklist->ItemAt(0)->text(), Text("標準のチェック色(&D)"));
  EXPECT_EQ(menu.SubMenuAt(vx::kMainWindowMenu)->Menu()->title(), Text("ウィンドウ(&W)"));

  EXPECT_TRUE(vx::MenuTableOf(999).empty());
  CommandMenu tree;
  tree.Load(vx::MenuTableOf(IDR_MENU_BOOKMARK_TREE));
  EXPECT_EQ(tree.SubMenuAt(0)->CommandIdAt(1), ID_BOOKMARK_DELETE);
}

// Every command of a menu has one item, so that finding it by id is unambiguous.
TEST(MenuTablesTest, NoCommandStandsTwiceInAMenu) {
  for (int id : {IDR_MENU_MAIN, IDR_MENU_MAP_VIEW, IDR_MENU_BOOKMARK_TREE}) {
    std::multiset<int> ids;
    std::function<void(const vx::MenuTable&)> walk = [&](const vx::MenuTable& table) {
      for (const MenuEntry& e : table) {
        if (e.kind == MenuEntry::Kind::kItem) ids.insert(e.id);
        walk(e.entries);
      }
    };
    walk(vx::MenuTableOf(id));
    for (int command : ids) EXPECT_EQ(ids.count(command), 1u) << id << " " << command;
  }
  std::set<int> accelerated;
  for (const vx::Accelerator& a : vx::MainAccelerators()) {
    EXPECT_FALSE(QKeySequence(QString::fromLatin1(a.keys)).isEmpty()) << a.keys;
    EXPECT_TRUE(accelerated.insert(a.id).second) << a.id;
  }
  EXPECT_EQ(accelerated.size(), 19u);
}

}  // namespace
