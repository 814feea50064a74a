#include "ui/checklist/ChecklistView.h"

#include <QHeaderView>
#include <QSignalSpy>
#include <QTabBar>
#include <QTest>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "checklist/FavoriteEntry.h"
#include "checklist/FavoriteStore.h"
#include "res/ResourceIds.h"
#include "tests/ui/checklist/ChecklistWindowFixture.h"
#include "ui/list/LabelEdit.h"
#include "ui/list/ListControl.h"

namespace {

using vx::ChecklistView;
using vx::ListControl;
using vxtest::ListedIds;

// The default checklist columns of event 96.
constexpr int kPrintColumn = 1;
constexpr int kSpaceColumn = 2;
constexpr int kNameColumn = 4;
constexpr int kMemoColumn = 7;
constexpr int kSaturday = 0;
constexpr int kSunday = 1;
constexpr int kNoSpace = 2;
constexpr int kUnknown = 3;

std::string Cell(const ListControl* list, int row, int column) {
  return vx::Cp932ToUtf8(list->Model().Row(row).cells.at(column));
}

std::vector<std::string> Column(const ListControl* list, int column) {
  std::vector<std::string> cells;
  for (int row = 0; row < list->Model().RowCount(); ++row) cells.push_back(Cell(list, row, column));
  return cells;
}

std::string Caption(const ListControl* list, int column) {
  return list->model()->headerData(column, Qt::Horizontal).toString().toStdString();
}

class ChecklistViewTest : public vxtest::ChecklistWindowFixture {
 protected:
  void SetUp() override {
    ChecklistWindowFixture::SetUp();
    view = window->View();
  }
  void Check(std::initializer_list<int> ids, int color = 1) {
    for (int id : ids) controller.SetCircleColor(color, id);
  }
  void ClearModified() {
    const std::filesystem::path none;
    controller.SetChecklistPath(&none, false);
  }
  std::vector<int> PrintOrder() const {
    std::vector<int> ids;
    controller.ForEachInPrintOrder([&](const vx::FavoriteEntry& entry) {
      ids.push_back(entry.record.id);
      return true;
    });
    return ids;
  }
  ListControl* Tab(int tab) const { return view->List(tab); }
  void ClickRow(int row, Qt::KeyboardModifiers modifiers = {}, int column = kNameColumn) {
    ListControl* list = view->CurrentList();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers,
                      list->GetCellRect(row, column).center());
  }
  void ClickHeader(int column) {
    QHeaderView* header = view->CurrentList()->horizontalHeader();
    const int x = header->sectionViewportPosition(column) + header->sectionSize(column) / 2;
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() / 2));
  }

  ChecklistView* view = nullptr;
};

TEST_F(ChecklistViewTest, EachCircleLandsOnTheTabOfItsDay) {
  std::vector<std::string> tabs;
  for (int i = 0; i < view->Tabs()->count(); ++i) {
    tabs.push_back(view->Tabs()->tabText(i).toStdString());
  }
  EXPECT_EQ(tabs, (std::vector<std::string>{"土曜日", "日曜日", "抽選漏れ", "未登録"}));

  Check({136, 131, 101, 900});
  vx::CircleRecord texts;
  texts.circleName = "X";
  const int unknown = controller.GetFavoriteStore()->AddUnknownCircle(2, texts);
  view->OnAppMessage(UM_CIRCLE_CHECKED, 2, unknown);
  controller.SetCircleMemo("m", 102);  // memo only: no row

  EXPECT_EQ(ListedIds(Tab(kSaturday)), (std::vector<int>{136, 101}));
  EXPECT_EQ(ListedIds(Tab(kSunday)), std::vector<int>{131});
  EXPECT_EQ(ListedIds(Tab(kNoSpace)), std::vector<int>{900});
  EXPECT_EQ(ListedIds(Tab(kUnknown)), std::vector<int>{unknown});
  EXPECT_EQ(Column(Tab(kSaturday), kSpaceColumn), (std::vector<std::string>{"東Ａ21b", "東Ａ01a"}));
  EXPECT_EQ(Column(Tab(kNoSpace), kSpaceColumn), std::vector<std::string>{"---"});
  EXPECT_EQ(Column(Tab(kSaturday), kPrintColumn), (std::vector<std::string>{"1", "2"}));
  EXPECT_EQ(Column(Tab(kSaturday), 0), (std::vector<std::string>{"赤", "赤"}));
  EXPECT_EQ(Caption(Tab(kSaturday), kPrintColumn), "印刷順");
  EXPECT_EQ(Tab(kSaturday)->EditColumn(), kMemoColumn);
}

TEST_F(ChecklistViewTest, ARowGoesWhenItsCircleKeepsOnlyAMemo) {
  Check({101, 102});
  controller.SetCircleMemo("m", 101);
  controller.SetCircleColor(3, 102);
  EXPECT_EQ(Tab(kSaturday)->Model().Row(1).record.color, 3);
  controller.UncheckCircle(101);  // its memo keeps it in the checklist, without a colour
  EXPECT_EQ(controller.GetCircleColor(101), 0);
  EXPECT_EQ(ListedIds(Tab(kSaturday)), std::vector<int>{102});
}

// The options message rebuilds the rows from the checklist; it must neither renumber the print
// order nor mark the checklist modified.
TEST_F(ChecklistViewTest, ARefillKeepsThePrintOrderAndTheModifiedMark) {
  Check({101, 131, 102, 136});
  controller.SetPrintOrderList(std::vector<int>{136, 131, 102, 101});
  ClearModified();
  controller.NotifyOptionsChanged();
  EXPECT_EQ(ListedIds(Tab(kSaturday)), (std::vector<int>{136, 102, 101}));
  EXPECT_EQ(Column(Tab(kSaturday), kPrintColumn), (std::vector<std::string>{"1", "2", "3"}));
  EXPECT_EQ(PrintOrder(), (std::vector<int>{136, 131, 102, 101}));
  EXPECT_FALSE(controller.IsChecklistModified());
}

TEST_F(ChecklistViewTest, CaptionClicksSortAscendingThenDescending) {
  Check({136, 101, 104});
  ClickHeader(kSpaceColumn);
  EXPECT_EQ(ListedIds(Tab(kSaturday)), (std::vector<int>{101, 104, 136}));
  EXPECT_EQ(Caption(Tab(kSaturday), kSpaceColumn), "スペース▽");
  ClickHeader(kSpaceColumn);
  EXPECT_EQ(ListedIds(Tab(kSaturday)), (std::vector<int>{136, 104, 101}));
  EXPECT_EQ(Caption(Tab(kSaturday), kSpaceColumn), "スペース△");
  ClickHeader(kPrintColumn);  // the numbers given as they were added: 136, 101, 104
  EXPECT_EQ(ListedIds(Tab(kSaturday)), (std::vector<int>{136, 101, 104}));
  EXPECT_EQ(Caption(Tab(kSaturday), kSpaceColumn), "スペース");
}

TEST_F(ChecklistViewTest, TheOrderLockStopsSortingAndTheNewPrintOrder) {
  Check({136, 101});
  window->RunCommand(ID_CHECKLIST_ORDER_LOCK);
  EXPECT_TRUE(controller.IsChecklistOrderLocked());
  ClickHeader(kSpaceColumn);
  EXPECT_EQ(ListedIds(Tab(kSaturday)), (std::vector<int>{136, 101}));
  EXPECT_FALSE(window->Route().QueryState(ID_PRINT_ORDER_FROM_LIST).enabled);
  window->RunCommand(ID_CHECKLIST_ORDER_LOCK);
  EXPECT_FALSE(controller.IsChecklistOrderLocked());
  EXPECT_TRUE(window->Route().QueryState(ID_PRINT_ORDER_FROM_LIST).enabled);
  ClickHeader(kSpaceColumn);
  EXPECT_EQ(ListedIds(Tab(kSaturday)), (std::vector<int>{101, 136}));
}

TEST_F(ChecklistViewTest, RemovingSeveralRowsAsksFirstAndOneDoesNot) {
  Check({101, 102, 103});
  ClickRow(0);
  ClickRow(1, Qt::ControlModifier);
  ui.QueueAnswer(IDNO);
  window->RunCommand(ID_UNCHECK);
  const std::vector<vx::UiCall> boxes = ui.CallsOf(vx::UiCallKind::kMessageBox);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(vx::Cp932ToUtf8(boxes[0].text),
            "2個のサークルをチェックリストから外します.\nよろしいですか？");
  EXPECT_EQ(vx::Cp932ToUtf8(boxes[0].caption), "チェック解除の確認");
  EXPECT_EQ(boxes[0].flags, vx::MB_YESNO | vx::MB_ICONQUESTION);
  EXPECT_EQ(Tab(kSaturday)->Model().RowCount(), 3);

  ui.QueueAnswer(IDYES);
  window->RunCommand(ID_UNCHECK);
  EXPECT_EQ(ListedIds(Tab(kSaturday)), std::vector<int>{103});
  EXPECT_EQ(controller.GetCircleColor(101), -1);

  ClickRow(0);
  window->RunCommand(ID_UNCHECK);
  EXPECT_EQ(Tab(kSaturday)->Model().RowCount(), 0);
  EXPECT_EQ(ui.CallsOf(vx::UiCallKind::kMessageBox).size(), 2u);
}

// Removing the second of five rows renumbers the rows after it only while the numbers show.
TEST_F(ChecklistViewTest, RemovingARowRenumbersTheRowsAfterItWhileTheNumbersShow) {
  struct Case {
    bool shown;
    std::vector<int> numbers;
  };
  for (const Case& c : {Case{true, {1, 2, 3, 4}}, Case{false, {1, 3, 4, 5}}}) {
    controller.NewChecklist(true);
    values.checkColumns[0] = c.shown ? (1 | vx::ColumnShown) : 1;
    controller.NotifyOptionsChanged();
    Check({101, 102, 103, 104, 133});
    controller.UncheckCircle(102);
    std::vector<int> numbers;
    for (int row = 0; row < Tab(kSaturday)->Model().RowCount(); ++row) {
      numbers.push_back(Tab(kSaturday)->Model().Row(row).record.printNumber);
    }
    EXPECT_EQ(numbers, c.numbers) << c.shown;
  }
}

TEST_F(ChecklistViewTest, TheDraggedOrderBecomesThePrintOrderTheStoreWalks) {
  Check({101, 102, 103, 104, 131});
  ListControl* list = Tab(kSaturday);
  ClickRow(0);
  const QPoint to = list->GetCellRect(2, kNameColumn).center();
  QTest::mousePress(list->viewport(), Qt::LeftButton, {},
                    list->GetCellRect(0, kNameColumn).center());
  QTest::mouseMove(list->viewport(), list->GetCellRect(1, kNameColumn).center());
  QTest::mouseMove(list->viewport(), to);
  QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, to);
  ASSERT_EQ(ListedIds(list), (std::vector<int>{102, 103, 101, 104}));
  window->RunCommand(ID_PRINT_ORDER_FROM_LIST);
  EXPECT_EQ(PrintOrder(), (std::vector<int>{102, 103, 101, 104, 131}));
  EXPECT_EQ(Column(list, kPrintColumn), (std::vector<std::string>{"1", "2", "3", "4"}));
}

TEST_F(ChecklistViewTest, ADigitColoursTheRowAndMovesOnUnlessOnTheLastRow) {
  values.autoNext2 = 1;
  Check({101, 102});
  controller.SelectCircle(101, false);
  ListControl* list = view->CurrentList();
  list->setFocus();
  QTest::keyClick(list, Qt::Key_3);
  EXPECT_EQ(controller.GetCircleColor(101), 3);
  EXPECT_EQ(controller.GetCurrentCircle().id, 102);
  EXPECT_EQ(list->SelectedRows(), std::vector<int>{1});
  QTest::keyClick(list, Qt::Key_3);
  EXPECT_EQ(controller.GetCircleColor(102), 3);
  EXPECT_EQ(controller.GetCurrentCircle().id, 102);
}

TEST_F(ChecklistViewTest, ARangeSelectedWithTheKeysIsColouredAtOnce) {
  Check({101, 102, 103, 104});
  ClickRow(1);
  ListControl* list = view->CurrentList();
  QTest::keyClick(list, Qt::Key_End, Qt::ShiftModifier);
  QTest::keyClick(list, Qt::Key_5);
  EXPECT_EQ(list->SelectedRows(), (std::vector<int>{1, 2, 3}));
  for (int id : {102, 103, 104}) EXPECT_EQ(controller.GetCircleColor(id), 5) << id;
  EXPECT_EQ(controller.GetCircleColor(101), 1);
}

// Circles checked or unchecked at once come as one refill: new rows number on in their tabs as
// rows checked one by one do, and with the numbers shown the rows left close up.
TEST_F(ChecklistViewTest, CirclesCheckedOrUncheckedAtOnceKeepThePrintNumbersOfOneByOne) {
  Check({101});
  const int ids[] = {131, 102, 103};
  controller.SetCirclesColor(ids, 2);
  EXPECT_EQ(ListedIds(Tab(kSaturday)), (std::vector<int>{101, 102, 103}));
  EXPECT_EQ(Column(Tab(kSaturday), kPrintColumn), (std::vector<std::string>{"1", "2", "3"}));
  EXPECT_EQ(ListedIds(Tab(kSunday)), std::vector<int>{131});
  EXPECT_EQ(PrintOrder(), (std::vector<int>{101, 131, 102, 103}));

  ClickRow(0);
  ClickRow(1, Qt::ShiftModifier);
  ui.QueueAnswer(IDYES);
  window->RunCommand(ID_UNCHECK);
  EXPECT_EQ(ListedIds(Tab(kSaturday)), std::vector<int>{103});
  EXPECT_EQ(Column(Tab(kSaturday), kPrintColumn), std::vector<std::string>{"1"});
  EXPECT_EQ(PrintOrder(), (std::vector<int>{103, 131}));
}

// A run of a checklist applied: its new rows go into each tab at once, numbered, coloured and with
// their memos as the messages one by one would leave them, and a memo of an earlier row is
// rewritten; a message of another kind waits for the rows before it.
TEST_F(ChecklistViewTest, ARunLeavesTheRowsOfOneByOneWithOneInsertPerTab) {
  ChecklistView oneByOne(controller);
  vx::FavoriteStore& store = *controller.GetFavoriteStore();
  const std::pair<int, int> colors[] = {{133, 1}, {101, 2}, {131, 3}, {900, 1},
                                        {102, 0}, {112, 4}, {113, 5}};
  for (const auto& [id, color] : colors) store.SetColor(id, color);
  for (const int id : {101, 900, 102, 112}) store.SetMemo(id, "m" + std::to_string(id));
  vx::CircleRecord texts;
  texts.memo = "u";
  const int unknown = store.AddUnknownCircle(2, texts);
  for (vx::AppMessageSink* sink :
       {static_cast<vx::AppMessageSink*>(view), static_cast<vx::AppMessageSink*>(&oneByOne)}) {
    sink->OnAppMessage(UM_CIRCLE_CHECKED, 1, 133);  // a row from before the run
  }
  store.SetMemo(133, "changed");
  std::vector<vx::AppMessage> run;
  for (const int id : {101, 131, 900, 102, 133, unknown, 112}) {
    run.push_back({UM_CIRCLE_CHECKED, static_cast<vx::WParam>(store.GetColor(id)), id});
    run.push_back({UM_CHECKLIST_ENTRY_CHANGED, 0, id});
  }
  run.push_back({UM_CIRCLE_UNCHECKED, 0, 101});
  run.push_back({UM_CIRCLE_CHECKED, 5, 113});
  QSignalSpy inserts(&Tab(kSaturday)->Model(), &QAbstractItemModel::rowsInserted);
  view->OnAppMessageRun(run);
  for (const vx::AppMessage& m : run) oneByOne.OnAppMessage(m.message, m.wParam, m.lParam);

  EXPECT_EQ(inserts.count(), 2);  // before and after the uncheck
  EXPECT_EQ(ListedIds(Tab(kSaturday)), (std::vector<int>{133, 112, 113}));
  for (int tab = 0; tab < view->TabCount(); ++tab) {
    const vx::ListModel& rows = view->List(tab)->Model();
    const vx::ListModel& expected = oneByOne.List(tab)->Model();
    ASSERT_EQ(rows.RowCount(), expected.RowCount()) << tab;
    for (int row = 0; row < rows.RowCount(); ++row) {
      EXPECT_EQ(rows.Row(row).cells, expected.Row(row).cells) << tab << "/" << row;
      EXPECT_EQ(rows.Row(row).record.printNumber, expected.Row(row).record.printNumber);
      EXPECT_EQ(rows.Row(row).stateImage, expected.Row(row).stateImage);
    }
  }
  EXPECT_EQ(Cell(Tab(kSaturday), 0, kMemoColumn), "changed");
  EXPECT_EQ(Column(Tab(kSaturday), kPrintColumn), (std::vector<std::string>{"1", "2", "3"}));
  EXPECT_EQ(ListedIds(Tab(kUnknown)), std::vector<int>{unknown});
}

TEST_F(ChecklistViewTest, TheCurrentCircleShowsItsTab) {
  Check({101, 131});
  controller.SelectCircle(131, false);
  EXPECT_EQ(view->CurrentTab(), kSunday);
  EXPECT_EQ(view->Tabs()->currentIndex(), kSunday);
  EXPECT_EQ(view->CurrentList()->SelectedRows(), std::vector<int>{0});
}

// A new cut column width changes the row height, so the rows are made again (the sort mark goes);
// another column's width is only stored.
TEST_F(ChecklistViewTest, ANewCutWidthRebuildsTheRowsAndAnotherWidthIsOnlyStored) {
  constexpr int kCutColumn = 3;
  Check({136, 101});
  ClickHeader(kSpaceColumn);
  ListControl* list = view->CurrentList();
  list->setColumnWidth(kNameColumn, 150);
  view->OnAppMessage(UM_LIST_COLUMNS_RESIZED, 0, 0);
  EXPECT_EQ(controller.GetChecklistColumnWidth(vx::ColumnIdCircleName), 150);
  EXPECT_EQ(Caption(list, kSpaceColumn), "スペース▽");
  list->setColumnWidth(kCutColumn, controller.GetChecklistColumnWidth(vx::ColumnIdCircleCut) - 10);
  view->OnAppMessage(UM_LIST_COLUMNS_RESIZED, 0, 0);
  EXPECT_EQ(Caption(list, kSpaceColumn), "スペース");
  EXPECT_EQ(ListedIds(list), (std::vector<int>{136, 101}));
}

// Memos longer than 32,767 bytes are edited and stored whole.
TEST_F(ChecklistViewTest, ALongMemoEditedInPlaceIsStoredWhole) {
  Check({101});
  ClickRow(0, {}, kMemoColumn);
  ClickRow(0, {}, kMemoColumn);
  ASSERT_TRUE(view->CurrentList()->IsEditing());
  view->CurrentList()->Editor()->setText(QString(40000, QLatin1Char('m')));
  QTest::keyClick(view->CurrentList()->Editor(), Qt::Key_Return);
  EXPECT_EQ(controller.GetCircleMemo(101).size(), 40000u);
}

}  // namespace
