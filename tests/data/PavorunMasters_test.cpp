#include "data/PavorunDatabase.h"

#include "data/SqlText.h"

#include "platform/CodePage.h"
#include "tests/data/TestCatalog.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using vx::PrintRect;
using vx::Sjis;

class MastersTest : public ::testing::Test {
 protected:
  vxtest::TempDir dir;
  vx::PavorunDatabase db{dir.path()};

  void SetUp() override {
    ASSERT_TRUE(db.IsOpen()) << db.LastError();
    vxtest::BuildSampleCatalog(db, 90);
  }
};

bool SameRect(const PrintRect& a, const PrintRect& b) {
  return a.x == b.x && a.y == b.y && a.w == b.w && a.h == b.h;
}

TEST_F(MastersTest, RowsByIdWithEmptyTextOutOfRange) {
  const vx::PavorunBlockMaster& blocks = db.BlockMaster();
  EXPECT_EQ(blocks.Count(), 4);
  EXPECT_EQ(blocks.GetRow(1), Sjis("Ａ"));
  EXPECT_EQ(blocks.GetRow(4), Sjis("あ"));
  EXPECT_EQ(blocks.GetRow(0), "");
  EXPECT_EQ(blocks.GetRow(5), "");
  EXPECT_EQ(blocks.GetAreaId(3), 2);
  EXPECT_EQ(blocks.GetAreaId(9), 0);
  EXPECT_EQ(blocks.FindIdByName(Sjis("Ｃ")), 3);
  EXPECT_EQ(blocks.FindIdByName(Sjis("Ｚ")), 0);
  EXPECT_EQ(db.DateMaster().GetRow(1), "");  // days have no name
}

TEST_F(MastersTest, GenresByNameAndByCode) {
  vx::PavorunGenreMaster& genres = db.GenreMaster();
  EXPECT_EQ(genres.Count(), 2);
  EXPECT_EQ(genres.GetRow(2), Sjis("ゲーム"));
  EXPECT_EQ(genres.GetCode(1), 110);
  EXPECT_EQ(genres.GetCode(3), 0);
  EXPECT_EQ(genres.FindIdByCode(220), 2);
  EXPECT_EQ(genres.FindIdByCode(999), 0);
  EXPECT_EQ(genres.FindIdByName(Sjis("創作")), 1);
  EXPECT_EQ(db.BlockMaster().FindIdByCode(110), 0);
}

TEST_F(MastersTest, LoadWithAWhereClauseKeepsOnlyMatchingRows) {
  vx::PavorunGenreMaster& genres = db.GenreMaster();
  EXPECT_EQ(genres.Load("code>150"), 0);
  EXPECT_EQ(genres.Count(), 1);
  EXPECT_EQ(genres.GetRow(1), Sjis("ゲーム"));
  EXPECT_EQ(genres.FindIdByCode(110), 0);
}

TEST_F(MastersTest, DaysAnswerTheIdItselfOutOfRange) {
  const vx::PavorunDateMaster& dates = db.DateMaster();
  EXPECT_EQ(dates.Count(), 3);
  EXPECT_EQ(dates.GetDayOfMonth(2), 16);
  EXPECT_EQ(dates.GetWeekday(1), 7);
  EXPECT_EQ(dates.GetWeekday(0), 0);
  EXPECT_EQ(dates.GetWeekday(9), 9);
  EXPECT_EQ(dates.GetDayOfMonth(9), 9);
  EXPECT_EQ(dates.FindDayByWeekday(1), 2);
  EXPECT_EQ(dates.FindDayByWeekday(4), 0);
}

TEST_F(MastersTest, AreaDerivesItsBlocksAndCirclesFromLayoutAndCircles) {
  const vx::PavorunAreaMaster& areas = db.AreaMaster();
  int smallest = -1;
  int largest = -1;
  EXPECT_EQ(areas.GetFirstBlock(1, smallest, largest), Sjis("Ａ"));
  EXPECT_EQ(smallest, 1);
  EXPECT_EQ(largest, 3);
  EXPECT_EQ(areas.GetFurtherBlockNames(1), "");
  EXPECT_EQ(areas.GetFirstBlock(2, smallest, largest), Sjis("Ｃ"));
  EXPECT_EQ(largest, 1);
  EXPECT_EQ(areas.GetFirstBlock(3, smallest, largest), "");  // no print range
  EXPECT_EQ(smallest, 0);
  EXPECT_EQ(areas.GetFirstBlock(7, smallest, largest), "");
  EXPECT_EQ(largest, 0);
  EXPECT_EQ(areas.GetCircleCount(1), 4);
  EXPECT_EQ(areas.GetCircleCount(2), 1);
  EXPECT_EQ(areas.GetCircleCount(3), 0);
  EXPECT_EQ(areas.GetCircleCount(4), 0);
}

TEST_F(MastersTest, AreaFieldsAndRectangles) {
  const vx::PavorunAreaMaster& areas = db.AreaMaster();
  EXPECT_EQ(areas.GetSimpleName(2), Sjis("東"));
  EXPECT_EQ(areas.GetMapId(3), 2);
  EXPECT_EQ(areas.GetAllFilename(2), "E2");
  EXPECT_TRUE(areas.HasPrintRect(1));
  EXPECT_FALSE(areas.HasPrintRect(3));
  EXPECT_FALSE(areas.HasPrintRect(0));
  PrintRect rect;
  areas.GetPrintRect(2, rect);
  EXPECT_TRUE(SameRect(rect, {200, 0, 200, 300}));
  PrintRect untouched{1, 2, 3, 4};
  areas.GetPrintRect(4, untouched);
  areas.GetHiResPrintRect(0, untouched);
  EXPECT_TRUE(SameRect(untouched, {1, 2, 3, 4}));
  EXPECT_EQ(areas.FindIdByName(Sjis("西1")), 3);
}

TEST_F(MastersTest, MapFieldsAndTheBlocksOnEachMap) {
  const vx::PavorunMapMaster& maps = db.MapMaster();
  EXPECT_EQ(maps.Count(), 2);
  EXPECT_EQ(maps.GetRow(1), Sjis("東123"));
  EXPECT_EQ(maps.GetFilename(2), "w12");
  EXPECT_EQ(maps.GetRotate(2), 1);
  EXPECT_EQ(maps.GetRotate(3), 0);
  const std::string eastBlocks = maps.GetBlockNames(1);
  EXPECT_EQ(eastBlocks.size(), 6u);
  for (const char* name : {"Ａ", "Ｂ", "Ｃ"}) {
    EXPECT_NE(eastBlocks.find(Sjis(name)), std::string::npos) << name;
  }
  EXPECT_EQ(maps.GetBlockNames(2), Sjis("あ"));
  PrintRect hiRes;
  maps.GetHiResPrintRect(1, hiRes);
  EXPECT_TRUE(SameRect(hiRes, {0, 0, 800, 600}));
  EXPECT_EQ(maps.FindIdByName(Sjis("西12")), 2);
}

TEST_F(MastersTest, BlockIdsOfAnAreaAppendWithCommas) {
  std::string text;
  db.BlockMaster().AppendBlockIdsOfArea(text, 1);
  EXPECT_EQ(text, "1,2");
  db.BlockMaster().AppendBlockIdsOfArea(text, 2);
  EXPECT_EQ(text, "1,2,3");
  std::string none;
  db.BlockMaster().AppendBlockIdsOfArea(none, 9);
  EXPECT_EQ(none, "");
}

TEST(MastersOpen, WithoutDatabaseLoadsFailAndLookupsAreEmpty) {
  vxtest::TempDir dir;
  vx::PavorunDatabase db(dir.path() / "missing" / "folder");
  ASSERT_FALSE(db.IsOpen());
  EXPECT_EQ(db.GenreMaster().Load(), -1);
  EXPECT_EQ(db.GenreMaster().Count(), 0);
  EXPECT_EQ(db.GenreMaster().GetRow(1), "");
  EXPECT_EQ(db.GenreMaster().ClearEvent(), -1);
  EXPECT_EQ(db.GenreMaster().InsertRow(1, "x", 1), -1);
}

// Tables written by older versions of the catalogue have fewer columns.
class OlderRowWidthsTest : public ::testing::Test {
 protected:
  vxtest::TempDir dir;
  vx::PavorunDatabase db{dir.path()};

  void Exec(const std::string& sql) { ASSERT_EQ(db.Exec(nullptr, nullptr, sql), 0) << sql; }
};

TEST_F(OlderRowWidthsTest, AreaRowsOfNineColumnsGetDefaultStemsAndDoubledHiResRanges) {
  Exec("create table PavorunArea (pavorunNo INTEGER, id INTEGER, name TEXT, simpleName TEXT,"
       " mapId INTEGER, x INTEGER, y INTEGER, w INTEGER, h INTEGER);");
  for (int id = 1; id <= 13; ++id) {
    Exec(vx::FormatSql("insert into PavorunArea values(7,%d,'a%d','s',1,10,20,30,40);", id, id));
  }
  db.SelectEvent(7);
  const vx::PavorunAreaMaster& areas = db.AreaMaster();
  ASSERT_EQ(areas.Count(), 13);
  EXPECT_EQ(areas.GetAllFilename(1), "");
  EXPECT_EQ(areas.GetAllFilename(2), "E1");
  EXPECT_EQ(areas.GetAllFilename(6), "E6");
  EXPECT_EQ(areas.GetAllFilename(11), "W1");
  EXPECT_EQ(areas.GetAllFilename(13), "");
  PrintRect hiRes;
  areas.GetHiResPrintRect(2, hiRes);
  EXPECT_TRUE(SameRect(hiRes, {20, 40, 60, 80}));
}

TEST_F(OlderRowWidthsTest, AreaRowsOfEightColumnsHaveNoPrintRange) {
  Exec("create table PavorunArea (pavorunNo INTEGER, id INTEGER, name TEXT, simpleName TEXT,"
       " mapId INTEGER, x INTEGER, y INTEGER, w INTEGER);");
  Exec("insert into PavorunArea values(7,1,'a','s',1,10,20,30);");
  Exec("insert into PavorunArea values(7,2,'b','s',1,10,20,30);");
  db.SelectEvent(7);
  EXPECT_FALSE(db.AreaMaster().HasPrintRect(2));
  EXPECT_EQ(db.AreaMaster().GetAllFilename(2), "");
  EXPECT_EQ(db.AreaMaster().GetMapId(2), 1);
}

TEST_F(OlderRowWidthsTest, MapRowsOfThirteenColumnsAreUpright) {
  Exec("create table PavorunMap (pavorunNo INTEGER, id INTEGER, name TEXT, filename TEXT,"
       " x INTEGER, y INTEGER, w INTEGER, h INTEGER, allfilename TEXT, x2 INTEGER, y2 INTEGER,"
       " w2 INTEGER, h2 INTEGER);");
  Exec("insert into PavorunMap values(7,1,'m','f',1,2,3,4,'',5,6,7,8);");
  db.SelectEvent(7);
  const vx::PavorunMapMaster& maps = db.MapMaster();
  EXPECT_EQ(maps.GetRotate(1), 0);
  EXPECT_EQ(maps.GetAllFilename(1), "A1");
  PrintRect hiRes;
  maps.GetHiResPrintRect(1, hiRes);
  EXPECT_TRUE(SameRect(hiRes, {5, 6, 7, 8}));
}

TEST_F(OlderRowWidthsTest, MapRowsOfEightColumnsGetDefaultStemsAndDoubledHiResRanges) {
  Exec("create table PavorunMap (pavorunNo INTEGER, id INTEGER, name TEXT, filename TEXT,"
       " x INTEGER, y INTEGER, w INTEGER, h INTEGER);");
  for (int id = 1; id <= 4; ++id) {
    Exec(vx::FormatSql("insert into PavorunMap values(7,%d,'m%d','f',1,2,3,4);", id, id));
  }
  db.SelectEvent(7);
  const vx::PavorunMapMaster& maps = db.MapMaster();
  EXPECT_EQ(maps.GetAllFilename(1), "A1");
  EXPECT_EQ(maps.GetAllFilename(3), "A3");
  EXPECT_EQ(maps.GetAllFilename(4), "");
  PrintRect hiRes;
  maps.GetHiResPrintRect(4, hiRes);
  EXPECT_TRUE(SameRect(hiRes, {2, 4, 6, 8}));
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
