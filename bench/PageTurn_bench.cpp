// Turning pages in the cut page view: the controller reads the page's circles and has the image
// store compose the page, the view rebuilds its zoomed picture and paints what a 1024 x 768 view
// shows at 100 %. Low and high resolution cuts of the full-size sample disc.
//
// The baseline is the controller preparing the same pages without a view (database rows plus the
// composed page): the ratio is what the view adds. Goals for compose plus paint: a median below
// 20 ms at low resolution and below 50 ms at high resolution. Page Down as the user presses it
// also looks up the next page with circles; it is reported beside them.
//
//   build/bench/PageTurn_bench      (the disc is generated once into build/bench-data/)
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTest>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/CatalogController.h"
#include "app/SettingsValues.h"
#include "bench/OffscreenBenchmarks.h"
#include "bench/BenchTiming.h"
#include "bench/FullSampleDisc.h"
#include "data/PavorunDatabase.h"
#include "data/images/CatalogImages.h"
#include "platform/ScriptedUiServices.h"
#include "tests/ui/views/ForwardingFrame.h"
#include "ui/views/CutPageView.h"

namespace {

using vxbench::kSampleEvent;

constexpr double kGoalMs[] = {20, 50};  // low, high resolution

vx::PavorunDatabase* Catalogue() { return vxbench::InstalledFullSample("page-turn.db"); }

// A controller with the image store of the disc, in the resolution asked for.
struct Bench {
  explicit Bench(bool hiRes) {
    images.Open(vxbench::FullSampleDisc(), kSampleEvent);
    values.eventNumber = kSampleEvent;
    values.fvrColorNum = 9;
    values.cutResolution = hiRes;
    controller.Init(Catalogue(), &images, &values);
  }
  void ShowView() {
    view = std::make_unique<vx::CutPageView>(controller);
    frame.view = view.get();
    controller.RegisterWindow(vx::kMainWindowId, &frame, "main");
    view->resize(1024, 768);
    view->show();
    QApplication::processEvents();
  }
  ~Bench() { frame.view = nullptr; }

  vx::CatalogImages images;
  vx::SettingsValues values{};
  vx::ScriptedUiServices ui;
  vxtest::ForwardingFrame frame;
  vx::CatalogController controller{nullptr, {&ui, nullptr, nullptr, nullptr, nullptr}};
  std::unique_ptr<vx::CutPageView> view;
};

double ThreadCpuMs() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

// Median milliseconds, elapsed and on this thread's CPU (steadier on a busy machine), by
// benchmark and resolution.
struct Medians {
  double elapsed = 0;
  double cpu = 0;
};
std::map<std::pair<std::string, int>, Medians> g_medians;

template <class Step>
void Measure(benchmark::State& state, const char* name, Step step) {
  std::vector<double> elapsed, cpu;
  for (auto _ : state) {
    const auto start = vxbench::Clock::now();
    const double cpuStart = ThreadCpuMs();
    step();
    const double ms = vxbench::MillisecondsSince(start);
    state.SetIterationTime(ms / 1000);
    elapsed.push_back(ms);
    cpu.push_back(ThreadCpuMs() - cpuStart);
  }
  const Medians medians{vxbench::Median(elapsed), vxbench::Median(cpu)};
  g_medians[{name, static_cast<int>(state.range(0))}] = medians;
  state.counters["median_ms"] = medians.elapsed;
  state.counters["cpu_median_ms"] = medians.cpu;
}

// The pages with circles, in order.
std::vector<int> Pages(vx::CatalogController& c) {
  std::vector<int> pages;
  for (int page = c.GetFirstPage(); page > 0;
       page = Catalogue()->GetNextPage(page)) {
    pages.push_back(page);
  }
  return pages;
}

bool Ready(benchmark::State& state) {
  if (Catalogue()) return true;
  state.SkipWithError("the sample disc could not be generated or installed");
  return false;
}

// The baseline: the controller prepares each page (its circles and the composed picture).
void BM_LoadPageWithoutView(benchmark::State& state) {
  if (!Ready(state)) return;
  Bench bench(state.range(0) != 0);
  const std::vector<int> pages = Pages(bench.controller);
  std::size_t i = 0;
  Measure(state, "load", [&] { bench.controller.LoadPage(pages[i++ % pages.size()]); });
}

// The same pages turned to in the view: composed, zoomed and painted.
void BM_ShowPageInView(benchmark::State& state) {
  if (!Ready(state)) return;
  Bench bench(state.range(0) != 0);
  bench.ShowView();
  const std::vector<int> pages = Pages(bench.controller);
  std::size_t i = 0;
  Measure(state, "show", [&] {
    bench.controller.JumpTo(pages[i++ % pages.size()], 1, false);
    bench.view->viewport()->repaint();
  });
  state.counters["page_w"] = bench.view->ZoomedSize().width();
}

// Page Down as the user presses it: the controller also looks up the next page with circles.
void BM_PageDownInView(benchmark::State& state) {
  if (!Ready(state)) return;
  Bench bench(state.range(0) != 0);
  bench.ShowView();
  vx::CatalogController& c = bench.controller;
  c.GoToPage(c.GetFirstPage());
  Measure(state, "next", [&] {
    if (c.GetCurrentPage() >= c.GetLastPage()) c.GoToPage(c.GetFirstPage());
    QTest::keyClick(bench.view.get(), Qt::Key_PageDown);
    bench.view->viewport()->repaint();
  });
}

// Low and high resolution, in milliseconds of measured time.
void BothResolutions(benchmark::internal::Benchmark* b) {
  b->ArgName("hires")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseManualTime();
}

// The baseline first, so that the last line can give the ratios.
BENCHMARK(BM_LoadPageWithoutView)->Apply(BothResolutions)->Iterations(200);
BENCHMARK(BM_ShowPageInView)->Apply(BothResolutions)->Iterations(200);
BENCHMARK(BM_PageDownInView)->Apply(BothResolutions)->Iterations(100);

// Page Down first, then one goal line per resolution.
void PrintSummary() {
  const Medians low = g_medians[{"next", 0}], high = g_medians[{"next", 1}];
  std::printf(
      "Page Down with its next-page lookup, median: %.1f ms (CPU %.1f), high resolution "
      "%.1f ms (CPU %.1f)\n",
      low.elapsed, low.cpu, high.elapsed, high.cpu);
  for (int hiRes : {0, 1}) {
    const Medians show = g_medians[{"show", hiRes}];
    const Medians load = g_medians[{"load", hiRes}];
    char what[120], baseline[120], goal[40];
    std::snprintf(what, sizeof what, "page turn in the view, %s, compose plus paint (CPU %.1f ms)",
                  hiRes ? "high resolution" : "low resolution", show.cpu);
    std::snprintf(baseline, sizeof baseline, "the page prepared without the view (CPU %.1f ms)",
                  load.cpu);
    std::snprintf(goal, sizeof goal, "median < %.0f ms", kGoalMs[hiRes]);
    vxbench::PrintGoalLine(what, show.elapsed, baseline, load.elapsed, goal,
                           show.elapsed < kGoalMs[hiRes]);
  }
}

}  // namespace

int main(int argc, char** argv) {
  return vxbench::RunOffscreen<QApplication>(argc, argv, [] {
    PrintSummary();
  });
}
