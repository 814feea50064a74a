// A checklist of the current event names its circles by serial (update id): found in one read of
// the catalogue, with the answers a lookup per serial gives.
#include "checklist/CircleSerialIndex.h"

#include <gtest/gtest.h>

#include "tests/checklist/StoreFixture.h"

namespace vxtest {
namespace {

TEST_F(StoreFixture, SerialsFindTheCircleALookupFindsAndFollowTheCatalogue) {
  vx::CircleRecord twin = MakeCircle(8, 2, 3, 1, 1, 2, 0, 1, "Twin");
  twin.updateId = 1002;  // circle 2 has it too, and comes first in the table
  InsertCircle(Db(), twin);
  vx::CircleSerialIndex index;
  EXPECT_EQ(index.Find(Db(), 1002), Db().FindCircleIdByUpdateId(1002));
  EXPECT_EQ(index.Find(Db(), 1002), 8);
  EXPECT_EQ(index.Find(Db(), 1005), 5);
  EXPECT_EQ(index.Find(Db(), 4242), 0);

  InsertCircle(Db(), MakeCircle(9, 2, 4, 1, 1, 2, 1, 1, "Late"));
  EXPECT_EQ(index.Find(Db(), 1009), 0);  // read once
  index.Clear();
  EXPECT_EQ(index.Find(Db(), 1009), 9);

  // Each read of a checklist asks the catalogue as it is then.
  const std::string text = HeaderLine(96) + CircleLine({{1, "1009"}, {2, "3"}}) +
                           CircleLine({{1, "1010"}, {2, "1"}, {10, "Gone"}});
  Store().LoadText(text, false, true);
  ASSERT_EQ(Rows().size(), 2u);
  EXPECT_EQ(Rows()[0].circleId, 9);
  EXPECT_EQ(Rows()[1].action, vx::kImportRegisterUnknown);
  InsertCircle(Db(), MakeCircle(10, 2, 5, 1, 1, 3, 0, 1, "Later"));
  Store().LoadText(text, false, true);
  EXPECT_EQ(Rows()[1].circleId, 10);
}

}  // namespace
}  // namespace vxtest
