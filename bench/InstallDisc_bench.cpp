// Installing the full-size sample disc (about 33,000 circles) with the program's import job,
// against the stock sqlite3 tool loading the same rows into the same schema with .import inside
// one transaction. Run: build/bench/InstallDisc_bench. The disc is generated once into
// build/bench-data/.
#include "data/DiscImportJob.h"
#include "data/ImportPrompts.h"
#include "data/PavorunDatabase.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kEvent = 96;
constexpr const char* kTables[] = {"PavorunInfo",  "PavorunDate",   "PavorunMap",
                                   "PavorunArea",  "PavorunBlock",  "PavorunGenre",
                                   "PavorunJiko",  "PavorunLayout", "PavorunCircle"};

class NoPrompts : public vx::ImportPrompts {
 public:
  std::optional<fs::path> LocateFile(const std::string&, const fs::path&) override {
    return std::nullopt;
  }
  void ShowError(const std::string&) override {}
};

const fs::path& DataFolder() {
  static const fs::path folder = VX_BENCH_DATA;
  return folder;
}

// The disc, generated on first use and kept for later runs.
const fs::path& FullDisc() {
  static const fs::path disc = [] {
    const fs::path out = DataFolder() / "full-disc";
    if (!fs::exists(out / "V96DEF.TXT")) {
      fs::create_directories(DataFolder());
      const std::string command = std::string("'") + VX_SAMPLE_DISC_TOOL + "' --out '" +
                                  out.string() + "' --size full --seed 1 > /dev/null";
      if (std::system(command.c_str()) != 0) return fs::path();
    }
    return out;
  }();
  return disc;
}

// Installs the disc into a fresh file; the job's result.
int Install(const fs::path& file) {
  fs::remove(file);
  vx::PavorunDatabase db(file.parent_path(), file.filename().string(),
                         vx::SqliteDatabase::kReadWrite);
  NoPrompts prompts;
  vx::DiscImportJob job(db, kEvent, FullDisc(), prompts);
  return job.Run();
}

// Writes every installed row as sqlite3's ASCII mode reads it (0x1F between fields, 0x1E after
// rows; CP932 never holds those bytes) and the script that loads them.
bool WriteBaselineScript(const fs::path& script) {
  const fs::path source = DataFolder() / "rows.db";
  if (Install(source) != vx::DiscImportJob::kResultDone) return false;
  vx::PavorunDatabase db(source.parent_path(), source.filename().string(),
                         vx::SqliteDatabase::kReadWrite);
  vx::PavorunTable* tables[] = {&db.InfoTable(),   &db.DateMaster(),  &db.MapMaster(),
                                &db.AreaMaster(),  &db.BlockMaster(), &db.GenreMaster(),
                                &db.JikoTable(),   &db.LayoutTable(), &db.CircleTable()};
  std::ofstream out(script, std::ios::binary);
  out << "PRAGMA page_size=1024;\n";
  for (vx::PavorunTable* table : tables) out << table->CreateText() << ";\n";
  out << "BEGIN;\n.mode ascii\n";
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

double g_baselineSeconds = 0;

void BM_SqliteImportBaseline(benchmark::State& state) {
  const fs::path script = DataFolder() / "import.sql";
  if (FullDisc().empty() || !WriteBaselineScript(script)) {
    state.SkipWithError("the sample disc or the rows could not be written");
    return;
  }
  const fs::path target = DataFolder() / "baseline.db";
  const std::string command = std::string("'") + VX_SQLITE3_PROGRAM + "' '" + target.string() +
                              "' < '" + script.string() + "'";
  double total = 0;
  for (auto _ : state) {
    fs::remove(target);
    const auto start = Clock::now();
    if (std::system(command.c_str()) != 0) {
      state.SkipWithError("sqlite3 failed");
      return;
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    state.SetIterationTime(seconds);
    total += seconds;
  }
  g_baselineSeconds = total / static_cast<double>(state.iterations());
}

void BM_InstallFullDisc(benchmark::State& state) {
  if (FullDisc().empty()) {
    state.SkipWithError("the sample disc could not be generated");
    return;
  }
  const fs::path target = DataFolder() / "install.db";
  double total = 0;
  for (auto _ : state) {
    const auto start = Clock::now();
    if (Install(target) != vx::DiscImportJob::kResultDone) {
      state.SkipWithError("the install failed");
      return;
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    state.SetIterationTime(seconds);
    total += seconds;
  }
  vx::PavorunDatabase db(target.parent_path(), target.filename().string(),
                         vx::SqliteDatabase::kReadWrite);
  int circles = 0;
  db.ExecPrintf(vx::RowFirstColumnInt, &circles,
                "select count(*) from PavorunCircle where pavorunNo=%d;", kEvent);
  state.counters["circles"] = circles;
  if (g_baselineSeconds > 0) {
    state.counters["ratio_to_sqlite3_import"] =
        total / static_cast<double>(state.iterations()) / g_baselineSeconds;
  }
}

// The baseline first, so that the install can report its ratio.
BENCHMARK(BM_SqliteImportBaseline)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);
BENCHMARK(BM_InstallFullDisc)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
