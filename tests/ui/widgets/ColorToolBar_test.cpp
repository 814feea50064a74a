#include <gtest/gtest.h>

#include <QAction>
#include <QImage>
#include <QMainWindow>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <vector>

#include "res/Pictures.h"
#include "res/ResourceIds.h"
#include "tests/ui/ColorFixture.h"
#include "ui/menus/CommandActions.h"
#include "ui/menus/CommandMap.h"
#include "ui/menus/CommandRoute.h"
#include "ui/widgets/ColorToolBar.h"

namespace {

using vx::CommandActions;

QImage Picture(const QIcon& icon) { return icon.pixmap(QSize(16, 16), 1.0).toImage(); }

class ColorToolBarTest : public vxtest::ColorControllerTest {
 protected:
  void SetUp() override {
    ColorControllerTest::SetUp();
    bar = new vx::ColorToolBar(QStringLiteral("bar"), &window);
    window.addToolBar(bar);
  }

  // How many pixels of the button show `color`.
  int PixelsOf(const QImage& shot, const QAction* place, const QColor& color) const {
    const QRect area = bar->widgetForAction(const_cast<QAction*>(place))->geometry();
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
      for (int x = area.left(); x <= area.right(); ++x) count += QColor(shot.pixel(x, y)) == color;
    }
    return count;
  }
  QColor CentreOf(const QImage& shot, const QAction* place) const {
    return shot.pixel(bar->widgetForAction(const_cast<QAction*>(place))->geometry().center());
  }

  QMainWindow window;
  vx::ColorToolBar* bar = nullptr;
};

TEST_F(ColorToolBarTest, LeadingPlacesThenTheColoursThenTheRemoveButton) {
  bar->CreateColorBar(controller, IDB_TOOLBAR, 5, 23);  // as the checklist window's bar
  ASSERT_EQ(bar->PlaceCount(), 5 + 9 + 3);
  for (int place : {0, 1, 2, 3, 4, 5, 15}) EXPECT_TRUE(bar->PlaceAt(place)->isSeparator()) << place;
  for (int i = 0; i < 9; ++i) {
    EXPECT_EQ(CommandActions::CommandId(bar->PlaceAt(6 + i)), ID_CHECK_COLOR_FIRST + i);
  }
  EXPECT_EQ(CommandActions::CommandId(bar->PlaceAt(16)), ID_UNCHECK);
  EXPECT_EQ(bar->PlaceAt(6)->toolTip(), QString::fromUtf8("「赤」に追加"));
  EXPECT_EQ(bar->PlaceAt(8)->toolTip(), QString::fromUtf8("色3で追加"));

  // The image strip: leading images, the remove image at m, the swatches after it.
  EXPECT_EQ(Picture(bar->Image(19)), Picture(vx::BitmapImage(IDB_TOOLBAR, 19)));
  EXPECT_EQ(Picture(bar->Image(23)), Picture(vx::BitmapImage(IDB_REMOVE)));
  EXPECT_EQ(Picture(bar->PlaceAt(16)->icon()), Picture(bar->Image(23)));
  EXPECT_EQ(QColor(Picture(bar->Image(24)).pixel(8, 7)), QColor(Qt::red));
  EXPECT_TRUE(bar->Image(24 + 9).isNull());

  QAction* lock = bar->SetPlaceButton(0, ID_CHECKLIST_ORDER_LOCK, 19);
  EXPECT_EQ(bar->PlaceAt(0), lock);
  EXPECT_EQ(CommandActions::CommandId(lock), ID_CHECKLIST_ORDER_LOCK);
  EXPECT_EQ(Picture(lock->icon()), Picture(bar->Image(19)));
  EXPECT_EQ(bar->SetPlaceButton(40, 1, 0), nullptr);
  EXPECT_EQ(bar->PlaceCount(), 17);
}

TEST_F(ColorToolBarTest, ButtonsShowTheirColoursAndTheCurrentOneStandsOnAHighlight) {
  bar->CreateColorBar(controller, 0, 1, 0);  // as the main window's check bar
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  const QColor highlight = bar->palette().color(QPalette::Highlight);
  const auto colourButton = [&](int i) { return bar->PlaceAt(bar->FirstColorPlace() + i); };

  QImage shot = bar->grab().toImage();
  EXPECT_EQ(CentreOf(shot, colourButton(0)), QColor(Qt::red));
  EXPECT_EQ(CentreOf(shot, colourButton(4)), QColor(0xF0, 0xA0, 0x50));  // COLORREF 0x50A0F0
  for (int i = 0; i < 9; ++i) {
    EXPECT_EQ(PixelsOf(shot, colourButton(i), highlight) > 20, i == 2) << i;
  }

  controller.SetCurrentColor(6);
  bar->UpdateColorButtons(controller);
  shot = bar->grab().toImage();
  for (int i = 0; i < 9; ++i) {
    EXPECT_EQ(PixelsOf(shot, colourButton(i), highlight) > 20, i == 6) << i;
  }
}

// The bar follows the present colour count; whatever stands before and after the colours stays.
TEST_F(ColorToolBarTest, AChangedColourCountAddsOrRemovesButtonsAndKeepsTheOwnersPlaces) {
  bar->CreateColorBar(controller, IDB_TOOLBAR, 2, 0);
  auto* search = new QPushButton(QStringLiteral("search"));
  bar->SetPlaceWidget(0, search);
  auto* edit = new QPushButton(QStringLiteral("edit"));
  bar->SetPlaceWidget(bar->FirstColorPlace() + bar->ColorCount(), edit);

  const struct {
    int settings;
    int count;
  } changes[] = {{5, 5}, {16, 16}, {40, 16}, {1, 1}};
  for (const auto& change : changes) {
    ChangeColors(change.settings);
    bar->UpdateColorButtons(controller);
    ASSERT_EQ(bar->PlaceCount(), 2 + change.count + 3) << change.settings;
    EXPECT_EQ(bar->widgetForAction(bar->PlaceAt(0)), search);
    const int last = bar->FirstColorPlace() + change.count - 1;
    EXPECT_EQ(CommandActions::CommandId(bar->PlaceAt(last)),
              ID_CHECK_COLOR_FIRST + change.count - 1);
    EXPECT_EQ(bar->widgetForAction(bar->PlaceAt(last + 1)), edit) << change.settings;
    EXPECT_EQ(CommandActions::CommandId(bar->PlaceAt(last + 2)), ID_UNCHECK);
  }
}

TEST_F(ColorToolBarTest, AClickedColourButtonReachesTheOwnersRoute) {
  std::vector<int> ran;
  vx::CommandMap view;
  view.OnRange(ID_CHECK_COLOR_FIRST, ID_CHECK_COLOR_LAST, [&](int id) { ran.push_back(id); })
      .On(ID_UNCHECK, [&] { ran.push_back(ID_UNCHECK); });
  vx::CommandRoute route({&view});
  CommandActions actions(route);
  bar->CreateColorBar(controller, 0, 1, 0);
  actions.Bind(bar);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

  for (int place : {bar->FirstColorPlace() + 3, bar->PlaceCount() - 1}) {
    auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(bar->PlaceAt(place)));
    ASSERT_NE(button, nullptr);
    QTest::mouseClick(button, Qt::LeftButton);
  }
  EXPECT_EQ(ran, (std::vector<int>{ID_CHECK_COLOR_FIRST + 3, ID_UNCHECK}));
}

}  // namespace
