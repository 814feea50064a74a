// Start-up to the first cut page painted and shut-down of the program on the full-size sample
// catalogue, offscreen: the application object builds settings, images, database, controller and
// windows exactly as `vindaxel` does.
//
// The baseline is the data work alone: opening the same database and image store and preparing
// the same first page without settings or windows; the ratio is what the program adds around it.
// Goals: start-up below 1 s, shut-down below 0.5 s (medians).
//
//   build/bench/Startup_bench      (the disc is generated once into build/bench-data/)
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTest>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/CatalogController.h"
#include "bench/OffscreenBenchmarks.h"
#include "bench/BenchTiming.h"
#include "app/SettingsValues.h"
#include "data/PavorunDatabase.h"
#include "data/images/CatalogImages.h"
#include "program/VindaxelApplication.h"
#include "ui/main/MainWindow.h"
#include "ui/views/CutPageView.h"

namespace {

namespace fs = std::filesystem;
using vxbench::Clock;
using vxbench::Median;
using vxbench::MillisecondsSince;

constexpr int kEvent = 96;
constexpr double kStartGoalMs = 1000;
constexpr double kExitGoalMs = 500;

std::map<std::string, double> g_medians;

// A profile as run-sample.sh makes one, on the full-size disc: the database installed by the
// install tool, the image data reached through a link.
class Profile {
 public:
  static Profile& Get() {
    static Profile profile;
    return profile;
  }
  bool ok() const { return ok_; }
  const fs::path& Folder() const { return folder_; }
  const fs::path& Disc() const { return disc_; }

 private:
  Profile()
      : disc_(fs::path(VX_BENCH_DATA) / "full-disc"),
        folder_(fs::path(VX_BENCH_DATA) / "startup-profile") {
    if (!fs::exists(disc_ / "V96DEF.TXT")) {
      fs::create_directories(disc_.parent_path());
      const std::string command = std::string("'") + VX_SAMPLE_DISC_TOOL + "' --out '" +
                                  disc_.string() + "' --size full --seed 1 > /dev/null";
      if (std::system(command.c_str()) != 0) return;
    }
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    std::ofstream(folder_ / "settings.ini") << "[Settings]\r\nUserData=exepath\r\n";
    fs::create_directory_symlink(fs::absolute(disc_), folder_ / ("VQ" + std::to_string(kEvent)));
    const std::string install = std::string("'") + VX_INSTALL_TOOL + "' '" + disc_.string() +
                                "' '" + (folder_ / "vindaxel96.db").string() + "' > /dev/null";
    ok_ = std::system(install.c_str()) == 0;
  }

  fs::path disc_;
  fs::path folder_;
  bool ok_ = false;
};

// Waits, with a deadline, until the main window's view has painted.
bool WaitForFirstPaint(vx::MainWindow& window) {
  struct PaintSeen : QObject {
    bool seen = false;
    bool eventFilter(QObject*, QEvent* event) override {
      if (event->type() == QEvent::Paint) seen = true;
      return false;
    }
  } watcher;
  QWidget* view = window.View();
  view->installEventFilter(&watcher);
  for (QWidget* part : view->findChildren<QWidget*>()) part->installEventFilter(&watcher);
  return QTest::qWaitFor([&] { return watcher.seen; }, 10000);
}

void BM_PrepareFirstPageWithoutProgram(benchmark::State& state) {
  if (!Profile::Get().ok()) return state.SkipWithError("the sample profile could not be made");
  std::vector<double> samples;
  for (auto _ : state) {
    const auto start = Clock::now();
    vx::PavorunDatabase db(Profile::Get().Folder(), vx::SqliteDatabase::kReadOnly);
    db.SelectEvent(kEvent);
    vx::CatalogImages images;
    images.Open(Profile::Get().Disc(), kEvent);
    images.SetCutGeometry(db.GetEventInfo());
    vx::SettingsValues values{};
    values.eventNumber = kEvent;
    values.fvrColorNum = 9;
    vx::CatalogController controller(nullptr, {});
    controller.Init(&db, &images, &values);
    controller.SelectDay(1);
    benchmark::DoNotOptimize(controller.GetPageImageWidth());
    const double ms = MillisecondsSince(start);
    state.SetIterationTime(ms / 1000);
    samples.push_back(ms);
  }
  g_medians["baseline"] = Median(samples);
  state.counters["median_ms"] = g_medians["baseline"];
}

void BM_StartAndExitProgram(benchmark::State& state) {
  if (!Profile::Get().ok()) return state.SkipWithError("the sample profile could not be made");
  std::vector<double> starts;
  std::vector<double> exits;
  for (auto _ : state) {
    auto start = Clock::now();
    auto program = std::make_unique<vx::VindaxelApplication>(std::vector<std::string>{});
    if (!program->Start()) return state.SkipWithError("another instance answered");
    if (!WaitForFirstPaint(*program->mainWindow())) {
      return state.SkipWithError("the program did not show its first page");
    }
    starts.push_back(MillisecondsSince(start));
    start = Clock::now();
    program->Exit();
    program.reset();
    exits.push_back(MillisecondsSince(start));
    state.SetIterationTime((starts.back() + exits.back()) / 1000);
  }
  g_medians["start"] = Median(starts);
  g_medians["exit"] = Median(exits);
  state.counters["start_ms"] = g_medians["start"];
  state.counters["exit_ms"] = g_medians["exit"];
}

BENCHMARK(BM_PrepareFirstPageWithoutProgram)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(5);
BENCHMARK(BM_StartAndExitProgram)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);

void PrintSummary() {
  const double start = g_medians["start"];
  const double exit = g_medians["exit"];
  const double baseline = g_medians["baseline"];
  std::printf("shut-down of the program, median: %.1f ms; goal < %.0f ms: %s\n", exit, kExitGoalMs,
              exit > 0 && exit < kExitGoalMs ? "met" : "NOT met");
  vxbench::PrintGoalLine("start-up of the program to the first cut page painted, median", start,
                         "the first page prepared without the program", baseline,
                         "< 1000 ms", start > 0 && start < kStartGoalMs);
}

}  // namespace

int main(int argc, char** argv) {
  vxbench::UseOffscreenPlatform();
  // The program's socket and settings stay apart from a real instance of the user.
  const fs::path tmp = fs::path(VX_BENCH_DATA) / "startup-tmp";
  fs::create_directories(tmp);
  setenv("TMPDIR", tmp.c_str(), 1);
  setenv("VINDAXEL_PROGRAM_DIR", Profile::Get().Folder().c_str(), 1);
  QApplication app(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  vxbench::RunRegisteredBenchmarks(argc, argv);
  PrintSummary();
  return 0;
}
