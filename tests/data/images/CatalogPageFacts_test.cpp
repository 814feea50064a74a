#include "data/images/CatalogPageFacts.h"

#include <gtest/gtest.h>

#include "data/PavorunDatabase.h"
#include "tests/data/TestCatalog.h"
#include "tests/support/TempDir.h"

namespace vx {
namespace {

// The same questions answered by live queries on the database, for comparison.
class DatabasePageQueries : public PageQueries {
 public:
  explicit DatabasePageQueries(PavorunDatabase& database) : database_(database) {}

  int GetDateOfDay(int day) const override { return database_.GetDateOfDay(day); }
  int GetWeekdayOfDay(int day) const override { return database_.GetWeekdayOfDay(day); }
  std::string GetAreaNameOfBlock(int blockId) const override {
    return database_.GetAreaNameOfBlock(blockId);
  }
  std::string GetBlockName(int blockId) const override { return database_.GetBlockName(blockId); }
  int GetMaxSpaceNo(int day, int blockId) const override {
    return database_.GetMaxSpaceNo(day, blockId);
  }
  int GetJikoNo(int day, int blockId, int spaceNo, int spaceNoSub) const override {
    return database_.GetJikoNo(day, blockId, spaceNo, spaceNoSub);
  }

 private:
  PavorunDatabase& database_;
};

// The copy answers every question as the live queries do, inside and outside the catalogue.
TEST(CatalogPageFactsTest, AnswersAsTheDatabaseDoes) {
  vxtest::TempDir dir;
  PavorunDatabase db(dir.Path());
  vxtest::BuildSampleCatalog(db, 90);
  ASSERT_EQ(db.GetJikoTable().InsertRow(1, 1, 2, 1, 4), 0);
  ASSERT_EQ(db.GetJikoTable().InsertRow(3, 3, 1, 0, 7), 0);
  vxtest::BuildSampleCatalog(db, 91);  // another event's rows must not leak in
  ASSERT_EQ(db.GetJikoTable().InsertRow(1, 1, 1, 0, 9), 0);
  db.SelectEvent(90);

  const std::shared_ptr<const CatalogPageFacts> facts = CatalogPageFacts::Read(db);
  const DatabasePageQueries live(db);
  EXPECT_EQ(facts->GetEventNo(), 90);
  for (int day = -1; day <= 5; ++day) {
    EXPECT_EQ(facts->GetDateOfDay(day), live.GetDateOfDay(day)) << day;
    EXPECT_EQ(facts->GetWeekdayOfDay(day), live.GetWeekdayOfDay(day)) << day;
  }
  for (int block = -1; block <= 6; ++block) {
    EXPECT_EQ(facts->GetBlockName(block), live.GetBlockName(block)) << block;
    EXPECT_EQ(facts->GetAreaNameOfBlock(block), live.GetAreaNameOfBlock(block)) << block;
    for (int day = 0; day <= 4; ++day) {
      EXPECT_EQ(facts->GetMaxSpaceNo(day, block), live.GetMaxSpaceNo(day, block))
          << day << ", " << block;
      for (int space = 0; space <= 3; ++space) {
        for (int half : {0, 1}) {
          EXPECT_EQ(facts->GetJikoNo(day, block, space, half),
                    live.GetJikoNo(day, block, space, half))
              << day << ", " << block << ", " << space << half;
        }
      }
    }
  }
  EXPECT_EQ(facts->GetMaxSpaceNo(1, 1), 2);
  EXPECT_EQ(facts->GetJikoNo(3, 3, 1, 0), 7);

  PavorunDatabase closed(dir / "missing" / "folder");
  ASSERT_FALSE(closed.IsOpen());
  const auto none = CatalogPageFacts::Read(closed);
  EXPECT_EQ(std::tuple(none->GetMaxSpaceNo(1, 1), none->GetJikoNo(1, 1, 1, 0),
                       none->GetDateOfDay(3), none->GetBlockName(1)),
            std::tuple(0, -1, 3, std::string()));
}

}  // namespace
}  // namespace vx
