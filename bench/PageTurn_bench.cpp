// Turning pages in the cut page view: the controller reads the page's circles and has the image
// store compose the page, the view rebuilds its zoomed picture and paints what a 1024 x 768 view
// shows at 100 %. Low and high resolution cuts of the full-size sample disc, every page in turn.
//
// Yardstick, page by page in the same run: Qt decoding the same page's cuts (their PNG bytes read
// beforehand) and drawing them into a page of the same size, shown in a plain widget of the view's
// size and painted. Goals for compose plus paint: a median below 20 ms at low resolution and below
// 50 ms at high resolution. Page Down as the user presses it also looks up the next page with
// circles; it is reported beside them.
//
//   build/bench/PageTurn_bench      (the disc is generated once into build/bench-data/)
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPainter>
#include <QWidget>
#include <QTest>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/CatalogController.h"
#include "app/SettingsValues.h"
#include "bench/BenchTiming.h"
#include "bench/FullSampleDisc.h"
#include "bench/OffscreenBenchmarks.h"
#include "bench/PageCuts.h"
#include "data/PavorunDatabase.h"
#include "data/images/CatalogImages.h"
#include "tests/support/ScriptedUiServices.h"
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

// Times the step, and after it in the same iteration the yardstick when there is one, by
// benchmark and resolution ("<name>" and "<name>-qt").
template <class Step>
void Measure(benchmark::State& state, const std::string& name, Step step,
             const std::function<void()>& yardstick = {}) {
  std::vector<double> elapsed, cpu, qt, qtCpu;
  const auto timed = [](const auto& work, std::vector<double>& ms, std::vector<double>& cpuMs) {
    const auto start = vxbench::Clock::now();
    const double cpuStart = ThreadCpuMs();
    work();
    ms.push_back(vxbench::MillisecondsSince(start));
    cpuMs.push_back(ThreadCpuMs() - cpuStart);
  };
  for (auto _ : state) {
    timed(step, elapsed, cpu);
    state.SetIterationTime(elapsed.back() / 1000);
    if (yardstick) timed(yardstick, qt, qtCpu);
  }
  const int hiRes = static_cast<int>(state.range(0));
  g_medians[{name, hiRes}] = {vxbench::Median(elapsed), vxbench::Median(cpu)};
  state.counters["median_ms"] = g_medians[{name, hiRes}].elapsed;
  state.counters["cpu_median_ms"] = g_medians[{name, hiRes}].cpu;
  if (!yardstick) return;
  g_medians[{name + "-qt", hiRes}] = {vxbench::Median(qt), vxbench::Median(qtCpu)};
  state.counters["qt_median_ms"] = g_medians[{name + "-qt", hiRes}].elapsed;
}

// The pages with circles, in order.
std::vector<int> Pages(vx::CatalogController& c) {
  std::vector<int> pages;
  for (int page = c.GetFirstPage(); page > 0; page = Catalogue()->GetNextPage(page)) {
    pages.push_back(page);
  }
  return pages;
}

bool Ready(benchmark::State& state) {
  if (Catalogue()) return true;
  state.SkipWithError("the sample disc could not be generated or installed");
  return false;
}

// A page as plain Qt shows a picture: drawn whole at its size, the widget painting a copy.
class PlainPageWidget : public QWidget {
 public:
  void Show(QImage page) {
    page_ = std::move(page);
    repaint();
  }

 protected:
  void paintEvent(QPaintEvent*) override { QPainter(this).drawImage(0, 0, page_); }

 private:
  QImage page_;
};

// The pages turned to in the view (composed, zoomed and painted), each followed by Qt decoding and
// drawing the same page.
void BM_ShowPageInView(benchmark::State& state) {
  if (!Ready(state)) return;
  const bool hiRes = state.range(0) != 0;
  Bench bench(hiRes);
  bench.ShowView();
  const std::vector<int> pages = Pages(bench.controller);
  vxbench::PageCuts cuts;
  if (!cuts.Read(*Catalogue(), vxbench::FullSampleDisc(), pages.front(), pages.back(), hiRes)) {
    return state.SkipWithError("the cut archives could not be read");
  }
  PlainPageWidget plain;
  plain.resize(1024, 768);
  plain.show();
  QApplication::processEvents();
  std::size_t i = 0;
  int page = 0;
  Measure(
      state, "show",
      [&] {
        page = pages[i++ % pages.size()];
        bench.controller.JumpTo(page, 1, false);
        bench.view->viewport()->repaint();
      },
      [&] { plain.Show(cuts.Draw(page)); });
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
    const Medians qt = g_medians[{"show-qt", hiRes}];
    char what[120], yardstick[120], goal[40];
    std::snprintf(what, sizeof what, "page turn in the view, %s, compose plus paint (CPU %.1f ms)",
                  hiRes ? "high resolution" : "low resolution", show.cpu);
    std::snprintf(yardstick, sizeof yardstick,
                  "Qt decoding, drawing and showing the same page (CPU %.1f ms)", qt.cpu);
    std::snprintf(goal, sizeof goal, "median < %.0f ms", kGoalMs[hiRes]);
    vxbench::PrintGoalLine(what, show.elapsed, yardstick, qt.elapsed, goal,
                           show.elapsed < kGoalMs[hiRes]);
  }
}

}  // namespace

int main(int argc, char** argv) {
  return vxbench::RunOffscreen<QApplication>(argc, argv, [] { PrintSummary(); });
}
