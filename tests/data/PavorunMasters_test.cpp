#include "data/PavorunDatabase.h"

#include "data/PavorunLayoutTable.h"
#include "data/SqlText.h"
#include "platform/CodePage.h"
#include "tests/data/CatalogFixture.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <string>
#include <vector>

namespace {

using vx::PrintRect;
using vx::Sjis;
using Ints = std::vector<int>;
using Texts = std::vector<std::string>;

Ints Values(const PrintRect& r) { return {r.x, r.y, r.w, r.h}; }

using MastersTest = vxtest::CatalogFixture;

TEST_F(MastersTest, RowsByIdNameAndCodeWithEmptyAnswersOutOfRange) {
  const vx::PavorunBlockMaster& blocks = db.GetBlockMaster();
  vx::PavorunGenreMaster& genres = db.GetGenreMaster();
  const vx::PavorunDateMaster& dates = db.GetDateMaster();
  EXPECT_EQ((Texts{blocks.GetRow(4), blocks.GetRow(0), blocks.GetRow(5)}),
            (Texts{Sjis("あ"), "", ""}));
  EXPECT_EQ((Ints{blocks.Count(), blocks.GetAreaId(3), blocks.GetAreaId(9),
                  blocks.FindIdByName(Sjis("Ｃ")), blocks.FindIdByName(Sjis("Ｚ")),
                  genres.GetCode(1), genres.GetCode(3), genres.FindIdByCode(220),
                  genres.FindIdByName(Sjis("創作")), dates.GetDayOfMonth(2), dates.GetWeekday(1),
                  dates.GetWeekday(9), dates.FindDayByWeekday(1), dates.FindDayByWeekday(4)}),
            (Ints{4, 2, 0, 3, 0, 110, 0, 2, 1, 16, 7, 9, 2, 0}));  // a day out of range: the id
  EXPECT_EQ(genres.Load("code>150"), 0);
  EXPECT_EQ((Ints{genres.Count(), genres.FindIdByCode(110)}), (Ints{1, 0}));
  EXPECT_EQ(genres.GetRow(1), Sjis("ゲーム"));
}

TEST_F(MastersTest, AreasAndMapsWithTheirBlocksCirclesAndRanges) {
  const vx::PavorunAreaMaster& areas = db.GetAreaMaster();
  const vx::PavorunMapMaster& maps = db.GetMapMaster();
  int smallest = -1;
  int largest = -1;
  EXPECT_EQ(areas.GetFirstBlock(1, smallest, largest), Sjis("Ａ"));
  EXPECT_EQ((Ints{smallest, largest}), (Ints{1, 3}));
  EXPECT_EQ(areas.GetFirstBlock(3, smallest, largest), "");  // no print range
  EXPECT_EQ((Ints{smallest, largest}), (Ints{0, 0}));
  EXPECT_EQ(
      (Ints{areas.GetCircleCount(1), areas.GetCircleCount(2), areas.GetCircleCount(3),
            areas.GetCircleCount(4), areas.HasPrintRect(3), maps.GetRotate(2), maps.GetRotate(3)}),
      (Ints{4, 1, 0, 0, 0, 1, 0}));
  EXPECT_EQ((Texts{areas.GetSimpleName(2), areas.GetAllFilename(2), maps.GetFilename(2),
                   maps.GetBlockNames(2), areas.GetFurtherBlockNames(1)}),
            (Texts{Sjis("東"), "E2", "w12", Sjis("あ"), ""}));
  PrintRect rect{1, 2, 3, 4};
  areas.GetPrintRect(4, rect);  // out of range: untouched
  EXPECT_EQ(Values(rect), (Ints{1, 2, 3, 4}));
  areas.GetPrintRect(2, rect);
  EXPECT_EQ(Values(rect), (Ints{200, 0, 200, 300}));
  maps.GetHiResPrintRect(1, rect);
  EXPECT_EQ(Values(rect), (Ints{0, 0, 800, 600}));
  std::string ids;
  for (int area : {1, 2, 9}) db.GetBlockMaster().AppendBlockIdsOfArea(ids, area);
  EXPECT_EQ(ids, "1,2,3");
  EXPECT_EQ(maps.GetBlockNames(1).size(), 6u);  // Ａ, Ｂ and Ｃ of the second area
  EXPECT_NE(maps.GetBlockNames(1).find(Sjis("Ｃ")), std::string::npos);
}

class LayoutTest : public vxtest::CatalogFixture {
 protected:
  vx::PavorunLayoutTable& layout = db.GetLayoutTable();
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
      {24, 55, 1, 1, 1, 0},    {26, 59, 1, 1, 1, 1},   {40, 50, 1, 1, 2, 0},
      {221, 51, 1, 3, 1, 1},   {229, 51, 1, 3, 1, 0},  // layout 3 mirrors layout 1
      {101, 104, 1, 1, 9, 1},  {101, 106, 1, 1, 9, 0}, {121, 104, 1, 1, 10, 0},
      {121, 106, 1, 1, 10, 1}, {30, 55, 1, 0, 0, 0},  // the right edge is outside
      {24, 55, 2, 0, 0, 0},                           // another map
  };
  for (const auto& c : cases) {
    std::array<int, 3> hit{-1, -1, -1};
    layout.HitTest(c[0], c[1], c[2], hit[0], hit[1], hit[2]);
    EXPECT_EQ(hit, (std::array<int, 3>{c[3], c[4], c[5]})) << c[0] << "," << c[1];
  }
}

// Desk sizes and print ranges come from the disc and may lie anywhere in the int range: the
// arithmetic on them wrapped round and lost the desk or the blocks.
TEST_F(LayoutTest, ExtremeDeskSizesAndPrintRangesStillFindTheirDesksAndBlocks) {
  db.GetEventInfo().mapSizeW = INT_MAX;
  ASSERT_EQ(layout.InsertRow(4, 1, -20, 1000, 1, 2), 0);
  std::array<int, 3> hit{};
  layout.HitTest(-10, 1005, 2, hit[0], hit[1], hit[2]);
  EXPECT_EQ(hit, (std::array<int, 3>{4, 1, 0}));

  ASSERT_EQ(db.Exec(nullptr, nullptr,
                    "update PavorunArea set x=10,w=2147483647,y=10,h=2147483647 "
                    "where pavorunNo=90 and id=1;"),
            0);
  db.SelectEvent(90);
  int smallest = 0;
  int largest = 0;
  // Area 2 (print width 200) sorts first among the areas of map 1.
  EXPECT_EQ(db.GetAreaMaster().GetFirstBlock(1, smallest, largest), Sjis("Ｃ"));
  EXPECT_EQ(db.GetAreaMaster().GetFurtherBlockNames(1), Sjis("ＡＢ"));
  // Block 2's desk now lies in area 1; block 3's in both, and the later area holds it.
  EXPECT_EQ((Ints{layout.GetAreaId(2, 1), layout.GetAreaId(3, 1)}), (Ints{1, 2}));
}

TEST_F(LayoutTest, RowsOutsideTheGridAreSkippedAndAbsurdOrNegativeSizesRefused) {
  ASSERT_EQ(layout.InsertRow(-2, 1, 20, 20, 1, 1), 0);
  EXPECT_EQ((Ints{layout.LoadGrid(), layout.BlockCount(), layout.GetX(1, 1)}), (Ints{0, 3, 20}));
  ASSERT_EQ(layout.InsertRow(2000000, 2000, 20, 20, 1, 1), 0);
  EXPECT_EQ(layout.LoadGrid(), 1);
  EXPECT_EQ(layout.BlockCount() + layout.SpaceCount() + layout.GetX(1, 1), 0);
  db.SetEventNo(91);
  EXPECT_EQ((Ints{layout.LoadGrid(), layout.BlockCount()}), (Ints{0, 0}));  // no layout
  ASSERT_EQ(layout.InsertRow(-3, -1, 20, 20, 1, 1), 0);
  EXPECT_EQ((Ints{layout.LoadGrid(), layout.BlockCount()}), (Ints{1, 0}));
}

// Tables written by older versions of the catalogue have fewer columns.
class OlderRowWidthsTest : public ::testing::Test {
 protected:
  vxtest::TempDir dir;
  vx::PavorunDatabase db{dir.Path()};

  // `table` of event 7 with the given columns after pavorunNo and id, and `rows` rows.
  void Create(const char* table, const std::string& columns, const char* values, int rows) {
    std::string sql = vx::FormatSql(
        "drop table if exists %s; create table %s (pavorunNo INTEGER, "
        "id INTEGER, %s);",
        table, table, columns.c_str());
    for (int id = 1; id <= rows; ++id) {
      sql += vx::FormatSql("insert into %s values(7,%d,%s);", table, id, values);
    }
    ASSERT_EQ(db.Exec(nullptr, nullptr, sql), 0) << sql;
    db.SelectEvent(7);
  }
};

TEST_F(OlderRowWidthsTest, MissingColumnsGetTheDefaults) {
  const std::string area =
      "name TEXT, simpleName TEXT, mapId INTEGER, x INTEGER, y INTEGER, w INTEGER";
  const std::string map = "name TEXT, filename TEXT, x INTEGER, y INTEGER, w INTEGER, h INTEGER";
  const vx::PavorunAreaMaster& areas = db.GetAreaMaster();
  const vx::PavorunMapMaster& maps = db.GetMapMaster();
  PrintRect hiRes;
  Create("PavorunArea", area + ", h INTEGER", "'a','s',1,10,20,30,40", 13);
  EXPECT_EQ((Texts{areas.GetAllFilename(1), areas.GetAllFilename(2), areas.GetAllFilename(6),
                   areas.GetAllFilename(11), areas.GetAllFilename(13)}),
            (Texts{"", "E1", "E6", "W1", ""}));
  areas.GetHiResPrintRect(2, hiRes);
  EXPECT_EQ(Values(hiRes), (Ints{20, 40, 60, 80}));
  Create("PavorunArea", area, "'b','s',1,10,20,30", 2);
  EXPECT_EQ(areas.GetAllFilename(2) + std::to_string(areas.HasPrintRect(2)) +
                std::to_string(areas.GetMapId(2)),
            "01");  // no stem, no print range

  Create("PavorunMap", map + ", allfilename TEXT, x2 INTEGER, y2 INTEGER, w2 INTEGER, h2 INTEGER",
         "'m','f',1,2,3,4,'',5,6,7,8", 1);
  maps.GetHiResPrintRect(1, hiRes);
  EXPECT_EQ(Values(hiRes), (Ints{5, 6, 7, 8}));
  EXPECT_EQ(maps.GetAllFilename(1) + std::to_string(maps.GetRotate(1)), "A10");
  Create("PavorunMap", map, "'m','f',1,2,3,4", 4);
  EXPECT_EQ((Texts{maps.GetAllFilename(3), maps.GetAllFilename(4)}), (Texts{"A3", ""}));
  maps.GetHiResPrintRect(4, hiRes);
  EXPECT_EQ(Values(hiRes), (Ints{2, 4, 6, 8}));
}

// Names longer than the row fields keep their visible start, cut between characters.
TEST_F(OlderRowWidthsTest, LongNamesAreCutWithoutSplittingACharacter) {
  db.SetEventNo(7);
  ASSERT_EQ(db.ClearEventTables(), 0);
  std::string wide;
  for (int i = 0; i < 25; ++i) wide += Sjis("あ");
  vx::AreaRow area;
  area.name = "x" + wide;  // byte 40 would be the lead byte of a character
  area.simpleName = Sjis("東西");
  area.allFilename = "abcdefghijklmnop";
  ASSERT_EQ(db.GetAreaMaster().InsertRow(1, area), 0);
  vx::MapRow map;
  map.name = "y" + wide;
  map.filename = "x" + wide;
  ASSERT_EQ(db.GetMapMaster().InsertRow(1, map), 0);
  ASSERT_EQ(db.GetGenreMaster().InsertRow(1, wide, 1), 0);
  ASSERT_EQ(db.GetBlockMaster().InsertRow(1, Sjis("ＡＢ"), 1), 0);
  db.SelectEvent(7);
  EXPECT_EQ((Texts{db.GetAreaMaster().GetRow(1), db.GetAreaMaster().GetSimpleName(1),
                   db.GetAreaMaster().GetAllFilename(1), db.GetMapMaster().GetRow(1),
                   db.GetMapMaster().GetFilename(1), db.GetGenreMaster().GetRow(1),
                   db.GetBlockMaster().GetRow(1)}),
            (Texts{"x" + wide.substr(0, 38), Sjis("東"), "abcdefghijk", "y" + wide.substr(0, 20),
                   "x" + wide.substr(0, 10), wide.substr(0, 40), Sjis("Ａ")}));
}

}  // namespace
