#include "ui/list/ListModel.h"

#include <QAbstractItemModelTester>
#include <QPersistentModelIndex>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using vx::ListRow;

constexpr int kCells = 20;

// Rows 0..n-1 showing circles 100.., every cell naming its row and column.
std::vector<ListRow> Rows(int n) {
  std::vector<ListRow> rows;
  for (int i = 0; i < n; ++i) {
    ListRow row;
    row.record.circleId = 100 + i;
    for (int c = 0; c < kCells; ++c)
      row.cells.push_back(std::to_string(i) + ":" + std::to_string(c));
    rows.push_back(row);
  }
  return rows;
}

class ListModelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    model.SetColumns(std::vector<std::string>(kCells, "c"));
    model.AppendRows(Rows(10));
  }
  // The original row number of each row, in the present order.
  std::vector<int> Order() const {
    std::vector<int> order;
    for (int i = 0; i < model.RowCount(); ++i) order.push_back(model.Row(i).record.circleId - 100);
    return order;
  }

  vx::ListModel model;
  QAbstractItemModelTester tester{&model, QAbstractItemModelTester::FailureReportingMode::Fatal};
};

struct Move {
  std::vector<int> rows;
  int target;
  std::vector<int> order;
  std::vector<int> landed;
};

class ListModelMoves : public ListModelTest, public ::testing::WithParamInterface<Move> {};

TEST_P(ListModelMoves, RowsFromAboveLandAfterTheTargetRowsFromBelowBeforeItInTheirOrder) {
  const Move& move = GetParam();
  EXPECT_EQ(model.MoveRows(move.rows, move.target), move.landed);
  EXPECT_EQ(Order(), move.order);
  // Every cell travels with its row, not only the first sixteen.
  for (int i = 0; i < model.RowCount(); ++i) {
    const int original = move.order[i];
    for (int c = 0; c < kCells; ++c) {
      ASSERT_EQ(model.Row(i).cells[c], std::to_string(original) + ":" + std::to_string(c));
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Drops, ListModelMoves,
    ::testing::Values(Move{{2, 5}, 8, {0, 1, 3, 4, 6, 7, 8, 2, 5, 9}, {7, 8}},
                      Move{{5, 7}, 2, {0, 1, 5, 7, 2, 3, 4, 6, 8, 9}, {2, 3}},
                      Move{{2, 9}, 5, {0, 1, 3, 4, 5, 2, 9, 6, 7, 8}, {5, 6}},
                      Move{{0}, 9, {1, 2, 3, 4, 5, 6, 7, 8, 9, 0}, {9}},
                      Move{{9}, 0, {9, 0, 1, 2, 3, 4, 5, 6, 7, 8}, {0}},
                      Move{{4}, 4, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, {4}},
                      Move{{3, 4, 5}, 4, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, {3, 4, 5}}));

TEST_F(ListModelTest, ADropOutsideTheRowsMovesNothing) {
  EXPECT_TRUE(model.MoveRows({2}, -1).empty());
  EXPECT_TRUE(model.MoveRows({2}, 10).empty());
  EXPECT_EQ(Order(), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
}

TEST_F(ListModelTest, SortingIsStableAndKeepsPersistentIndexesOnTheirRows) {
  const QPersistentModelIndex row7 = model.index(7, 3);
  // Odd rows first, otherwise as they were.
  model.SortRows([](const ListRow& a, const ListRow& b) {
    return (b.record.circleId % 2) - (a.record.circleId % 2);
  });
  EXPECT_EQ(Order(), (std::vector<int>{1, 3, 5, 7, 9, 0, 2, 4, 6, 8}));
  EXPECT_EQ(row7.row(), 3);
  EXPECT_EQ(row7.column(), 3);
}

TEST_F(ListModelTest, FindsTheRowsOfACircleAfterTheOrderChanged) {
  EXPECT_EQ(model.FindRows(105), std::vector<int>{5});
  model.MoveRows({5}, 0);
  EXPECT_EQ(model.FindRows(105), std::vector<int>{0});
  ListRow again = Rows(6)[5];
  model.InsertRow(3, again);
  EXPECT_EQ(model.FindRows(105), (std::vector<int>{0, 3}));
  model.RemoveRow(0);
  EXPECT_EQ(model.FindRows(105), std::vector<int>{2});
  EXPECT_TRUE(model.FindRows(999).empty());
  model.Clear();
  EXPECT_TRUE(model.FindRows(105).empty());
}

TEST_F(ListModelTest, ShowsCellsAsTextAndTheStateImageInColumnZero) {
  EXPECT_EQ(model.data(model.index(2, 4)).toString(), QStringLiteral("2:4"));
  model.SetCellText(2, 4, "\x83\x81\x83\x82");  // "メモ" in CP932
  EXPECT_EQ(model.data(model.index(2, 4)).toString(), QString::fromUtf8("メモ"));
  QPixmap empty(16, 16), red(16, 16);
  empty.fill(Qt::transparent);
  red.fill(Qt::red);
  model.SetStateImages({QIcon(empty), QIcon(red)}, QSize(16, 16));
  model.SetRowColor(1, 1, 2, "\x90\xd4");  // "赤"
  EXPECT_EQ(model.Row(1).record.color, 1);
  EXPECT_EQ(model.data(model.index(1, 0)).toString(), QString::fromUtf8("赤"));
  const QIcon shown = model.data(model.index(1, 0), Qt::DecorationRole).value<QIcon>();
  EXPECT_EQ(shown.pixmap(16, 16).toImage().pixelColor(8, 8), QColor(Qt::red));
  // Without a state image the row keeps the image's place, empty.
  const QIcon none = model.data(model.index(0, 0), Qt::DecorationRole).value<QIcon>();
  EXPECT_EQ(none.pixmap(16, 16).toImage().pixelColor(8, 8).alpha(), 0);
}

TEST_F(ListModelTest, RowsGetOneCellPerColumn) {
  ListRow shortRow;
  shortRow.cells = {"only"};
  model.InsertRow(0, shortRow);
  EXPECT_EQ(model.Row(0).cells.size(), static_cast<std::size_t>(kCells));
  model.Clear();
  model.SetColumns({"a", "b"});
  model.AppendRows(Rows(1));
  EXPECT_EQ(model.Row(0).cells, (std::vector<std::string>{"0:0", "0:1"}));
}

}  // namespace
