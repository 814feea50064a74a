// The full-size catalogue: about 33,000 circles over three days, written within a minute.
#include <gtest/gtest.h>

#include <chrono>

#include "tests/support/TempDir.h"
#include "tests/tools/sample-disc/DiscReading.h"
#include "tools/sample-disc/CatalogBuilder.h"
#include "tools/sample-disc/DiscPaths.h"
#include "tools/sample-disc/SampleDiscWriter.h"

namespace vx::sampledisc {
namespace {

TEST(FullSizeTest, WritesThirtyThreeThousandCirclesOverThreeDays) {
  vxtest::TempDir dir;
  SampleOptions options;
  options.outDir = dir / "full";
  options.size = CatalogSize::kFull;
  DiscSummary summary;
  std::string error;
  const auto start = std::chrono::steady_clock::now();
  ASSERT_TRUE(WriteSampleDisc(options, summary, error)) << error;
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  RecordProperty("seconds", std::to_string(seconds));
  // A minute on a developer machine; the bound only catches a pathological slowdown.
  EXPECT_LT(seconds, 600.0);

  const Catalog catalog = BuildCatalog(options);
  EXPECT_TRUE(summary.circles > 32500 && summary.circles < 34000) << summary.circles;
  ASSERT_EQ(catalog.days.size(), 3u);
  EXPECT_EQ(catalog.maps.size(), 4u);
  // The third day is New Year's Day.
  EXPECT_EQ(std::make_tuple(catalog.days[2].year, catalog.days[2].month, catalog.days[2].day),
            std::make_tuple(catalog.days[0].year + 1, 1, 1));
  std::size_t lines = 0;
  for (int day = 0; day <= 3; ++day) {
    lines +=
        vxtest::SplitCrLfLines(vxtest::ReadFileBytes(options.outDir / DayCircleFileName(96, day)))
            .size();
  }
  EXPECT_EQ(lines, static_cast<std::size_t>(summary.circles));
  EXPECT_TRUE(
      std::filesystem::is_regular_file(options.outDir / PageFileName(catalog.pages.back().pageNo)));
  EXPECT_TRUE(std::filesystem::is_regular_file(options.outDir /
                                               MapFileName("HGR", 3, catalog.maps.back().stem)));
}

}  // namespace
}  // namespace vx::sampledisc
