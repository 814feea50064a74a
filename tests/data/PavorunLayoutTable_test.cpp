#include "data/PavorunLayoutTable.h"

#include "data/PavorunDatabase.h"
#include "tests/data/TestCatalog.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

namespace {

class LayoutTest : public ::testing::Test {
 protected:
  vxtest::TempDir dir;
  vx::PavorunDatabase db{dir.path()};
  vx::PavorunLayoutTable& layout = db.LayoutTable();

  void SetUp() override {
    ASSERT_TRUE(db.IsOpen()) << db.LastError();
    vxtest::BuildSampleCatalog(db, 90);
  }

  struct Hit {
    int block;
    int space;
    int half;
  };

  Hit HitAt(int x, int y, int mapId = 1) {
    Hit hit{-1, -1, -1};
    layout.HitTest(x, y, mapId, hit.block, hit.space, hit.half);
    return hit;
  }
};

TEST_F(LayoutTest, GridHoldsPositionLayoutAndArea) {
  EXPECT_EQ(layout.BlockCount(), 3);
  EXPECT_EQ(layout.SpaceCount(), 3);
  EXPECT_EQ(layout.GetX(1, 2), 40);
  EXPECT_EQ(layout.GetY(1, 2), 50);
  EXPECT_EQ(layout.GetLayout(3, 1), 3);
  EXPECT_EQ(layout.GetAreaId(1, 3), 1);
  EXPECT_EQ(layout.GetAreaId(3, 1), 2);
}

TEST_F(LayoutTest, SpaceOutsideEveryPrintRangeAndCellsOutsideTheGridReadZero) {
  EXPECT_EQ(layout.GetX(2, 1), 0);
  EXPECT_EQ(layout.GetLayout(2, 1), 0);
  EXPECT_EQ(layout.GetAreaId(2, 1), 0);
  EXPECT_EQ(layout.GetX(0, 1), 0);
  EXPECT_EQ(layout.GetX(4, 1), 0);
  EXPECT_EQ(layout.GetY(1, 4), 0);
  EXPECT_EQ(layout.GetY(-1, -1), 0);
}

TEST_F(LayoutTest, HitTestFindsTheDeskAndItsHalf) {
  // Layout 1: the left half of the desk is a, the right half b.
  Hit hit = HitAt(24, 55);
  EXPECT_EQ(hit.block, 1);
  EXPECT_EQ(hit.space, 1);
  EXPECT_EQ(hit.half, 0);
  hit = HitAt(26, 59);
  EXPECT_EQ(hit.space, 1);
  EXPECT_EQ(hit.half, 1);
  hit = HitAt(40, 50);
  EXPECT_EQ(hit.space, 2);
  // Layout 3 mirrors layout 1.
  hit = HitAt(221, 51);
  EXPECT_EQ(hit.block, 3);
  EXPECT_EQ(hit.half, 1);
  hit = HitAt(229, 51);
  EXPECT_EQ(hit.half, 0);
}

TEST_F(LayoutTest, HitTestOutsideEveryDeskOrOnAnotherMapAnswersZero) {
  Hit hit = HitAt(30, 55);  // right edge is outside
  EXPECT_EQ(hit.block, 0);
  EXPECT_EQ(hit.space, 0);
  EXPECT_EQ(hit.half, 0);
  hit = HitAt(24, 55, 2);
  EXPECT_EQ(hit.block, 0);
}

TEST_F(LayoutTest, HitTestHalvesOfVerticalDesks) {
  ASSERT_EQ(layout.InsertRow(1, 9, 100, 100, 2, 1), 0);
  ASSERT_EQ(layout.InsertRow(1, 10, 120, 100, 4, 1), 0);
  EXPECT_EQ(HitAt(101, 104).half, 1);  // layout 2: upper half b
  EXPECT_EQ(HitAt(101, 106).half, 0);
  EXPECT_EQ(HitAt(121, 104).half, 0);  // layout 4: upper half a
  EXPECT_EQ(HitAt(121, 106).half, 1);
}

TEST_F(LayoutTest, HitTestOnOverlappingDesksAnswersTheLastRow) {
  ASSERT_EQ(layout.InsertRow(1, 7, 300, 100, 1, 1), 0);
  ASSERT_EQ(layout.InsertRow(1, 8, 305, 100, 1, 1), 0);
  int lastSpace = 0;
  db.ExecRows("select spaceNo from PavorunLayout where pavorunNo=90 AND mapId=1 AND 307>=xpos "
              "AND 102>=ypos AND 297<xpos AND 92<ypos;",
              [&](int, char** columns) {
                lastSpace = std::atoi(columns[0]);
                return 0;
              });
  EXPECT_EQ(HitAt(307, 102).space, lastSpace);
  EXPECT_NE(lastSpace, 0);
}

TEST_F(LayoutTest, RowsOutsideTheGridAreSkipped) {
  ASSERT_EQ(layout.InsertRow(-2, 1, 20, 20, 1, 1), 0);
  EXPECT_EQ(layout.LoadGrid(), 0);
  EXPECT_EQ(layout.BlockCount(), 3);
  EXPECT_EQ(layout.GetX(1, 1), 20);
}

TEST_F(LayoutTest, AbsurdGridSizeIsRefusedWithAnEmptyGrid) {
  ASSERT_EQ(layout.InsertRow(2000000, 2000, 20, 20, 1, 1), 0);
  EXPECT_EQ(layout.LoadGrid(), 1);
  EXPECT_EQ(layout.BlockCount(), 0);
  EXPECT_EQ(layout.SpaceCount(), 0);
  EXPECT_EQ(layout.GetX(1, 1), 0);
}

TEST_F(LayoutTest, NegativeGridSizeIsRefused) {
  db.SetEventNo(91);
  ASSERT_EQ(layout.InsertRow(-3, -1, 20, 20, 1, 1), 0);
  EXPECT_EQ(layout.LoadGrid(), 1);
  EXPECT_EQ(layout.BlockCount(), 0);
}

TEST_F(LayoutTest, EventWithoutLayoutHasAnEmptyGrid) {
  db.SetEventNo(92);
  EXPECT_EQ(layout.LoadGrid(), 0);
  EXPECT_EQ(layout.BlockCount(), 0);
  EXPECT_EQ(layout.GetLayout(1, 1), 0);
}

}  // namespace
