// Loading a checklist as the user waits for it: the program itself (the application object, its
// controller and its five windows, all shown) on the full-size sample disc (33,332 circles),
// offscreen, timed from opening the file to the last window repainted: the read in its progress
// dialog, for another event's checklist the confirmation page answered OK as soon as it shows, the
// commit, the checklist applied to every window in its progress dialog, each window repainted.
//   - every circle of the event checked, in a checklist of the same event as the program saves it
//     (colours 1 to 9, every third circle with a memo): goal under 3 s;
//   - 3,000 circles of another event, matched by their texts with the default settings
//     (StrictLoad 0: a pen name that many circles share brings all of them): goal under 2 s.
//
// The yardstick, in the same run and on the same files, is what a careful programmer would write
// with stock SQLite and Qt: the file's records (split by the same record reader) put into a
// temporary table with one prepared statement in one transaction and indexed; the catalogue's
// circles matched against it by the same rule in one pass per rule; the matched circles' rows
// read; and a plain Qt table (QStandardItemModel in a QTableView of the list window's size) filled
// with as many rows as the checklist has entries, their names and memos, and repainted. Its matches
// must be the load's. The peak memory of the process during each load is reported beside it, with
// what it held before (goal under 300 MB for the program; the freed memory is handed back to the
// system before each load so that the yardstick's leftovers do not count). Each iteration times the
// load and the yardstick one after the other; figures are medians.
//
//   build/bench/ChecklistLoad_bench     (the disc is generated once into build/bench-data/)
#include "bench/BenchTiming.h"
#include "bench/FullSampleDisc.h"
#include "bench/OffscreenBenchmarks.h"

#include <QApplication>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QTimer>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <malloc.h>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "app/ApplicationCore.h"
#include "app/CatalogController.h"
#include "checklist/FavoriteStore.h"
#include "data/CsvReader.h"
#include "data/MyFile2.h"
#include "data/SqliteConnection.h"
#include "platform/CodePage.h"
#include "platform/qt/QtStrings.h"
#include "program/VindaxelApplication.h"
#include "tools/sample-disc/CatalogBuilder.h"
#include "tools/sample-disc/ChecklistWriter.h"
#include "ui/checklist/ChecklistWindow.h"
#include "ui/checklist/ImportConfirmDialog.h"
#include "ui/detail/DetailWindow.h"
#include "ui/list/ListWindow.h"
#include "ui/main/MainWindow.h"
#include "ui/map/HallMapWindow.h"

namespace {

namespace fs = std::filesystem;
namespace sd = vx::sampledisc;
using vxbench::Clock;
using vxbench::Median;
using vxbench::MillisecondsSince;

constexpr int kOtherEventEntries = 3000;
constexpr double kPeakGoalMb = 300;

// --- The files ----------------------------------------------------------------------------------

// Entry `i` of the other event's checklist, naming catalogue circle `c` in one of four ways:
// renamed since (found by Twitter or Pixiv), found by name and pen name, pen name changed (found
// only without strict matching), gone from the catalogue.
sd::ChecklistEntry OtherEventEntry(int i, sd::Circle c) {
  const std::string number = std::to_string(i);
  switch (i % 4) {
    case 0:
      c.name = c.kana = c.penName = vx::Sjis("前回の名前") + number;
      break;
    case 1:
      c.twitter.clear();
      c.pixiv.clear();
      break;
    case 2:
      c.twitter.clear();
      c.pixiv.clear();
      c.penName = vx::Sjis("別の人");
      break;
    default:
      c.name = c.kana = vx::Sjis("消えたサークル") + number;
      c.twitter = "gone" + number;
      c.pixiv.clear();
      break;
  }
  c.updateId = 500000 + i;
  sd::ChecklistEntry entry;
  entry.circle = std::move(c);
  entry.colour = 1 + i % 9;
  entry.memo = vx::Sjis("メモ") + number;
  return entry;
}

void WriteOtherEventChecklist(const fs::path& file) {
  sd::SampleOptions options;
  options.size = sd::CatalogSize::kFull;
  const sd::Catalog sample = sd::BuildCatalog(options);
  std::vector<sd::ChecklistEntry> entries;
  const std::size_t stride = sample.circles.size() / kOtherEventEntries;
  for (int i = 0; i < kOtherEventEntries; ++i) {
    entries.push_back(OtherEventEntry(i, sample.circles[static_cast<std::size_t>(i) * stride]));
  }
  std::ofstream(file, std::ios::binary)
      << sd::CurrentChecklistText(sample, entries, sample.event - 1, "Shift_JIS");
}

// Every circle checked through the controller and saved as the program saves it.
bool WriteSameEventChecklist(vx::CatalogController& controller, const fs::path& file) {
  vx::FavoriteStore& store = *controller.GetFavoriteStore();
  store.Purge(true);
  std::vector<std::vector<int>> byColor(9);
  const int circles = controller.GetDatabase()->GetMaxCircleId();
  for (int id = 1; id <= circles; ++id) byColor[static_cast<std::size_t>(id % 9)].push_back(id);
  for (int color = 1; color <= 9; ++color) {
    store.SetColorMany(byColor[static_cast<std::size_t>(color - 1)], color);
  }
  for (int id = 3; id <= circles; id += 3) store.SetMemo(id, vx::Sjis("メモ") + std::to_string(id));
  const bool saved = !store.Save(file);
  store.Purge(true);
  return saved;
}

// --- The program --------------------------------------------------------------------------------

// A profile with the disc's database and, through a link, its image data; the user data in the
// same folder, as the sample profile has it.
fs::path MakeProfile() {
  const fs::path profile = vxbench::BenchDataFolder() / "checklist-load";
  fs::create_directories(profile);
  std::ofstream(profile / "settings.ini", std::ios::binary) << "[Settings]\r\nUserData=exepath\r\n";
  fs::remove(profile / "vindaxel.ini");
  if (vxbench::InstallFullSampleDisc(profile / "vindaxel96.db") != 1) return {};
  std::error_code ignored;
  fs::remove(profile / "VQ96", ignored);
  fs::create_directory_symlink(vxbench::FullSampleDisc(), profile / "VQ96", ignored);
  return ignored ? fs::path() : profile;
}

// OK on every import confirmation page as soon as it shows; the time of the last click and the
// catalogue circles the page registers.
class ConfirmationAnswerer : public QObject {
 public:
  explicit ConfirmationAnswerer(std::function<std::size_t()> registered)
      : registered_(std::move(registered)) {
    qApp->installEventFilter(this);
  }
  ~ConfirmationAnswerer() override { qApp->removeEventFilter(this); }
  Clock::time_point answeredAt;
  std::size_t registeredRows = 0;

  bool eventFilter(QObject* object, QEvent* event) override {
    auto* page = qobject_cast<vx::ImportConfirmDialog*>(object);
    if (page && event->type() == QEvent::Show) {
      QTimer::singleShot(0, page, [this, page] {
        registeredRows = registered_();
        answeredAt = Clock::now();
        page->OkButton()->click();
      });
    }
    return false;
  }

 private:
  std::function<std::size_t()> registered_;
};

// The import rows that register a catalogue circle.
std::size_t RegisteredRows(const vx::FavoriteStore& store) {
  std::size_t count = 0;
  for (const vx::FavoriteImportRecord& row : store.GetImportRecords()) {
    if (row.action == vx::kImportRegister && row.circleId > 0) ++count;
  }
  return count;
}

class ProgramBench {
 public:
  static ProgramBench& Get() {
    if (!instance_) instance_.reset(new ProgramBench);
    return *instance_;
  }
  static void Release() { instance_.reset(); }

  bool Ready() const { return ready_; }
  vx::CatalogController& Controller() { return *program_->GetCore()->Controller(); }
  const fs::path& SameEventFile() const { return sameEvent_; }
  const fs::path& OtherEventFile() const { return otherEvent_; }
  QSize ListSize() const { return program_->GetListWindow()->size(); }
  Clock::time_point AnsweredAt() const { return answerer_.answeredAt; }
  // The circles the last confirmation page registered.
  std::size_t ConfirmedRows() const { return answerer_.registeredRows; }

  // An empty checklist, shown so in every window.
  void StartEmpty() {
    Controller().NewChecklist(true);
    QApplication::processEvents();
  }

  // From opening the file to the last window repainted; false when the load failed.
  bool Load(const fs::path& file) {
    if (Controller().LoadChecklist(file, false) != 1) return false;
    QApplication::processEvents();
    for (QWidget* window : Windows()) window->repaint();
    return true;
  }

 private:
  ProgramBench() {
    const fs::path profile = MakeProfile();
    if (profile.empty()) return;
    sameEvent_ = profile / "same-event.csv";
    otherEvent_ = profile / "other-event.csv";
    ::setenv("VINDAXEL_PROGRAM_DIR", profile.c_str(), 1);
    program_ = std::make_unique<vx::VindaxelApplication>(std::vector<std::string>{});
    if (!program_->Start()) return;
    vx::CatalogController& controller = Controller();
    controller.ShowRegisteredWindow(program_->GetMapWindow());
    controller.ShowRegisteredWindow(program_->GetListWindow());
    QApplication::processEvents();
    WriteOtherEventChecklist(otherEvent_);
    ready_ = WriteSameEventChecklist(controller, sameEvent_);
  }

  std::vector<QWidget*> Windows() const {
    return {program_->GetMainWindow(), program_->GetChecklistWindow(), program_->GetDetailWindow(),
            program_->GetMapWindow(), program_->GetListWindow()};
  }

  std::unique_ptr<vx::VindaxelApplication> program_;
  ConfirmationAnswerer answerer_{
      [this] { return RegisteredRows(*Controller().GetFavoriteStore()); }};
  fs::path sameEvent_, otherEvent_;
  bool ready_ = false;
  static std::unique_ptr<ProgramBench> instance_;
};

std::unique_ptr<ProgramBench> ProgramBench::instance_;

// The process's resident memory now, and at its peak since the last reset, in MB.
double StatusMb(const char* key) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind(key, 0) == 0) return std::atof(line.c_str() + std::strlen(key)) / 1024;
  }
  return 0;
}

// Freed memory back to the system, then the peak starts again from what is held now; false where
// the kernel cannot reset the peak.
bool ResetPeakMemory() {
  malloc_trim(0);
  return static_cast<bool>(std::ofstream("/proc/self/clear_refs") << "5");
}

// --- The yardstick -------------------------------------------------------------------------------

constexpr const char* kFileTable =
    "CREATE TEMP TABLE f(rec INTEGER PRIMARY KEY, serial INTEGER, colour INTEGER, name, kana, pen, "
    "book, url, mail, description, memo, updateData, orbalink, rss, rssInfo, twitter, pixiv);";
constexpr const char* kFileInsert =
    "INSERT INTO f VALUES(?1,?2,?3,?4,?5,?6,?7,?8,?9,?10,?11,?12,?13,?14,?15,?16,?17);";
constexpr const char* kFileIndexes[] = {
    "CREATE INDEX temp.f_serial ON f(serial);", "CREATE INDEX temp.f_twitter ON f(twitter);",
    "CREATE INDEX temp.f_pixiv ON f(pixiv);",   "CREATE INDEX temp.f_name ON f(name);",
    "CREATE INDEX temp.f_kana ON f(kana);",     "CREATE INDEX temp.f_pen ON f(pen);",
};
constexpr const char* kMatchTable = "CREATE TEMP TABLE m(rec INTEGER, id INTEGER);";
constexpr const char* kMatchIndex = "CREATE INDEX temp.m_rec ON m(rec);";

// The rule, stage by stage, each for the records the stages before found nothing for; the
// catalogue is walked once per stage and each of its circles looked up in the file's indexes.
constexpr const char* kSameEventMatch =
    "INSERT INTO m SELECT f.rec, c.id FROM PavorunCircle c JOIN f ON f.serial=c.updateId "
    "WHERE c.pavorunNo=%d;";
constexpr const char* kTextStages[] = {
    "SELECT f.rec, c.id FROM PavorunCircle c JOIN f ON f.twitter=c.twitter WHERE c.pavorunNo=%d "
    "AND c.twitter<>''",
    "SELECT f.rec, c.id FROM PavorunCircle c JOIN f ON f.pixiv=c.pixiv WHERE c.pavorunNo=%d AND "
    "c.pixiv<>''",
    "SELECT f.rec, c.id FROM PavorunCircle c JOIN f ON f.name=c.circleName WHERE c.pavorunNo=%d "
    "AND (f.pen='' OR c.penName=f.pen) UNION SELECT f.rec, c.id FROM PavorunCircle c JOIN f ON "
    "f.kana=c.circleKana WHERE c.pavorunNo=%d AND f.kana<>'' AND (f.pen='' OR c.penName=f.pen)",
    "SELECT f.rec, c.id FROM PavorunCircle c JOIN f ON f.name=c.circleName WHERE c.pavorunNo=%d "
    "UNION SELECT f.rec, c.id FROM PavorunCircle c JOIN f ON f.kana=c.circleKana WHERE "
    "c.pavorunNo=%d AND f.kana<>'' UNION SELECT f.rec, c.id FROM PavorunCircle c JOIN f ON "
    "f.pen=c.penName WHERE c.pavorunNo=%d AND f.pen<>''",
};
constexpr const char* kStageInsert =
    "INSERT INTO m SELECT rec, id FROM (%s) WHERE rec NOT IN (SELECT rec FROM m);";
constexpr const char* kMatchedRows =
    "SELECT c.id, c.circleName, c.penName, f.colour, f.memo FROM m JOIN f ON f.rec=m.rec JOIN "
    "PavorunCircle c ON c.pavorunNo=%d AND c.id=m.id ORDER BY m.rec, m.id;";

std::string FormatEvent(const char* format, int event) {
  std::vector<char> text(std::string(format).size() + 64);
  std::snprintf(text.data(), text.size(), format, event, event, event);
  return text.data();
}

class StockSqlite {
 public:
  explicit StockSqlite(sqlite3* db) : db_(db) {}
  void Exec(const std::string& sql) { sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr); }
  sqlite3* Handle() const { return db_; }

 private:
  sqlite3* db_;
};

// The file's Circle records into the table: one prepared statement, one transaction.
void FillFileTable(StockSqlite& sql, const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(in)), {});
  vx::MyFile2 source(text);
  vx::CsvReader reader(&source, ',');
  sqlite3_stmt* insert = nullptr;
  sqlite3_prepare_v2(sql.Handle(), kFileInsert, -1, &insert, nullptr);
  sql.Exec("BEGIN;");
  for (int rec = 0; reader.ReadRecord(); ++rec) {
    if (reader.GetField(0) != "Circle") continue;
    const int tail = reader.FieldCount() > 29 ? 23 : 22;  // as the program reads the record
    sqlite3_bind_int(insert, 1, rec);
    sqlite3_bind_int(insert, 2, reader.GetFieldInt(1));
    sqlite3_bind_int(insert, 3, reader.GetFieldInt(2));
    int parameter = 4;
    for (const int field :
         {10, 11, 12, 13, 14, 15, 16, 17, tail, tail + 1, tail + 2, tail + 3, tail + 4, tail + 5}) {
      const std::string value = reader.GetField(field);
      sqlite3_bind_text(insert, parameter++, value.data(), static_cast<int>(value.size()),
                        SQLITE_TRANSIENT);
    }
    sqlite3_step(insert);
    sqlite3_reset(insert);
  }
  sql.Exec("COMMIT;");
  sqlite3_finalize(insert);
}

struct Matched {
  int id = 0;
  QString name, penName, memo;
  int colour = 0;
};

// The rows the matching found, in file order: what the table shows.
std::vector<Matched> MatchWithStockSqlite(vx::PavorunDatabase& db, const fs::path& file,
                                          bool sameEvent) {
  const std::unique_ptr<vx::SqliteConnection> connection = db.OpenConnection(nullptr);
  StockSqlite sql(connection->Handle());
  sql.Exec(kFileTable);
  sql.Exec(kMatchTable);
  FillFileTable(sql, file);
  for (const char* index : kFileIndexes) sql.Exec(index);
  sql.Exec(kMatchIndex);
  const int event = db.GetEventNo();
  if (sameEvent) {
    sql.Exec(FormatEvent(kSameEventMatch, event));
  } else {
    for (const char* stage : kTextStages) {
      const std::string select = FormatEvent(stage, event);
      std::vector<char> insert(select.size() + 128);
      std::snprintf(insert.data(), insert.size(), kStageInsert, select.c_str());
      sql.Exec(insert.data());
    }
  }
  std::vector<Matched> rows;
  sqlite3_stmt* read = nullptr;
  sqlite3_prepare_v2(sql.Handle(), FormatEvent(kMatchedRows, event).c_str(), -1, &read, nullptr);
  const auto text = [read](int column) {
    return vx::QtText(reinterpret_cast<const char*>(sqlite3_column_text(read, column)));
  };
  while (sqlite3_step(read) == SQLITE_ROW) {
    rows.push_back(
        {sqlite3_column_int(read, 0), text(1), text(2), text(4), sqlite3_column_int(read, 3)});
  }
  sqlite3_finalize(read);
  return rows;
}

// A plain Qt table of the list window's size with a row per entry.
void FillPlainTable(const std::vector<Matched>& rows, int entries, QSize size) {
  QStandardItemModel model(entries, 4);
  for (int row = 0; row < entries && row < static_cast<int>(rows.size()); ++row) {
    const Matched& m = rows[static_cast<std::size_t>(row)];
    model.setItem(row, 0, new QStandardItem(QString::number(m.colour)));
    model.setItem(row, 1, new QStandardItem(m.name));
    model.setItem(row, 2, new QStandardItem(m.penName));
    model.setItem(row, 3, new QStandardItem(m.memo));
  }
  QTableView view;
  view.setModel(&model);
  view.resize(size);
  view.show();
  QApplication::processEvents();
  view.repaint();
}

// --- The benchmarks ------------------------------------------------------------------------------

struct Figures {
  std::vector<double> load, afterOk, yardstick, beforeMb, peakMb;
  int entries = 0;
  std::size_t matched = 0;
};
std::map<bool, Figures> g_figures;  // by same event

void TimeLoad(benchmark::State& state, bool sameEvent) {
  ProgramBench& bench = ProgramBench::Get();
  if (!bench.Ready()) {
    state.SkipWithError("the full-size sample disc or the program could not be set up");
    return;
  }
  const fs::path& file = sameEvent ? bench.SameEventFile() : bench.OtherEventFile();
  vx::CatalogController& controller = bench.Controller();
  Figures& figures = g_figures[sameEvent];
  for (auto _ : state) {
    bench.StartEmpty();
    ResetPeakMemory();
    figures.beforeMb.push_back(StatusMb("VmRSS:"));
    const Clock::time_point start = Clock::now();
    if (!bench.Load(file)) {
      state.SkipWithError("the load failed");
      return;
    }
    const Clock::time_point end = Clock::now();
    figures.load.push_back(MillisecondsSince(start));
    figures.afterOk.push_back(
        sameEvent ? figures.load.back()
                  : std::chrono::duration<double, std::milli>(end - bench.AnsweredAt()).count());
    figures.peakMb.push_back(StatusMb("VmHWM:"));
    figures.entries = controller.GetFavoriteStore()->GetEntryCount();
    // Every record of the same event names one circle; the page shows another event's matches.
    const std::size_t registered =
        sameEvent ? static_cast<std::size_t>(figures.entries) : bench.ConfirmedRows();
    const Clock::time_point yardstickStart = Clock::now();
    const std::vector<Matched> rows =
        MatchWithStockSqlite(*controller.GetDatabase(), file, sameEvent);
    FillPlainTable(rows, figures.entries, bench.ListSize());
    figures.yardstick.push_back(MillisecondsSince(yardstickStart));
    figures.matched = rows.size();
    if (rows.size() != registered) {
      state.SkipWithError(("the load registered " + std::to_string(registered) +
                           " circles, stock SQLite matched " + std::to_string(rows.size()))
                              .c_str());
      return;
    }
    state.SetIterationTime(figures.load.back() / 1000);
  }
  state.counters["entries"] = figures.entries;
  state.counters["matched"] = static_cast<double>(figures.matched);
  state.counters["load_ms"] = Median(figures.load);
  state.counters["after_ok_ms"] = Median(figures.afterOk);
  state.counters["yardstick_ms"] = Median(figures.yardstick);
  state.counters["before_MB"] = Median(figures.beforeMb);
  state.counters["peak_MB"] = Median(figures.peakMb);
}

void BM_LoadChecklistOfTheSameEvent(benchmark::State& state) { TimeLoad(state, true); }
void BM_LoadChecklistOfAnotherEvent(benchmark::State& state) { TimeLoad(state, false); }
BENCHMARK(BM_LoadChecklistOfTheSameEvent)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(5);
BENCHMARK(BM_LoadChecklistOfAnotherEvent)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(5);

void PrintFigures(bool sameEvent, const char* what, double goalMs) {
  const Figures& f = g_figures[sameEvent];
  const double load = Median(f.load);
  const double peak = Median(f.peakMb);
  std::printf("%s: peak memory during the load %.0f MB, %.0f MB before it (goal under %.0f MB: %s)",
              what, peak, Median(f.beforeMb), kPeakGoalMb,
              peak > 0 && peak < kPeakGoalMb ? "met" : "NOT met");
  if (!sameEvent) std::printf(", from OK on the confirmation page %.1f ms", Median(f.afterOk));
  std::printf("\n");
  vxbench::PrintGoalLine(
      what + std::string(", open to every window repainted (median)"), load,
      "stock SQLite matching the same rows plus a plain Qt table as long", Median(f.yardstick),
      "under " + std::to_string(static_cast<int>(goalMs)) + " ms", load > 0 && load < goalMs);
}

}  // namespace

int main(int argc, char** argv) {
  return vxbench::RunOffscreen<QApplication>(argc, argv, [] {
    PrintFigures(true, "checklist of every circle of the same event", 3000);
    PrintFigures(false, "3,000-entry checklist of another event, StrictLoad 0", 2000);
    std::fflush(stdout);
    ProgramBench::Release();
  });
}
