#include "data/PavorunCircleTable.h"

#include "data/PavorunDatabase.h"
#include "platform/CodePage.h"
#include "tests/data/DiscTextFiles.h"
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

  // "cell:id:name:genre" of every cell that is not empty after loading `page` over stale cells.
  std::string PageCells(int page, int cuts) {
    std::vector<vx::CircleRecord> rows = vx::NewCircleRecords(cuts);
    for (vx::CircleRecord& row : rows) row = vxtest::MakeCircle(99, 9, 9, 9, 9, 9, 0, 1, "stale");
    circles.SelectPage(rows, page);
    std::string cells;
    for (std::size_t i = 0; i < rows.size(); ++i) {
      if (rows[i].id == 0 && rows[i].circleName.empty()) continue;
      cells += std::to_string(i) + ":" + std::to_string(rows[i].id) + ":" + rows[i].circleName +
               ":" + rows[i].genreName + " ";
    }
    return cells;
  }
};

TEST_F(CircleTableTest, StatisticsAndPageNavigationSkipPagesWithoutCircles) {
  EXPECT_EQ(circles.GetMaxId(), 6);
  EXPECT_EQ(circles.GetFirstPage(), 2);  // page 0 holds the circles without a place
  EXPECT_EQ(circles.GetLastPage(), 5);
  EXPECT_EQ(circles.GetCutsPerPage(), 36);
  const std::vector<int> from = {circles.FindPageFrom(1), circles.FindPageFrom(4),
                                 circles.FindPageFrom(6)};
  EXPECT_EQ(from, (std::vector<int>{2, 5, 0}));
  const std::vector<int> next = {circles.GetNextPage(3), circles.GetNextPage(5)};
  EXPECT_EQ(next, (std::vector<int>{5, 0}));
  const std::vector<int> previous = {circles.GetPrevPage(5), circles.GetPrevPage(2),
                                     circles.GetPrevPage(0)};
  EXPECT_EQ(previous, (std::vector<int>{3, 0, 0}));
  db.SelectEvent(55);
  EXPECT_EQ(circles.GetMaxId() + circles.GetFirstPage() + circles.GetLastPage(), 0);
  EXPECT_EQ(circles.GetCutsPerPage(), 0);
}

TEST_F(CircleTableTest, SelectPagePlacesCirclesByCutIndexAndEmptiesTheOtherCells) {
  EXPECT_EQ(PageCells(2, 36), "0:1:Alpha:" + Sjis("創作") + " 1:2:Beta:" + Sjis("創作") + " ");
  EXPECT_EQ(PageCells(3, 36), "35:3:Gamma:" + Sjis("ゲーム") + " ");
  EXPECT_EQ(PageCells(3, 4), "");  // cut 36 lies beyond the records
  EXPECT_EQ(PageCells(0, 36), "");
  EXPECT_EQ(PageCells(6, 36), "");
}

TEST_F(CircleTableTest, LookupsByIdCutSpaceAndUpdateId) {
  vx::CircleRecord record;
  ASSERT_TRUE(circles.SelectById(record, 5));
  EXPECT_EQ(record.circleName, Sjis("がっこう"));
  EXPECT_EQ(record.genreName, Sjis("ゲーム"));
  EXPECT_EQ(record.updateId, 1005);
  EXPECT_FALSE(circles.SelectById(record, 77));
  EXPECT_EQ(record.id, 0);
  const std::vector<int> ids = {
      circles.FindIdByCut(2, 2),          circles.FindIdByCut(2, 3),
      circles.FindIdBySpace(1, 1, 1, 1),  circles.FindIdBySpace(1, 1, 2, 1),
      circles.FindIdByUpdateId(1003),     circles.FindIdByUpdateId(1)};
  EXPECT_EQ(ids, (std::vector<int>{2, 0, 2, 0, 3, 0}));
}

TEST_F(CircleTableTest, InsertKeepsLongQuotedTextsAndStoresNoMemoOrFlag) {
  vx::CircleRecord r = vxtest::MakeCircle(7, 5, 3, 3, 1, 2, 0, 1, "O'Brien");
  r.description = std::string(4000, 'd') + "'";
  r.memo = "never stored";
  r.updateFlag = 1;
  vxtest::InsertCircle(db, r);
  vx::CircleRecord back;
  ASSERT_TRUE(circles.SelectById(back, 7));
  EXPECT_EQ(back.circleName, "O'Brien");
  EXPECT_EQ(back.description, r.description);
  EXPECT_EQ(vxtest::QueryTexts(db, "select memo,updateFlag from PavorunCircle where id=7;"),
            (std::vector<std::string>{"|0"}));
}

TEST_F(CircleTableTest, UpdateReplacesContactTextsAndFlagsOnlyTheCurrentEventsCircle) {
  vx::CircleRecord r;
  r.id = 3;
  r.penName = "it's me";
  r.updateData = Sjis("新刊");
  r.pixiv = "px";
  db.SetEventNo(91);
  ASSERT_EQ(circles.UpdateCircle(r), 0);
  db.SelectEvent(90);
  vx::CircleRecord back;
  ASSERT_TRUE(circles.SelectById(back, 3));
  EXPECT_EQ(back.penName, "");
  ASSERT_EQ(circles.UpdateCircle(r), 0) << db.LastError();
  ASSERT_TRUE(circles.SelectById(back, 3));
  EXPECT_EQ(back.penName + "|" + back.updateData + "|" + back.pixiv + "|" + back.bookName,
            "it's me|" + Sjis("新刊") + "|px|");
  EXPECT_EQ(back.updateFlag, 1);
  EXPECT_EQ(back.circleName, "Gamma");
  EXPECT_EQ(back.pageNo, 3);
}

TEST(CircleTableClosed, WithoutDatabaseEveryAnswerIsEmpty) {
  vxtest::TempDir dir;
  vx::PavorunDatabase closed(dir.path() / "missing");
  EXPECT_EQ(closed.CircleTable().LoadStatistics(), -1);
  EXPECT_EQ(closed.CircleTable().FindPageFrom(3), 0);
  EXPECT_EQ(closed.CircleTable().FindIdByCut(2, 1), 0);
  vx::CircleRecord record;
  record.id = 9;
  EXPECT_FALSE(closed.CircleTable().SelectById(record, 1));
  EXPECT_EQ(record.id, 0);
}

}  // namespace
