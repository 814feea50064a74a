#include <gtest/gtest.h>

#include <QImage>
#include <cstdio>
#include <filesystem>

#include "tests/app/ControllerFixture.h"

namespace {

using FacadeTest = vxtest::ControllerTest;

TEST_F(FacadeTest, ColumnSlotsOutsideTheTablesAreIgnored) {
  values.listColumns[22] = 0x104;
  EXPECT_EQ(controller.GetListColumn(22), 0x104);
  EXPECT_EQ(controller.GetListColumn(23), 0);
  EXPECT_EQ(controller.GetChecklistColumn(-1), 0);
  controller.SetListColumnWidth(22, 140);
  controller.SetChecklistColumnWidth(23, 99);  // the tables' neighbours stay untouched
  controller.SetChecklistColumnWidth(-1, 99);
  EXPECT_EQ(values.listColumnWidths[22], 140);
  EXPECT_EQ(values.listColumns[0], 0);
}

// The image folder's name holds a printf directive of its own.
TEST_F(FacadeTest, ImageFolderSetsTheMapTemplatesReloadsThePageAndTellsEveryWindow) {
  const std::filesystem::path folder = dir / "VQ96%d";
  std::filesystem::create_directories(folder / "PDATA");
  QImage page(120, 90, QImage::Format_RGB32);
  ASSERT_TRUE(page.save(QString::fromStdString((folder / "PDATA" / "0010.PNG").string())));
  std::snprintf(values.mdataFile, sizeof values.mdataFile, "MDATA/MAP%%1d%%s.PNG");
  controller.JumpTo(10, 1, false);
  EXPECT_FALSE(controller.HasPageImage());
  log.clear();
  images.Open(folder, 96);
  controller.SetImageFolder(folder);
  EXPECT_EQ(controller.GetPageImageWidth(), 120);
  for (const vxtest::FakeFrame* frame : frames) {
    EXPECT_EQ(ReceivedBy(*frame), (vxtest::Messages{{UM_IMAGES_CHANGED, 0, 0}}));
  }
  char path[512];
  std::snprintf(path, sizeof path, controller.GetMapImagePathFormat().c_str(), 2, "e123");
  EXPECT_EQ(std::filesystem::path(path), folder / "MDATA" / "MAP2e123.PNG");
}

}  // namespace
