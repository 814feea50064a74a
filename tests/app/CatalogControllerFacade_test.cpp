#include <gtest/gtest.h>

#include <QImage>
#include <cstdio>
#include <filesystem>

#include "data/SearchCondition.h"
#include "data/images/CutDrawing.h"
#include "tests/app/ControllerFixture.h"

namespace {

using vxtest::ControllerTest;
using vxtest::Messages;

using FacadeTest = ControllerTest;

TEST_F(FacadeTest, NamesComeFromTheMastersOfTheCurrentEvent) {
  EXPECT_EQ(controller.GetEventNumber(), 96);  // from the settings
  EXPECT_EQ(controller.GetEventName(), vx::Sjis("テスト96"));
  EXPECT_EQ(controller.GetDayWeekdayName(2), vx::Sjis("日曜日"));
  EXPECT_EQ(controller.GetWeekdayName(1), vx::Sjis("土"));
  EXPECT_EQ(controller.GetWeekdayName(0), vx::Sjis("漏"));  // circles without a day
  EXPECT_EQ(controller.GetAreaSimpleNameOfBlock(3), vx::Sjis("東"));
  EXPECT_EQ(controller.GetMapFileStem(1), "e123");
  EXPECT_EQ(controller.GetMapDeskWidth(), 12);
  EXPECT_EQ(controller.GetMapDeskHeight(), 14);
}

TEST_F(FacadeTest, InitGivesASearchConditionOverEveryDay) {
  vx::SearchCondition* search = controller.GetSearchCondition();
  ASSERT_NE(search, nullptr);
  EXPECT_EQ(search->Days(), (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(search->CountMatches(), 14);
}

TEST_F(FacadeTest, PageInfoAndSpaceLayout) {
  int minId = 0, maxId = 0, genre = 0;
  controller.GetPageInfo(13, &minId, &maxId, &genre);
  EXPECT_EQ(minId, 131);
  EXPECT_EQ(maxId, 135);
  EXPECT_EQ(genre, 3);
  controller.GetPageInfo(12, &minId, &maxId, &genre);
  EXPECT_EQ(minId + maxId + genre, 0);

  EXPECT_EQ(controller.GetSpaceX(1, 2), 40);
  EXPECT_EQ(controller.GetSpaceY(1, 1), 50);
  EXPECT_EQ(controller.GetSpaceLayout(1, 2), 2);
  EXPECT_EQ(controller.GetSpaceX(0, 1), vx::CatalogController::kNoSpace);
  EXPECT_EQ(controller.GetSpaceY(1, 0), vx::CatalogController::kNoSpace);
}

TEST_F(FacadeTest, ColumnSlotsAreBounded) {
  values.listColumns[22] = 0x104;
  values.checkColumnWidths[0] = 30;
  EXPECT_EQ(controller.GetListColumn(22), 0x104);
  EXPECT_EQ(controller.GetChecklistColumnWidth(0), 30);
  EXPECT_EQ(controller.GetListColumn(23), 0);
  EXPECT_EQ(controller.GetChecklistColumn(-1), 0);
  controller.SetListColumnWidth(22, 140);
  controller.SetChecklistColumnWidth(23, 99);  // ignored, nothing written past the table
  controller.SetChecklistColumnWidth(-1, 99);
  EXPECT_EQ(values.listColumnWidths[22], 140);
  EXPECT_EQ(values.listColumns[0], 0);
  EXPECT_EQ(values.checkColumnWidths[0], 30);
}

TEST_F(FacadeTest, LocksStoreTheNegationOfTheEnableSettings) {
  values.listSortEnable = 1;
  EXPECT_FALSE(controller.IsListSortLocked());
  controller.SetListSortLocked(true);
  EXPECT_EQ(values.listSortEnable, 0);
  EXPECT_TRUE(controller.IsListSortLocked());
  controller.SetChecklistOrderLocked(false);
  EXPECT_EQ(values.sortEnable, 1);
  EXPECT_FALSE(controller.IsChecklistOrderLocked());
}

TEST_F(FacadeTest, OneClickSelectionIsAlsoAutomaticSelection) {
  EXPECT_FALSE(controller.IsAutoSelect());
  values.oneClickSel = 1;
  EXPECT_TRUE(controller.IsAutoSelect());
  EXPECT_TRUE(controller.IsOneClickSelect());
  values.oneClickSel = 0;
  values.autoSel = 1;
  EXPECT_TRUE(controller.IsAutoSelect());
  EXPECT_FALSE(controller.IsOneClickSelect());
}

TEST_F(FacadeTest, CutGeometryCountsCutsFromOne) {
  images.SetCutGeometry(10, 66, 178, 255, 0, 0);  // page files only, no archive
  EXPECT_EQ(controller.GetCutWidth(), 178);
  EXPECT_EQ(controller.GetCutHeight(), 255);
  EXPECT_EQ(controller.GetCutRect(1), (vx::CutRect{10, 66, 178, 255}));
  EXPECT_EQ(controller.GetCutRect(8), (vx::CutRect{188, 321, 178, 255}));
  EXPECT_EQ(controller.HitTestCut(10, 66), 1);
  EXPECT_EQ(controller.HitTestCut(10 + 6 * 178 - 1, 66 + 6 * 255 - 1), 36);
  EXPECT_EQ(controller.HitTestCut(9, 66), 0);
  EXPECT_EQ(controller.HitTestCut(10 + 6 * 178, 66), 0);
  EXPECT_EQ(vx::CatalogController::GetCutMarkRect({0, 0, 178, 255}),
            (vx::CutRect{6, 6, 42, 42}));
}

TEST_F(FacadeTest, ImageFolderSetsTheMapTemplatesReloadsThePageAndTellsEveryWindow) {
  // A folder whose name holds a printf directive of its own.
  const std::filesystem::path folder = dir / "VQ96%d";
  std::filesystem::create_directories(folder / "PDATA");
  QImage page(120, 90, QImage::Format_RGB32);
  page.fill(Qt::white);
  ASSERT_TRUE(page.save(QString::fromStdString((folder / "PDATA" / "0010.PNG").string())));
  std::snprintf(values.mdataFile, sizeof values.mdataFile, "MDATA/MAP%%1d%%s.PNG");
  std::snprintf(values.gdataFile, sizeof values.gdataFile, "MDATA/GNR%%1d%%s.PNG");
  controller.JumpTo(10, 1, false);
  EXPECT_FALSE(controller.HasPageImage());
  log.clear();

  images.Open(folder, 96);
  controller.SetImageFolder(folder);
  EXPECT_TRUE(controller.HasPageImage());
  EXPECT_EQ(controller.GetPageImageWidth(), 120);
  EXPECT_EQ(controller.GetPageImageHeight(), 90);
  for (const vxtest::FakeFrame* frame : {&main, &checklist, &detail, &map, &list}) {
    EXPECT_EQ(ReceivedBy(*frame), (Messages{{UM_IMAGES_CHANGED, 0, 0}}));
  }

  char path[512];
  std::snprintf(path, sizeof path, controller.GetMapImagePathFormat().c_str(), 2, "e123");
  EXPECT_EQ(std::filesystem::path(path), folder / "MDATA" / "MAP2e123.PNG");
  std::snprintf(path, sizeof path, controller.GetGenreMapImagePathFormat().c_str(), 1, "w1");
  EXPECT_EQ(std::filesystem::path(path), folder / "MDATA" / "GNR1w1.PNG");

  controller.CloseImages();
  EXPECT_FALSE(controller.HasPageImage());
}

}  // namespace
