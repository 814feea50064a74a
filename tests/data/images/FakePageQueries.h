// Page questions answered from memory, counting what the composer asks.
#pragma once

#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "data/CircleRecord.h"
#include "data/images/PageQueries.h"
#include "platform/CodePage.h"

namespace vxtest {

// Block 3 "ア" in hall "東", day 2 = the 13th, a Saturday; block 7 "イ".
class FakePageQueries : public vx::PageQueries {
 public:
  int GetDateOfDay(int day) const override { return day == 2 ? 13 : day; }
  int GetWeekdayOfDay(int day) const override { return day == 2 ? 7 : 0; }
  std::string GetAreaNameOfBlock(int blockId) const override {
    return blockId == 3 || blockId == 7 ? vx::Sjis("東") : "";
  }
  std::string GetBlockName(int blockId) const override {
    return blockId == 3 ? vx::Sjis("ア") : blockId == 7 ? vx::Sjis("イ") : "";
  }
  int GetMaxSpaceNo(int day, int blockId) const override {
    ++maxSpaceQueries;
    return day == 2 && blockId == 3 ? maxSpace : 0;
  }
  int GetJikoNo(int day, int blockId, int spaceNo, int spaceNoSub) const override {
    jikoQueries.emplace_back(day, blockId, spaceNo, spaceNoSub);
    return jiko.count({spaceNo, spaceNoSub}) ? 3 : -1;
  }

  int maxSpace = 40;
  std::set<std::pair<int, int>> jiko;  // desk halves with errata picture 3
  mutable int maxSpaceQueries = 0;
  mutable std::vector<std::tuple<int, int, int, int>> jikoQueries;
};

// A circle of day 2 with a name, unless `name` is given empty.
inline vx::CircleRecord Circle(int id, int blockId, int spaceNo, int spaceNoSub, int updateId,
                               const char* name = "circle") {
  vx::CircleRecord r;
  r.id = id;
  r.day = 2;
  r.blockId = blockId;
  r.spaceNo = spaceNo;
  r.spaceNoSub = spaceNoSub;
  r.updateId = updateId;
  r.circleName = name;
  return r;
}

}  // namespace vxtest
