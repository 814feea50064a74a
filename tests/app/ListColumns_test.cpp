#include "app/ListColumns.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

#include "platform/CodePage.h"

namespace {

using Table = int[vx::kColumnSlotCount];

int Kind(int definition) { return definition & 0xFF; }

TEST(ListColumnRepair, InsertsTheCutColumnBeforeTheCircleNameAndKeepsWidthsByKind) {
  Table columns = {257, 258, 3,  260, 5,  6,  263, 8, 9, 18, 19, 266,
                   267, 268, 13, 271, 14, 16, 0,   0, 0, 0,  0};
  Table widths;
  for (int i = 0; i < vx::kColumnSlotCount; ++i) widths[i] = 100 + i;
  Table widthsBefore;
  std::copy(std::begin(widths), std::end(widths), std::begin(widthsBefore));

  vx::RepairListColumns(columns, widths);

  const Table expected = {257, 258, 3,   273, 260, 5,  6,  263, 8, 9, 18, 19,
                          266, 267, 268, 13,  271, 14, 16, 0,   0, 0, 0};
  EXPECT_TRUE(std::equal(std::begin(columns), std::end(columns), std::begin(expected)));
  // Every kind keeps its own width; only the new cut column gets its starting width.
  for (int kind = 0; kind < vx::kColumnSlotCount; ++kind) {
    EXPECT_EQ(widths[kind], kind == vx::ColumnIdCircleCut ? 50 : widthsBefore[kind]) << kind;
  }
}

TEST(ListColumnRepair, DropsTheLastDefinitionWhenTheListIsFull) {
  Table columns;
  for (int i = 0; i < vx::kColumnSlotCount; ++i) columns[i] = 0x100 | (i % 16 + 1);
  columns[0] = vx::ColumnIdCircleName;  // hidden: the repair shows it again
  Table widths = {};
  vx::RepairListColumns(columns, widths);
  EXPECT_EQ(columns[0], vx::ColumnIdCircleCut | vx::ColumnShown);
  EXPECT_EQ(columns[1], vx::ColumnIdCircleName | vx::ColumnShown);
  EXPECT_EQ(Kind(columns[22]), 6);  // the former slot 21
}

TEST(ListColumnRepair, LeavesAListWithACutColumnInPlace) {
  Table columns = {257, 258, 17, 4, 0};
  Table widths = {};
  widths[vx::ColumnIdCircleCut] = 77;
  vx::RepairListColumns(columns, widths);
  EXPECT_EQ(columns[2], 17);  // a hidden cut column stays hidden
  EXPECT_EQ(columns[3], 4 | vx::ColumnShown);
  EXPECT_EQ(widths[vx::ColumnIdCircleCut], 77);
}

TEST(ListColumnDefaults, EveryShownColumnOfEitherViewHasAWidth) {
  for (int event : {89, 90, 96}) {
    vx::SettingsValues v{};
    vx::ResetListColumns(v, event);
    for (int i = 0; i < vx::kColumnSlotCount; ++i) {
      if (v.listColumns[i] & vx::ColumnShown) {
        EXPECT_GT(v.listColumnWidths[Kind(v.listColumns[i])], 0) << event << " slot " << i;
      }
      if (v.checkColumns[i] & vx::ColumnShown) {
        EXPECT_GT(v.checkColumnWidths[Kind(v.checkColumns[i])], 0) << event << " slot " << i;
      }
    }
    EXPECT_EQ(v.checkColumnWidths[vx::ColumnIdCircleCut], 50);
    EXPECT_EQ(v.checkColumnWidths[19], 80);  // Pixiv
  }
}

TEST(ListColumnDefaults, TheRssDetailColumnExistsOnlyBeforeEvent90) {
  vx::SettingsValues before{};
  vx::ResetListColumns(before, 89);
  EXPECT_EQ(before.listColumns[18], 16);
  EXPECT_EQ(before.checkColumns[18], 16);
  EXPECT_EQ(vx::ColumnIdRssDetail(89), 16);

  vx::SettingsValues from{};
  vx::ResetListColumns(from, 90);
  EXPECT_EQ(from.listColumns[17], 270);  // the second link column, shown
  EXPECT_EQ(from.listColumns[18], 0);
  EXPECT_EQ(from.checkColumns[18], 0);
  EXPECT_EQ(vx::ColumnIdRssDetail(90), -1);
}

TEST(ListColumnCaptions, DependOnViewAndEvent) {
  EXPECT_EQ(vx::GetListColumnCaption(1, vx::kCircleListView, 96), vx::Sjis("参加日"));
  EXPECT_EQ(vx::GetListColumnCaption(1, vx::kChecklistView, 96), vx::Sjis("印刷順"));
  EXPECT_EQ(vx::GetListColumnCaption(13, vx::kCircleListView, 89), "Orbalink");
  EXPECT_EQ(vx::GetListColumnCaption(13, vx::kCircleListView, 90), "Netherfold");
  EXPECT_EQ(vx::GetListColumnCaption(14, vx::kChecklistView, 90), "Orbalink");
  EXPECT_EQ(vx::GetListColumnCaption(17, vx::kChecklistView, 96), vx::Sjis("サークルカット"));
  EXPECT_EQ(vx::GetListColumnCaption(0, vx::kCircleListView, 96), "");
  EXPECT_EQ(vx::GetListColumnCaption(20, vx::kCircleListView, 96), "");
  EXPECT_EQ(vx::GetListColumnCaption(-3, vx::kCircleListView, 96), "");
}

}  // namespace
