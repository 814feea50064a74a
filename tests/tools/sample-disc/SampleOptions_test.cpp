#include "tools/sample-disc/SampleOptions.h"

#include <gtest/gtest.h>

namespace vx::sampledisc {
namespace {

bool Parse(const std::vector<std::string>& args, SampleOptions& options, std::string& error) {
  return ParseSampleOptions(args, options, error);
}

TEST(SampleOptionsTest, DefaultsNeedOnlyTheOutputFolder) {
  SampleOptions options;
  std::string error;
  ASSERT_TRUE(Parse({"--out", "/tmp/x"}, options, error)) << error;
  EXPECT_EQ(options.outDir, "/tmp/x");
  EXPECT_EQ(options.event, 96);
  EXPECT_EQ(options.size, CatalogSize::kSmall);
  EXPECT_EQ(options.seed, 1u);
  EXPECT_EQ(options.rom, RomForm::kDays);
  EXPECT_EQ(options.layout, DiscLayout::kRoot);
}

TEST(SampleOptionsTest, TakesEveryOptionInAnyOrder) {
  SampleOptions options;
  std::string error;
  ASSERT_TRUE(Parse({"--layout", "lower", "--seed", "18446744073709551615", "--rom", "single",
                     "--size", "full", "--event", "7", "--out", "d"},
                    options, error))
      << error;
  EXPECT_EQ(options.event, 7);
  EXPECT_EQ(options.size, CatalogSize::kFull);
  EXPECT_EQ(options.seed, 18446744073709551615ULL);
  EXPECT_EQ(options.rom, RomForm::kSingle);
  EXPECT_EQ(options.layout, DiscLayout::kLower);
  ASSERT_TRUE(Parse({"--out", "d", "--layout", "subdir"}, options, error));
  EXPECT_EQ(options.layout, DiscLayout::kSubdir);
}

TEST(SampleOptionsTest, RefusesBadArgumentsWithAMessageNamingThem) {
  struct Case {
    std::vector<std::string> args;
    std::string mentions;
  };
  const Case cases[] = {
      {{}, "--out"},
      {{"--size", "small"}, "--out"},
      {{"--out"}, "missing value"},
      {{"--out", "d", "--size", "huge"}, "huge"},
      {{"--out", "d", "--rom", "both"}, "both"},
      {{"--out", "d", "--layout", "UPPER"}, "UPPER"},
      {{"--out", "d", "--event", "0"}, "--event"},
      {{"--out", "d", "--event", "1000"}, "--event"},
      {{"--out", "d", "--event", "9x"}, "9x"},
      {{"--out", "d", "--seed", "-1"}, "--seed"},
      {{"--out", "d", "--colour", "red"}, "--colour"},
      {{"--out", ""}, "--out"},
      {{"stray"}, "stray"},
  };
  for (const Case& c : cases) {
    SampleOptions options;
    std::string error;
    EXPECT_FALSE(Parse(c.args, options, error)) << c.mentions;
    EXPECT_NE(error.find(c.mentions), std::string::npos) << error;
  }
}

}  // namespace
}  // namespace vx::sampledisc
