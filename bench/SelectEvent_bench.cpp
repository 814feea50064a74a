// Selecting the event of the full-size sample disc (about 33,000 circles, installed with the import
// job) on a freshly opened database, as the program does at every start, against the least any
// selection must do: one statement reading where every circle of the event lies, on a freshly
// opened database too. The two alternate in every iteration. Goal: under 50 ms a selection.
// Run: build/bench/SelectEvent_bench. The disc is generated once into build/bench-data/.
#include "bench/BenchTiming.h"
#include "bench/FullSampleDisc.h"
#include "data/SqlRow.h"
#include "data/SqlText.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using vxbench::Clock;
using vxbench::MillisecondsSince;

constexpr double kGoalMs = 50;

struct Samples {
  std::vector<double> select, scan;
};
Samples g_samples;

fs::path CatalogFile() { return vxbench::BenchDataFolder() / "select-event.db"; }

vx::PavorunDatabase Open() {
  return vx::PavorunDatabase(CatalogFile().parent_path(), CatalogFile().filename().string(),
                             vx::SqliteDatabase::kReadOnly);
}

// The baseline: every circle's place, read once; answers the rows read.
int ScanPlaces(vx::PavorunDatabase& db) {
  int rows = 0;
  long long sum = 0;
  db.QueryRows(vx::FormatSql("select id,pageNo,cutIndex,day,blockId,spaceNo,spaceNoSub,genreId "
                             "from PavorunCircle where pavorunNo=%d;",
                             vxbench::kSampleEvent),
               [&](const vx::SqlRow& row) {
                 for (int i = 0; i < 8; ++i) sum += row.Int(i);
                 ++rows;
                 return 0;
               });
  benchmark::DoNotOptimize(sum);
  return rows;
}

void BM_SelectEventSideBySide(benchmark::State& state) {
  if (vxbench::FullSampleDisc().empty() ||
      vxbench::InstallFullSampleDisc(CatalogFile()) != vx::DiscImportJob::kResultDone) {
    state.SkipWithError("the sample disc could not be generated or installed");
    return;
  }
  int days = 0;
  int scanned = 0;
  for (auto _ : state) {
    vx::PavorunDatabase shown = Open();
    const Clock::time_point start = Clock::now();
    shown.SelectEvent(vxbench::kSampleEvent);
    const double select = MillisecondsSince(start);
    days = shown.GetDayCount();
    vx::PavorunDatabase plain = Open();
    const Clock::time_point scanStart = Clock::now();
    scanned = ScanPlaces(plain);
    g_samples.scan.push_back(MillisecondsSince(scanStart));
    g_samples.select.push_back(select);
    state.SetIterationTime(select / 1000);
  }
  if (days == 0 || scanned == 0) {
    state.SkipWithError("the installed event has no days or circles");
    return;
  }
  state.counters["circles"] = scanned;
  state.counters["select_ms"] = vxbench::Median(g_samples.select);
  state.counters["scan_ms"] = vxbench::Median(g_samples.scan);
}
BENCHMARK(BM_SelectEventSideBySide)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(30);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  const double select = vxbench::Median(g_samples.select);
  vxbench::PrintGoalLine("SelectEvent (median)", select, "one read of the circles",
                         vxbench::Median(g_samples.scan), "under 50 ms",
                         select > 0 && select < kGoalMs);
  return 0;
}
