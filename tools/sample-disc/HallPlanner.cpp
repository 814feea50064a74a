#include "tools/sample-disc/HallPlanner.h"

#include <algorithm>
#include <string>
#include <vector>

#include "platform/CodePage.h"

namespace vx::sampledisc {
namespace {

// Each area holds islands of two back-to-back desk columns, one block each, and one block of
// wall desks along its bottom edge; the last character of `blockNames` is the wall block.
struct AreaPlan {
  const char* name;
  const char* allStem;
  const char* blockNames;  // UTF-8, one character per block
};

struct MapPlan {
  const char* name;
  const char* stem;
  const char* allStem;
  int rotate;
  std::vector<AreaPlan> areas;
};

struct HallPlan {
  int islandLength;  // desks per island column
  std::vector<MapPlan> maps;
};

HallPlan SmallPlan() {
  return {4,
          {{"東123", "E123", "A1", 0, {{"東1", "E1", "ＡＢＣ"}, {"東2", "E2", "アイウ"}}},
           {"西12", "W12", "A2", 1, {{"西1", "W1", "あいう"}, {"西2", "W2", "えお"}}}}};
}

HallPlan FullPlan() {
  return {25,
          {{"東123",
            "E123",
            "A1",
            0,
            {{"東1", "E1", "ＡＢＣＤＥＦＧＨ"},
             {"東2", "E2", "ＩＪＫＬＭＮＯＰ"},
             {"東3", "E3", "ＱＲＳＴＵＶＷＸＹＺ"}}},
           {"東456",
            "E456",
            "A2",
            0,
            {{"東4", "E4", "アイウエオカキクケコサシスセソ"},
             {"東5", "E5", "タチツテトナニヌネノハヒフヘホ"},
             {"東6", "E6", "マミムメモヤユヨラリルレロワ"}}},
           {"西12",
            "W12",
            "A3",
            1,
            {{"西1", "W1", "あいうえおかきくけこさしすせそ"},
             {"西2", "W2", "たちつてとなにぬねのはひふへほ"}}},
           {"西34", "W34", "A4", 1, {{"西3･4", "W34", "まみむめもやゆよらりるれろわ"}}}}};
}

// The UTF-8 characters of a text (all block names here are three-byte characters).
std::vector<std::string> SplitCharacters(const std::string& utf8) {
  std::vector<std::string> characters;
  for (std::size_t i = 0; i < utf8.size();) {
    const unsigned char lead = static_cast<unsigned char>(utf8[i]);
    const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    characters.push_back(utf8.substr(i, length));
    i += length;
  }
  return characters;
}

class Planner {
 public:
  Planner(const HallPlan& plan, Catalog& catalog)
      : plan_(plan), catalog_(catalog), w_(catalog.geometry.deskW), h_(catalog.geometry.deskH) {}

  void Run() {
    for (const MapPlan& map : plan_.maps) AddMap(map);
  }

 private:
  static constexpr int kMargin = 40;
  static constexpr int kTitleBand = 40;
  static constexpr int kAreaPad = 10;

  void AddMap(const MapPlan& plan) {
    HallMap map;
    map.id = static_cast<int>(catalog_.maps.size()) + 1;
    map.name = Utf8ToCp932(plan.name);
    map.stem = plan.stem;
    map.allStem = plan.allStem;
    map.rotate = plan.rotate;
    // The second map leaves its high-resolution range to the importer's default.
    map.writeHiResRange = map.id != 2;
    catalog_.maps.push_back(map);

    const int top = kTitleBand + kMargin;
    int x = kMargin;
    int bottom = top;
    for (std::size_t i = 0; i < plan.areas.size(); ++i) {
      const Rect range = AddArea(plan.areas[i], map.id, x, top, i % 2 == 0);
      x = range.x + range.w + 2 * w_;
      bottom = std::max(bottom, range.y + range.h);
    }
    HallMap& added = catalog_.maps.back();
    added.width = x - 2 * w_ + kMargin;
    added.height = bottom + kMargin;
    added.print = {kMargin / 2, kTitleBand, added.width - kMargin,
                   added.height - kTitleBand - kMargin / 2};
  }

  // Returns the area's print range.
  Rect AddArea(const AreaPlan& plan, int mapId, int left, int top, bool wallGoesRight) {
    HallArea area;
    area.id = static_cast<int>(catalog_.areas.size()) + 1;
    area.name = Utf8ToCp932(plan.name);
    area.mapId = mapId;
    area.allStem = plan.allStem;
    area.writeHiResRange = area.id != 3;

    const std::vector<std::string> names = SplitCharacters(plan.blockNames);
    const int islands = static_cast<int>(names.size()) - 1;
    const int innerWidth = islands * 3 * w_ - w_;
    for (int k = 0; k < islands; ++k) {
      AddIsland(area, names[k], left + k * 3 * w_, top);
    }
    const int wallY = top + plan_.islandLength * h_ + 2 * h_;
    AddWall(area, names.back(), left, innerWidth, wallY, wallGoesRight);

    // The range must hold every desk's top left corner strictly inside it.
    area.print = {left - kAreaPad, top - kAreaPad, innerWidth + 2 * kAreaPad,
                  wallY + h_ - top + 2 * kAreaPad};
    catalog_.areas.push_back(area);
    return catalog_.areas.back().print;
  }

  Block& NewBlock(HallArea& area, const std::string& name) {
    Block block;
    block.id = static_cast<int>(catalog_.blocks.size()) + 1;
    block.name = Utf8ToCp932(name);
    block.areaId = area.id;
    area.blockIds.push_back(block.id);
    catalog_.blocks.push_back(block);
    return catalog_.blocks.back();
  }

  void AddDesk(Block& block, int x, int y, int layout, int mapId) {
    ++block.spaceCount;
    catalog_.desks.push_back({block.id, block.spaceCount, x, y, layout, mapId});
  }

  // Spaces run down the left column and back up the right one.
  void AddIsland(HallArea& area, const std::string& name, int x, int top) {
    Block& block = NewBlock(area, name);
    const int length = plan_.islandLength;
    for (int i = 0; i < length; ++i) AddDesk(block, x, top + i * h_, kHalfATop, area.mapId);
    for (int i = length - 1; i >= 0; --i) {
      AddDesk(block, x + w_, top + i * h_, kHalfABottom, area.mapId);
    }
  }

  void AddWall(HallArea& area, const std::string& name, int left, int width, int y,
               bool goesRight) {
    Block& block = NewBlock(area, name);
    const int count = width / w_;
    for (int i = 0; i < count; ++i) {
      if (goesRight) {
        AddDesk(block, left + i * w_, y, kHalfALeft, area.mapId);
      } else {
        AddDesk(block, left + width - (i + 1) * w_, y, kHalfARight, area.mapId);
      }
    }
  }

  const HallPlan& plan_;
  Catalog& catalog_;
  const int w_;
  const int h_;
};

}  // namespace

void PlanHalls(CatalogSize size, Catalog& catalog) {
  const HallPlan plan = size == CatalogSize::kSmall ? SmallPlan() : FullPlan();
  Planner(plan, catalog).Run();
}

}  // namespace vx::sampledisc
