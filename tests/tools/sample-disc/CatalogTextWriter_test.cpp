#include "tools/sample-disc/CatalogTextWriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "tests/tools/sample-disc/DiscReading.h"
#include "tools/sample-disc/CatalogBuilder.h"

namespace vx::sampledisc {
namespace {

using vxtest::Sj;
using vxtest::SplitTabs;

const Catalog& Small() {
  static const Catalog catalog = BuildCatalog(SampleOptions{});
  return catalog;
}

TEST(CatalogTextWriterTest, EveryFileIsCp932WithCrLfAndTheColumnsOfItsSection) {
  const Catalog& c = Small();
  const std::map<std::string, std::pair<std::size_t, std::size_t>> definition = {
      {"Pavorun", {1, 2}},
      {"CutInfo", {1, 6}},
      {"MapTableInfo", {1, 4}},
      {"PavorunDate", {c.days.size(), 4}},
      {"PavorunMap", {c.maps.size(), 12}},
      {"PavorunArea", {c.areas.size(), 12}},
      {"PavorunGenre", {c.genres.size(), 3}},
      {"PavorunJiko", {c.errata.size(), 5}},
  };
  const auto dayOne = static_cast<std::size_t>(
      std::count_if(c.circles.begin(), c.circles.end(), [](const Circle& circle) { return circle.day == 1; }));
  struct File {
    std::string name, text;
    std::map<std::string, std::pair<std::size_t, std::size_t>> sections;  // rows, columns
  };
  const File files[] = {
      {"definition", DefinitionFileText(c), definition},
      {"layout", LayoutFileText(c), {{"", {c.desks.size(), 5}}}},
      {"single", SingleCircleFileText(c), {{"", {c.circles.size(), 20}}}},
      {"day 1", DayCircleFileText(c, 1), {{"", {dayOne, 21}}}},
  };
  for (const File& file : files) {
    SCOPED_TRACE(file.name);
    bool crlf = false;
    vxtest::SplitCrLfLines(file.text, &crlf);
    EXPECT_TRUE(crlf);
    EXPECT_TRUE(vxtest::IsCp932(file.text));
    const auto sections = vxtest::Sections(file.text);
    ASSERT_EQ(sections.size(), file.sections.size());
    for (const auto& [name, shape] : file.sections) {
      const auto& rows = sections.at(name);
      EXPECT_EQ(rows.size(), shape.first) << name;
      for (const auto& fields : rows) EXPECT_EQ(fields.size(), shape.second) << name;
    }
  }
  EXPECT_EQ(DefinitionFileText(c).rfind(kSampleSignature, 0), 0u);
  // Only the unplaced circles come in the short form, without the id and page columns.
  int shortLines = 0;
  for (const std::string& line : vxtest::SplitCrLfLines(DayCircleFileText(c, 0))) {
    const auto fields = SplitTabs(line);
    shortLines += fields[0].empty();
    EXPECT_EQ(fields.size(), fields[0].empty() ? 19u : 21u) << line;
  }
  EXPECT_GT(shortLines, 0);
}

TEST(CatalogTextWriterTest, DefinitionFileDeclaresTheEventHallsAndRanges) {
  const Catalog& c = Small();
  auto sections = vxtest::Sections(DefinitionFileText(c));
  EXPECT_EQ(sections["Pavorun"][0], (std::vector<std::string>{"96", Sj("ヴェラストレード96")}));
  EXPECT_EQ(sections["PavorunDate"][0], (std::vector<std::string>{"2022", "12", "30", Sj("金")}));
  EXPECT_EQ(sections["PavorunDate"][1][3], Sj("土"));
  std::vector<std::string> maps, areaMaps;
  for (const auto& row : sections["PavorunMap"]) maps.push_back(row[0]);
  EXPECT_EQ(maps, (std::vector<std::string>{Sj("東123"), Sj("西12")}));
  // Block ids count through the areas in file order.
  std::string areaBlocks, blocks;
  for (const auto& row : sections["PavorunArea"]) areaBlocks += row[2];
  for (const Block& block : c.blocks) blocks += block.name;
  EXPECT_EQ(areaBlocks, blocks);
  EXPECT_EQ(sections["PavorunArea"][0][2], Sj("ＡＢＣ"));

  // The high-resolution range is twice the range, or empty on one map row and one area row.
  int empty = 0;
  for (const auto& [name, x] : {std::make_pair("PavorunMap", 2), std::make_pair("PavorunArea", 3)}) {
    for (const auto& row : sections[name]) {
      for (int k = 0; k < 4; ++k) {
        const std::string& hi = row[x + 5 + k];
        if (hi.empty()) {
          ++empty;
        } else {
          EXPECT_EQ(std::stoi(hi), 2 * std::stoi(row[x + k])) << name;
        }
      }
    }
  }
  EXPECT_EQ(empty, 8);
  // Rotation is written on every row, so the first row's empty-field default never applies.
  for (const auto& row : sections["PavorunMap"]) EXPECT_FALSE(row[11].empty());
}

TEST(CatalogTextWriterTest, CircleFilesCarryEachCircleInCatalogueOrder) {
  const Catalog& c = Small();
  auto picked = [](const std::vector<std::string>& f) {
    return f[1] + "|" + f[2] + "|" + f[3] + "|" + f[5] + "|" + f[6] + "|" + f[7] + "|" + f[8] + "|" + f[19];
  };
  std::vector<std::string> expected, single, days, updateIds;
  for (const Circle& circle : c.circles) {
    expected.push_back(std::to_string(circle.pageNo) + "|" + std::to_string(circle.cutIndex) + "|" +
                       WeekdayMark(c, circle.day) + "|" + (circle.blockId ? c.BlockById(circle.blockId).name : "") +
                       "|" + std::to_string(circle.spaceNo) + "|" + std::to_string(c.GenreById(circle.genreId).code) +
                       "|" + circle.name + "|" + circle.pixiv);
    updateIds.push_back(std::to_string(circle.updateId));
  }
  std::vector<std::string> singleIds;
  for (const std::string& line : vxtest::SplitCrLfLines(SingleCircleFileText(c))) {
    single.push_back(picked(vxtest::CircleColumns(line)));
    singleIds.push_back(SplitTabs(line)[0]);
  }
  // The import reads the day files in day order, then the file of unplaced circles.
  for (int day : {1, 2, 0}) {
    for (const std::string& line : vxtest::SplitCrLfLines(DayCircleFileText(c, day))) {
      days.push_back(picked(vxtest::CircleColumns(line)));
    }
  }
  EXPECT_EQ(single, expected);
  EXPECT_EQ(days, expected);
  EXPECT_EQ(singleIds, updateIds);
  EXPECT_EQ(expected.back().substr(0, 6), "0|0|" + Sj("漏"));
}

}  // namespace
}  // namespace vx::sampledisc
