// Without a catalogue the main window closed its commands, but the four tool windows still offered
// theirs: the detail window's colour buttons, the checklist's feed and print-order buttons, the
// map's zoom and map choice, the list's search and selectors, and Ctrl+V pasted a checklist into
// a program with nothing to match it against. They are closed there as in the main window.
#include <gtest/gtest.h>

#include <QColor>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include <memory>
#include <vector>

#include "app/AppSettings.h"
#include "app/CatalogController.h"
#include "data/PavorunDatabase.h"
#include "data/images/CatalogImages.h"
#include "platform/CodePage.h"
#include "res/ResourceIds.h"
#include "tests/support/ScriptedUiServices.h"
#include "tests/support/TempDir.h"
#include "tests/ui/main/CommandItems.h"
#include "tests/ui/main/ControllerOnCatalog.h"
#include "tests/ui/main/ControllerOnFolder.h"
#include "ui/checklist/ChecklistView.h"
#include "ui/checklist/ChecklistWindow.h"
#include "ui/detail/DetailBar.h"
#include "ui/detail/DetailView.h"
#include "ui/detail/DetailWindow.h"
#include "ui/list/CircleListBar.h"
#include "ui/list/CircleListView.h"
#include "ui/list/ListControl.h"
#include "ui/list/ListWindow.h"
#include "ui/map/HallMapBar.h"
#include "ui/map/HallMapWindow.h"

namespace {

using vxtest::CommandItems;
using vxtest::ItemEnabled;

// Strongly coloured pixels: a check colour's swatch as drawn, not greyed.
int ColouredPixels(QWidget& widget) {
  const QImage image = widget.grab().toImage();
  int coloured = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QColor c = QColor::fromRgb(image.pixel(x, y)).toHsv();
      coloured += c.saturation() > 120 && c.value() > 120;
    }
  }
  return coloured;
}

struct WindowCommands {
  int window;
  std::vector<int> closed;  // need a catalogue
  std::vector<int> open;    // settings and the like
};

enum { kChecklist, kDetail, kMap, kList };

const WindowCommands kCommands[] = {
    {kChecklist,
     {ID_CHECK_COLOR_FIRST, ID_UNCHECK, ID_PRINT_ORDER_FROM_LIST, ID_FETCH_RSS},
     {ID_CHECKLIST_ORDER_LOCK}},
    {kDetail, {ID_CHECK_COLOR_FIRST, ID_UNCHECK}, {}},
    {kMap,
     {ID_MAP_ZOOM_IN, ID_MAP_ZOOM_OUT, ID_MAP_FIT_WIDTH, ID_MAP_FIT_WHOLE, ID_MAP_ACTUAL_SIZE},
     {ID_MAP_ANTI_ALIAS}},
    {kList, {ID_SEARCH, ID_CHECK_COLOR_FIRST, ID_UNCHECK}, {ID_LIST_SORT_LOCK}},
};

// The four tool windows on a controller, as start-up makes them.
class ToolWindows {
 public:
  ToolWindows(vx::CatalogController& controller, vx::CommandTarget& application)
      : checklist(controller), detail(controller), map(controller), list(controller) {
    for (vx::ToolWindowFrame* window : All()) {
      window->SetApplicationCommands(&application);
      window->resize(900, 500);
      window->show();
      EXPECT_TRUE(QTest::qWaitForWindowExposed(window));
    }
  }
  std::vector<vx::ToolWindowFrame*> All() { return {&checklist, &detail, &map, &list}; }

  vx::ChecklistWindow checklist;
  vx::DetailWindow detail;
  vx::HallMapWindow map;
  vx::ListWindow list;
};

class ToolWindowsWithoutCatalogTest : public ::testing::Test, protected vxtest::ControllerOnFolder {
 protected:
  void SetUp() override { Open(); }
  // The windows on the database in `dir`, as start-up leaves it.
  void Open() {
    windows.reset();
    OpenDatabase();
    windows = std::make_unique<ToolWindows>(controller, application);
  }

  vxtest::RecordingCommands application;
  std::unique_ptr<ToolWindows> windows;
};

TEST_F(ToolWindowsWithoutCatalogTest, CommandsThatNeedACatalogueAreClosedSettingsStayOpen) {
  for (const WindowCommands& c : kCommands) {
    vx::ToolWindowFrame& window = *windows->All()[c.window];
    for (int id : c.closed) {
      EXPECT_FALSE(ItemEnabled(window, id)) << c.window << " " << id;
      EXPECT_FALSE(window.RunCommand(id)) << c.window << " " << id;
    }
    for (int id : c.open) EXPECT_TRUE(ItemEnabled(window, id)) << c.window << " " << id;
  }
  EXPECT_TRUE(application.run.empty());
  // The swatches are drawn greyed, as the main window's.
  const std::vector<QAction*> swatch = CommandItems(windows->detail, ID_CHECK_COLOR_FIRST);
  ASSERT_FALSE(swatch.empty());
  EXPECT_EQ(ColouredPixels(*windows->detail.Bar()->widgetForAction(swatch.front())), 0);
}

// The list window, shown, searched the empty database and said the search had failed.
TEST_F(ToolWindowsWithoutCatalogTest, TheMapAndListSelectorsAreClosedAndNothingIsListed) {
  for (const vx::UiCall& box : ui.CallsOf(vx::UiCallKind::kMessageBox)) {
    ADD_FAILURE() << vx::Cp932ToUtf8(box.text);
  }
  EXPECT_EQ(windows->list.View()->List(vx::CircleListView::kDayBlock)->Model().RowCount(), 0);
  vx::HallMapBar& mapBar = *windows->map.Bar();
  for (QWidget* control :
       {static_cast<QWidget*>(mapBar.MapChoice()), static_cast<QWidget*>(mapBar.ZoomBox()),
        static_cast<QWidget*>(mapBar.OpacityChoice())}) {
    EXPECT_FALSE(control->isEnabled()) << control->metaObject()->className();
  }
  vx::CircleListBar& listBar = *windows->list.Bar();
  for (QWidget* control :
       {static_cast<QWidget*>(listBar.ModeCombo()), static_cast<QWidget*>(listBar.DayCombo()),
        static_cast<QWidget*>(listBar.BlockCombo()),
        static_cast<QWidget*>(listBar.KeywordEdit())}) {
    EXPECT_FALSE(control->isEnabled()) << control->metaObject()->className();
  }
}

// The paste key read the clipboard as a checklist with nothing to match it against.
TEST_F(ToolWindowsWithoutCatalogTest, ThePasteKeyDoesNothingInAnyView) {
  ui.SetClipboardText("Header,VellastradeCD-ROMCatalog,Vellastrade96,Shift_JIS\r\n");
  ui.ClearCalls();
  QTest::keyClick(windows->checklist.View()->List(0), Qt::Key_V, Qt::ControlModifier);
  QTest::keyClick(windows->detail.View(), Qt::Key_V, Qt::ControlModifier);
  QTest::keyClick(windows->list.View()->List(vx::CircleListView::kDayBlock), Qt::Key_V,
                  Qt::ControlModifier);
  EXPECT_TRUE(ui.CallsOf(vx::UiCallKind::kClipboardText).empty());
  EXPECT_TRUE(ui.CallsOf(vx::UiCallKind::kMessageBox).empty());
}

// A dropped file opened as a checklist, as the closed open command would have.
TEST_F(ToolWindowsWithoutCatalogTest, ADroppedFileIsNotOpened) {
  ui.ClearCalls();
  for (vx::ToolWindowFrame* window : windows->All()) {
    EXPECT_FALSE(vxtest::DropMissingFile(*window)) << window->windowTitle().toStdString();
  }
  EXPECT_TRUE(ui.CallsOf(vx::UiCallKind::kMessageBox).empty());
}

// A catalogue damaged past its first pages still named its maps, and the map window drew them.
TEST_F(ToolWindowsWithoutCatalogTest, ADamagedCatalogueShowsNoMap) {
  windows.reset();
  CloseDatabase();
  {
    vx::PavorunDatabase sound(dir.Path());
    vxtest::BuildControllerCatalog(sound);
  }
  const auto file = dir / vx::PavorunDatabase::kFileName;
  vxtest::WriteFileBytes(file, vxtest::ReadFileBytes(file) + std::string(512, '\x55'));
  Open();
  ASSERT_TRUE(db->IsDamaged());
  ASSERT_GT(controller.GetMapCount(), 0);
  EXPECT_EQ(windows->map.Bar()->MapChoice()->count(), 0);
}

// With a catalogue the same commands and controls are offered.
TEST(ToolWindowsWithCatalogTest, OfferTheirCommands) {
  vxtest::ControllerOnCatalog catalog;
  catalog.values.sortEnable = 1;  // the checklist order unlocked
  vxtest::RecordingCommands application;
  ToolWindows windows(catalog.controller, application);
  catalog.controller.SelectCircle(101, false);
  for (const WindowCommands& c : kCommands) {
    vx::ToolWindowFrame& window = *windows.All()[c.window];
    window.Actions()->UpdateActions();
    for (int id : c.closed) EXPECT_TRUE(ItemEnabled(window, id)) << c.window << " " << id;
  }
  const std::vector<QAction*> swatch = CommandItems(windows.detail, ID_CHECK_COLOR_FIRST);
  ASSERT_FALSE(swatch.empty());
  EXPECT_GT(ColouredPixels(*windows.detail.Bar()->widgetForAction(swatch.front())), 20);
  EXPECT_TRUE(windows.map.Bar()->MapChoice()->isEnabled());
  EXPECT_GT(windows.map.Bar()->MapChoice()->count(), 0);
  EXPECT_TRUE(windows.list.Bar()->ModeCombo()->isEnabled());
  EXPECT_TRUE(windows.list.Bar()->KeywordEdit()->isEnabled());
  EXPECT_GT(windows.list.View()->List(vx::CircleListView::kDayBlock)->Model().RowCount(), 0);
  EXPECT_TRUE(vxtest::DropMissingFile(windows.checklist));
  EXPECT_EQ(catalog.ui.CallsOf(vx::UiCallKind::kMessageBox).size(), 1u);  // cannot be read
}

}  // namespace
