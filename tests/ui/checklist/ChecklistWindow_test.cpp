#include "ui/checklist/ChecklistWindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QHeaderView>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

#include "app/WindowRecord.h"
#include "res/ResourceIds.h"
#include "tests/ui/checklist/ChecklistWindowFixture.h"
#include "ui/checklist/ChecklistView.h"
#include "ui/list/ListControl.h"
#include "ui/menus/CommandActions.h"
#include "ui/widgets/ColorToolBar.h"

namespace {

using vxtest::ListedIds;

class ChecklistWindowTest : public vxtest::ChecklistWindowFixture {
 protected:
  vx::ListControl* List() const { return window->View()->CurrentList(); }
  // The swatch of the first row, in the middle of its image.
  QColor SwatchOfFirstRow() const {
    const QRect cell = List()->GetCellRect(0, 0);
    return List()->viewport()->grab().toImage().pixelColor(cell.left() + 8, cell.center().y());
  }
};

TEST_F(ChecklistWindowTest, TheBarLeadsWithTheOrderLockThePrintOrderAndTheFeedButtons) {
  EXPECT_EQ(window->windowTitle().toStdString(), "チェックリスト");
  const vx::ColorToolBar* bar = window->Bar();
  const std::pair<int, int> places[] = {
      {0, ID_CHECKLIST_ORDER_LOCK}, {2, ID_PRINT_ORDER_FROM_LIST}, {4, ID_FETCH_RSS}};
  for (auto [place, command] : places) {
    ASSERT_NE(bar->PlaceAt(place), nullptr) << place;
    EXPECT_EQ(vx::CommandActions::CommandId(bar->PlaceAt(place)), command) << place;
  }
  EXPECT_TRUE(bar->PlaceAt(1)->isSeparator());
  EXPECT_TRUE(bar->PlaceAt(4)->isEnabled());  // the application fetches the feeds
  EXPECT_EQ(bar->ColorCount(), 9);

  QAction* lock = bar->PlaceAt(0);
  lock->trigger();
  EXPECT_TRUE(controller.IsChecklistOrderLocked());
  EXPECT_TRUE(lock->isChecked());
  EXPECT_FALSE(bar->PlaceAt(2)->isEnabled());
  lock->trigger();
  EXPECT_FALSE(controller.IsChecklistOrderLocked());
  EXPECT_FALSE(lock->isChecked());
}

// Closing only hides the window: shown again, it holds the rows as they were, in their order.
TEST_F(ChecklistWindowTest, ClosingHidesAndReopeningShowsTheSameRows) {
  for (int id : {136, 101, 104}) controller.SetCircleColor(1, id);
  QHeaderView* header = List()->horizontalHeader();
  const int x = header->sectionViewportPosition(2) + header->sectionSize(2) / 2;
  QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() / 2));
  ASSERT_EQ(ListedIds(List()), (std::vector<int>{101, 104, 136}));
  window->close();
  EXPECT_FALSE(window->isVisible());
  vx::WindowRecord record;
  ASSERT_TRUE(controller.GetWindowRecord(window.get(), &record));
  EXPECT_EQ(record.shown, 0);
  Reopen();
  EXPECT_EQ(ListedIds(List()), (std::vector<int>{101, 104, 136}));
}

TEST_F(ChecklistWindowTest, RowsShowTheSwatchOfTheirColourAndFollowItsChange) {
  controller.SetCircleColor(1, 101);
  QTRY_COMPARE(SwatchOfFirstRow(), QColor(Qt::red));
  controller.SetColorDef(vx::CatalogController::kChecklistColor, 0, 0x00FF00, 0x00FF00, "G");
  controller.NotifyColorsChanged();
  QTRY_COMPARE(SwatchOfFirstRow(), QColor(Qt::green));
  EXPECT_EQ(List()->Model().Row(0).cells[0], "G");
}

}  // namespace
