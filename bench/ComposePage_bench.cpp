// Time to compose one catalogue page from a low-resolution cut archive.
//
//   ComposePage_bench --disc=DIR      (or VX_BENCH_DISC=DIR)
//
// DIR is a disc folder holding V%03dCUTL.CCZ, for example one written by
// `vindaxel-sample-disc --size full --out DIR`. Each iteration composes a different page of 36
// cuts taken in entry order from the archive, as the cut-page view does on a page change.
#include <benchmark/benchmark.h>
#include <minizip/unzip.h>

#include <QGuiApplication>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <regex>
#include <string>
#include <vector>

#include "data/images/CatalogImages.h"
#include "data/images/PageQueries.h"

namespace {

std::filesystem::path g_disc;
int g_event = 0;

// Answers without a database: every page lies in one long block of one day.
class FixedQueries : public vx::PageQueries {
 public:
  int GetDateOfDay(int day) const override { return 10 + day; }
  int GetWeekdayOfDay(int day) const override { return 5 + day; }
  std::string GetAreaNameOfBlock(int) const override { return "E"; }
  std::string GetBlockName(int) const override { return "A"; }
  int GetMaxSpaceNo(int, int) const override { return 1 << 20; }
  int GetJikoNo(int, int, int, int) const override { return -1; }
};

// The low-resolution archive and its event number, found by name in the disc folder.
bool FindArchive(const std::filesystem::path& disc, std::filesystem::path& archive, int& event) {
  const std::regex name("v(\\d{3,})cutl\\.ccz", std::regex::icase);
  for (const auto& entry : std::filesystem::directory_iterator(disc)) {
    std::smatch match;
    const std::string file = entry.path().filename().string();
    if (std::regex_match(file, match, name)) {
      archive = entry.path();
      event = std::stoi(match[1]);
      return true;
    }
  }
  return false;
}

std::vector<int> CutNumbers(const std::filesystem::path& archive) {
  std::vector<int> numbers;
  unzFile zip = unzOpen64(archive.c_str());
  if (!zip) return numbers;
  const std::regex cut("(\\d{6})\\.png", std::regex::icase);
  char name[256];
  for (int r = unzGoToFirstFile(zip); r == UNZ_OK; r = unzGoToNextFile(zip)) {
    if (unzGetCurrentFileInfo64(zip, nullptr, name, sizeof name, nullptr, 0, nullptr, 0) !=
        UNZ_OK) {
      continue;
    }
    std::cmatch match;
    if (std::regex_match(name, match, cut)) numbers.push_back(std::stoi(match[1]));
  }
  unzClose(zip);
  std::sort(numbers.begin(), numbers.end());
  return numbers;
}

std::vector<vx::CircleRecord> PageRecords(const std::vector<int>& numbers, int page) {
  std::vector<vx::CircleRecord> records(36);
  const std::size_t first = static_cast<std::size_t>(page) * 36 % numbers.size();
  for (int i = 0; i < 36; ++i) {
    vx::CircleRecord& r = records[static_cast<std::size_t>(i)];
    r.id = page * 36 + i + 1;
    r.day = 1;
    r.blockId = 1;
    r.spaceNo = 2 + page * 18 + i / 2;
    r.spaceNoSub = i % 2;
    r.updateId = numbers[(first + static_cast<std::size_t>(i)) % numbers.size()];
    r.circleName = "circle";
  }
  return records;
}

void BM_ComposeLowResPage(benchmark::State& state) {
  std::filesystem::path archivePath;
  if (!FindArchive(g_disc, archivePath, g_event)) {
    state.SkipWithError("no V%03dCUTL.CCZ in the disc folder");
    return;
  }
  const std::vector<int> numbers = CutNumbers(archivePath);
  if (numbers.empty()) {
    state.SkipWithError("the archive holds no cuts");
    return;
  }
  vx::CatalogImages images;
  images.Open(g_disc, g_event);
  const FixedQueries queries;
  std::vector<std::vector<vx::CircleRecord>> pages;
  for (int p = 0; p < 64; ++p) pages.push_back(PageRecords(numbers, p));
  int page = 0;
  for (auto _ : state) {
    const QImage picture = images.GetPageImage(page + 1, queries, pages[page % 64], false);
    benchmark::DoNotOptimize(picture.constBits());
    ++page;
  }
  state.counters["pages"] = benchmark::Counter(static_cast<double>(page));
  state.SetLabel("cut " + std::to_string(images.GetCutWidth(false)) + "x" +
                 std::to_string(images.GetCutHeight(false)));
}
BENCHMARK(BM_ComposeLowResPage)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg.rfind("--disc=", 0) == 0) g_disc = arg.substr(7);
  }
  if (g_disc.empty() && std::getenv("VX_BENCH_DISC")) g_disc = std::getenv("VX_BENCH_DISC");
  if (g_disc.empty() || !std::filesystem::is_directory(g_disc)) {
    std::cerr << "usage: " << argv[0] << " --disc=DIR (a disc folder with V%03dCUTL.CCZ)\n";
    return 2;
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
