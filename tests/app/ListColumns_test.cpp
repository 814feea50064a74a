#include "app/ListColumns.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Table = int[vx::kColumnSlotCount];

TEST(ListColumnRepair, InsertsTheCutColumnBeforeTheCircleNameAndKeepsWidthsByKind) {
  Table columns = {257, 258, 3, 260, 5, 6, 263, 8, 9, 18, 19, 266, 267, 268, 13, 271, 14, 16};
  Table widths;
  for (int i = 0; i < vx::kColumnSlotCount; ++i) widths[i] = 100 + i;
  vx::RepairListColumns(columns, widths);
  EXPECT_EQ(std::vector<int>(columns, columns + 20),
            (std::vector<int>{257, 258, 3,   273, 260, 5,  6,   263, 8,  9,
                              18,  19,  266, 267, 268, 13, 271, 14,  16, 0}));
  // Every kind keeps its own width; only the new cut column gets its starting width.
  for (int kind = 0; kind < vx::kColumnSlotCount; ++kind) {
    EXPECT_EQ(widths[kind], kind == vx::ColumnIdCircleCut ? 50 : 100 + kind) << kind;
  }

  // A full list loses its last definition; a hidden circle-name column is shown again.
  for (int i = 0; i < vx::kColumnSlotCount; ++i) columns[i] = 0x100 | (i % 16 + 1);
  columns[0] = vx::ColumnIdCircleName;
  vx::RepairListColumns(columns, widths);
  EXPECT_EQ(std::vector<int>({columns[0], columns[1], columns[22]}),
            (std::vector<int>{0x111, 0x104, 0x106}));  // slot 22 holds the former slot 21

  // A list with a cut column keeps it where it is, hidden or not.
  Table withCut = {257, 258, 17, 4};
  widths[vx::ColumnIdCircleCut] = 77;
  vx::RepairListColumns(withCut, widths);
  EXPECT_EQ(std::vector<int>(withCut, withCut + 5), (std::vector<int>{257, 258, 17, 0x104, 0}));
  EXPECT_EQ(widths[vx::ColumnIdCircleCut], 77);
}

TEST(ListColumns, CaptionsAndTheRssDetailColumnDependOnTheEvent) {
  EXPECT_EQ(vx::GetListColumnCaption(13, vx::kCircleListView, 89), "Orbalink");
  EXPECT_EQ(vx::GetListColumnCaption(13, vx::kCircleListView, 90), "Netherfold");
  for (int unknown : {0, 20, -3}) EXPECT_EQ(vx::GetListColumnCaption(unknown, 0, 96), "");
  for (int event : {89, 90}) {
    vx::SettingsValues v{};
    vx::ResetListColumns(v, event);
    EXPECT_EQ(v.checkColumns[18], event < 90 ? 16 : 0);
  }
}

}  // namespace
