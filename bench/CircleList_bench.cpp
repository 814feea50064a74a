// The circle list over the full-size sample disc (about 33,000 circles with their cut archives),
// in the list window on the offscreen platform:
//   - a keyword search of about 3,000 circles from the search request to the filled list (the
//     progress dialog, its worker, the rows made and added), against the bare search of the
//     same condition (count and rows on the data layer alone); goal under 200 ms;
//   - every circle of the event into the list the same way, against the bare search of every
//     circle; goal under 300 ms;
//   - one page scrolled in a list that shows cut pictures, painted, against the same page without
//     the cut column; goal under 16 ms.
// Every figure is the median of its iterations; each iteration times the case and its baseline
// one after the other.
#include "bench/OffscreenBenchmarks.h"
#include "bench/BenchTiming.h"
#include "bench/SampleController.h"

#include <QApplication>
#include <QScrollBar>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "app/CatalogController.h"
#include "app/ConditionSearch.h"
#include "app/ListColumns.h"
#include "app/SettingsValues.h"
#include "data/PavorunDatabase.h"
#include "data/SearchCondition.h"
#include "data/images/CatalogImages.h"
#include "platform/CodePage.h"
#include "platform/ScriptedUiServices.h"
#include "ui/list/CircleListView.h"
#include "ui/list/ListControl.h"
#include "ui/list/ListWindow.h"
#include "ui/widgets/ProgressDialogRunner.h"

namespace {

using vxbench::Clock;
using vxbench::Median;
using vxbench::MillisecondsSince;

constexpr const char* kKeyword = "海";  // about 3,000 circles of the full-size disc
constexpr int kCutColumnWidth = 80;

// The installed full-size disc with a controller, its images and the list window; released
// before the application object goes.
class ListBench {
 public:
  static ListBench& Get() {
    if (!instance_) instance_.reset(new ListBench);
    return *instance_;
  }
  static void Release() { instance_.reset(); }

  vx::CatalogController& Controller() { return sample_.Controller(); }
  vx::SearchCondition& BareCondition() { return *bare_; }
  vx::ListWindow& Window() { return *window_; }
  vx::SettingsValues& Values() { return sample_.Values(); }
  bool Ready() const { return ready_; }

 private:
  ListBench() {
    if (!sample_.Open("circle-list")) return;
    bare_ = std::make_unique<vx::SearchCondition>(sample_.Database());
    Values().listColumnWidths[vx::ColumnIdCircleCut] = kCutColumnWidth;
    window_ = std::make_unique<vx::ListWindow>(Controller());
    Controller().RegisterWindow(vx::kListWindowId, window_.get(), "list");
    window_->resize(1200, 800);
    window_->show();
    QApplication::processEvents();
    ready_ = true;
  }

  vxbench::SampleController sample_;
  std::unique_ptr<vx::SearchCondition> bare_;  // the baseline's
  std::unique_ptr<vx::ListWindow> window_;
  bool ready_ = false;
  static std::unique_ptr<ListBench> instance_;
};

std::unique_ptr<ListBench> ListBench::instance_;

void Prepare(vx::SearchCondition& condition, const std::string& keyword) {
  condition.Reset();
  condition.SetKeywordFields(vx::SearchCondition::DefaultKeywordFields());
  condition.SetMatchAll(true);
  condition.SetNormalizedMatch(true);
  if (!keyword.empty()) condition.SetKeywords(keyword);
}

// The data layer alone: the count, then every row kept, on a condition that keeps its connection
// from search to search as the controller's does.
std::size_t BareSearch(vx::SearchCondition& condition, const std::string& keyword) {
  Prepare(condition, keyword);
  vx::ConditionSearch search(condition);
  std::vector<vx::CircleRecord> rows;
  const int count = search.CountMatches();
  if (count < 0) return 0;
  rows.reserve(static_cast<std::size_t>(count));
  search.Run([&](vx::CircleRecord&& row) { rows.push_back(std::move(row)); });
  return rows.size();
}

struct Figures {
  std::vector<double> figure, baseline;
  std::size_t rows = 0;
};
Figures g_search, g_all, g_scroll;

int ListedRows() {
  return ListBench::Get().Window().View()->List(vx::CircleListView::kSearchResult)
      ->Model().RowCount();
}

// From the search request to the filled list, against the bare search.
void TimeSearchIntoList(benchmark::State& state, const std::string& keyword, Figures& figures) {
  ListBench& bench = ListBench::Get();
  if (!bench.Ready()) {
    state.SkipWithError("the full-size sample disc could not be made or installed");
    return;
  }
  for (auto _ : state) {
    Prepare(*bench.Controller().GetSearchCondition(), keyword);
    Clock::time_point start = Clock::now();
    bench.Controller().RequestSearch();
    figures.figure.push_back(MillisecondsSince(start));
    start = Clock::now();
    figures.rows = BareSearch(bench.BareCondition(), keyword);
    figures.baseline.push_back(MillisecondsSince(start));
    state.SetIterationTime(figures.figure.back() / 1000);
  }
  if (static_cast<std::size_t>(ListedRows()) != figures.rows || figures.rows == 0) {
    state.SkipWithError("the list and the bare search differ");
    return;
  }
  state.counters["rows"] = static_cast<double>(figures.rows);
  state.counters["list_ms"] = Median(figures.figure);
  state.counters["bare_ms"] = Median(figures.baseline);
}

void BM_KeywordSearchIntoList(benchmark::State& state) {
  TimeSearchIntoList(state, vx::Sjis(kKeyword), g_search);
}
BENCHMARK(BM_KeywordSearchIntoList)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(20);

void BM_EveryCircleIntoList(benchmark::State& state) {
  TimeSearchIntoList(state, "", g_all);
}
BENCHMARK(BM_EveryCircleIntoList)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(10);

// One page down and painted, with the cut column and without it.
double ScrollOnePage(vx::ListControl& list) {
  QScrollBar* bar = list.verticalScrollBar();
  if (bar->value() + bar->pageStep() > bar->maximum()) bar->setValue(0);
  list.viewport()->repaint();
  const Clock::time_point start = Clock::now();
  bar->setValue(bar->value() + bar->pageStep());
  list.viewport()->repaint();
  return MillisecondsSince(start);
}

void BM_ScrollPageWithCuts(benchmark::State& state) {
  ListBench& bench = ListBench::Get();
  if (!bench.Ready()) {
    state.SkipWithError("the full-size sample disc could not be made or installed");
    return;
  }
  Prepare(*bench.Controller().GetSearchCondition(), "");
  bench.Controller().RequestSearch();
  vx::ListControl& list =
      *bench.Window().View()->List(vx::CircleListView::kSearchResult);
  const int cutColumn = bench.Window().View()->Columns().CutColumn();
  for (auto _ : state) {
    list.setColumnHidden(cutColumn, false);
    g_scroll.figure.push_back(ScrollOnePage(list));
    list.setColumnHidden(cutColumn, true);
    g_scroll.baseline.push_back(ScrollOnePage(list));
    state.SetIterationTime(g_scroll.figure.back() / 1000);
  }
  list.setColumnHidden(cutColumn, false);
  g_scroll.rows = static_cast<std::size_t>(list.viewport()->height() / list.RowHeight());
  state.counters["rows_per_page"] = static_cast<double>(g_scroll.rows);
  state.counters["row_height"] = list.RowHeight();
  state.counters["cuts_ms"] = Median(g_scroll.figure);
  state.counters["text_ms"] = Median(g_scroll.baseline);
}
BENCHMARK(BM_ScrollPageWithCuts)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(60);

void PrintGoal(const char* what, const Figures& f, const char* baseline, double goalMs) {
  const double figure = Median(f.figure);
  vxbench::PrintGoalLine(what, figure, baseline, Median(f.baseline),
                         "under " + std::to_string(static_cast<int>(goalMs)) + " ms",
                         figure > 0 && figure < goalMs);
}

}  // namespace

int main(int argc, char** argv) {
  return vxbench::RunOffscreen<QApplication>(argc, argv, [] {
    PrintGoal(("search of " + std::to_string(g_search.rows) + " circles into the list").c_str(),
              g_search, "bare search", 200);
    PrintGoal(("all " + std::to_string(g_all.rows) + " circles into the list").c_str(), g_all,
              "bare search", 300);
    PrintGoal(("a page of " + std::to_string(g_scroll.rows) + " rows with cuts scrolled").c_str(),
              g_scroll, "the page without cuts", 16);
    std::fflush(stdout);
    ListBench::Release();
  });
}
