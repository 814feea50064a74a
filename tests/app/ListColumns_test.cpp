#include "app/ListColumns.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/CodePage.h"

namespace {

using Table = int[vx::kColumnSlotCount];

std::vector<int> Vector(const Table& table) { return {std::begin(table), std::end(table)}; }

TEST(ListColumnRepair, InsertsTheCutColumnBeforeTheCircleNameAndKeepsWidthsByKind) {
  Table columns = {257, 258, 3, 260, 5, 6, 263, 8, 9, 18, 19, 266, 267, 268, 13, 271, 14, 16};
  Table widths;
  for (int i = 0; i < vx::kColumnSlotCount; ++i) widths[i] = 100 + i;
  vx::RepairListColumns(columns, widths);
  EXPECT_EQ(Vector(columns), (std::vector<int>{257, 258, 3, 273, 260, 5, 6, 263, 8, 9, 18, 19, 266,
                                               267, 268, 13, 271, 14, 16, 0, 0, 0, 0}));
  // Every kind keeps its own width; only the new cut column gets its starting width.
  for (int kind = 0; kind < vx::kColumnSlotCount; ++kind) {
    EXPECT_EQ(widths[kind], kind == vx::ColumnIdCircleCut ? 50 : 100 + kind) << kind;
  }

  // A full list loses its last definition; a hidden circle-name column is shown again.
  for (int i = 0; i < vx::kColumnSlotCount; ++i) columns[i] = 0x100 | (i % 16 + 1);
  columns[0] = vx::ColumnIdCircleName;
  vx::RepairListColumns(columns, widths);
  EXPECT_EQ(columns[0], vx::ColumnIdCircleCut | vx::ColumnShown);
  EXPECT_EQ(columns[1], vx::ColumnIdCircleName | vx::ColumnShown);
  EXPECT_EQ(columns[22], 0x106);  // the former slot 21

  // A list with a cut column keeps it where it is, hidden or not.
  Table withCut = {257, 258, 17, 4};
  widths[vx::ColumnIdCircleCut] = 77;
  vx::RepairListColumns(withCut, widths);
  EXPECT_EQ(withCut[2], 17);
  EXPECT_EQ(withCut[3], 4 | vx::ColumnShown);
  EXPECT_EQ(widths[vx::ColumnIdCircleCut], 77);
}

TEST(ListColumnDefaults, ShownColumnsHaveWidthsAndTheRssDetailColumnEndsAtEvent90) {
  for (int event : {89, 90, 96}) {
    vx::SettingsValues v{};
    vx::ResetListColumns(v, event);
    for (int i = 0; i < vx::kColumnSlotCount; ++i) {
      const int list = v.listColumns[i], check = v.checkColumns[i];
      EXPECT_TRUE(!(list & vx::ColumnShown) || v.listColumnWidths[list & 0xFF] > 0) << i;
      EXPECT_TRUE(!(check & vx::ColumnShown) || v.checkColumnWidths[check & 0xFF] > 0) << i;
    }
    EXPECT_EQ(v.checkColumnWidths[vx::ColumnIdCircleCut], 50) << event;
    EXPECT_EQ(v.listColumns[18], event < 90 ? 16 : 0) << event;
    EXPECT_EQ(v.checkColumns[18], event < 90 ? 16 : 0) << event;
    EXPECT_EQ(vx::ColumnIdRssDetail(event), event < 90 ? 16 : -1);
  }
}

TEST(ListColumnCaptions, DependOnViewAndEvent) {
  EXPECT_EQ(vx::GetListColumnCaption(1, vx::kCircleListView, 96), vx::Sjis("参加日"));
  EXPECT_EQ(vx::GetListColumnCaption(1, vx::kChecklistView, 96), vx::Sjis("印刷順"));
  EXPECT_EQ(vx::GetListColumnCaption(13, vx::kCircleListView, 89), "Orbalink");
  EXPECT_EQ(vx::GetListColumnCaption(13, vx::kCircleListView, 90), "Netherfold");
  EXPECT_EQ(vx::GetListColumnCaption(17, vx::kChecklistView, 96), vx::Sjis("サークルカット"));
  for (int unknown : {0, 20, -3}) EXPECT_EQ(vx::GetListColumnCaption(unknown, 0, 96), "");
}

}  // namespace
