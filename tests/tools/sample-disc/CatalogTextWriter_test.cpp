#include "tools/sample-disc/CatalogTextWriter.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "tests/tools/sample-disc/DiscReading.h"
#include "tools/sample-disc/CatalogBuilder.h"

namespace vx::sampledisc {
namespace {

using vxtest::Sj;
using vxtest::SplitCrLfLines;
using vxtest::SplitTabs;

class CatalogTextWriterTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { catalog_ = new Catalog(BuildCatalog(SampleOptions{})); }
  static void TearDownTestSuite() { delete catalog_; }

  static std::vector<std::string> Lines(const std::string& text) {
    bool crlf = false;
    std::vector<std::string> lines = SplitCrLfLines(text, &crlf);
    EXPECT_TRUE(crlf) << "every line ends in CR LF";
    EXPECT_TRUE(vxtest::IsCp932(text));
    return lines;
  }

  // Data lines of the definition file by section, comments and blank lines dropped.
  static std::map<std::string, std::vector<std::vector<std::string>>> Sections(const std::string& text) {
    std::map<std::string, std::vector<std::vector<std::string>>> sections;
    std::string current;
    for (const std::string& line : Lines(text)) {
      const std::size_t start = line.find_first_not_of(' ');
      if (start == std::string::npos || line[start] == '#') continue;
      if (line[start] == '*') {
        current = SplitTabs(line.substr(start + 1))[0];
        sections[current];
      } else {
        EXPECT_FALSE(current.empty()) << "data line before any section";
        sections[current].push_back(SplitTabs(line));
      }
    }
    return sections;
  }

  static Catalog* catalog_;
};

Catalog* CatalogTextWriterTest::catalog_ = nullptr;

TEST_F(CatalogTextWriterTest, DefinitionFileHasEverySectionWithItsColumns) {
  const Catalog& c = *catalog_;
  const std::string text = DefinitionFileText(c);
  EXPECT_EQ(text.rfind(kSampleSignature, 0), 0u);
  auto sections = Sections(text);
  const std::map<std::string, std::pair<std::size_t, std::size_t>> expected = {
      {"Pavorun", {1, 2}},         {"CutInfo", {1, 6}},
      {"MapTableInfo", {1, 4}},    {"PavorunDate", {c.days.size(), 4}},
      {"PavorunMap", {c.maps.size(), 12}}, {"PavorunArea", {c.areas.size(), 12}},
      {"PavorunGenre", {c.genres.size(), 3}}, {"PavorunJiko", {c.errata.size(), 5}},
  };
  ASSERT_EQ(sections.size(), expected.size());
  for (const auto& [name, shape] : expected) {
    ASSERT_EQ(sections[name].size(), shape.first) << name;
    for (const auto& fields : sections[name]) EXPECT_EQ(fields.size(), shape.second) << name;
  }
  EXPECT_EQ(sections["Pavorun"][0][0], "96");
  EXPECT_EQ(sections["Pavorun"][0][1], Sj("ヴェラストレード96"));
  EXPECT_EQ(sections["PavorunDate"][0], (std::vector<std::string>{"2022", "12", "30", Sj("金")}));
  EXPECT_EQ(sections["PavorunDate"][1][3], Sj("土"));
}

TEST_F(CatalogTextWriterTest, AreasNameTheirMapsAndBlocksNumberAcrossAreas) {
  const Catalog& c = *catalog_;
  auto sections = Sections(DefinitionFileText(c));
  std::set<std::string> mapNames;
  for (const auto& map : sections["PavorunMap"]) mapNames.insert(map[0]);
  EXPECT_TRUE(mapNames.count(Sj("東123")));
  EXPECT_TRUE(mapNames.count(Sj("西12")));
  int blockId = 0;
  for (const auto& area : sections["PavorunArea"]) {
    EXPECT_TRUE(mapNames.count(area[1])) << "area names an unknown map";
    ASSERT_EQ(area[2].size() % 2, 0u);
    for (std::size_t i = 0; i < area[2].size(); i += 2) {
      ++blockId;
      EXPECT_EQ(area[2].substr(i, 2), c.BlockById(blockId).name);
    }
  }
  EXPECT_EQ(blockId, static_cast<int>(c.blocks.size()));
  EXPECT_EQ(sections["PavorunArea"][0][2], Sj("ＡＢＣ"));
}

TEST_F(CatalogTextWriterTest, OptionalHighResolutionRangesAreEitherTwiceOrEmpty) {
  auto sections = Sections(DefinitionFileText(*catalog_));
  int empty = 0;
  for (const char* name : {"PavorunMap", "PavorunArea"}) {
    for (const auto& row : sections[name]) {
      const std::size_t x = std::string(name) == "PavorunMap" ? 2 : 3;  // first of x, y, w, h
      for (std::size_t k = 0; k < 4; ++k) {
        const std::string& hi = row[x + 5 + k];
        if (hi.empty()) {
          ++empty;
        } else {
          EXPECT_EQ(std::stoi(hi), 2 * std::stoi(row[x + k])) << name;
        }
      }
    }
  }
  EXPECT_EQ(empty, 8) << "one map row and one area row leave their range to the default";
  // Rotation is written on every row, so the first row's empty-field default never applies.
  for (const auto& row : sections["PavorunMap"]) EXPECT_FALSE(row[11].empty());
}

TEST_F(CatalogTextWriterTest, LayoutFileHasOneRowPerDeskWithKnownBlocks) {
  const Catalog& c = *catalog_;
  std::set<std::string> blocks;
  for (const Block& b : c.blocks) blocks.insert(b.name);
  std::set<std::pair<std::string, int>> seen;
  int rows = 0;
  for (const std::string& line : Lines(LayoutFileText(c))) {
    if (line.empty() || line[0] == '#') continue;
    const auto fields = SplitTabs(line);
    ASSERT_EQ(fields.size(), 5u);
    EXPECT_TRUE(blocks.count(fields[0]));
    EXPECT_TRUE(seen.insert({fields[0], std::stoi(fields[1])}).second) << "a space twice";
    const int layout = std::stoi(fields[4]);
    EXPECT_TRUE(layout >= 1 && layout <= 4);
    ++rows;
  }
  EXPECT_EQ(rows, static_cast<int>(c.desks.size()));
}

TEST_F(CatalogTextWriterTest, SingleCircleFileHasTwentyColumnsInCatalogueOrder) {
  const Catalog& c = *catalog_;
  const auto lines = Lines(SingleCircleFileText(c));
  ASSERT_EQ(lines.size(), c.circles.size());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const auto fields = SplitTabs(lines[i]);
    ASSERT_EQ(fields.size(), 20u) << "line " << i;
    const Circle& circle = c.circles[i];
    EXPECT_EQ(fields[0], std::to_string(circle.updateId));
    EXPECT_EQ(fields[3], WeekdayMark(c, circle.day));
    EXPECT_EQ(fields[5], circle.blockId ? c.BlockById(circle.blockId).name : "");
    EXPECT_EQ(fields[7], std::to_string(c.GenreById(circle.genreId).code));
    EXPECT_EQ(fields[8], circle.name);
    EXPECT_EQ(fields[19], circle.pixiv);
  }
  EXPECT_EQ(SplitTabs(lines.back())[3], Sj("漏"));
}

TEST_F(CatalogTextWriterTest, DayFilesSplitTheCirclesAndUnplacedLinesUseBothForms) {
  const Catalog& c = *catalog_;
  std::size_t total = 0;
  // The import reads the day files in day order, then the file of unplaced circles.
  std::vector<int> order;
  for (const EventDay& day : c.days) order.push_back(day.id);
  order.push_back(0);
  for (int day : order) {
    int shortLines = 0;
    for (const std::string& line : Lines(DayCircleFileText(c, day))) {
      const auto fields = SplitTabs(line);
      const bool shortForm = fields[0].empty();
      shortLines += shortForm;
      // The short form lacks the two columns after the flag.
      ASSERT_EQ(fields.size(), shortForm ? 19u : 21u);
      const Circle& circle = c.circles[total];
      const std::size_t shift = shortForm ? 2 : 0;
      if (!shortForm) {
        EXPECT_EQ(fields[2], std::to_string(circle.pageNo));
      }
      EXPECT_EQ(fields[3 - shift], std::to_string(circle.cutIndex));
      EXPECT_EQ(fields[4 - shift], WeekdayMark(c, day));
      EXPECT_EQ(fields[7 - shift], std::to_string(circle.spaceNo));
      EXPECT_EQ(fields[9 - shift], circle.name);
      EXPECT_EQ(fields[20 - shift], circle.pixiv);
      ++total;
    }
    if (day == 0) {
      EXPECT_GT(shortLines, 0);
    }
    if (day != 0) {
      EXPECT_EQ(shortLines, 0);
    }
  }
  EXPECT_EQ(total, c.circles.size());
}

TEST_F(CatalogTextWriterTest, WeekdayMarksMatchTheDatesOfTheDefinitionFile) {
  const Catalog& c = *catalog_;
  EXPECT_EQ(WeekdayMarkOf(0), Sj("漏"));
  EXPECT_EQ(WeekdayMarkOf(1), Sj("日"));
  EXPECT_EQ(WeekdayMarkOf(7), Sj("土"));
  EXPECT_EQ(WeekdayMark(c, 1), Sj("金"));
  EXPECT_EQ(WeekdayMark(c, 0), Sj("漏"));
}

}  // namespace
}  // namespace vx::sampledisc
