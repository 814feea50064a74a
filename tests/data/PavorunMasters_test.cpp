#include "data/PavorunDatabase.h"

#include "data/SqlText.h"
#include "platform/CodePage.h"
#include "tests/data/TestCatalog.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using vx::PrintRect;
using vx::Sjis;

std::vector<int> Values(const PrintRect& r) { return {r.x, r.y, r.w, r.h}; }

class MastersTest : public ::testing::Test {
 protected:
  vxtest::TempDir dir;
  vx::PavorunDatabase db{dir.path()};

  void SetUp() override {
    ASSERT_TRUE(db.IsOpen()) << db.LastError();
    vxtest::BuildSampleCatalog(db, 90);
  }
};

TEST_F(MastersTest, RowsByIdNameAndCodeWithEmptyAnswersOutOfRange) {
  const vx::PavorunBlockMaster& blocks = db.BlockMaster();
  EXPECT_EQ(blocks.Count(), 4);
  EXPECT_EQ(blocks.GetRow(4), Sjis("あ"));
  EXPECT_EQ(blocks.GetRow(0) + blocks.GetRow(5), "");
  EXPECT_EQ(blocks.GetAreaId(3), 2);
  EXPECT_EQ(blocks.GetAreaId(9), 0);
  EXPECT_EQ(blocks.FindIdByName(Sjis("Ｃ")), 3);
  EXPECT_EQ(blocks.FindIdByName(Sjis("Ｚ")), 0);
  vx::PavorunGenreMaster& genres = db.GenreMaster();
  EXPECT_EQ(genres.GetCode(1), 110);
  EXPECT_EQ(genres.GetCode(3), 0);
  EXPECT_EQ(genres.FindIdByCode(220), 2);
  EXPECT_EQ(genres.FindIdByName(Sjis("創作")), 1);
  EXPECT_EQ(genres.Load("code>150"), 0);
  EXPECT_EQ(genres.Count(), 1);
  EXPECT_EQ(genres.GetRow(1), Sjis("ゲーム"));
  EXPECT_EQ(genres.FindIdByCode(110), 0);
  const vx::PavorunDateMaster& dates = db.DateMaster();
  EXPECT_EQ(dates.GetDayOfMonth(2), 16);
  EXPECT_EQ(dates.GetWeekday(1), 7);
  EXPECT_EQ(dates.GetWeekday(9), 9);  // out of range: the id itself
  EXPECT_EQ(dates.FindDayByWeekday(1), 2);
  EXPECT_EQ(dates.FindDayByWeekday(4), 0);
}

TEST_F(MastersTest, AreasAndMapsWithTheirBlocksCirclesAndRanges) {
  const vx::PavorunAreaMaster& areas = db.AreaMaster();
  int smallest = -1;
  int largest = -1;
  EXPECT_EQ(areas.GetFirstBlock(1, smallest, largest), Sjis("Ａ"));
  EXPECT_EQ(std::vector<int>({smallest, largest}), std::vector<int>({1, 3}));
  EXPECT_EQ(areas.GetFirstBlock(3, smallest, largest), "");  // no print range
  EXPECT_EQ(std::vector<int>({smallest, largest}), std::vector<int>({0, 0}));
  EXPECT_EQ(areas.GetFurtherBlockNames(1), "");
  const std::vector<int> circles = {areas.GetCircleCount(1), areas.GetCircleCount(2),
                                    areas.GetCircleCount(3), areas.GetCircleCount(4)};
  EXPECT_EQ(circles, (std::vector<int>{4, 1, 0, 0}));
  EXPECT_EQ(areas.GetSimpleName(2), Sjis("東"));
  EXPECT_EQ(areas.GetAllFilename(2), "E2");
  EXPECT_FALSE(areas.HasPrintRect(3));
  PrintRect rect{1, 2, 3, 4};
  areas.GetPrintRect(4, rect);  // out of range: untouched
  EXPECT_EQ(Values(rect), (std::vector<int>{1, 2, 3, 4}));
  areas.GetPrintRect(2, rect);
  EXPECT_EQ(Values(rect), (std::vector<int>{200, 0, 200, 300}));
  std::string ids;
  db.BlockMaster().AppendBlockIdsOfArea(ids, 1);
  db.BlockMaster().AppendBlockIdsOfArea(ids, 2);
  db.BlockMaster().AppendBlockIdsOfArea(ids, 9);
  EXPECT_EQ(ids, "1,2,3");

  const vx::PavorunMapMaster& maps = db.MapMaster();
  EXPECT_EQ(maps.GetFilename(2), "w12");
  EXPECT_EQ(maps.GetRotate(2), 1);
  EXPECT_EQ(maps.GetRotate(3), 0);
  const std::string eastBlocks = maps.GetBlockNames(1);
  EXPECT_EQ(eastBlocks.size(), 6u);
  for (const char* name : {"Ａ", "Ｂ", "Ｃ"}) EXPECT_NE(eastBlocks.find(Sjis(name)), std::string::npos);
  EXPECT_EQ(maps.GetBlockNames(2), Sjis("あ"));
  maps.GetHiResPrintRect(1, rect);
  EXPECT_EQ(Values(rect), (std::vector<int>{0, 0, 800, 600}));
}

// Tables written by older versions of the catalogue have fewer columns.
class OlderRowWidthsTest : public ::testing::Test {
 protected:
  vxtest::TempDir dir;
  vx::PavorunDatabase db{dir.path()};

  void Exec(const std::string& sql) { ASSERT_EQ(db.Exec(nullptr, nullptr, sql), 0) << sql; }

  // Table `table` of event 7 with the given columns after pavorunNo and id, and `rows` rows.
  void Create(const char* table, const char* columns, const char* values, int rows) {
    Exec(std::string("drop table if exists ") + table + ";");
    Exec(vx::FormatSql("create table %s (pavorunNo INTEGER, id INTEGER, %s);", table, columns));
    for (int id = 1; id <= rows; ++id) {
      Exec(vx::FormatSql("insert into %s values(7,%d,%s);", table, id, values));
    }
    db.SelectEvent(7);
  }
};

constexpr char kAreaColumns[] =
    "name TEXT, simpleName TEXT, mapId INTEGER, x INTEGER, y INTEGER, w INTEGER";
constexpr char kMapColumns[] =
    "name TEXT, filename TEXT, x INTEGER, y INTEGER, w INTEGER, h INTEGER";

TEST_F(OlderRowWidthsTest, MissingColumnsGetTheDefaults) {
  const vx::PavorunAreaMaster& areas = db.AreaMaster();
  const vx::PavorunMapMaster& maps = db.MapMaster();
  PrintRect hiRes;
  Create("PavorunArea", (std::string(kAreaColumns) + ", h INTEGER").c_str(),
         "'a','s',1,10,20,30,40", 13);
  ASSERT_EQ(areas.Count(), 13);
  const std::vector<std::string> stems = {areas.GetAllFilename(1), areas.GetAllFilename(2),
                                          areas.GetAllFilename(6), areas.GetAllFilename(11),
                                          areas.GetAllFilename(13)};
  EXPECT_EQ(stems, (std::vector<std::string>{"", "E1", "E6", "W1", ""}));
  areas.GetHiResPrintRect(2, hiRes);
  EXPECT_EQ(Values(hiRes), (std::vector<int>{20, 40, 60, 80}));

  Create("PavorunArea", kAreaColumns, "'b','s',1,10,20,30", 2);
  EXPECT_FALSE(areas.HasPrintRect(2));
  EXPECT_EQ(areas.GetAllFilename(2), "");
  EXPECT_EQ(areas.GetMapId(2), 1);

  Create("PavorunMap",
         (std::string(kMapColumns) + ", allfilename TEXT, x2 INTEGER, y2 INTEGER, w2 INTEGER, "
                                     "h2 INTEGER").c_str(),
         "'m','f',1,2,3,4,'',5,6,7,8", 1);
  EXPECT_EQ(maps.GetRotate(1), 0);
  EXPECT_EQ(maps.GetAllFilename(1), "A1");
  maps.GetHiResPrintRect(1, hiRes);
  EXPECT_EQ(Values(hiRes), (std::vector<int>{5, 6, 7, 8}));

  Create("PavorunMap", kMapColumns, "'m','f',1,2,3,4", 4);
  EXPECT_EQ(maps.GetAllFilename(3), "A3");
  EXPECT_EQ(maps.GetAllFilename(4), "");
  maps.GetHiResPrintRect(4, hiRes);
  EXPECT_EQ(Values(hiRes), (std::vector<int>{2, 4, 6, 8}));
  EXPECT_EQ(maps.GetRotate(4), 0);
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
  ASSERT_EQ(db.AreaMaster().InsertRow(1, area), 0);
  vx::MapRow map;
  map.name = "y" + wide;
  map.filename = "x" + wide;
  ASSERT_EQ(db.MapMaster().InsertRow(1, map), 0);
  ASSERT_EQ(db.GenreMaster().InsertRow(1, wide, 1), 0);
  ASSERT_EQ(db.BlockMaster().InsertRow(1, Sjis("ＡＢ"), 1), 0);
  db.SelectEvent(7);
  EXPECT_EQ(db.AreaMaster().GetRow(1), "x" + wide.substr(0, 38));
  EXPECT_EQ(db.AreaMaster().GetSimpleName(1), Sjis("東"));
  EXPECT_EQ(db.AreaMaster().GetAllFilename(1), "abcdefghijk");
  EXPECT_EQ(db.MapMaster().GetRow(1), "y" + wide.substr(0, 20));
  EXPECT_EQ(db.MapMaster().GetFilename(1), "x" + wide.substr(0, 10));
  EXPECT_EQ(db.GenreMaster().GetRow(1), wide.substr(0, 40));
  EXPECT_EQ(db.BlockMaster().GetRow(1), Sjis("Ａ"));
}

}  // namespace
