#include "data/CircleRecord.h"
#include "data/CircleRowInserter.h"
#include "data/PavorunCircleTable.h"
#include "platform/CodePage.h"
#include "tests/data/CatalogFixture.h"
#include "tests/data/DiscTextFiles.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using vx::Sjis;
using vxtest::QueryTexts;
using Texts = std::vector<std::string>;

// A row of `width` columns ("1".."8" for the numbers, "t8".."t14" for the texts, then the later
// generations) read over a record with stale texts.
vx::CircleRecord Fill(std::size_t width, bool nulls = false) {
  Texts texts;
  for (int i = 0; i < 8; ++i) texts.push_back(std::to_string(i + 1));
  for (int i = 8; i < 15; ++i) texts.push_back("t" + std::to_string(i));
  for (const char* v : {"4711", "upd", "orb", "rss", "1", "tw", "px"}) texts.push_back(v);
  std::vector<char*> columns;
  for (std::size_t i = 0; i < width; ++i) columns.push_back(nulls ? nullptr : texts[i].data());
  vx::CircleRecord record = vxtest::MakeCircle(9, 9, 9, 9, 9, 9, 0, 9, "old name");
  record.memo = "old memo";
  record.genreName = "old genre";
  record.rssInfo = "old feed";
  record.FillFromRow(static_cast<int>(width), columns.data());
  return record;
}

std::string Summary(const vx::CircleRecord& r) {
  return std::to_string(r.id) + "|" + std::to_string(r.genreId) + "|" + r.circleName + "|" +
         r.circleKana + "|" + r.description + "|" + std::to_string(r.updateId) + "|" +
         r.updateData + "|" + r.orbalink + "|" + std::to_string(r.updateFlag) + "|" + r.twitter +
         "|" + r.pixiv + "|" + r.memo + r.genreName + r.rssInfo;
}

TEST(CircleRecord, FillsTheFieldsEachRowWidthHasAndClearKeepsTheNumbers) {
  const std::pair<std::size_t, std::string> widths[] = {
      {22, "1|8|t8|t9|t14|4711|upd|orb|1|tw|px|"},
      {20, "1|8|t8|t9|t14|4711|upd|orb|1|||"},
      {16, "1|8|t8|t9|t14|4711|||0|||"},
      {15, "1|8|t8|t9|t14|0|||0|||"},
      {9, "1|8|t8|||0|||0|||"},
  };
  for (const auto& [width, expected] : widths) EXPECT_EQ(Summary(Fill(width)), expected) << width;
  EXPECT_EQ(Summary(Fill(22, true)), "0|0||||0|||0|||");
  vx::CircleRecord r = Fill(22);
  EXPECT_EQ(r.spaceNoSub, 7);
  r.Clear();
  EXPECT_EQ(Summary(r), "0|8||||4711|||1|||");
}

class CircleTableTest : public vxtest::CatalogFixture {
 protected:
  vx::PavorunCircleTable& circles = db.GetCircleTable();

  // "cell:id:name:genre" of every cell that is not empty after loading `page` over stale cells.
  std::string PageCells(int page, int cuts) {
    std::vector<vx::CircleRecord> rows(cuts, vxtest::MakeCircle(99, 9, 9, 9, 9, 9, 0, 1, "stale"));
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
  // Page 0 holds the circles without a place; page 4 is empty.
  EXPECT_EQ((std::vector<int>{circles.GetMaxId(), circles.GetFirstPage(), circles.GetLastPage(),
                              circles.GetCutsPerPage()}),
            (std::vector<int>{6, 2, 5, 36}));
  EXPECT_EQ(
      (std::vector<int>{circles.FindPageFrom(1), circles.FindPageFrom(4), circles.FindPageFrom(6),
                        circles.GetNextPage(3), circles.GetNextPage(5), circles.GetPrevPage(5),
                        circles.GetPrevPage(2), circles.GetPrevPage(0)}),
      (std::vector<int>{2, 5, 0, 5, 0, 3, 0, 0}));
  db.SelectEvent(55);
  EXPECT_EQ(circles.GetMaxId() + circles.GetFirstPage() + circles.GetLastPage(), 0);
  EXPECT_EQ(circles.GetCutsPerPage(), 0);
}

TEST_F(CircleTableTest, SelectPagePlacesCirclesByCutIndexAndEmptiesTheOtherCells) {
  EXPECT_EQ(PageCells(2, 36), "0:1:Alpha:" + Sjis("創作") + " 1:2:Beta:" + Sjis("創作") + " ");
  EXPECT_EQ(PageCells(3, 36), "35:3:Gamma:" + Sjis("ゲーム") + " ");
  EXPECT_EQ(PageCells(3, 4), "");  // cut 36 lies beyond the records
  EXPECT_EQ(PageCells(0, 36) + PageCells(6, 36), "");
}

TEST_F(CircleTableTest, LookupsByIdCutSpaceAndUpdateId) {
  vx::CircleRecord record;
  ASSERT_TRUE(circles.SelectById(record, 5));
  EXPECT_EQ(record.circleName + "|" + record.genreName + "|" + std::to_string(record.updateId),
            Sjis("がっこう|ゲーム|1005"));
  EXPECT_FALSE(circles.SelectById(record, 77));
  EXPECT_EQ(record.id, 0);
  EXPECT_EQ((std::vector<int>{circles.FindIdByCut(2, 2), circles.FindIdByCut(2, 3),
                              circles.FindIdBySpace(1, 1, 1, 1), circles.FindIdBySpace(1, 1, 2, 1),
                              circles.FindIdByUpdateId(1003), circles.FindIdByUpdateId(1)}),
            (std::vector<int>{2, 0, 2, 0, 3, 0}));
}

TEST_F(CircleTableTest, InsertKeepsLongQuotedTextsAndTheRowInserterWritesTheSameRow) {
  vx::CircleRecord full = vxtest::MakeCircle(7, 12, 3, 2, 4, 7, 1, 5, Sjis("名前's"));
  full.description = std::string(4000, 'd') + "'\r\n";
  full.memo = "never stored";
  full.updateData = "u";
  full.updateFlag = 1;
  vx::CircleRecord empty;  // every text empty, every number 0
  empty.id = 8;
  // Every column with the storage class of some, so that '' and NULL or 1 and '1' differ.
  const std::string columns =
      "*,typeof(circleName),typeof(memo),typeof(pixiv),typeof(pageNo),"
      "typeof(spaceNoSub),typeof(updateId),typeof(updateFlag)";
  for (const vx::CircleRecord& record : {full, empty}) {
    const std::string where = " from PavorunCircle where id=" + std::to_string(record.id) + ";";
    vxtest::InsertCircle(db, record);
    const Texts expected = QueryTexts(db, "select " + columns + where);
    EXPECT_EQ(QueryTexts(db, "select quote(memo),updateFlag" + where), (Texts{"''|0"}));
    ASSERT_EQ(db.Exec(nullptr, nullptr, "delete" + where), 0);
    vx::CircleRowInserter inserter(db);
    ASSERT_EQ(inserter.Insert(record), 0) << inserter.Error();
    EXPECT_EQ(QueryTexts(db, "select " + columns + where), expected);
    EXPECT_EQ(inserter.Insert(record), 19) << "a duplicate id breaks the key";
  }
  vx::CircleRecord back;
  ASSERT_TRUE(circles.SelectById(back, 7));
  EXPECT_EQ(back.circleName + back.description, Sjis("名前's") + full.description);
}

TEST_F(CircleTableTest, UpdateReplacesContactTextsAndFlagsOnlyTheCurrentEventsCircle) {
  vx::CircleRecord r;
  r.id = 3;
  r.penName = "it's me";
  r.updateData = Sjis("新刊");
  db.SetEventNo(91);
  ASSERT_EQ(circles.UpdateCircle(r), 0);
  db.SelectEvent(90);
  ASSERT_EQ(circles.UpdateCircle(r), 0) << db.LastError();
  EXPECT_EQ(QueryTexts(db,
                       "select pavorunNo,penName,updateData,bookName,updateFlag,circleName,"
                       "pageNo from PavorunCircle where id=3;"),
            (Texts{"90|it's me|" + Sjis("新刊") + "||1|Gamma|3"}));
}

}  // namespace
