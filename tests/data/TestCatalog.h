// Builds small catalogues for the database tests through the tables' own insert operations.
#pragma once

#include "data/PavorunDatabase.h"
#include "platform/CodePage.h"

#include <gtest/gtest.h>

#include <string>

namespace vxtest {

inline vx::CircleRecord MakeCircle(int id, int page, int cut, int day, int blockId, int spaceNo,
                                   int spaceNoSub, int genreId, const std::string& name) {
  vx::CircleRecord r;
  r.id = id;
  r.pageNo = page;
  r.cutIndex = cut;
  r.day = day;
  r.blockId = blockId;
  r.spaceNo = spaceNo;
  r.spaceNoSub = spaceNoSub;
  r.genreId = genreId;
  r.circleName = name;
  r.updateId = 1000 + id;
  return r;
}

inline void InsertCircle(vx::PavorunDatabase& db, const vx::CircleRecord& r) {
  ASSERT_EQ(db.GetCircleTable().InsertRow(r), 0) << db.LastError();
}

// Event `eventNo` with:
//   days     1 = Saturday 15, 2 = Sunday 16 (no placed circle), 3 = Monday 17
//   maps     1 "東123" (print range 0,0,400,300), 2 "西12"
//   areas    1 "東1" (map 1, print 0,0,200,300), 2 "東2" (map 1, print 200,0,200,300),
//            3 "西1" (map 2, no print range)
//   blocks   1 "Ａ", 2 "Ｂ" (area 1), 3 "Ｃ" (area 2), 4 "あ" (area 3)
//   genres   1 "創作" (code 110), 2 "ゲーム" (code 220)
//   layout   desks 10 x 10 on map 1: block 1 spaces 1-3 at x 20, 40, 60 (y 50, layout 1),
//            block 3 space 1 at x 220 (y 50, layout 3); block 2 space 1 at x 500 (outside
//            every print range)
//   circles  see below; pages 2, 3 and 5 (page 4 empty), 36 cuts a page
inline void BuildSampleCatalog(vx::PavorunDatabase& db, int eventNo) {
  db.SetEventNo(eventNo);
  ASSERT_EQ(db.ClearEventTables(), 0) << db.LastError();
  vx::EventInfo info;
  info.pavorunName = vx::Sjis("テスト");
  info.mapSizeW = 10;
  info.mapSizeH = 10;
  ASSERT_EQ(db.GetInfoTable().InsertRow(info), 0) << db.LastError();
  ASSERT_EQ(db.GetDateMaster().InsertRow(1, 2020, 8, 15, 7), 0);
  ASSERT_EQ(db.GetDateMaster().InsertRow(2, 2020, 8, 16, 1), 0);
  ASSERT_EQ(db.GetDateMaster().InsertRow(3, 2020, 8, 17, 2), 0);
  vx::MapRow east;
  east.name = vx::Sjis("東123");
  east.filename = "e123";
  east.print = {0, 0, 400, 300};
  east.hiResPrint = {0, 0, 800, 600};
  ASSERT_EQ(db.GetMapMaster().InsertRow(1, east), 0);
  vx::MapRow west;
  west.name = vx::Sjis("西12");
  west.filename = "w12";
  west.rotate = 1;
  ASSERT_EQ(db.GetMapMaster().InsertRow(2, west), 0);
  vx::AreaRow area;
  area.name = vx::Sjis("東1");
  area.simpleName = vx::Sjis("東");
  area.mapId = 1;
  area.print = {0, 0, 200, 300};
  area.allFilename = "E1";
  ASSERT_EQ(db.GetAreaMaster().InsertRow(1, area), 0);
  area.name = vx::Sjis("東2");
  area.print = {200, 0, 200, 300};
  area.allFilename = "E2";
  ASSERT_EQ(db.GetAreaMaster().InsertRow(2, area), 0);
  area.name = vx::Sjis("西1");
  area.simpleName = vx::Sjis("西");
  area.mapId = 2;
  area.print = {};
  area.allFilename = "";
  ASSERT_EQ(db.GetAreaMaster().InsertRow(3, area), 0);
  ASSERT_EQ(db.GetBlockMaster().InsertRow(1, vx::Sjis("Ａ"), 1), 0);
  ASSERT_EQ(db.GetBlockMaster().InsertRow(2, vx::Sjis("Ｂ"), 1), 0);
  ASSERT_EQ(db.GetBlockMaster().InsertRow(3, vx::Sjis("Ｃ"), 2), 0);
  ASSERT_EQ(db.GetBlockMaster().InsertRow(4, vx::Sjis("あ"), 3), 0);
  ASSERT_EQ(db.GetGenreMaster().InsertRow(1, vx::Sjis("創作"), 110), 0);
  ASSERT_EQ(db.GetGenreMaster().InsertRow(2, vx::Sjis("ゲーム"), 220), 0);
  vx::PavorunLayoutTable& layout = db.GetLayoutTable();
  ASSERT_EQ(layout.InsertRow(1, 1, 20, 50, 1, 1), 0);
  ASSERT_EQ(layout.InsertRow(1, 2, 40, 50, 1, 1), 0);
  ASSERT_EQ(layout.InsertRow(1, 3, 60, 50, 1, 1), 0);
  ASSERT_EQ(layout.InsertRow(3, 1, 220, 50, 3, 1), 0);
  ASSERT_EQ(layout.InsertRow(2, 1, 500, 50, 1, 1), 0);
  // Circles, inserted out of page order on purpose.
  InsertCircle(db, MakeCircle(5, 5, 2, 3, 3, 1, 0, 2, vx::Sjis("がっこう")));
  InsertCircle(db, MakeCircle(1, 2, 1, 1, 1, 1, 0, 1, "Alpha"));
  InsertCircle(db, MakeCircle(2, 2, 2, 1, 1, 1, 1, 1, "Beta"));
  InsertCircle(db, MakeCircle(3, 3, 36, 1, 1, 2, 0, 2, "Gamma"));
  InsertCircle(db, MakeCircle(4, 5, 1, 3, 1, 1, 0, 2, "Delta"));
  InsertCircle(db, MakeCircle(6, 0, 0, 0, 0, 0, 0, 1, "Unplaced"));
  db.SelectEvent(eventNo);
}

}  // namespace vxtest
