// The checklist window over the full-size sample disc with 3,000 checked circles spread over the
// event's days, on the offscreen platform:
//   - the replay after a checklist load (UM_CHECKLIST_RESET, then every entry in print order as
//     UM_CIRCLE_CHECKED and UM_CHECKLIST_ENTRY_CHANGED, one row at a time) until the shown list
//     is painted;
//   - the refill of UM_OPTIONS_CHANGED (columns again, every row again from the checklist) until
//     the shown list is painted;
// each against the bare walk of the checklist in print order with a copy of every record (what
// the rows are made from). Goal for both: under 200 ms. Every figure is the median of its
// iterations; each iteration times the case and its baseline one after the other.
#include "bench/OffscreenBenchmarks.h"
#include "bench/BenchTiming.h"
#include "bench/SampleController.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/CatalogController.h"
#include "app/ConditionSearch.h"
#include "checklist/FavoriteEntry.h"
#include "data/SearchCondition.h"
#include "res/ResourceIds.h"
#include "ui/checklist/ChecklistView.h"
#include "ui/checklist/ChecklistWindow.h"
#include "ui/list/ListControl.h"

namespace {

using vxbench::Clock;
using vxbench::Median;
using vxbench::MillisecondsSince;

constexpr std::size_t kChecked = 3000;

// The installed full-size disc with a controller, its images, a checklist of every eleventh
// circle and the checklist window; released before the application object goes.
class ChecklistBench {
 public:
  static ChecklistBench& Get() {
    if (!instance_) instance_.reset(new ChecklistBench);
    return *instance_;
  }
  static void Release() { instance_.reset(); }

  vx::CatalogController& Controller() { return sample_.Controller(); }
  vx::ChecklistWindow& Window() { return *window_; }
  bool Ready() const { return ready_; }

 private:
  ChecklistBench() {
    if (!sample_.Open("checklist-fill") || !CheckCircles()) return;
    window_ = std::make_unique<vx::ChecklistWindow>(Controller());
    Controller().RegisterWindow(vx::kChecklistWindowId, window_.get(), "checklist");
    window_->resize(1200, 800);
    window_->show();
    QApplication::processEvents();
    ready_ = true;
  }

  // Every eleventh circle of the event, in colours 1 to 9.
  bool CheckCircles() {
    vx::SearchCondition condition(sample_.Database());
    vx::ConditionSearch search(condition);
    std::vector<int> ids;
    int seen = 0;
    search.Run([&](vx::CircleRecord&& circle) {
      if (seen++ % 11 == 0 && ids.size() < kChecked) ids.push_back(circle.id);
    });
    if (ids.size() < kChecked) return false;
    for (std::size_t i = 0; i < ids.size(); ++i) {
      Controller().SetCircleColor(static_cast<int>(i % 9) + 1, ids[i]);
    }
    return true;
  }

  vxbench::SampleController sample_;
  std::unique_ptr<vx::ChecklistWindow> window_;
  bool ready_ = false;
  static std::unique_ptr<ChecklistBench> instance_;
};

std::unique_ptr<ChecklistBench> ChecklistBench::instance_;

// The checklist in print order, every record copied.
std::size_t BareWalk(const vx::CatalogController& controller) {
  std::vector<vx::CircleRecord> records;
  records.reserve(kChecked);
  controller.ForEachInPrintOrder([&](const vx::FavoriteEntry& entry) {
    records.push_back(entry.record);
    return true;
  });
  return records.size();
}

// What the controller's apply step sends, without its progress dialog.
void Replay(vx::CatalogController& controller, vx::ChecklistWindow& window) {
  window.OnAppMessage(UM_CHECKLIST_RESET, 0, 0);
  controller.ForEachInPrintOrder([&](const vx::FavoriteEntry& entry) {
    window.OnAppMessage(UM_CIRCLE_CHECKED, entry.color, entry.record.id);
    window.OnAppMessage(UM_CHECKLIST_ENTRY_CHANGED, 0, entry.record.id);
    return true;
  });
}

int Rows(vx::ChecklistWindow& window) {
  int rows = 0;
  for (int tab = 0; tab < window.View()->TabCount(); ++tab) {
    rows += window.View()->List(tab)->Model().RowCount();
  }
  return rows;
}

struct Figures {
  std::vector<double> figure, baseline;
  std::size_t rows = 0;
};
Figures g_replay, g_refill;

void TimeFill(benchmark::State& state, Figures& figures,
              const std::function<void(ChecklistBench&)>& fill) {
  ChecklistBench& bench = ChecklistBench::Get();
  if (!bench.Ready()) {
    state.SkipWithError("the full-size sample disc could not be made, installed or checked");
    return;
  }
  for (auto _ : state) {
    Clock::time_point start = Clock::now();
    fill(bench);
    bench.Window().View()->CurrentList()->viewport()->repaint();
    figures.figure.push_back(MillisecondsSince(start));
    start = Clock::now();
    figures.rows = BareWalk(bench.Controller());
    figures.baseline.push_back(MillisecondsSince(start));
    state.SetIterationTime(figures.figure.back() / 1000);
  }
  if (static_cast<std::size_t>(Rows(bench.Window())) != figures.rows) {
    state.SkipWithError("the view and the checklist differ");
    return;
  }
  state.counters["rows"] = static_cast<double>(figures.rows);
  state.counters["view_ms"] = Median(figures.figure);
  state.counters["walk_ms"] = Median(figures.baseline);
}

void BM_ReplayIntoView(benchmark::State& state) {
  TimeFill(state, g_replay, [](ChecklistBench& bench) {
    Replay(bench.Controller(), bench.Window());
  });
}
BENCHMARK(BM_ReplayIntoView)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(10);

void BM_RefillView(benchmark::State& state) {
  TimeFill(state, g_refill, [](ChecklistBench& bench) {
    bench.Window().OnAppMessage(UM_OPTIONS_CHANGED, 0, 0);
  });
}
BENCHMARK(BM_RefillView)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(10);

void PrintGoal(const std::string& what, const Figures& f) {
  const double figure = Median(f.figure);
  vxbench::PrintGoalLine(what, figure, "walk of the checklist", Median(f.baseline), "under 200 ms",
                         figure > 0 && figure < 200);
}

}  // namespace

int main(int argc, char** argv) {
  return vxbench::RunOffscreen<QApplication>(argc, argv, [] {
    PrintGoal("replay of " + std::to_string(g_replay.rows) + " circles into the checklist view",
              g_replay);
    PrintGoal("refill of " + std::to_string(g_refill.rows) + " circles into the checklist view",
              g_refill);
    std::fflush(stdout);
    ChecklistBench::Release();
  });
}
