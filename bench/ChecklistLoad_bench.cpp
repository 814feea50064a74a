// Loading a 3,000-entry checklist of another event, whose circles must be found by their texts,
// against the full-size sample catalogue (about 33,000 circles, from the sample disc generator's
// model, written straight into a scrambled database). Goal: under 1 s a load.
//
// The checklist, written by the generator's checklist writer, mixes circles renamed since (found
// by Twitter or Pixiv, or not at all), circles found by name and pen name, circles whose pen name
// changed (found only without strict matching) and circles the catalogue does not have.
#include "bench/SampleCatalogDatabase.h"
#include "checklist/FavoriteStore.h"
#include "platform/CodePage.h"
#include "tools/sample-disc/ChecklistWriter.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
namespace sd = vx::sampledisc;

constexpr int kEntryCount = 3000;

// Entry `i` of the other event's checklist, naming catalogue circle `c` in one of four ways.
sd::ChecklistEntry OtherEventEntry(int i, sd::Circle c) {
  const std::string number = std::to_string(i);
  switch (i % 4) {
    case 0:
      c.name = c.kana = c.penName = vx::Sjis("前回の名前") + number;
      break;
    case 1:
      c.twitter.clear();
      c.pixiv.clear();
      break;
    case 2:
      c.twitter.clear();
      c.pixiv.clear();
      c.penName = vx::Sjis("別の人");
      break;
    default:
      c.name = c.kana = vx::Sjis("消えたサークル") + number;
      c.twitter = "gone" + number;
      c.pixiv.clear();
      break;
  }
  c.updateId = 500000 + i;
  sd::ChecklistEntry entry;
  entry.circle = std::move(c);
  entry.colour = 1 + i % 9;
  entry.memo = vx::Sjis("メモ") + number;
  return entry;
}

// The catalogue and the checklist file beside it, made once for every run and removed at exit.
class BenchData {
 public:
  static BenchData& Get() {
    static BenchData data;
    return data;
  }
  vx::PavorunDatabase& Database() { return catalogue_.Database(); }
  const fs::path& Checklist() const { return checklist_; }

 private:
  BenchData() : checklist_(catalogue_.Folder() / "other-event.csv") {
    const sd::Catalog& sample = catalogue_.Sample();
    std::vector<sd::ChecklistEntry> entries;
    const std::size_t stride = sample.circles.size() / kEntryCount;
    for (int i = 0; i < kEntryCount; ++i) {
      entries.push_back(OtherEventEntry(i, sample.circles[static_cast<std::size_t>(i) * stride]));
    }
    std::ofstream(checklist_, std::ios::binary)
        << sd::CurrentChecklistText(sample, entries, sample.event - 1, "Shift_JIS");
  }

  vxbench::SampleCatalogDatabase catalogue_;
  fs::path checklist_;
};

void BM_LoadChecklistOfAnotherEvent(benchmark::State& state) {
  vx::FavoriteStore store(BenchData::Get().Database());
  store.SetStrictMatch(state.range(0) != 0);
  for (auto _ : state) {
    benchmark::DoNotOptimize(store.LoadFile(BenchData::Get().Checklist(), false, true));
  }
  if (store.ReadStatus() != vx::kReadDone) state.SkipWithError("the checklist did not read");
  int registered = 0;
  for (const vx::FavoriteImportRecord& row : store.ImportRecords()) {
    if (row.action == vx::kImportRegister) ++registered;
  }
  state.counters["rows"] = static_cast<double>(store.ImportRecords().size());
  state.counters["candidates"] = registered;
}
BENCHMARK(BM_LoadChecklistOfAnotherEvent)
    ->ArgName("strict")
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
