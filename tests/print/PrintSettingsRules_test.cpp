// What the print settings pages allow: page breaks by print order, the merge that keeps the
// breaks an order does not offer, the halls and hall groups the catalogue allows, and the ranges
// of the map words.
#include <gtest/gtest.h>

#include "print/PrintCatalogTables.h"
#include "print/PrintSettingsRules.h"
#include "tests/print/PrintTestSupport.h"

namespace vxtest {
namespace {

using namespace vx;

constexpr int D = kBreakDayBit, H = kBreakHallBit, C = kBreakColorBit, B = kBreakBlockBit;

TEST(PrintSettingsRulesTest, ListPageBreaksFollowTheOrderAndTheDayBreak) {
  const struct {
    int order;
    int mask;
    int available;
    bool blockAll;
  } cases[] = {
      {kOrderChecklist, D | H | C | B, D, false},
      {kOrderPlacement, 0, D, true},
      {kOrderPlacement, D, D | H | B, true},
      {kOrderPlacement, D | H, D | H | B, false},  // a hall break takes all circles away
      {kOrderPlacement, D | B | H, D | B, true},   // a block break takes the hall break away
      {kOrderColor, D, D | C, false},
      {kOrderColor, C, D, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ListPageBreaksAvailable(c.order, c.mask), c.available) << c.order << "/" << c.mask;
    EXPECT_EQ(ListBlockAllEnabled(c.order, c.mask), c.blockAll) << c.order << "/" << c.mask;
  }
}

TEST(PrintSettingsRulesTest, MergingKeepsTheBreaksTheOrderDoesNotOffer) {
  // Colour order without a day break: only the day box counts; the stored colour bit stays.
  EXPECT_EQ(MergeListPageBreaks(kOrderColor, C | H, 0), C | H);
  EXPECT_EQ(MergeListPageBreaks(kOrderColor, C, D), C | D);
  EXPECT_EQ(MergeListPageBreaks(kOrderPlacement, D | H, D | B), D | B);
  // The map page offers no day or hall break.
  EXPECT_EQ(MapPageBreaksAvailable(kOrderChecklist), 0);
  EXPECT_EQ(MapPageBreaksAvailable(kOrderColor), C);
  EXPECT_EQ(MapPageBreaksAvailable(kOrderCoordinates), B);
  EXPECT_EQ(MergeMapPageBreaks(kOrderPlacement, D | H | C, B), D | H | C | B);
  EXPECT_EQ(MergeMapPageBreaks(kOrderPlacement, B, 0), 0);
}

TEST(PrintSettingsRulesTest, HallsNeedCirclesAndGroupsTheirMapWithTwoEnabledHalls) {
  FakePrintSource source;
  PrintMapInfo map;
  map.name = HallGroupNames()[0];
  source.maps = {{map.name, map}};
  for (int hall : {0, 1, 2}) {
    PrintAreaInfo area;
    area.mapId = 1;
    area.circleCount = hall == 2 ? 0 : 3;
    source.areas.emplace_back(HallNames()[static_cast<std::size_t>(hall)], area);
  }
  EXPECT_TRUE(HallHasCircles(source, 0));
  EXPECT_FALSE(HallHasCircles(source, 2));  // no circles
  EXPECT_FALSE(HallHasCircles(source, 5));  // not in the catalogue
  EXPECT_FALSE(HallHasCircles(source, 14));
  EXPECT_TRUE(HallGroupEnabled(source, 0, 0b011));
  EXPECT_FALSE(HallGroupEnabled(source, 0, 0b001));  // one hall is not enough
  EXPECT_FALSE(HallGroupEnabled(source, 1, 0b011));  // no map of that name
}

TEST(PrintSettingsRulesTest, FillDirectionAndDensityStayInRange) {
  const std::pair<int, int> fills[] = {{0, 5}, {1, 1}, {9, 9}, {10, 5}, {-2, 5}};
  for (const auto& [in, out] : fills) EXPECT_EQ(ValidFillDirection(in), out) << in;
  const std::pair<int, int> densities[] = {{-5, 0}, {0, 0}, {55, 55}, {100, 100}, {150, 100}};
  for (const auto& [in, out] : densities) EXPECT_EQ(ClampDensity(in), out) << in;
}

}  // namespace
}  // namespace vxtest
