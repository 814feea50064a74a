// Checking every circle at once: the list window shows the result of an empty search (every
// circle of the full-size sample disc), all its rows are selected, and the user presses 1, then
// Delete. Timed from the key to the repainted list, with the five windows of the program
// registered (main, checklist, detail, hall map, list), so that what every window does with the
// change counts.
//
// The yardstick is Qt itself doing the least that shows the same change: a plain
// QStandardItemModel with as many rows, in a QTableView of the same size, whose first cell of every
// row gets a colour name and a swatch (then loses them), and is repainted. Goal: under a second
// for each. Every figure is the median of its iterations.
#include "bench/OffscreenBenchmarks.h"
#include "bench/BenchTiming.h"
#include "bench/SampleController.h"

#include <QApplication>
#include <QPixmap>
#include <QStandardItemModel>
#include <QTableView>
#include <QTest>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/CatalogController.h"
#include "data/SearchCondition.h"
#include "ui/checklist/ChecklistWindow.h"
#include "ui/detail/DetailWindow.h"
#include "ui/list/CircleListView.h"
#include "ui/list/ListControl.h"
#include "ui/list/ListWindow.h"
#include "ui/main/MainWindow.h"
#include "ui/map/HallMapWindow.h"

namespace {

using vxbench::Clock;
using vxbench::Median;
using vxbench::MillisecondsSince;

constexpr double kGoalMs = 1000;

// The installed full-size disc with a controller and the program's five windows; released before
// the application object goes.
class CheckAllBench {
 public:
  static CheckAllBench& Get() {
    if (!instance_) instance_.reset(new CheckAllBench);
    return *instance_;
  }
  static void Release() { instance_.reset(); }

  vx::CatalogController& Controller() { return sample_.Controller(); }
  vx::ListControl& List() { return *list_->View()->List(vx::CircleListView::kSearchResult); }
  // Whether every listed circle has the colour (-1: none).
  bool AllListed(int color) {
    const vx::ListModel& rows = List().Model();
    for (int row = 0; row < rows.RowCount(); ++row) {
      if (Controller().GetCircleColor(rows.Row(row).record.circleId) != color) return false;
    }
    return true;
  }
  bool Ready() const { return ready_; }

 private:
  CheckAllBench() {
    if (!sample_.Open("check-all")) return;
    CreateWindows();
    vx::SearchCondition& condition = *Controller().GetSearchCondition();
    condition.Reset();
    Controller().RequestSearch();  // every circle into the list window
    List().setFocus();
    List().selectAll();
    QApplication::processEvents();
    ready_ = List().Model().RowCount() > 30000;
  }

  void CreateWindows() {
    vx::CatalogController& controller = Controller();
    main_ = std::make_unique<vx::MainWindow>(controller);
    checklist_ = std::make_unique<vx::ChecklistWindow>(controller);
    detail_ = std::make_unique<vx::DetailWindow>(controller);
    map_ = std::make_unique<vx::HallMapWindow>(controller);
    list_ = std::make_unique<vx::ListWindow>(controller);
    controller.RegisterWindow(vx::kMainWindowId, main_.get(), "main");
    controller.RegisterWindow(vx::kChecklistWindowId, checklist_.get(), "checklist");
    controller.RegisterWindow(vx::kDetailWindowId, detail_.get(), "detail");
    controller.RegisterWindow(vx::kMapWindowId, map_.get(), "map");
    controller.RegisterWindow(vx::kListWindowId, list_.get(), "list");
    main_->resize(880, 900);
    checklist_->resize(400, 500);
    detail_->resize(400, 500);
    list_->resize(1000, 800);
    for (QWidget* shown : std::initializer_list<QWidget*>{main_.get(), checklist_.get(),
                                                          detail_.get(), list_.get()}) {
      shown->show();
    }
    controller.SelectDay(1);  // as the program starts: the first cut of day 1
  }

  vxbench::SampleController sample_;
  std::unique_ptr<vx::MainWindow> main_;
  std::unique_ptr<vx::ChecklistWindow> checklist_;
  std::unique_ptr<vx::DetailWindow> detail_;
  std::unique_ptr<vx::HallMapWindow> map_;
  std::unique_ptr<vx::ListWindow> list_;
  bool ready_ = false;
  static std::unique_ptr<CheckAllBench> instance_;
};

std::unique_ptr<CheckAllBench> CheckAllBench::instance_;

// The same number of rows in Qt's own model and view, first cells marked or cleared.
class PlainTable {
 public:
  PlainTable(int rows, int columns) : model_(rows, columns) {
    QPixmap swatch(16, 16);
    swatch.fill(Qt::red);
    swatch_ = QIcon(swatch);
    for (int row = 0; row < rows; ++row) model_.setItem(row, 0, new QStandardItem);
    view_.setModel(&model_);
    view_.resize(1000, 800);
    view_.show();
    QApplication::processEvents();
  }
  void Mark(bool on) {
    for (int row = 0; row < model_.rowCount(); ++row) {
      QStandardItem* item = model_.item(row, 0);
      item->setText(on ? QStringLiteral("赤") : QString());
      item->setIcon(on ? swatch_ : QIcon());
    }
    view_.viewport()->repaint();
  }

 private:
  QStandardItemModel model_;
  QTableView view_;
  QIcon swatch_;
};

struct Figures {
  std::vector<double> figure, baseline;
};
Figures g_check, g_uncheck;
int g_rows = 0;

// From the key to the repainted list and the other windows' pending paints.
double Press(vx::ListControl& list, Qt::Key key) {
  const Clock::time_point start = Clock::now();
  QTest::keyClick(&list, key);
  list.viewport()->repaint();
  QApplication::processEvents();
  return MillisecondsSince(start);
}

void BM_CheckAndUncheckEveryCircle(benchmark::State& state) {
  CheckAllBench& bench = CheckAllBench::Get();
  if (!bench.Ready()) {
    state.SkipWithError("the full-size sample disc could not be made, installed or listed");
    return;
  }
  vx::ListControl& list = bench.List();
  g_rows = list.Model().RowCount();
  PlainTable plain(g_rows, list.Model().ColumnCount());
  for (auto _ : state) {
    g_check.figure.push_back(Press(list, Qt::Key_1));
    if (!bench.AllListed(1)) {
      state.SkipWithError("not every circle was checked");
      return;
    }
    g_uncheck.figure.push_back(Press(list, Qt::Key_Delete));
    if (!bench.AllListed(-1)) {
      state.SkipWithError("not every circle was unchecked");
      return;
    }
    for (const bool on : {true, false}) {
      const Clock::time_point start = Clock::now();
      plain.Mark(on);
      (on ? g_check : g_uncheck).baseline.push_back(MillisecondsSince(start));
    }
    state.SetIterationTime((g_check.figure.back() + g_uncheck.figure.back()) / 1000);
  }
  state.counters["rows"] = g_rows;
  state.counters["check_ms"] = Median(g_check.figure);
  state.counters["uncheck_ms"] = Median(g_uncheck.figure);
  state.counters["qt_mark_ms"] = Median(g_check.baseline);
  state.counters["qt_clear_ms"] = Median(g_uncheck.baseline);
}
BENCHMARK(BM_CheckAndUncheckEveryCircle)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(5);

void PrintGoal(const std::string& what, const Figures& f, const std::string& baseline) {
  const double figure = Median(f.figure);
  vxbench::PrintGoalLine(what, figure, baseline, Median(f.baseline), "under 1 s",
                         figure > 0 && figure < kGoalMs);
}

}  // namespace

int main(int argc, char** argv) {
  return vxbench::RunOffscreen<QApplication>(argc, argv, [] {
    const std::string rows = std::to_string(g_rows);
    PrintGoal("checking all " + rows + " circles of the list", g_check,
              "Qt marking as many rows of a plain table");
    PrintGoal("unchecking all " + rows + " circles of the list", g_uncheck,
              "Qt clearing as many rows of a plain table");
    std::fflush(stdout);
    CheckAllBench::Release();
  });
}
