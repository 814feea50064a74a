#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QImage>
#include <QMenu>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <vector>

#include "res/ResourceIds.h"
#include "tests/ui/ColorFixture.h"
#include "ui/menus/ColorMenu.h"
#include "ui/menus/CommandMap.h"
#include "ui/menus/PopupPlacement.h"

namespace {

QString Text(const char* utf8) { return QString::fromUtf8(utf8); }

class ColorMenuTest : public vxtest::ColorControllerTest {
 protected:
  // Runs `act` on the popup once it is open (modal menus are driven from a zero-delay timer).
  static void WhenPopupOpens(std::function<void(QMenu*)> act) {
    QTimer::singleShot(0, [act] {
      auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      ASSERT_NE(popup, nullptr);
      act(popup);
    });
  }

  vx::ColorMenu menu;
};

TEST_F(ColorMenuTest, NineColoursInsertFourteenItemsBeforeTheNineOfTheMenu) {
  ASSERT_TRUE(menu.Build(controller));
  EXPECT_EQ(menu.ColorCount(), 9);
  vx::CommandMenu* checklist = menu.ChecklistMenu();
  ASSERT_EQ(checklist->Count(), 14 + 9);

  const struct {
    int position;
    int id;
    const char* text;
  } items[] = {
      {0, ID_CHECK_CURRENT_COLOR, "標準色で追加(&A)\tEnter"},
      {2, ID_CHECK_COLOR_FIRST, "「赤」に追加(&1)\t1"},
      {3, ID_CHECK_COLOR_FIRST + 1, "「A&&B」に追加(&2)\t2"},  // the name's '&' is no mnemonic
      {4, ID_CHECK_COLOR_FIRST + 2, "色&3で追加\t3"},
      {10, ID_CHECK_COLOR_FIRST + 8, "色&9で追加\t9"},
      {12, ID_UNCHECK, "チェックリストから外す(&R)\t0"},
      {15, ID_COLOR_SHEET, "チェック色の編集(&F)..."},  // the resource's items follow unchanged
  };
  for (const auto& item : items) {
    EXPECT_EQ(checklist->CommandIdAt(item.position), item.id) << item.position;
    EXPECT_EQ(checklist->ItemAt(item.position)->text(), Text(item.text)) << item.position;
  }
  for (int separator : {1, 11, 13}) EXPECT_TRUE(checklist->ItemAt(separator)->isSeparator());
  EXPECT_FALSE(checklist->ItemAt(12)->icon().isNull());

  vx::CommandMenu* current = menu.CurrentColorMenu();
  ASSERT_EQ(current, checklist->SubMenuAt(14));
  EXPECT_EQ(current->Menu()->title(), Text("標準のチェック色(&D)"));
  ASSERT_EQ(current->Count(), 9);
  EXPECT_EQ(current->ItemAt(0)->text(), Text("赤(&1)"));
  EXPECT_EQ(current->ItemAt(1)->text(), Text("A&&B(&2)"));
  EXPECT_EQ(current->ItemAt(2)->text(), Text("色&3"));
  for (int i = 0; i < 9; ++i) {
    EXPECT_EQ(current->CommandIdAt(i), ID_CURRENT_COLOR_FIRST + i);
    EXPECT_EQ(current->ItemAt(i)->isChecked(), i == 2) << i;
  }
  // The command images of the tool bar reach the menu items.
  EXPECT_FALSE(menu.FindAction(ID_PRINT)->icon().isNull());
}

TEST_F(ColorMenuTest, SwatchesAreDrawnFromTheChecklistColours) {
  menu.Build(controller);
  const QImage swatch =
      menu.FindAction(ID_CHECK_COLOR_FIRST)->icon().pixmap(QSize(16, 16), 1.0).toImage();
  ASSERT_EQ(swatch.size(), QSize(16, 16));
  EXPECT_EQ(QColor(swatch.pixel(7, 6)), QColor(Qt::red));
  EXPECT_EQ(QColor(swatch.pixel(1, 6)), QColor(Qt::black));  // outline
  EXPECT_EQ(qAlpha(swatch.pixel(0, 0)), 0);                  // the menu shows through
  const QImage twice =
      menu.FindAction(ID_CURRENT_COLOR_FIRST + 1)->icon().pixmap(QSize(16, 16), 2.0).toImage();
  EXPECT_EQ(twice.size(), QSize(32, 32));
  EXPECT_EQ(QColor(twice.pixel(14, 13)), QColor(0x60, 0x40, 0x20));  // COLORREF 0x204060
}

// The colour count of the last build must not stay: a colour that no longer exists would still
// be offered (and one added later would be missing).
TEST_F(ColorMenuTest, RebuildFollowsThePresentColourCount) {
  menu.Build(controller);
  const struct {
    int settings;
    int count;
  } changes[] = {{5, 5}, {16, 16}, {40, 16}, {0, 1}, {9, 9}};
  for (const auto& change : changes) {
    ChangeColors(change.settings);
    ASSERT_TRUE(menu.Rebuild(controller)) << change.settings;
    EXPECT_EQ(menu.ColorCount(), change.count);
    EXPECT_EQ(menu.ChecklistMenu()->Count(), change.count + 5 + 9) << change.settings;
    EXPECT_EQ(menu.CurrentColorMenu()->Count(), change.count);
    EXPECT_NE(menu.Find(ID_CHECK_COLOR_FIRST + change.count - 1).menu, nullptr);
    EXPECT_EQ(menu.Find(ID_CHECK_COLOR_FIRST + change.count).menu, nullptr) << change.settings;
    EXPECT_EQ(menu.Find(ID_CURRENT_COLOR_FIRST + change.count).menu, nullptr) << change.settings;
    EXPECT_EQ(menu.CurrentColorMenu()->ItemAt(0)->text(), Text("赤(&1)"));
  }
}

TEST_F(ColorMenuTest, RebuildTakesThePresentNamesAndCurrentColour) {
  menu.Build(controller);
  SetName(2, "青");
  values.fvrColorDef = 4;
  ChangeColors(9);
  menu.Rebuild(controller);
  EXPECT_EQ(menu.FindAction(ID_CHECK_COLOR_FIRST + 2)->text(), Text("「青」に追加(&3)\t3"));
  EXPECT_TRUE(menu.FindAction(ID_CURRENT_COLOR_FIRST + 4)->isChecked());
  EXPECT_FALSE(menu.FindAction(ID_CURRENT_COLOR_FIRST + 2)->isChecked());
  EXPECT_FALSE(vx::ColorMenu().Rebuild(controller));  // never built: no checklist menu
}

TEST_F(ColorMenuTest, ThePopupSendsItsCommandToTheWindowThatAsked) {
  menu.Build(controller);
  std::vector<int> ran;
  vx::CommandMap owner;
  owner.OnRange(ID_CHECK_COLOR_FIRST, ID_CHECK_COLOR_LAST, [&](int id) { ran.push_back(id); })
      .On(ID_CHECK_CURRENT_COLOR, [&] { ran.push_back(ID_CHECK_CURRENT_COLOR); });

  bool memoEnabled = true, colourEnabled = false;
  WhenPopupOpens([&](QMenu* popup) {
    for (QAction* item : popup->actions()) {
      const int id = item->property("commandId").toInt();
      if (id == ID_EDIT_MEMO) memoEnabled = item->isEnabled();
      if (id == ID_CHECK_COLOR_FIRST + 2) colourEnabled = item->isEnabled();
    }
    QTest::keyClick(popup, Qt::Key_3);
  });
  EXPECT_EQ(menu.TrackPopup(QPoint(50, 50), owner), ID_CHECK_COLOR_FIRST + 2);
  EXPECT_EQ(ran, std::vector<int>{ID_CHECK_COLOR_FIRST + 2});
  EXPECT_FALSE(memoEnabled);  // nobody on this road edits memos
  EXPECT_TRUE(colourEnabled);

  WhenPopupOpens([](QMenu* popup) { QTest::keyClick(popup, Qt::Key_Escape); });
  EXPECT_EQ(menu.TrackPopup(QPoint(50, 50), owner), 0);
  EXPECT_EQ(ran.size(), 1u);
}

TEST_F(ColorMenuTest, TheColourDropDownKeepsClearOfItsButton) {
  menu.Build(controller);
  int chosen = -1;
  vx::CommandMap owner;
  owner.OnRange(ID_CURRENT_COLOR_FIRST, ID_CURRENT_COLOR_LAST, [&](int id) { chosen = id; });

  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  const QRect button(screen.left() + 40, screen.bottom() - 30, 24, 22);  // no room below
  QRect shown;
  WhenPopupOpens([&](QMenu* popup) {
    shown = popup->geometry();
    QTest::keyClick(popup, Qt::Key_2);
  });
  EXPECT_EQ(menu.TrackColorDropDown(button.bottomLeft() + QPoint(0, 1), owner, button),
            ID_CURRENT_COLOR_FIRST + 1);
  EXPECT_EQ(chosen, ID_CURRENT_COLOR_FIRST + 1);
  EXPECT_FALSE(shown.intersects(button)) << shown.y() << " " << shown.height();
  EXPECT_TRUE(screen.contains(shown));
}

TEST(PopupPlacementTest, APopupKeepsClearOfTheRectangleAndOnTheScreen) {
  const QRect screen(0, 0, 800, 600);
  const QSize size(100, 200);
  const struct {
    QPoint wanted;
    QRect button;
    QPoint expected;
  } cases[] = {
      {{10, 122}, {10, 100, 24, 22}, {10, 122}},     // below the button: as wanted
      {{10, 110}, {10, 100, 24, 22}, {10, 122}},     // would cover it: just below
      {{10, 580}, {10, 558, 24, 22}, {10, 358}},     // no room below: just above
      {{750, 122}, {760, 100, 24, 22}, {700, 122}},  // kept inside the right edge
      {{10, 50}, {0, 40, 800, 520}, {10, 400}},      // no room either side: the larger, on screen
  };
  for (const auto& c : cases) {
    EXPECT_EQ(vx::PopupPositionClearOf(c.wanted, size, c.button, screen), c.expected)
        << c.wanted.x() << "," << c.wanted.y();
  }
}

}  // namespace
