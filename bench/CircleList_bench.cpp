// The circle list over the full-size sample disc (about 33,000 circles with their cut archives),
// in the list window on the offscreen platform:
//   - a keyword search of about 3,000 circles from the search request to the filled list (the
//     progress dialog, its worker, the rows made and added); goal under 200 ms;
//   - every circle of the event into the list the same way; goal under 300 ms;
//   - one page scrolled in a list that shows cut pictures, painted; goal under 16 ms.
// Yardstick, in the same run: stock SQLite and a plain Qt table doing the same. For the searches,
// one prepared statement matching the keyword's bytes in the same columns (or reading every
// circle) fills a QStandardItemModel with the same rows' texts in as many columns, shown in a
// QTableView of the list's size and repainted; the rows must be the list's. For the scroll, a
// QTableView of the same rows and row height whose cut column decodes each shown circle's cut
// (its PNG bytes read beforehand) with QImage, scrolled a page and repainted.
// Every figure is the median of its iterations; each iteration times the case and its yardstick
// one after the other.
#include "bench/OffscreenBenchmarks.h"
#include "bench/BenchTiming.h"
#include "bench/SampleController.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QHeaderView>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTableView>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "app/CatalogController.h"
#include "app/ListColumns.h"
#include "app/SettingsValues.h"
#include "data/PavorunDatabase.h"
#include "data/SearchCondition.h"
#include "data/SqliteConnection.h"
#include "data/images/CutArchive.h"
#include "platform/CodePage.h"
#include "platform/qt/QtStrings.h"
#include "ui/list/CircleListView.h"
#include "ui/list/ListControl.h"
#include "ui/list/ListWindow.h"

namespace {

using vxbench::Clock;
using vxbench::Median;
using vxbench::MillisecondsSince;

constexpr const char* kKeyword = "海";  // about 3,000 circles of the full-size disc
constexpr int kCutColumnWidth = 80;
constexpr QSize kWindowSize(1200, 800);

// The yardstick's texts: eight of the list's text columns.
constexpr const char* kPlainColumns =
    "id,updateId,circleName,circleKana,penName,bookName,url,mailAddr,description,updateData";
constexpr int kPlainTextColumns = 8;
constexpr const char* kKeywordFilter =
    " AND instr(CAST(circleName||circleKana||penName||bookName||description||updateData AS "
    "BLOB),CAST(?2 AS BLOB))>0";

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
  vx::PavorunDatabase& Database() { return sample_.Database(); }
  vx::ListWindow& Window() { return *window_; }
  vx::SettingsValues& Values() { return sample_.Values(); }
  bool Ready() const { return ready_; }

 private:
  ListBench() {
    if (!sample_.Open("circle-list")) return;
    Values().listColumnWidths[vx::ColumnIdCircleCut] = kCutColumnWidth;
    window_ = std::make_unique<vx::ListWindow>(Controller());
    Controller().RegisterWindow(vx::kListWindowId, window_.get(), "list");
    window_->resize(kWindowSize);
    window_->show();
    QApplication::processEvents();
    ready_ = true;
  }

  vxbench::SampleController sample_;
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

// Stock SQLite filling a plain Qt table: one prepared statement, the rows' texts into items.
class PlainTable {
 public:
  explicit PlainTable(vx::PavorunDatabase& db) : connection_(db.OpenConnection(nullptr)) {
    view_.resize(kWindowSize);
    view_.setModel(&model_);
    view_.show();
  }

  // The rows the keyword finds (every circle for none), into the table and painted.
  int Fill(int event, const std::string& keyword) {
    const std::string sql = std::string("SELECT ") + kPlainColumns +
                            " FROM PavorunCircle WHERE pavorunNo=?1" +
                            (keyword.empty() ? "" : kKeywordFilter) + " ORDER BY id;";
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(connection_->Handle(), sql.c_str(), -1, &statement, nullptr);
    sqlite3_bind_int(statement, 1, event);
    if (!keyword.empty()) {
      sqlite3_bind_text(statement, 2, keyword.data(), static_cast<int>(keyword.size()),
                        SQLITE_STATIC);
    }
    model_.clear();
    model_.setColumnCount(kPlainTextColumns);
    int rows = 0;
    while (sqlite3_step(statement) == SQLITE_ROW) {
      QList<QStandardItem*> items;
      for (int column = 2; column < 2 + kPlainTextColumns; ++column) {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
        items.push_back(new QStandardItem(vx::QtText(text ? text : "")));
      }
      model_.appendRow(items);
      ++rows;
    }
    sqlite3_finalize(statement);
    view_.viewport()->repaint();
    return rows;
  }

 private:
  std::unique_ptr<vx::SqliteConnection> connection_;
  QStandardItemModel model_;
  QTableView view_;
};

struct Figures {
  std::vector<double> figure, yardstick;
  std::size_t rows = 0;
};
Figures g_search, g_all, g_scroll;

int ListedRows() {
  return ListBench::Get()
      .Window()
      .View()
      ->List(vx::CircleListView::kSearchResult)
      ->Model()
      .RowCount();
}

// From the search request to the filled list, against stock SQLite and a plain Qt table.
void TimeSearchIntoList(benchmark::State& state, const std::string& keyword, Figures& figures) {
  ListBench& bench = ListBench::Get();
  if (!bench.Ready()) {
    state.SkipWithError("the full-size sample disc could not be made or installed");
    return;
  }
  PlainTable plain(bench.Database());
  int plainRows = 0;
  for (auto _ : state) {
    Prepare(*bench.Controller().GetSearchCondition(), keyword);
    Clock::time_point start = Clock::now();
    bench.Controller().RequestSearch();
    bench.Window().View()->VisibleList()->viewport()->repaint();
    figures.figure.push_back(MillisecondsSince(start));
    start = Clock::now();
    plainRows = plain.Fill(bench.Database().GetEventNo(), keyword);
    figures.yardstick.push_back(MillisecondsSince(start));
    state.SetIterationTime(figures.figure.back() / 1000);
  }
  figures.rows = static_cast<std::size_t>(ListedRows());
  if (plainRows != ListedRows() || plainRows == 0) {
    state.SkipWithError(("the list shows " + std::to_string(ListedRows()) +
                         " rows, the plain table " + std::to_string(plainRows))
                            .c_str());
    return;
  }
  state.counters["rows"] = static_cast<double>(figures.rows);
  state.counters["list_ms"] = Median(figures.figure);
  state.counters["plain_ms"] = Median(figures.yardstick);
}

void BM_KeywordSearchIntoList(benchmark::State& state) {
  TimeSearchIntoList(state, vx::Sjis(kKeyword), g_search);
}
BENCHMARK(BM_KeywordSearchIntoList)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(20);

void BM_EveryCircleIntoList(benchmark::State& state) { TimeSearchIntoList(state, "", g_all); }
BENCHMARK(BM_EveryCircleIntoList)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(10);

// The same rows with a cut column that decodes the cut of every row it shows, as Qt does with
// pictures it is given as bytes; nothing kept from one paint to the next.
class PlainCutTable : public QAbstractTableModel {
 public:
  PlainCutTable(const vx::ListModel& rows, std::unordered_map<int, std::string> cuts)
      : rows_(rows), cuts_(std::move(cuts)) {}
  int rowCount(const QModelIndex&) const override { return rows_.RowCount(); }
  int columnCount(const QModelIndex&) const override { return rows_.ColumnCount(); }
  QVariant data(const QModelIndex& index, int role) const override {
    const vx::ListRow& row = rows_.Row(index.row());
    if (index.column() == cutColumn && role == Qt::DecorationRole) {
      const auto found = cuts_.find(row.record.cutNumber);
      if (found == cuts_.end()) return {};
      QImage cut;
      cut.loadFromData(reinterpret_cast<const uchar*>(found->second.data()),
                       static_cast<int>(found->second.size()), "PNG");
      return QIcon(QPixmap::fromImage(cut));
    }
    if (role != Qt::DisplayRole || index.column() == cutColumn) return {};
    return vx::QtText(row.cells[static_cast<std::size_t>(index.column())]);
  }
  int cutColumn = -1;

 private:
  const vx::ListModel& rows_;
  std::unordered_map<int, std::string> cuts_;
};

// The cut bytes of every listed circle, by update id, from the disc's low-resolution archives.
std::unordered_map<int, std::string> CutBytes(const vx::ListModel& rows) {
  std::unordered_map<int, std::string> cuts;
  auto low = vx::CutArchive::Open(vxbench::FullSampleDisc() / "V096CUTL.CCZ");
  auto fix = vx::CutArchive::Open(vxbench::FullSampleDisc() / "V096CUTLP.CCZ");
  if (!low) return cuts;
  for (int row = 0; row < rows.RowCount(); ++row) {
    const int number = rows.Row(row).record.cutNumber;
    char name[32];
    std::snprintf(name, sizeof name, "%06d.PNG", number);
    std::optional<std::string> bytes = fix ? fix->ReadEntry(name) : std::nullopt;
    if (!bytes) bytes = low->ReadEntry(name);
    if (bytes) cuts.emplace(number, std::move(*bytes));
  }
  return cuts;
}

// One page down and painted.
double ScrollOnePage(QTableView& list) {
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
  vx::ListControl& list = *bench.Window().View()->List(vx::CircleListView::kSearchResult);
  PlainCutTable model(list.Model(), CutBytes(list.Model()));
  model.cutColumn = bench.Window().View()->Columns().CutColumn();
  QTableView plain;
  plain.setModel(&model);
  plain.resize(list.size());
  plain.verticalHeader()->setDefaultSectionSize(list.RowHeight());
  plain.setColumnWidth(model.cutColumn, kCutColumnWidth);
  plain.setIconSize(QSize(kCutColumnWidth, list.RowHeight()));
  plain.show();
  QApplication::processEvents();
  for (auto _ : state) {
    g_scroll.figure.push_back(ScrollOnePage(list));
    g_scroll.yardstick.push_back(ScrollOnePage(plain));
    state.SetIterationTime(g_scroll.figure.back() / 1000);
  }
  g_scroll.rows = static_cast<std::size_t>(list.viewport()->height() / list.RowHeight());
  state.counters["rows_per_page"] = static_cast<double>(g_scroll.rows);
  state.counters["row_height"] = list.RowHeight();
  state.counters["list_ms"] = Median(g_scroll.figure);
  state.counters["plain_ms"] = Median(g_scroll.yardstick);
}
BENCHMARK(BM_ScrollPageWithCuts)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(60);

void PrintGoal(const std::string& what, const Figures& f, const std::string& yardstick,
               double goalMs) {
  const double figure = Median(f.figure);
  vxbench::PrintGoalLine(what, figure, yardstick, Median(f.yardstick),
                         "under " + std::to_string(static_cast<int>(goalMs)) + " ms",
                         figure > 0 && figure < goalMs);
}

}  // namespace

int main(int argc, char** argv) {
  return vxbench::RunOffscreen<QApplication>(argc, argv, [] {
    PrintGoal("search of " + std::to_string(g_search.rows) + " circles into the list", g_search,
              "stock SQLite into a plain Qt table", 200);
    PrintGoal("all " + std::to_string(g_all.rows) + " circles into the list", g_all,
              "stock SQLite into a plain Qt table", 300);
    PrintGoal("a page of " + std::to_string(g_scroll.rows) + " rows with cuts scrolled", g_scroll,
              "a plain Qt table decoding the shown cuts", 16);
    std::fflush(stdout);
    ListBench::Release();
  });
}
