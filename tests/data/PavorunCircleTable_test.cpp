#include "data/PavorunCircleTable.h"

#include "data/PavorunDatabase.h"
#include "platform/CodePage.h"
#include "tests/data/TestCatalog.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using vx::Sjis;

class CircleTableTest : public ::testing::Test {
 protected:
  vxtest::TempDir dir;
  vx::PavorunDatabase db{dir.path()};
  vx::PavorunCircleTable& circles = db.CircleTable();

  void SetUp() override {
    ASSERT_TRUE(db.IsOpen()) << db.LastError();
    vxtest::BuildSampleCatalog(db, 90);
  }
};

TEST_F(CircleTableTest, StatisticsOfTheEvent) {
  EXPECT_EQ(circles.GetMaxId(), 6);
  EXPECT_EQ(circles.GetFirstPage(), 2);  // page 0 holds the circles without a place
  EXPECT_EQ(circles.GetLastPage(), 5);
  EXPECT_EQ(circles.GetCutsPerPage(), 36);
}

TEST_F(CircleTableTest, StatisticsAreZeroForAnEventWithoutCircles) {
  db.SelectEvent(55);
  EXPECT_EQ(circles.GetMaxId(), 0);
  EXPECT_EQ(circles.GetFirstPage(), 0);
  EXPECT_EQ(circles.GetLastPage(), 0);
  EXPECT_EQ(circles.GetCutsPerPage(), 0);
}

TEST_F(CircleTableTest, PageNavigationSkipsPagesWithoutCircles) {
  EXPECT_EQ(circles.FindPageFrom(1), 2);
  EXPECT_EQ(circles.FindPageFrom(4), 5);
  EXPECT_EQ(circles.FindPageFrom(6), 0);
  EXPECT_EQ(circles.GetNextPage(3), 5);
  EXPECT_EQ(circles.GetNextPage(5), 0);
  EXPECT_EQ(circles.GetPrevPage(5), 3);
  EXPECT_EQ(circles.GetPrevPage(2), 0);  // only the unplaced circles lie below
  EXPECT_EQ(circles.GetPrevPage(0), 0);
}

TEST_F(CircleTableTest, PageNavigationWithoutDatabaseAnswersTheEnds) {
  vxtest::TempDir other;
  vx::PavorunDatabase closed(other.path() / "missing");
  EXPECT_EQ(closed.CircleTable().LoadStatistics(), -1);
  EXPECT_EQ(closed.CircleTable().FindPageFrom(3), 0);
  EXPECT_EQ(closed.CircleTable().FindIdByCut(2, 1), 0);
  vx::CircleRecord record;
  record.id = 9;
  EXPECT_FALSE(closed.CircleTable().SelectById(record, 1));
  EXPECT_EQ(record.id, 0);
}

TEST_F(CircleTableTest, SelectByIdFillsTheRecordWithItsGenreName) {
  vx::CircleRecord record;
  ASSERT_TRUE(circles.SelectById(record, 5));
  EXPECT_EQ(record.circleName, Sjis("がっこう"));
  EXPECT_EQ(record.genreName, Sjis("ゲーム"));
  EXPECT_EQ(record.pageNo, 5);
  EXPECT_EQ(record.updateId, 1005);
  EXPECT_FALSE(circles.SelectById(record, 77));
  EXPECT_EQ(record.id, 0);
}

TEST_F(CircleTableTest, SelectPagePlacesCirclesByCutIndex) {
  std::vector<vx::CircleRecord> rows = vx::NewCircleRecords(circles.GetCutsPerPage());
  rows[10].circleName = "stale";
  rows[10].id = 99;
  circles.SelectPage(rows, 2);
  EXPECT_EQ(rows[0].id, 1);
  EXPECT_EQ(rows[0].genreName, Sjis("創作"));
  EXPECT_EQ(rows[1].circleName, "Beta");
  EXPECT_EQ(rows[10].id, 0);
  EXPECT_EQ(rows[10].circleName, "");
  circles.SelectPage(rows, 3);
  EXPECT_EQ(rows[35].circleName, "Gamma");
  EXPECT_EQ(rows[0].id, 0);
}

TEST_F(CircleTableTest, SelectPageOutsideTheCatalogueLeavesEveryCellEmpty) {
  std::vector<vx::CircleRecord> rows = vx::NewCircleRecords(36);
  circles.SelectPage(rows, 2);
  circles.SelectPage(rows, 0);
  for (const vx::CircleRecord& row : rows) EXPECT_EQ(row.id, 0);
  circles.SelectPage(rows, 2);
  circles.SelectPage(rows, 6);
  for (const vx::CircleRecord& row : rows) EXPECT_EQ(row.id, 0);
}

TEST_F(CircleTableTest, SelectPageSkipsCutsBeyondTheRecords) {
  std::vector<vx::CircleRecord> rows = vx::NewCircleRecords(4);
  circles.SelectPage(rows, 3);  // Gamma sits in cut 36
  for (const vx::CircleRecord& row : rows) EXPECT_EQ(row.id, 0);
}

TEST_F(CircleTableTest, IdsByCutSpaceAndUpdateId) {
  EXPECT_EQ(circles.FindIdByCut(2, 2), 2);
  EXPECT_EQ(circles.FindIdByCut(2, 3), 0);
  EXPECT_EQ(circles.FindIdBySpace(1, 1, 1, 1), 2);
  EXPECT_EQ(circles.FindIdBySpace(1, 1, 2, 1), 0);  // desk half without a circle
  EXPECT_EQ(circles.FindIdByUpdateId(1003), 3);
  EXPECT_EQ(circles.FindIdByUpdateId(1), 0);
}

TEST_F(CircleTableTest, InsertKeepsLongAndQuotedTextsAndWritesAnEmptyMemo) {
  vx::CircleRecord r = vxtest::MakeCircle(7, 5, 3, 3, 1, 2, 0, 1, "O'Brien");
  r.description = std::string(4000, 'd') + "'";
  r.penName = Sjis("ペン");
  r.memo = "never stored";
  r.updateFlag = 1;
  vxtest::InsertCircle(db, r);
  vx::CircleRecord back;
  ASSERT_TRUE(circles.SelectById(back, 7));
  EXPECT_EQ(back.circleName, "O'Brien");
  EXPECT_EQ(back.description, r.description);
  EXPECT_EQ(back.penName, Sjis("ペン"));
  EXPECT_EQ(back.updateFlag, 0);
  std::string memo = "<none>";
  db.ExecRows("select memo from PavorunCircle where id=7;", [&memo](int, char** columns) {
    memo = columns[0];
    return 0;
  });
  EXPECT_EQ(memo, "");
}

TEST_F(CircleTableTest, UpdateReplacesContactTextsAndFlagsTheCircle) {
  vx::CircleRecord r;
  r.id = 3;
  r.penName = "it's me";
  r.url = "http://example.org/";
  r.updateData = Sjis("新刊");
  r.pixiv = "px";
  ASSERT_EQ(circles.UpdateCircle(r), 0) << db.LastError();
  vx::CircleRecord back;
  ASSERT_TRUE(circles.SelectById(back, 3));
  EXPECT_EQ(back.penName, "it's me");
  EXPECT_EQ(back.url, "http://example.org/");
  EXPECT_EQ(back.updateData, Sjis("新刊"));
  EXPECT_EQ(back.pixiv, "px");
  EXPECT_EQ(back.bookName, "");
  EXPECT_EQ(back.updateFlag, 1);
  EXPECT_EQ(back.circleName, "Gamma");
  EXPECT_EQ(back.pageNo, 3);
}

TEST_F(CircleTableTest, UpdateTouchesOnlyTheCurrentEvent) {
  db.SetEventNo(91);
  vx::CircleRecord r;
  r.id = 3;
  r.penName = "other event";
  ASSERT_EQ(circles.UpdateCircle(r), 0);
  db.SelectEvent(90);
  vx::CircleRecord back;
  ASSERT_TRUE(circles.SelectById(back, 3));
  EXPECT_EQ(back.penName, "");
  EXPECT_EQ(back.updateFlag, 0);
}

}  // namespace
