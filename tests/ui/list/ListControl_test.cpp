#include "ui/list/ListControl.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/list/LabelEdit.h"
#include "ui/list/ListItemDelegate.h"

namespace {

using vx::ListRow;

constexpr int kColumns = 10;
constexpr int kMemo = 2;
constexpr int kWidth = 100;

class ListControlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    list.resize(450, 300);
    std::vector<std::string> captions(kColumns, "c");
    list.SetColumns(captions, std::vector<int>(kColumns, kWidth));
    std::vector<ListRow> rows;
    for (int i = 0; i < 10; ++i) {
      ListRow row;
      row.record.circleId = 100 + i;
      row.cells.assign(kColumns, "");
      row.cells[1] = std::to_string(i) + " circle";
      row.cells[kMemo] = "memo " + std::to_string(i);
      rows.push_back(row);
    }
    list.AppendRows(std::move(rows));
    list.SetEditColumn(kMemo);
    list.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
  }

  QPoint Cell(int row, int column) const { return list.GetCellRect(row, column).center(); }
  void Click(int row, int column, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::mouseClick(list.viewport(), Qt::LeftButton, modifiers, Cell(row, column));
  }
  std::vector<int> Order() const {
    std::vector<int> order;
    for (int i = 0; i < list.Model().RowCount(); ++i) {
      order.push_back(list.Model().Row(i).record.circleId - 100);
    }
    return order;
  }
  void Press(int key) { QTest::keyClick(&list, static_cast<Qt::Key>(key)); }

  vx::ListControl list;
  QSignalSpy edited{&list, &vx::ListControl::labelEdited};
  QSignalSpy forwarded{&list, &vx::ListControl::keyForwarded};
};

TEST_F(ListControlTest, TheFirstClickSelectsTheSecondOnTheSameCellOpensTheEditor) {
  Click(3, kMemo);
  EXPECT_FALSE(list.IsEditing());
  EXPECT_EQ(list.SelectedRows(), std::vector<int>{3});
  Click(3, kMemo);
  ASSERT_TRUE(list.IsEditing());
  EXPECT_TRUE(list.Editor()->isVisible());
  EXPECT_EQ(list.Editor()->text(), QStringLiteral("memo 3"));
  EXPECT_EQ(list.Editor()->selectedText(), QStringLiteral("memo 3"));
  // The cell was scrolled to the left edge and the editor lies on it.
  EXPECT_EQ(list.Editor()->geometry().left(), list.GetCellRect(3, kMemo).left());
  EXPECT_EQ(list.GetCellRect(3, kMemo).left(), 0);

  QTest::keyClicks(list.Editor(), QStringLiteral("new"));
  QTest::keyClick(list.Editor(), Qt::Key_Return);
  EXPECT_FALSE(list.IsEditing());
  EXPECT_FALSE(list.Editor()->isVisible());
  EXPECT_EQ(list.Model().Row(3).cells[kMemo], "new");
  ASSERT_EQ(edited.count(), 1);
  EXPECT_EQ(edited[0], (QList<QVariant>{kMemo, 3}));
}

TEST_F(ListControlTest, ASecondClickOnAnotherCellOrRowOpensNothing) {
  Click(3, kMemo);
  Click(3, 1);
  EXPECT_FALSE(list.IsEditing());
  Click(4, kMemo);
  EXPECT_FALSE(list.IsEditing());
  list.SetEditColumn(-1);
  Click(4, kMemo);
  EXPECT_FALSE(list.IsEditing());
  EXPECT_EQ(edited.count(), 0);
}

TEST_F(ListControlTest, AClickOnAnotherRowEndsTheEditAndKeepsItsText) {
  Click(2, kMemo);
  Click(2, kMemo);
  ASSERT_TRUE(list.IsEditing());
  QTest::keyClicks(list.Editor(), QStringLiteral("kept"));
  Click(5, 1);
  EXPECT_FALSE(list.IsEditing());
  EXPECT_EQ(list.Model().Row(2).cells[kMemo], "kept");
  ASSERT_EQ(edited.count(), 1);
  EXPECT_EQ(edited[0][1].toInt(), 2);
  EXPECT_EQ(list.SelectedRows(), std::vector<int>{5});
}

TEST_F(ListControlTest, EscapeRestoresTheStartingTextAndStillReports) {
  Click(1, kMemo);
  Click(1, kMemo);
  QTest::keyClicks(list.Editor(), QStringLiteral("thrown away"));
  QTest::keyClick(list.Editor(), Qt::Key_Escape);
  EXPECT_FALSE(list.IsEditing());
  EXPECT_EQ(list.Model().Row(1).cells[kMemo], "memo 1");
  EXPECT_EQ(edited.count(), 1);
}

TEST_F(ListControlTest, ChangesOfTheListScrollsAndResizesEndTheEdit) {
  const std::vector<std::function<void()>> enders = {
      [&] { list.DeleteItem(9); },
      [&] { list.horizontalScrollBar()->setValue(list.horizontalScrollBar()->value() + 10); },
      [&] { list.resize(list.width() + 20, list.height()); },
      [&] { list.SortItems([](const ListRow&, const ListRow&) { return 0; }); },
  };
  for (std::size_t i = 0; i < enders.size(); ++i) {
    Click(1, 1);
    Click(0, kMemo);
    Click(0, kMemo);
    ASSERT_TRUE(list.IsEditing()) << i;
    enders[i]();
    EXPECT_FALSE(list.IsEditing()) << i;
    EXPECT_EQ(edited.count(), static_cast<int>(i) + 1) << i;
  }
}

TEST_F(ListControlTest, TheEditorTakesMemosOfSixtyFiveThousandBytes) {
  const std::string memo(65535, 'm');
  list.Model().SetCellText(4, kMemo, memo);
  Click(4, kMemo);
  Click(4, kMemo);
  ASSERT_TRUE(list.IsEditing());
  EXPECT_EQ(list.Editor()->text().size(), 65535);
  list.Editor()->end(false);
  list.Editor()->backspace();
  QTest::keyClick(list.Editor(), Qt::Key_Return);
  EXPECT_EQ(list.Model().Row(4).cells[kMemo], std::string(65534, 'm'));
}

TEST_F(ListControlTest, AnUnchangedEditLeavesTheCellByteForByte) {
  const std::string memo = "line one\r\nline two";
  list.Model().SetCellText(6, kMemo, memo);
  Click(6, kMemo);
  Click(6, kMemo);
  QTest::keyClick(list.Editor(), Qt::Key_Return);
  EXPECT_EQ(list.Model().Row(6).cells[kMemo], memo);
  EXPECT_EQ(edited.count(), 1);
}

TEST_F(ListControlTest, DigitsStayWithTheOwnerAndDoNotSearchTheRows) {
  Click(0, 1);
  Press(Qt::Key_3);
  EXPECT_EQ(list.SelectedRows(), std::vector<int>{0});
  ASSERT_EQ(forwarded.count(), 1);
  EXPECT_EQ(forwarded[0][0].toInt(), Qt::Key_3);
  EXPECT_FALSE(list.LastInputWasClick());
}

TEST_F(ListControlTest, UpAndDownReachTheOwnerOnlyFromTheFirstAndTheLastRow) {
  Click(2, 1);
  EXPECT_TRUE(list.LastInputWasClick());
  Press(Qt::Key_Up);
  EXPECT_EQ(list.FocusedRow(), 1);
  EXPECT_EQ(forwarded.count(), 0);
  Press(Qt::Key_Up);
  Press(Qt::Key_Up);
  EXPECT_EQ(list.FocusedRow(), 0);
  ASSERT_EQ(forwarded.count(), 1);
  EXPECT_EQ(forwarded[0][0].toInt(), Qt::Key_Up);
  Click(9, 1);
  Press(Qt::Key_Down);
  EXPECT_EQ(forwarded.count(), 2);
  Press(Qt::Key_Return);
  Press(Qt::Key_Delete);
  EXPECT_EQ(forwarded.count(), 4);
}

// As in every list of the desktop; a range is no reason to step to another block.
TEST_F(ListControlTest, ShiftWithArrowsHomeAndEndAndCtrlASelectRanges) {
  const struct {
    int key;
    Qt::KeyboardModifiers modifiers;
    int first, last;  // the selected rows afterwards
  } steps[] = {
      {Qt::Key_Down, Qt::ShiftModifier, 3, 4}, {Qt::Key_Down, Qt::ShiftModifier, 3, 5},
      {Qt::Key_Up, Qt::ShiftModifier, 3, 4},   {Qt::Key_End, Qt::ShiftModifier, 3, 9},
      {Qt::Key_Home, Qt::ShiftModifier, 0, 3}, {Qt::Key_Up, Qt::ShiftModifier, 0, 3},
      {Qt::Key_A, Qt::ControlModifier, 0, 9},
  };
  Click(3, 1);
  for (const auto& step : steps) {
    QTest::keyClick(&list, static_cast<Qt::Key>(step.key), step.modifiers);
    std::vector<int> expected;
    for (int row = step.first; row <= step.last; ++row) expected.push_back(row);
    EXPECT_EQ(list.SelectedRows(), expected) << step.key;
  }
  for (const QList<QVariant>& key : forwarded) {  // not even Shift+Up on the first row
    EXPECT_NE(key[0].toInt(), Qt::Key_Up);
    EXPECT_NE(key[0].toInt(), Qt::Key_Down);
  }
}

TEST_F(ListControlTest, LeftAndRightScrollByWholeColumns) {
  QScrollBar* bar = list.horizontalScrollBar();
  ASSERT_GT(bar->maximum(), 300);
  Click(0, 0);
  Press(Qt::Key_Right);
  EXPECT_EQ(bar->value(), 100);
  Press(Qt::Key_Right);
  EXPECT_EQ(bar->value(), 200);
  bar->setValue(150);
  Press(Qt::Key_Left);
  EXPECT_EQ(bar->value(), 100);
  Press(Qt::Key_Left);
  EXPECT_EQ(bar->value(), 0);
  Press(Qt::Key_Left);
  EXPECT_EQ(bar->value(), 0);
  EXPECT_EQ(forwarded.count(), 5);  // they still reach the owner
}

TEST_F(ListControlTest, DraggingTheSelectedRowsMovesThemOntoTheRowUnderTheMouse) {
  Click(2, 1);
  Click(5, 1, Qt::ControlModifier);
  ASSERT_EQ(list.SelectedRows(), (std::vector<int>{2, 5}));
  QWidget* viewport = list.viewport();
  QTest::mousePress(viewport, Qt::LeftButton, {}, Cell(5, 1));
  QTest::mouseMove(viewport, Cell(6, 1));
  QTest::mouseMove(viewport, Cell(8, 1));
  QTest::mouseRelease(viewport, Qt::LeftButton, {}, Cell(8, 1));
  EXPECT_EQ(Order(), (std::vector<int>{0, 1, 3, 4, 6, 7, 8, 2, 5, 9}));
  EXPECT_EQ(list.SelectedRows(), (std::vector<int>{7, 8}));
}

TEST_F(ListControlTest, AClickWithoutDragOnTheSelectionSelectsThatRowAlone) {
  Click(2, 1);
  Click(5, 1, Qt::ControlModifier);
  Click(5, 1);
  EXPECT_EQ(list.SelectedRows(), std::vector<int>{5});
  EXPECT_EQ(Order(), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
}

TEST_F(ListControlTest, NoDragWhenTheOwnerForbidsIt) {
  list.SetDragDisabled(true);
  Click(2, 1);
  QWidget* viewport = list.viewport();
  QTest::mousePress(viewport, Qt::LeftButton, {}, Cell(2, 1));
  QTest::mouseMove(viewport, Cell(8, 1));
  QTest::mouseRelease(viewport, Qt::LeftButton, {}, Cell(8, 1));
  EXPECT_EQ(Order(), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
}

TEST_F(ListControlTest, ADoubleClickIsReturnAndOpensNoEditor) {
  Click(4, kMemo);
  QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, Cell(4, kMemo));
  EXPECT_FALSE(list.IsEditing());
  ASSERT_GE(forwarded.count(), 1);
  EXPECT_EQ(forwarded.back()[0].toInt(), Qt::Key_Return);
}

TEST_F(ListControlTest, ARightClickTellsTheOwnerWhere) {
  QSignalSpy right(&list, &vx::ListControl::rightClicked);
  QTest::mouseClick(list.viewport(), Qt::RightButton, {}, Cell(3, 1));
  ASSERT_EQ(right.count(), 1);
  EXPECT_EQ(right[0][0].toPoint(), Cell(3, 1));
  EXPECT_EQ(list.SelectedRows(), std::vector<int>{3});
}

TEST_F(ListControlTest, TheEndOfAColumnResizeIsPostedOnce) {
  QSignalSpy resized(&list, &vx::ListControl::columnsResized);
  QHeaderView* header = list.horizontalHeader();
  const int border = header->sectionViewportPosition(0) + header->sectionSize(0) - 1;
  const int y = header->height() / 2;
  QTest::mousePress(header->viewport(), Qt::LeftButton, {}, QPoint(border, y));
  QTest::mouseMove(header->viewport(), QPoint(border + 15, y));
  QTest::mouseMove(header->viewport(), QPoint(border + 30, y));
  QTest::mouseRelease(header->viewport(), Qt::LeftButton, {}, QPoint(border + 30, y));
  EXPECT_EQ(resized.count(), 0);  // posted, not sent
  EXPECT_TRUE(QTest::qWaitFor([&] { return resized.count() == 1; }, 5000));
  EXPECT_GT(list.columnWidth(0), kWidth);
  list.setColumnWidth(1, 10);  // the owner's own change is no resize by the user
  QCoreApplication::processEvents();
  EXPECT_EQ(resized.count(), 1);
}

struct Fit {
  QRect cell;
  int cutWidth;
  int cutHeight;
  vx::CutRect expected;
};

class CutFit : public ::testing::TestWithParam<Fit> {};

TEST_P(CutFit, KeepsTheCutsShapeCentredInTheCell) {
  const Fit& f = GetParam();
  EXPECT_EQ(vx::ListItemDelegate::FitCut(f.cell, f.cutWidth, f.cutHeight), f.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cells, CutFit,
    ::testing::Values(Fit{QRect(0, 0, 200, 50), 100, 50, {50, 0, 100, 50}},    // twice as wide
                      Fit{QRect(10, 20, 50, 100), 100, 50, {10, 57, 50, 25}},  // tall
                      Fit{QRect(0, 0, 100, 50), 100, 50, {0, 0, 100, 50}},     // exact
                      Fit{QRect(0, 0, 100, 50), 0, 50, {0, 0, 0, 0}}));        // no cut

}  // namespace
