#include "data/PavorunLayoutTable.h"

#include "tests/data/CatalogFixture.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace {

class LayoutTest : public vxtest::CatalogFixture {
 protected:
  vx::PavorunLayoutTable& layout = db.LayoutTable();
};

TEST_F(LayoutTest, GridHoldsPositionLayoutAndAreaAndZeroOutsideIt) {
  EXPECT_EQ((std::vector<int>{layout.BlockCount(), layout.SpaceCount(), layout.GetX(1, 2),
                              layout.GetY(1, 2), layout.GetLayout(3, 1), layout.GetAreaId(1, 3),
                              layout.GetAreaId(3, 1)}),
            (std::vector<int>{3, 3, 40, 50, 3, 1, 2}));
  // Block 2's desk lies outside every print range.
  EXPECT_EQ(layout.GetX(2, 1) + layout.GetLayout(2, 1) + layout.GetAreaId(2, 1), 0);
  EXPECT_EQ(layout.GetX(0, 1) + layout.GetX(4, 1) + layout.GetY(1, 4) + layout.GetY(-1, -1), 0);
}

TEST_F(LayoutTest, HitTestFindsTheDeskAndItsHalf) {
  ASSERT_EQ(layout.InsertRow(1, 9, 100, 100, 2, 1), 0);   // upright, upper half b
  ASSERT_EQ(layout.InsertRow(1, 10, 120, 100, 4, 1), 0);  // upright, upper half a
  const std::array<int, 6> cases[] = {
      // x, y, map -> block, space, half
      {24, 55, 1, 1, 1, 0},   {26, 59, 1, 1, 1, 1},    {40, 50, 1, 1, 2, 0},
      {221, 51, 1, 3, 1, 1},  {229, 51, 1, 3, 1, 0},   // layout 3 mirrors layout 1
      {101, 104, 1, 1, 9, 1}, {101, 106, 1, 1, 9, 0},  {121, 104, 1, 1, 10, 0},
      {121, 106, 1, 1, 10, 1},
      {30, 55, 1, 0, 0, 0},   // the right edge is outside
      {24, 55, 2, 0, 0, 0},   // another map
  };
  for (const auto& c : cases) {
    std::array<int, 3> hit{-1, -1, -1};
    layout.HitTest(c[0], c[1], c[2], hit[0], hit[1], hit[2]);
    EXPECT_EQ(hit, (std::array<int, 3>{c[3], c[4], c[5]})) << c[0] << "," << c[1];
  }
}

TEST_F(LayoutTest, RowsOutsideTheGridAreSkippedAndAbsurdOrNegativeSizesRefused) {
  ASSERT_EQ(layout.InsertRow(-2, 1, 20, 20, 1, 1), 0);
  EXPECT_EQ(layout.LoadGrid(), 0);
  EXPECT_EQ(layout.BlockCount(), 3);
  EXPECT_EQ(layout.GetX(1, 1), 20);
  ASSERT_EQ(layout.InsertRow(2000000, 2000, 20, 20, 1, 1), 0);
  EXPECT_EQ(layout.LoadGrid(), 1);
  EXPECT_EQ(layout.BlockCount() + layout.SpaceCount() + layout.GetX(1, 1), 0);
  db.SetEventNo(91);
  EXPECT_EQ(layout.LoadGrid(), 0);  // an event without layout
  EXPECT_EQ(layout.BlockCount(), 0);
  ASSERT_EQ(layout.InsertRow(-3, -1, 20, 20, 1, 1), 0);
  EXPECT_EQ(layout.LoadGrid(), 1);
  EXPECT_EQ(layout.BlockCount(), 0);
}

}  // namespace
