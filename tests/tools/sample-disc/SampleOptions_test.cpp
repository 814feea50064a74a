#include "tools/sample-disc/SampleOptions.h"

#include <gtest/gtest.h>

#include <tuple>

namespace vx::sampledisc {
namespace {

auto Fields(const SampleOptions& o) {
  return std::make_tuple(o.outDir.string(), o.event, o.size, o.seed, o.rom, o.layout);
}

TEST(SampleOptionsTest, DefaultsNeedOnlyTheOutputFolderAndEveryOptionIsTakenInAnyOrder) {
  SampleOptions options;
  std::string error;
  ASSERT_TRUE(ParseSampleOptions({"--out", "/tmp/x"}, options, error)) << error;
  EXPECT_EQ(Fields(options), std::make_tuple("/tmp/x", 96, CatalogSize::kSmall, 1ULL,
                                             RomForm::kDays, DiscLayout::kRoot));
  ASSERT_TRUE(ParseSampleOptions({"--layout", "lower", "--seed", "18446744073709551615", "--rom",
                                  "single", "--size", "full", "--event", "7", "--out", "d"},
                                 options, error))
      << error;
  EXPECT_EQ(Fields(options), std::make_tuple("d", 7, CatalogSize::kFull, 18446744073709551615ULL,
                                             RomForm::kSingle, DiscLayout::kLower));
  ASSERT_TRUE(ParseSampleOptions({"--out", "d", "--layout", "subdir"}, options, error));
  EXPECT_EQ(options.layout, DiscLayout::kSubdir);
}

TEST(SampleOptionsTest, RefusesBadArgumentsWithAMessageNamingThem) {
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{}, "--out"},
      {{"--out"}, "missing value"},
      {{"--out", "d", "--size", "huge"}, "huge"},
      {{"--out", "d", "--rom", "both"}, "both"},
      {{"--out", "d", "--layout", "UPPER"}, "UPPER"},
      {{"--out", "d", "--event", "0"}, "--event"},
      {{"--out", "d", "--event", "1000"}, "--event"},
      {{"--out", "d", "--seed", "-1"}, "--seed"},
      {{"--out", "d", "--colour", "red"}, "--colour"},
      {{"--out", ""}, "--out"},
      {{"stray"}, "stray"},
  };
  for (const auto& [args, mentions] : cases) {
    SampleOptions options;
    std::string error;
    EXPECT_FALSE(ParseSampleOptions(args, options, error)) << mentions;
    EXPECT_NE(error.find(mentions), std::string::npos) << error;
  }
}

}  // namespace
}  // namespace vx::sampledisc
