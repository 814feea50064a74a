// Every fuzz target over the inputs saved in tests/testdata/fuzz/<Target>/ (those that once found
// a fault, and small seeds), and over the empty input: each runs to its end, its properties hold
// (a failing one aborts the run with its message), and no input costs more than a bounded amount
// of memory.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/fuzz/FuzzTarget.h"

namespace {

namespace fs = std::filesystem;

constexpr long kMaxGrowthKb = 512 * 1024;

const char* const kTargets[] = {
    "ProfileFile",    "SettingsImport", "TextConversion", "RecordReader",      "ChecklistRoundTrip",
    "DiscTextImport", "UpdateApply",    "ImageDecode",    "CutArchiveCompose", "SearchKeywords",
    "FeedParser",     "PortalReply",    "UpdateArchive",  "PrintLayout",       "CutArchive"};

long PeakMemoryKb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

std::vector<fs::path> SavedInputs(const std::string& target) {
  std::vector<fs::path> inputs;
  const char* data = std::getenv("VX_TEST_DATA");
  if (data == nullptr) return inputs;
  std::error_code ec;
  for (const fs::directory_entry& entry :
       fs::directory_iterator(fs::path(data) / "fuzz" / target, ec)) {
    if (entry.is_regular_file(ec)) inputs.push_back(entry.path());
  }
  std::sort(inputs.begin(), inputs.end());
  return inputs;
}

class FuzzReplayTest : public ::testing::TestWithParam<const char*> {};

TEST_P(FuzzReplayTest, SavedInputsRunToTheirEndInBoundedMemory) {
  ASSERT_NE(std::getenv("VX_TEST_DATA"), nullptr) << "run through ctest";
  const auto found = vxfuzz::Targets().find(GetParam());
  ASSERT_NE(found, vxfuzz::Targets().end()) << GetParam() << " is not linked in";
  std::vector<fs::path> inputs = SavedInputs(GetParam());
  inputs.insert(inputs.begin(), fs::path());  // the empty input
  for (const fs::path& input : inputs) {
    std::string bytes;
    if (!input.empty()) {
      std::ifstream in(input, std::ios::binary);
      bytes.assign(std::istreambuf_iterator<char>(in), {});
    }
    const long before = PeakMemoryKb();
    found->second(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    EXPECT_LT(PeakMemoryKb() - before, kMaxGrowthKb) << input;
  }
}

INSTANTIATE_TEST_SUITE_P(Targets, FuzzReplayTest, ::testing::ValuesIn(kTargets),
                         [](const auto& info) { return std::string(info.param); });

}  // namespace
