// Installing the full-size sample disc (about 33,000 circles) three ways, one after the other in
// every iteration so that the machine's load weighs on all of them alike:
//   sqlite3  the stock sqlite3 tool loading the same rows into the same schema, created inside its
//            one transaction, with .import (the baseline);
//   job      the program's import job, in this process;
//   tool     the install tool's whole process, as the README runs it.
// All three must leave the same rows. The last line compares the tool with the baseline; goal: no
// longer than it (ratio at most 1.0). Run: build/bench/InstallDisc_bench. The disc is generated
// once into build/bench-data/.
#include "bench/BenchTiming.h"
#include "bench/FullSampleDisc.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using vxbench::Clock;
using vxbench::MillisecondsSince;

constexpr double kGoalRatio = 1.0;

struct Samples {
  std::vector<double> baseline, job, tool;
};
Samples g_samples;

const fs::path& DataFolder() { return vxbench::BenchDataFolder(); }

// Writes every installed row as sqlite3's ASCII mode reads it (0x1F between fields, 0x1E after
// rows; CP932 never holds those bytes) and the script that loads them: page size first, then the
// schema and the rows in one transaction, as the job creates its tables inside its own.
bool WriteBaselineScript(const fs::path& script) {
  const fs::path source = DataFolder() / "rows.db";
  if (vxbench::InstallFullSampleDisc(source) != vx::DiscImportJob::kResultDone) return false;
  vx::PavorunDatabase db(source.parent_path(), source.filename().string(),
                         vx::SqliteDatabase::kReadWrite);
  vx::PavorunTable* tables[] = {&db.GetInfoTable(),  &db.GetDateMaster(),  &db.GetMapMaster(),
                                &db.GetAreaMaster(), &db.GetBlockMaster(), &db.GetGenreMaster(),
                                &db.GetJikoTable(),  &db.GetLayoutTable(), &db.GetCircleTable()};
  std::ofstream out(script, std::ios::binary);
  out << "PRAGMA page_size=1024;\nBEGIN;\n";
  for (vx::PavorunTable* table : tables) out << table->CreateText() << ";\n";
  out << ".mode ascii\n";
  for (vx::PavorunTable* table : tables) {
    const fs::path rows = DataFolder() / (std::string(table->TableName()) + ".rows");
    std::ofstream data(rows, std::ios::binary);
    db.ExecRows("select * from " + std::string(table->TableName()) + ";",
                [&data](int n, char** columns) {
                  for (int i = 0; i < n; ++i) {
                    if (i > 0) data << '\x1f';
                    if (columns[i] != nullptr) data << columns[i];
                  }
                  data << '\x1e';
                  return 0;
                });
    out << ".import '" << rows.string() << "' " << table->TableName() << "\n";
  }
  out << "COMMIT;\n";
  return static_cast<bool>(out);
}

// Runs a shell command into a fresh `target`; its time in ms, or a negative value on failure.
double TimeCommand(const std::string& command, const fs::path& target) {
  fs::remove(target);
  const Clock::time_point start = Clock::now();
  if (std::system(command.c_str()) != 0) return -1;
  return MillisecondsSince(start);
}

double TimeJob(const fs::path& target) {
  const Clock::time_point start = Clock::now();
  if (vxbench::InstallFullSampleDisc(target) != vx::DiscImportJob::kResultDone) return -1;
  return MillisecondsSince(start);
}

void BM_InstallSideBySide(benchmark::State& state) {
  const fs::path script = DataFolder() / "import.sql";
  if (vxbench::FullSampleDisc().empty() || !WriteBaselineScript(script)) {
    state.SkipWithError("the sample disc or its rows could not be written");
    return;
  }
  const fs::path baselineDb = DataFolder() / "baseline.db";
  const fs::path jobDb = DataFolder() / "install.db";
  const fs::path toolDb = DataFolder() / "tool.db";
  const std::string sqlite3 = std::string("'") + VX_SQLITE3_PROGRAM + "' '" + baselineDb.string() +
                              "' < '" + script.string() + "'";
  const std::string tool = std::string("'") + VX_INSTALL_TOOL + "' '" +
                           vxbench::FullSampleDisc().string() + "' '" + toolDb.string() +
                           "' > /dev/null";
  for (auto _ : state) {
    const double baseline = TimeCommand(sqlite3, baselineDb);
    const double job = TimeJob(jobDb);
    const double whole = TimeCommand(tool, toolDb);
    if (baseline < 0 || job < 0 || whole < 0) {
      state.SkipWithError("an install failed");
      return;
    }
    g_samples.baseline.push_back(baseline);
    g_samples.job.push_back(job);
    g_samples.tool.push_back(whole);
    state.SetIterationTime(whole / 1000);
  }
  const std::vector<int> rows = vxbench::EventRowCounts(baselineDb);
  if (vxbench::EventRowCounts(jobDb) != rows || vxbench::EventRowCounts(toolDb) != rows) {
    state.SkipWithError("the three installs hold different rows");
    return;
  }
  state.counters["circles"] = rows.back();
  state.counters["sqlite3_ms"] = vxbench::Median(g_samples.baseline);
  state.counters["job_ms"] = vxbench::Median(g_samples.job);
  state.counters["tool_ms"] = vxbench::Median(g_samples.tool);
  state.counters["job_ratio"] =
      vxbench::Median(g_samples.job) / vxbench::Median(g_samples.baseline);
}
BENCHMARK(BM_InstallSideBySide)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(7);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  const double tool = vxbench::Median(g_samples.tool);
  const double baseline = vxbench::Median(g_samples.baseline);
  vxbench::PrintGoalLine("install tool (median)", tool, "sqlite3 import", baseline, "ratio <= 1.0",
                         baseline > 0 && tool <= kGoalRatio * baseline);
  return 0;
}
