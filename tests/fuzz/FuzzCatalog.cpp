#include "tests/fuzz/FuzzCatalog.h"

#include <memory>
#include <string>

#include "platform/CodePage.h"
#include "tests/data/TestCatalog.h"
#include "tests/fuzz/FuzzTarget.h"

namespace vxfuzz {
namespace {

constexpr int kEvent = 96;

void Insert(int rc) { Check(rc == 0, "the fuzz catalogue is built"); }

vx::CircleRecord Circle(int id, int page, int cut, int day, int block, int space, int half,
                        const std::string& name) {
  vx::CircleRecord r = vxtest::MakeCircle(id, page, cut, day, block, space, half, 1 + id % 2, name);
  r.circleKana = vx::Sjis("かな") + std::to_string(id);
  r.penName = "pen" + std::to_string(id);
  r.description = vx::Sjis("説明　ＡＢＣ abc ｶﾅ");
  return r;
}

void Build(vx::PavorunDatabase& db) {
  db.SetEventNo(kEvent);
  Insert(db.ClearEventTables());
  vx::EventInfo info;
  info.pavorunName = vx::Sjis("ファズ");
  info.mapSizeW = 10;
  info.mapSizeH = 10;
  Insert(db.GetInfoTable().InsertRow(info));
  Insert(db.GetDateMaster().InsertRow(1, 2020, 8, 15, 7));
  Insert(db.GetDateMaster().InsertRow(2, 2020, 8, 16, 1));
  vx::MapRow map;
  map.name = vx::Sjis("東123");
  map.filename = "e123";
  Insert(db.GetMapMaster().InsertRow(1, map));
  vx::AreaRow area;
  area.name = vx::Sjis("東1");
  area.simpleName = vx::Sjis("東");
  area.mapId = 1;
  Insert(db.GetAreaMaster().InsertRow(1, area));
  area.name = vx::Sjis("西1");
  area.simpleName = vx::Sjis("西");
  Insert(db.GetAreaMaster().InsertRow(2, area));
  Insert(db.GetBlockMaster().InsertRow(1, vx::Sjis("Ａ"), 1));
  Insert(db.GetBlockMaster().InsertRow(2, vx::Sjis("Ｂ"), 1));
  Insert(db.GetBlockMaster().InsertRow(3, vx::Sjis("あ"), 2));
  Insert(db.GetGenreMaster().InsertRow(1, vx::Sjis("創作"), 110));
  Insert(db.GetGenreMaster().InsertRow(2, vx::Sjis("ゲーム"), 220));
  for (int space = 1; space <= 4; ++space) {
    Insert(db.GetLayoutTable().InsertRow(1, space, 20 * space, 50, 1, 1));
  }
  Insert(db.GetJikoTable().InsertRow(1, 1, 3, 0, 2));
  const char* names[] = {"Alpha",  "ねこ屋", "Ｇａｍｍａ", "ｶﾅ工房",
                         "犬と猫", "",       "delta",      "Unplaced"};
  for (int i = 0; i < 8; ++i) {
    const bool placed = i < 7;
    Insert(db.GetCircleTable().InsertRow(
        Circle(i + 1, placed ? 2 + i / 4 : 0, placed ? 1 + i % 4 * 2 : 0, placed ? 1 + i % 2 : 0,
               placed ? 1 + i % 3 : 0, placed ? 1 + i / 2 : 0, i % 2, vx::Sjis(names[i]))));
  }
  db.SelectEvent(kEvent);
}

}  // namespace

vx::PavorunDatabase& FuzzCatalog() {
  static const std::unique_ptr<vx::PavorunDatabase> db = [] {
    auto made = std::make_unique<vx::PavorunDatabase>(ScratchFile("").parent_path());
    Check(made->IsOpen(), "the fuzz catalogue opens");
    Build(*made);
    return made;
  }();
  return *db;
}

}  // namespace vxfuzz
