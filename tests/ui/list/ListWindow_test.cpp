#include "ui/list/ListWindow.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/WindowRecord.h"
#include "res/ResourceIds.h"
#include "tests/ui/CircleCatalogFixture.h"
#include "ui/list/CircleListBar.h"
#include "ui/list/CircleListView.h"
#include "ui/list/ListControl.h"
#include "ui/menus/CommandMap.h"
#include "ui/widgets/ColorToolBar.h"

namespace {

using vx::CircleListView;
using vx::ListControl;
using vxtest::ListedIds;

std::vector<std::string> Items(const QComboBox* combo) {
  std::vector<std::string> items;
  for (int i = 0; i < combo->count(); ++i) items.push_back(combo->itemText(i).toStdString());
  return items;
}

class ListWindowTest : public vxtest::CircleCatalogTest {
 protected:
  void SetUp() override {
    CircleCatalogTest::SetUp();
    CreateListWindow();
    window->resize(1000, 500);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  }
  ListControl* Shown() const { return window->View()->VisibleList(); }
  QComboBox* Mode() const { return window->Bar()->ModeCombo(); }
  QComboBox* Day() const { return window->Bar()->DayCombo(); }
  QComboBox* Block() const { return window->Bar()->BlockCombo(); }
  // A choice made in a combo's drop-down.
  static void Choose(QComboBox* combo, int index) {
    combo->setFocus();
    combo->showPopup();
    QAbstractItemView* items = combo->view();
    items->setCurrentIndex(combo->model()->index(index, 0));
    QTest::keyClick(items, Qt::Key_Return);
  }
  void ClickRow(int row) {
    QTest::mouseClick(Shown()->viewport(), Qt::LeftButton, {},
                      Shown()->GetCellRect(row, vxtest::kColumnName).center());
  }
  std::string Status() const { return window->StatusPane()->text().toStdString(); }
};

TEST_F(ListWindowTest, TheBarListsTheModesTheDaysAndTheFirstDaysBlocks) {
  EXPECT_EQ(window->windowTitle().toStdString(), "サークル一覧");
  EXPECT_EQ(Items(Mode()), (std::vector<std::string>{"日付/ブロック指定", "日付/インデックス",
                                                     "抽選漏れサークル", "検索結果"}));
  EXPECT_EQ(Items(Day()), (std::vector<std::string>{"土曜日", "日曜日"}));
  EXPECT_EQ(Items(Block()), (std::vector<std::string>{"Ａ", "Ｂ"}));
  EXPECT_EQ(Mode()->currentIndex(), 0);
  // Shown for the first time, the list holds the first block of the first day.
  EXPECT_EQ(ListedIds(Shown()), (std::vector<int>{101, 102, 103, 104, 133, 136}));
}

TEST_F(ListWindowTest, TheIndexModeOffersTheKanaInitialsAndOtherModesNoSelectors) {
  Choose(Mode(), 1);
  ASSERT_EQ(Block()->count(), 46);
  EXPECT_EQ(Block()->itemText(0).toStdString(), "ア");
  EXPECT_EQ(Block()->itemText(44).toStdString(), "ヲ");
  EXPECT_EQ(Block()->itemText(45).toStdString(), "ン");
  EXPECT_EQ(ListedIds(Shown()), (std::vector<int>{101, 112, 104}));
  Choose(Block(), 45);
  EXPECT_EQ(ListedIds(Shown()), std::vector<int>{115});
  Choose(Mode(), 2);
  EXPECT_FALSE(Day()->isEnabled());
  EXPECT_FALSE(Block()->isEnabled());
  EXPECT_EQ(ListedIds(Shown()), std::vector<int>{900});
  Choose(Mode(), 0);
  EXPECT_TRUE(Day()->isEnabled());
  EXPECT_EQ(Items(Block()), (std::vector<std::string>{"Ａ", "Ｂ"}));
}

TEST_F(ListWindowTest, ADayChangeRefillsTheBlocksAndLoadsTheDaysBlock) {
  Choose(Block(), 1);
  EXPECT_EQ(ListedIds(Shown()), (std::vector<int>{112, 113, 115, 134}));
  Choose(Day(), 1);
  EXPECT_EQ(Items(Block()), std::vector<std::string>{"Ｃ"});
  EXPECT_EQ(window->BlockId(), 3);
  EXPECT_EQ(ListedIds(Shown()), (std::vector<int>{131, 132, 135}));
}

TEST_F(ListWindowTest, AnOpenDropDownLoadsNothingUntilTheChoiceIsMade) {
  Block()->showPopup();
  QAbstractItemView* items = Block()->view();
  items->setCurrentIndex(Block()->model()->index(1, 0));
  QTest::keyClick(items, Qt::Key_Up);
  QTest::keyClick(items, Qt::Key_Down);
  EXPECT_EQ(ListedIds(Shown()), (std::vector<int>{101, 102, 103, 104, 133, 136}));
  QTest::keyClick(items, Qt::Key_Return);
  EXPECT_EQ(ListedIds(Shown()), (std::vector<int>{112, 113, 115, 134}));
}

TEST_F(ListWindowTest, DownOnTheLastRowStepsToTheNextBlockAndDay) {
  ClickRow(5);
  QTest::keyClick(Shown(), Qt::Key_Down);
  EXPECT_EQ(Block()->currentIndex(), 1);
  EXPECT_EQ(ListedIds(Shown()), (std::vector<int>{112, 113, 115, 134}));
  EXPECT_EQ(controller.GetCurrentCircle().id, 112);  // the first row's circle
  ClickRow(3);
  QTest::keyClick(Shown(), Qt::Key_Down);
  EXPECT_EQ(Day()->currentIndex(), 1);
  EXPECT_EQ(Items(Block()), std::vector<std::string>{"Ｃ"});
  EXPECT_EQ(ListedIds(Shown()), (std::vector<int>{131, 132, 135}));
  ClickRow(2);
  QTest::keyClick(Shown(), Qt::Key_Down);  // the last block of the last day: nothing
  EXPECT_EQ(ListedIds(Shown()), (std::vector<int>{131, 132, 135}));
  EXPECT_EQ(controller.GetCurrentCircle().id, 135);
}

TEST_F(ListWindowTest, UpOnTheFirstRowStepsBackToTheLastRowOfThePreviousBlock) {
  Choose(Day(), 1);
  ClickRow(0);
  QTest::keyClick(Shown(), Qt::Key_Up);
  EXPECT_EQ(Day()->currentIndex(), 0);
  EXPECT_EQ(Block()->currentIndex(), 1);
  EXPECT_EQ(controller.GetCurrentCircle().id, 134);  // the last row's circle
  window->OnAppMessage(UM_LIST_PREV_BLOCK, 0, 0);
  window->OnAppMessage(UM_LIST_PREV_BLOCK, 0, 0);  // day 1, block "Ａ": nothing more
  EXPECT_EQ(Block()->currentIndex(), 0);
  EXPECT_EQ(ListedIds(Shown()), (std::vector<int>{101, 102, 103, 104, 133, 136}));
}

TEST_F(ListWindowTest, DayAndBlockOfTheOtherWindowsAreFollowedOnlyWithListSync) {
  values.listSync = 0;
  controller.SelectCircle(131, false);
  window->OnAppMessage(UM_DAY_CHANGED, 0, 2);
  window->OnAppMessage(UM_BLOCK_CHANGED, 0, 3);
  window->OnAppMessage(UM_CIRCLE_CHANGED, 0, 131);
  EXPECT_EQ(Day()->currentIndex(), 0);
  EXPECT_EQ(ListedIds(Shown()), (std::vector<int>{101, 102, 103, 104, 133, 136}));
  values.listSync = 1;
  window->OnAppMessage(UM_DAY_CHANGED, 0, 2);
  window->OnAppMessage(UM_BLOCK_CHANGED, 0, 3);
  window->OnAppMessage(UM_CIRCLE_CHANGED, 0, 131);
  EXPECT_EQ(Day()->currentIndex(), 1);
  EXPECT_EQ(Block()->currentText().toStdString(), "Ｃ");
  EXPECT_EQ(ListedIds(Shown()), (std::vector<int>{131, 132, 135}));
  EXPECT_EQ(Shown()->SelectedRows(), std::vector<int>{0});
}

TEST_F(ListWindowTest, ARememberedBlockTheNewDayLacksGivesWayToTheNearestLowerOne) {
  values.listSync = 1;
  window->OnAppMessage(UM_DAY_CHANGED, 0, 2);
  window->OnAppMessage(UM_BLOCK_CHANGED, 0, 3);
  window->OnAppMessage(UM_DAY_CHANGED, 0, 1);
  EXPECT_EQ(window->BlockId(), 2);
  EXPECT_EQ(Block()->currentText().toStdString(), "Ｂ");
}

TEST_F(ListWindowTest, ARequestedSearchShowsTheResultAndItsSummary) {
  controller.GetSearchCondition()->Reset();
  controller.GetSearchCondition()->AddDay(1);
  controller.RequestSearch();
  EXPECT_EQ(Mode()->currentIndex(), 3);
  EXPECT_FALSE(Day()->isEnabled());
  EXPECT_EQ(Shown()->Model().RowCount(), 10);
  EXPECT_EQ(Status(), "検索結果 : 10 件が見つかりました");
  EXPECT_TRUE(controller.CanNarrowSearch());
  vx::WindowRecord record;
  ASSERT_TRUE(controller.GetWindowRecord(window.get(), &record));
  EXPECT_EQ(record.shown, 1);
}

TEST(ListWindowSummary, TellsTheCountAndWhereACancelStopped) {
  EXPECT_EQ(vx::Cp932ToUtf8(vx::ListWindow::SearchSummary(12, 12)),
            "検索結果 : 12 件が見つかりました");
  EXPECT_EQ(vx::Cp932ToUtf8(vx::ListWindow::SearchSummary(250, 100)),
            "検索結果 : 250 件が見つかりましたが、100 件追加時点でキャンセルされました");
}

TEST_F(ListWindowTest, EnterInTheKeywordFieldRunsAQuickSearch) {
  controller.SetCanRedoNarrowing(true);
  QLineEdit* keyword = window->Bar()->KeywordEdit();
  QTest::keyClicks(keyword, QStringLiteral("C13"));
  EXPECT_EQ(controller.GetSearchCondition()->KeywordText(), "C13");
  QTest::keyClick(keyword, Qt::Key_Return);
  EXPECT_EQ(ListedIds(Shown()), (std::vector<int>{131, 132, 133, 134, 135, 136}));
  EXPECT_TRUE(controller.CanNarrowSearch());
  EXPECT_FALSE(controller.CanRedoNarrowing());
  keyword->clear();
  QTest::keyClick(keyword, Qt::Key_Return);  // nothing runs without a keyword
  EXPECT_EQ(Shown()->Model().RowCount(), 6);
}

TEST_F(ListWindowTest, TheSortLockButtonTogglesTheSettingForEveryList) {
  EXPECT_TRUE(window->RunCommand(ID_LIST_SORT_LOCK));
  EXPECT_TRUE(controller.IsListSortLocked());
  EXPECT_TRUE(window->View()->SortLocked());
  QAction* button = window->ColorBar()->PlaceAt(0);
  EXPECT_TRUE(button->isChecked());
  EXPECT_TRUE(window->RunCommand(ID_LIST_SORT_LOCK));
  EXPECT_FALSE(controller.IsListSortLocked());
  EXPECT_FALSE(button->isChecked());
}

TEST_F(ListWindowTest, ClosingOnlyHidesTheWindowThroughTheController) {
  controller.ShowRegisteredWindow(window.get());
  EXPECT_FALSE(window->close());
  vx::WindowRecord record;
  ASSERT_TRUE(controller.GetWindowRecord(window.get(), &record));
  EXPECT_EQ(record.shown, 0);
}

TEST_F(ListWindowTest, CheckColourCommandsGoToTheViewFirst) {
  ClickRow(2);
  EXPECT_TRUE(window->RunCommand(ID_CHECK_COLOR_FIRST));
  EXPECT_EQ(controller.GetCircleColor(103), 1);
  // The controller's announcement comes back to the registered window and its rows.
  EXPECT_EQ(Shown()->Model().Row(2).record.color, 1);
  EXPECT_EQ(vx::Cp932ToUtf8(Shown()->Model().Row(2).cells[0]), "赤");
}

// Activating the window gives the list the focus; only a row the user picks moves the catalogue.
TEST_F(ListWindowTest, FocusARefillOrASortLeaveTheCurrentCircleAlone) {
  controller.SelectCircle(131, false);  // day 2: not in the list shown
  QWidget other;
  other.show();
  other.activateWindow();
  QTRY_VERIFY_WITH_TIMEOUT(other.isActiveWindow(), 5000);
  window->activateWindow();
  QTRY_VERIFY_WITH_TIMEOUT(Shown()->hasFocus(), 5000);
  EXPECT_EQ(controller.GetCurrentCircle().id, 131);
  EXPECT_EQ(Shown()->FocusedRow(), -1);
  values.listColumns[5] &= ~vx::ColumnShown;  // a refill
  window->OnAppMessage(UM_OPTIONS_CHANGED, 0, 0);
  QTest::mouseClick(Shown()->horizontalHeader()->viewport(), Qt::LeftButton, {},
                    QPoint(Shown()->horizontalHeader()->sectionViewportPosition(1) + 5, 5));
  EXPECT_EQ(controller.GetCurrentCircle().id, 131);
  QTest::keyClick(Shown(), Qt::Key_Down);  // the keys pick the first row
  EXPECT_EQ(controller.GetCurrentCircle().id, Shown()->Model().Row(0).record.circleId);
}

TEST_F(ListWindowTest, ARangeSelectedWithTheKeysIsCheckedAtOnce) {
  values.autoNext2 = 0;
  ClickRow(1);
  QTest::keyClick(Shown(), Qt::Key_Down, Qt::ShiftModifier);
  QTest::keyClick(Shown(), Qt::Key_Down, Qt::ShiftModifier);
  QTest::keyClick(Shown(), Qt::Key_3);
  EXPECT_EQ(Shown()->SelectedRows(), (std::vector<int>{1, 2, 3}));
  for (int row = 0; row < Shown()->Model().RowCount(); ++row) {
    const int id = Shown()->Model().Row(row).record.circleId;
    EXPECT_EQ(controller.GetCircleColor(id), row >= 1 && row <= 3 ? 3 : -1) << row;
  }
  QTest::keyClick(Shown(), Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(Shown(), Qt::Key_Delete);
  for (int row = 0; row < Shown()->Model().RowCount(); ++row) {
    EXPECT_EQ(controller.GetCircleColor(Shown()->Model().Row(row).record.circleId), -1);
  }
}

// The bar's search button is the application's search: the window passes it on.
TEST_F(ListWindowTest, TheSearchButtonReachesTheApplicationsSearch) {
  int searches = 0;
  vx::CommandMap application;
  application.On(ID_SEARCH, [&searches] { ++searches; });
  window->SetApplicationCommands(&application);
  window->Bar()->SearchButton()->trigger();
  EXPECT_EQ(searches, 1);
}

}  // namespace
