// A small catalogue for the controller tests: event 96 over pages 10, 11 and 13 (page 12 has no
// circle), 36 cuts a page.
//
//   page 10, day 1, block 1 "Ａ": cut 1 id 101 (1a), 2 id 102 (1b), 3 id 103 (2a), 7 id 104 (3a),
//            33 id 133 (20a), 36 id 136 (21b)
//   page 11, day 1, block 2 "Ｂ": cut 2 id 112 (1a), 3 id 113 (1b), 5 id 115 (2a), 34 id 134 (9a)
//   page 13, day 2, block 3 "Ｃ": cut 4 id 131 (1a), 9 id 132 (3a), 33 id 135 (9a)
//   id 900: no place (page 0)
// Genres: 101-103 and 131 genre 1; 104, 133, 136, 112, 113 genre 2; the rest genre 3.
#pragma once

#include <gtest/gtest.h>

#include "data/PavorunDatabase.h"
#include "platform/CodePage.h"
#include "tests/data/TestCatalog.h"

namespace vxtest {

constexpr int kControllerEvent = 96;

inline void BuildControllerCatalog(vx::PavorunDatabase& db) {
  db.SetEventNo(kControllerEvent);
  ASSERT_EQ(db.ClearEventTables(), 0) << db.LastError();
  vx::EventInfo info;
  info.pavorunName = vx::Sjis("テスト96");
  info.mapSizeW = 12;
  info.mapSizeH = 14;
  ASSERT_EQ(db.GetInfoTable().InsertRow(info), 0);
  ASSERT_EQ(db.GetDateMaster().InsertRow(1, 2024, 8, 10, 7), 0);  // Saturday
  ASSERT_EQ(db.GetDateMaster().InsertRow(2, 2024, 8, 11, 1), 0);  // Sunday
  vx::MapRow map;
  map.name = vx::Sjis("東123");
  map.filename = "e123";
  ASSERT_EQ(db.GetMapMaster().InsertRow(1, map), 0);
  vx::AreaRow area;
  area.simpleName = vx::Sjis("東");
  area.mapId = 1;
  area.print = {0, 0, 400, 300};  // the layout grid keeps spaces inside an area's print range
  for (int id : {1, 2}) {
    area.name = vx::Sjis(id == 1 ? "東1" : "東2");
    ASSERT_EQ(db.GetAreaMaster().InsertRow(id, area), 0);
  }
  ASSERT_EQ(db.GetBlockMaster().InsertRow(1, vx::Sjis("Ａ"), 1), 0);
  ASSERT_EQ(db.GetBlockMaster().InsertRow(2, vx::Sjis("Ｂ"), 1), 0);
  ASSERT_EQ(db.GetBlockMaster().InsertRow(3, vx::Sjis("Ｃ"), 2), 0);
  ASSERT_EQ(db.GetGenreMaster().InsertRow(1, vx::Sjis("創作"), 110), 0);
  ASSERT_EQ(db.GetGenreMaster().InsertRow(2, vx::Sjis("ゲーム"), 220), 0);
  ASSERT_EQ(db.GetGenreMaster().InsertRow(3, vx::Sjis("音楽"), 330), 0);
  ASSERT_EQ(db.GetLayoutTable().InsertRow(1, 1, 20, 50, 1, 1), 0);
  ASSERT_EQ(db.GetLayoutTable().InsertRow(1, 2, 40, 50, 2, 1), 0);
  // id, page, cut, day, block, space, sub, genre
  const int rows[][8] = {
      {101, 10, 1, 1, 1, 1, 0, 1},  {102, 10, 2, 1, 1, 1, 1, 1},   {103, 10, 3, 1, 1, 2, 0, 1},
      {104, 10, 7, 1, 1, 3, 0, 2},  {133, 10, 33, 1, 1, 20, 0, 2}, {136, 10, 36, 1, 1, 21, 1, 2},
      {112, 11, 2, 1, 2, 1, 0, 2},  {113, 11, 3, 1, 2, 1, 1, 2},   {115, 11, 5, 1, 2, 2, 0, 3},
      {134, 11, 34, 1, 2, 9, 0, 3}, {131, 13, 4, 2, 3, 1, 0, 1},   {132, 13, 9, 2, 3, 3, 0, 3},
      {135, 13, 33, 2, 3, 9, 0, 3}, {900, 0, 0, 0, 0, 0, 0, 1},
  };
  for (const auto& r : rows) {
    InsertCircle(
        db, MakeCircle(r[0], r[1], r[2], r[3], r[4], r[5], r[6], r[7], "C" + std::to_string(r[0])));
  }
  db.SelectEvent(kControllerEvent);
}

}  // namespace vxtest
