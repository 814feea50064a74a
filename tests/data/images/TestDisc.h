// The sample disc written by the test fixture (event 96, cuts of 120 x 170 pixels in the
// low-resolution archives, 240 x 340 in the high-resolution ones) and page questions answered
// from memory.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <utility>

#include "data/CircleRecord.h"
#include "data/images/CutArchive.h"
#include "data/images/PageQueries.h"
#include "platform/CodePage.h"

namespace vxtest {

constexpr int kSampleEvent = 96;

inline std::filesystem::path SampleDisc() {
  const char* disc = std::getenv("VX_SAMPLE_DISC");
  return disc ? disc : "";
}

// kind: CUTL, CUTH, CUTLP or CUTHP.
inline std::unique_ptr<vx::CutArchive> OpenSampleArchive(const std::string& kind) {
  return vx::CutArchive::Open(SampleDisc() / ("V096" + kind + ".CCZ"));
}

// The first cut number from `from` on that `archive` holds and `except`, when given, does not.
inline int FindCut(vx::CutArchive& archive, vx::CutArchive* except = nullptr, int from = 1) {
  for (int n = from; n < 100000; ++n) {
    if (!archive.LoadCut(n).isNull() && (!except || except->LoadCut(n).isNull())) return n;
  }
  return 0;
}

// Block 3 "ア" and block 7 "イ" in hall "東"; day 2 is Saturday the 13th.
class FakePageQueries : public vx::PageQueries {
 public:
  int GetDateOfDay(int day) const override { return day == 2 ? 13 : day; }
  int GetWeekdayOfDay(int day) const override { return day == 2 ? 7 : 0; }
  std::string GetAreaNameOfBlock(int) const override { return vx::Sjis("東"); }
  std::string GetBlockName(int id) const override { return vx::Sjis(id == 3 ? "ア" : "イ"); }
  int GetMaxSpaceNo(int day, int id) const override { return day == 2 && id == 3 ? maxSpace : 0; }
  int GetJikoNo(int, int, int spaceNo, int spaceNoSub) const override {
    return jiko.count({spaceNo, spaceNoSub}) ? 3 : -1;
  }

  int maxSpace = 40;                   // of block 3
  std::set<std::pair<int, int>> jiko;  // desk halves with errata picture 3
};

// A circle of day 2, named unless `name` is empty.
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
