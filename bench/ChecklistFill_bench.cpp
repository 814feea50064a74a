// The checklist window over the full-size sample disc with 3,000 checked circles spread over the
// event's days, on the offscreen platform:
//   - the replay after a checklist load (UM_CHECKLIST_RESET, then every entry in print order as
//     UM_CIRCLE_CHECKED and UM_CHECKLIST_ENTRY_CHANGED, handed over in runs by the controller's
//     apply walk) until the shown list is painted;
//   - the refill of UM_OPTIONS_CHANGED (columns again, every row again from the checklist) until
//     the shown list is painted;
// each against Qt filling a plain table with as many rows: a QStandardItemModel in a QTableView of
// the window's size, each row the circle's texts in as many columns as the view shows, from the
// same walk of the checklist, repainted. Goal for both: under 200 ms. Every figure is the median of
// its iterations; each iteration times the case and its yardstick one after the other.
#include "bench/OffscreenBenchmarks.h"
#include "bench/BenchTiming.h"
#include "bench/SampleController.h"

#include <QApplication>
#include <QStandardItemModel>
#include <QTableView>

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
#include "platform/qt/QtStrings.h"
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

// The checklist in print order in a plain Qt table, repainted; the rows it filled.
class PlainTable {
 public:
  explicit PlainTable(QSize size) {
    view_.setModel(&model_);
    view_.resize(size);
    view_.show();
    QApplication::processEvents();
  }
  std::size_t Fill(const vx::CatalogController& controller, int columns) {
    model_.clear();
    model_.setColumnCount(columns);
    controller.ForEachInPrintOrder([&](const vx::FavoriteEntry& entry) {
      const vx::CircleRecord& r = entry.record;
      const std::string* texts[] = {&r.circleName, &r.circleKana, &r.penName,     &r.bookName,
                                    &r.url,        &r.mailAddr,   &r.description, &r.memo};
      QList<QStandardItem*> items;
      for (int column = 0; column < columns; ++column) {
        items.push_back(new QStandardItem(vx::QtText(*texts[column % std::size(texts)])));
      }
      model_.appendRow(items);
      return true;
    });
    view_.viewport()->repaint();
    return static_cast<std::size_t>(model_.rowCount());
  }

 private:
  QStandardItemModel model_;
  QTableView view_;
};

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
  PlainTable plain(bench.Window().size());
  const int columns = bench.Window().View()->Columns().Count();
  for (auto _ : state) {
    Clock::time_point start = Clock::now();
    fill(bench);
    bench.Window().View()->CurrentList()->viewport()->repaint();
    figures.figure.push_back(MillisecondsSince(start));
    start = Clock::now();
    figures.rows = plain.Fill(bench.Controller(), columns);
    figures.baseline.push_back(MillisecondsSince(start));
    state.SetIterationTime(figures.figure.back() / 1000);
  }
  if (static_cast<std::size_t>(Rows(bench.Window())) != figures.rows) {
    state.SkipWithError("the view and the checklist differ");
    return;
  }
  state.counters["rows"] = static_cast<double>(figures.rows);
  state.counters["view_ms"] = Median(figures.figure);
  state.counters["plain_ms"] = Median(figures.baseline);
}

void BM_ReplayIntoView(benchmark::State& state) {
  TimeFill(state, g_replay,
           [](ChecklistBench& bench) { bench.Controller().RefreshChecklistViews(); });
}
BENCHMARK(BM_ReplayIntoView)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(10);

void BM_RefillView(benchmark::State& state) {
  TimeFill(state, g_refill,
           [](ChecklistBench& bench) { bench.Window().OnAppMessage(UM_OPTIONS_CHANGED, 0, 0); });
}
BENCHMARK(BM_RefillView)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(10);

void PrintGoal(const std::string& what, const Figures& f) {
  const double figure = Median(f.figure);
  vxbench::PrintGoalLine(what, figure, "Qt filling a plain table with as many rows",
                         Median(f.baseline), "under 200 ms", figure > 0 && figure < 200);
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
