#include "ui/list/CircleListView.h"

#include <QHeaderView>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "res/ResourceIds.h"
#include "tests/ui/CircleCatalogFixture.h"
#include "ui/list/LabelEdit.h"
#include "ui/list/ListControl.h"
#include "ui/menus/ColorMenu.h"
#include "ui/menus/CommandActions.h"
#include "ui/menus/CommandRoute.h"

namespace {

using vx::CircleListView;
using vx::ListControl;
using vxtest::kColumnMemo;
using vxtest::kColumnName;
using vxtest::ListedIds;

struct FrameLog : vx::AppMessageSink {
  void OnAppMessage(unsigned message, vx::WParam, vx::LParam) override {
    messages.push_back(message);
  }
  std::vector<unsigned> messages;
};

std::string Cell(const ListControl* list, int row, int column) {
  return vx::Cp932ToUtf8(list->Model().Row(row).cells.at(column));
}

std::string Caption(const ListControl* list, int column) {
  return list->model()->headerData(column, Qt::Horizontal).toString().toStdString();
}

class CircleListViewTest : public vxtest::CircleCatalogTest {
 protected:
  void SetUp() override {
    CircleCatalogTest::SetUp();
    view = std::make_unique<CircleListView>(controller);
    view->SetFrame(&frame, &route);
    route.SetTargets({&view->Commands()});
    view->resize(1200, 400);
    view->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
  }
  // Mode 0 on day 1, block "Ａ".
  ListControl* DayBlockList() {
    view->RequestDayBlock(1, 1);
    view->EnsureModeContent();
    return view->List(CircleListView::kDayBlock);
  }
  void ClickRow(ListControl* list, int row, int column = kColumnName) {
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->GetCellRect(row, column).center());
  }
  void ClickHeader(ListControl* list, int column) {
    QHeaderView* header = list->horizontalHeader();
    const int x = header->sectionViewportPosition(column) + header->sectionSize(column) / 2;
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() / 2));
  }

  FrameLog frame;
  vx::CommandRoute route;
  std::unique_ptr<CircleListView> view;
};

TEST(CircleListKana, InitialIndexesMapToHalfWidthKatakana) {
  const std::pair<int, int> table[] = {{1, 0xB1},  {2, 0xB2}, {44, 0xDC}, {45, 0xA6},
                                       {46, 0xDD}, {0, 0xFF}, {47, 0xFF}, {-1, 0xFF}};
  for (auto [index, code] : table) EXPECT_EQ(CircleListView::KanaInitialCode(index), code) << index;
}

TEST_F(CircleListViewTest, TheDayBlockListLoadsWhenFirstShownAndThenOnEveryRequest) {
  ListControl* list = view->List(CircleListView::kDayBlock);
  view->RequestDayBlock(1, 1);
  EXPECT_EQ(list->Model().RowCount(), 0);  // only remembered
  view->EnsureModeContent();
  EXPECT_EQ(ListedIds(list), (std::vector<int>{101, 102, 103, 104, 133, 136}));
  EXPECT_EQ(view->Counted(), 6);
  EXPECT_EQ(view->Added(), 6);
  view->RequestDayBlock(1, 2);
  EXPECT_EQ(ListedIds(list), (std::vector<int>{112, 113, 115, 134}));
}

TEST_F(CircleListViewTest, RowsShowTheColumnsOfTheSettings) {
  ListControl* list = DayBlockList();
  ASSERT_EQ(list->Model().ColumnCount(), 19);
  EXPECT_EQ(Caption(list, 0), "");
  EXPECT_EQ(Caption(list, kColumnName), "サークル名");
  EXPECT_EQ(Caption(list, vxtest::kColumnCut), "サークルカット");
  EXPECT_EQ(Cell(list, 0, vxtest::kColumnDay), "土");
  EXPECT_EQ(Cell(list, 0, vxtest::kColumnSpace), "東Ａ01a");
  EXPECT_EQ(Cell(list, 1, vxtest::kColumnSpace), "東Ａ01b");
  EXPECT_EQ(Cell(list, 0, vxtest::kColumnGenre), "創作");
  EXPECT_EQ(Cell(list, 0, kColumnName), "C101");
  EXPECT_EQ(Cell(list, 0, vxtest::kColumnKana), "アオイ");
  EXPECT_EQ(list->EditColumn(), kColumnMemo);
  EXPECT_EQ(list->CutImageColumn(), vxtest::kColumnCut);
  // No cut pictures: the rows are as high as the text.
  EXPECT_EQ(list->iconSize().height(), 16);
}

TEST_F(CircleListViewTest, TheInitialListHoldsTheDaysReadingsOfThatKanaInReadingOrder) {
  view->RequestDayInitial(1, 1);  // ｱ
  view->SetMode(CircleListView::kDayInitial);
  EXPECT_EQ(ListedIds(view->List(CircleListView::kDayInitial)), (std::vector<int>{101, 112, 104}));
  view->LoadDayInitial(1, 45);  // ｦ
  EXPECT_EQ(ListedIds(view->List(CircleListView::kDayInitial)), std::vector<int>{113});
  view->LoadDayInitial(1, 46);  // ﾝ
  EXPECT_EQ(ListedIds(view->List(CircleListView::kDayInitial)), std::vector<int>{115});
  view->LoadDayInitial(2, 1);
  EXPECT_EQ(ListedIds(view->List(CircleListView::kDayInitial)), std::vector<int>{131});
}

TEST_F(CircleListViewTest, LoadsOnlyTheModeThatIsShown) {
  DayBlockList();
  view->LoadDayInitial(1, 1);
  EXPECT_EQ(view->List(CircleListView::kDayInitial)->Model().RowCount(), 0);
}

TEST_F(CircleListViewTest, CirclesWithoutADayComeThroughTheSearchProgress) {
  view->SetMode(CircleListView::kNoDay);
  EXPECT_EQ(ListedIds(view->List(CircleListView::kNoDay)), std::vector<int>{900});
  EXPECT_EQ(view->Counted(), 1);
  EXPECT_TRUE(ui.Calls().empty());
}

TEST_F(CircleListViewTest, TheSearchResultClearsNarrowingWhenNothingWasFound) {
  view->SetMode(CircleListView::kSearchResult);
  vx::SearchCondition& condition = *controller.GetSearchCondition();
  condition.Reset();
  condition.AddGenre(3);
  controller.SetCanNarrowSearch(true);
  view->LoadSearchResult();
  EXPECT_EQ(ListedIds(view->List(CircleListView::kSearchResult)),
            (std::vector<int>{115, 132, 134, 135}));
  EXPECT_TRUE(controller.CanNarrowSearch());
  condition.Reset();
  condition.AddGenre(99);
  view->LoadSearchResult();
  EXPECT_EQ(view->List(CircleListView::kSearchResult)->Model().RowCount(), 0);
  EXPECT_EQ(view->Counted(), 0);
  EXPECT_FALSE(controller.CanNarrowSearch());
}

TEST_F(CircleListViewTest, AFailedSearchIsReportedNotShownAsNoCircles) {
  ASSERT_EQ(db.Exec(nullptr, nullptr, "alter table PavorunGenre rename to Elsewhere;"), 0);
  view->SetMode(CircleListView::kSearchResult);
  vx::SearchCondition& condition = *controller.GetSearchCondition();
  condition.Reset();
  condition.SetKeywordFields(vx::SearchCondition::kFieldGenreName);
  condition.SetKeywords("x");
  ui.QueueAnswer(IDOK);
  view->LoadSearchResult();
  EXPECT_EQ(view->List(CircleListView::kSearchResult)->Model().RowCount(), 0);
  const std::vector<vx::UiCall> boxes = ui.CallsOf(vx::UiCallKind::kMessageBox);
  ASSERT_EQ(boxes.size(), 1u);
  const std::string text = vx::Cp932ToUtf8(boxes[0].text);
  EXPECT_NE(text.find("サークルを検索できませんでした。"), std::string::npos) << text;
  EXPECT_NE(text.find("no such table"), std::string::npos) << text;
  EXPECT_EQ(boxes[0].flags, vx::MB_OK | vx::MB_ICONERROR);
}

TEST_F(CircleListViewTest, ChecksReachEveryListWithSwatchAndColourName) {
  ListControl* list = DayBlockList();
  view->SetMode(CircleListView::kSearchResult);
  controller.GetSearchCondition()->Reset();
  view->LoadSearchResult();
  ListControl* result = view->List(CircleListView::kSearchResult);
  view->OnAppMessage(UM_CIRCLE_CHECKED, 1, 102);
  for (ListControl* shown : {list, result}) {
    const int row = shown->Model().FindRows(102).front();
    EXPECT_EQ(shown->Model().Row(row).record.color, 1);
    EXPECT_EQ(shown->Model().Row(row).stateImage, 2);
    EXPECT_EQ(Cell(shown, row, 0), "赤");
  }
  // The swatch shows in the colour column of the shown list.
  const QImage shot = result->viewport()->grab().toImage();
  const QRect cell = result->GetCellRect(result->Model().FindRows(102).front(), 0);
  int red = 0;
  for (int y = cell.top(); y <= cell.bottom(); ++y) {
    for (int x = cell.left(); x < cell.left() + 24; ++x) red += QColor(shot.pixel(x, y)) == Qt::red;
  }
  EXPECT_GT(red, 100);
  view->OnAppMessage(UM_CIRCLE_UNCHECKED, 0, 102);
  EXPECT_EQ(list->Model().Row(1).record.color, 0);
  EXPECT_EQ(Cell(list, 1, 0), "");
}

// A run's colours and memos reach every list as the messages one by one would leave them, with one
// notice per list.
TEST_F(CircleListViewTest, ARunLeavesEveryListAsOneByOneWithOneNoticeAList) {
  ListControl* list = DayBlockList();
  view->SetMode(CircleListView::kSearchResult);
  controller.GetSearchCondition()->Reset();
  view->LoadSearchResult();
  CircleListView oneByOne(controller);
  oneByOne.RequestDayBlock(1, 1);
  oneByOne.EnsureModeContent();
  oneByOne.SetMode(CircleListView::kSearchResult);
  oneByOne.LoadSearchResult();
  for (const auto& [id, memo] : {std::pair(101, "a"), std::pair(103, "c"), std::pair(131, "x")}) {
    controller.SetCircleMemo(memo, id);
  }
  const std::vector<vx::AppMessage> run = {
      {UM_CIRCLE_CHECKED, 2, 101},          {UM_CHECKLIST_ENTRY_CHANGED, 0, 101},
      {UM_CIRCLE_CHECKED, 3, 102},          {UM_CIRCLE_UNCHECKED, 0, 102},
      {UM_CIRCLE_CHECKED, 4, 131},          {UM_CIRCLE_COLOR_CHANGED, 5, 131},
      {UM_CHECKLIST_ENTRY_CHANGED, 0, 103}, {UM_CHECKLIST_ENTRY_CHANGED, 0, 131}};
  QSignalSpy notices(&list->Model(), &QAbstractItemModel::dataChanged);
  view->OnAppMessageRun(run);
  for (const vx::AppMessage& m : run) oneByOne.OnAppMessage(m.message, m.wParam, m.lParam);

  EXPECT_EQ(notices.count(), 1);
  for (const int mode : {CircleListView::kDayBlock, CircleListView::kSearchResult}) {
    const vx::ListModel& rows = view->List(mode)->Model();
    const vx::ListModel& expected = oneByOne.List(mode)->Model();
    ASSERT_EQ(rows.RowCount(), expected.RowCount());
    for (int row = 0; row < rows.RowCount(); ++row) {
      EXPECT_EQ(rows.Row(row).cells, expected.Row(row).cells) << mode << "/" << row;
      EXPECT_EQ(rows.Row(row).record.color, expected.Row(row).record.color);
      EXPECT_EQ(rows.Row(row).stateImage, expected.Row(row).stateImage);
    }
  }
  EXPECT_EQ(Cell(list, 0, kColumnMemo), "a");
  EXPECT_EQ(list->Model().Row(0).record.color, 2);
  EXPECT_EQ(list->Model().Row(1).record.color, 0);
}

TEST_F(CircleListViewTest, AResetChecklistEmptiesColoursAndMemos) {
  ListControl* list = DayBlockList();
  controller.SetCircleColor(2, 101);
  controller.SetCircleMemo("memo", 103);
  view->RebuildColumns(true);
  EXPECT_EQ(list->Model().Row(0).record.color, 2);
  EXPECT_EQ(Cell(list, 2, kColumnMemo), "memo");
  view->OnAppMessage(UM_CHECKLIST_RESET, 0, 0);
  EXPECT_EQ(list->Model().Row(0).record.color, 0);
  EXPECT_EQ(list->Model().Row(0).stateImage, 0);
  EXPECT_EQ(Cell(list, 2, kColumnMemo), "");
}

TEST_F(CircleListViewTest, AMemoEditedInPlaceIsStoredOnlyWhenItChanged) {
  ListControl* list = DayBlockList();
  controller.SetCircleMemo(vx::Sjis("メモ"), 102);
  view->OnAppMessage(UM_CHECKLIST_ENTRY_CHANGED, 0, 102);
  EXPECT_EQ(Cell(list, 1, kColumnMemo), "メモ");
  const std::filesystem::path none;
  controller.SetChecklistPath(&none, false);

  ClickRow(list, 1, kColumnMemo);
  ClickRow(list, 1, kColumnMemo);
  ASSERT_TRUE(list->IsEditing());
  QTest::keyClick(list->Editor(), Qt::Key_Return);
  EXPECT_FALSE(controller.IsChecklistModified());

  ClickRow(list, 1, kColumnMemo);
  ClickRow(list, 1, kColumnMemo);
  ASSERT_TRUE(list->IsEditing());
  list->Editor()->insert(QString::fromUtf8("新しいメモ"));
  QTest::keyClick(list->Editor(), Qt::Key_Return);
  EXPECT_EQ(vx::Cp932ToUtf8(controller.GetCircleMemo(102)), "新しいメモ");
  EXPECT_TRUE(controller.IsChecklistModified());
}

TEST_F(CircleListViewTest, ClickingACaptionSortsAscendingThenDescending) {
  ListControl* list = DayBlockList();
  ClickHeader(list, vxtest::kColumnKana);
  EXPECT_EQ(Caption(list, vxtest::kColumnKana), "読みがな▽");
  EXPECT_EQ(ListedIds(list), (std::vector<int>{101, 104, 103, 102, 133, 136}));
  ClickHeader(list, vxtest::kColumnKana);
  EXPECT_EQ(Caption(list, vxtest::kColumnKana), "読みがな△");
  EXPECT_EQ(ListedIds(list), (std::vector<int>{136, 133, 102, 103, 104, 101}));
  ClickHeader(list, vxtest::kColumnSpace);
  EXPECT_EQ(Caption(list, vxtest::kColumnKana), "読みがな");
  EXPECT_EQ(Caption(list, vxtest::kColumnSpace), "スペース▽");
  EXPECT_EQ(ListedIds(list), (std::vector<int>{101, 102, 103, 104, 133, 136}));
}

TEST_F(CircleListViewTest, TheColourColumnSortsMemoOnlyAndUncheckedAlike) {
  ListControl* list = DayBlockList();
  controller.SetCircleColor(2, 133);
  controller.SetCircleColor(1, 104);
  controller.SetCircleMemo("m", 102);  // memo only: colour 0
  view->RebuildColumns(true);
  ASSERT_EQ(list->Model().Row(1).record.color, 0);
  ClickHeader(list, 0);
  EXPECT_EQ(Caption(list, 0), "▽");
  EXPECT_EQ(ListedIds(list), (std::vector<int>{101, 102, 103, 136, 104, 133}));
  ClickHeader(list, 0);
  EXPECT_EQ(Caption(list, 0), "△");
  EXPECT_EQ(ListedIds(list), (std::vector<int>{133, 104, 101, 102, 103, 136}));
}

// The lock holds from the start, as stored, and from every change of the options.
TEST_F(CircleListViewTest, WithTheSortLockOnCaptionClicksDoNothing) {
  for (const bool atStart : {true, false}) {
    values.listSortEnable = atStart ? 0 : 1;
    view = std::make_unique<CircleListView>(controller);
    view->show();
    ListControl* list = DayBlockList();
    values.listSortEnable = 0;
    if (!atStart) view->OnAppMessage(UM_OPTIONS_CHANGED, 0, 0);
    ClickHeader(list, vxtest::kColumnKana);
    EXPECT_EQ(Caption(list, vxtest::kColumnKana), "読みがな") << atStart;
    EXPECT_EQ(ListedIds(list), (std::vector<int>{101, 102, 103, 104, 133, 136})) << atStart;
  }
}

TEST_F(CircleListViewTest, OptionsChangedRefillsOnlyWhenTheColumnsChanged) {
  ListControl* list = DayBlockList();
  ClickHeader(list, vxtest::kColumnKana);
  const std::vector<int> sorted = ListedIds(list);
  view->OnAppMessage(UM_OPTIONS_CHANGED, 0, 0);
  EXPECT_EQ(ListedIds(list), sorted);  // nothing it shows changed: the rows stay as they are
  values.listColumnWidths[4] = 300;    // a width alone re-lays the columns
  view->OnAppMessage(UM_OPTIONS_CHANGED, 0, 0);
  EXPECT_EQ(list->columnWidth(kColumnName), 300);
  EXPECT_EQ(ListedIds(list), sorted);
  values.listColumns[5] &= ~vx::ColumnShown;  // the reading is no longer shown
  view->OnAppMessage(UM_OPTIONS_CHANGED, 0, 0);
  EXPECT_EQ(list->Model().ColumnCount(), 18);
  EXPECT_EQ(ListedIds(list), (std::vector<int>{101, 102, 103, 104, 133, 136}));
  EXPECT_EQ(Cell(list, 0, kColumnName), "C101");
}

TEST_F(CircleListViewTest, DigitsReturnAndDeleteCheckAndUncheckTheSelection) {
  ListControl* list = DayBlockList();
  values.autoNext = 0;
  ClickRow(list, 1);
  QTest::keyClick(list, Qt::Key_2);
  EXPECT_EQ(controller.GetCircleColor(102), 2);
  QTest::keyClick(list, Qt::Key_Delete);
  EXPECT_EQ(controller.GetCircleColor(102), -1);
  values.fvrColorDef = 4;
  QTest::keyClick(list, Qt::Key_Return);
  EXPECT_EQ(controller.GetCircleColor(102), 5);
  QTest::keyClick(list, Qt::Key_0);
  EXPECT_EQ(controller.GetCircleColor(102), -1);
}

TEST_F(CircleListViewTest, ReturnMovesOnToTheNextRowsCircleOutsideTheDayBlockList) {
  view->SetMode(CircleListView::kSearchResult);
  controller.GetSearchCondition()->Reset();
  controller.GetSearchCondition()->AddDay(2);
  view->LoadSearchResult();
  ListControl* list = view->List(CircleListView::kSearchResult);
  ClickRow(list, 0);
  EXPECT_EQ(controller.GetCurrentCircle().id, 131);
  QTest::keyClick(list, Qt::Key_Return);
  EXPECT_EQ(controller.GetCircleColor(131), 1);
  EXPECT_EQ(controller.GetCurrentCircle().id, 132);
}

TEST_F(CircleListViewTest, UpOnTheFirstRowAndDownOnTheLastAskForTheNeighbouringBlock) {
  ListControl* list = DayBlockList();
  ClickRow(list, 0);
  QTest::keyClick(list, Qt::Key_Up);
  ClickRow(list, 5);
  QTest::keyClick(list, Qt::Key_Down);
  ClickRow(list, 2);
  QTest::keyClick(list, Qt::Key_Up);
  EXPECT_EQ(frame.messages, (std::vector<unsigned>{UM_LIST_PREV_BLOCK, UM_LIST_NEXT_BLOCK}));
}

TEST_F(CircleListViewTest, OneRowCountsAsTheFirstNotTheLast) {
  view->SetMode(CircleListView::kNoDay);
  ListControl* list = view->List(CircleListView::kNoDay);
  ClickRow(list, 0);
  QTest::keyClick(list, Qt::Key_Up);
  QTest::keyClick(list, Qt::Key_Down);
  EXPECT_TRUE(frame.messages.empty());  // and outside mode 0 nothing is asked anyway
}

TEST_F(CircleListViewTest, FollowsTheCurrentCircleIntoTheVisibleBand) {
  view->SetMode(CircleListView::kSearchResult);
  controller.GetSearchCondition()->Reset();
  view->LoadSearchResult();
  ListControl* list = view->List(CircleListView::kSearchResult);
  list->resize(list->width(), list->RowHeight() * 6);
  controller.SelectCircle(135, false);
  view->OnAppMessage(UM_CIRCLE_CHANGED, 0, 135);
  const int row = list->Model().FindRows(135).front();
  EXPECT_EQ(list->SelectedRows(), std::vector<int>{row});
  const QRect rect = list->GetCellRect(row, 0);
  EXPECT_GE(rect.top(), list->RowHeight());
  EXPECT_LE(rect.bottom(), list->viewport()->height() - list->RowHeight());
  controller.SelectCircle(999, false);
  view->OnAppMessage(UM_CIRCLE_CHANGED, 0, 999);
  EXPECT_TRUE(list->SelectedRows().empty());
}

TEST_F(CircleListViewTest, ARightClickOnARowOpensTheCheckColourMenuForTheFrame) {
  vx::ColorMenu menu;
  ASSERT_TRUE(menu.Build(controller));
  view->SetColorMenu(&menu);
  ListControl* list = DayBlockList();
  ClickRow(list, 3);
  QTimer::singleShot(0, [&] {
    QMenu* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(popup, nullptr);
    QTest::keyClick(popup, Qt::Key_3);  // the item of colour 3
  });
  QTest::mouseClick(list->viewport(), Qt::RightButton, {}, list->GetCellRect(3, 1).center());
  EXPECT_EQ(controller.GetCircleColor(104), 3);
}

TEST_F(CircleListViewTest, CommandsActOnTheSelectedCircles) {
  ListControl* list = DayBlockList();
  ClickRow(list, 0);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ShiftModifier,
                    list->GetCellRect(2, kColumnName).center());
  EXPECT_TRUE(route.Dispatch(ID_CHECK_COLOR_FIRST + 3));
  for (int id : {101, 102, 103}) EXPECT_EQ(controller.GetCircleColor(id), 4) << id;
  EXPECT_EQ(controller.GetCircleColor(104), -1);
  EXPECT_TRUE(route.Dispatch(ID_UNCHECK));
  for (int id : {101, 102, 103}) EXPECT_EQ(controller.GetCircleColor(id), -1) << id;
  EXPECT_TRUE(route.Dispatch(ID_CURRENT_COLOR_FIRST + 6));
  EXPECT_EQ(controller.GetCurrentColor(), 6);
}

}  // namespace
