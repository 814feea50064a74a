// Loading a 3,000-entry checklist of another event, whose circles must be found by their texts,
// against a catalogue of the full size (33,000 circles). Goal: under 1 s a load.
//
// The catalogue is built here: names, kana and pen names unique per circle, three in five with a
// Twitter id, half with a Pixiv id. The checklist mixes circles found by Twitter or Pixiv under a
// new name, found by name and pen name, found only by name (no candidate under strict matching)
// and circles the catalogue does not have.
#include "checklist/FavoriteStore.h"
#include "data/PavorunDatabase.h"
#include "platform/CodePage.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

namespace {

namespace fs = std::filesystem;

constexpr int kEvent = 96;
constexpr int kCircleCount = 33000;
constexpr int kEntryCount = 3000;
constexpr int kEntryStride = kCircleCount / kEntryCount;

std::string Number(int n) { return std::to_string(100000 + n).substr(1); }

vx::CircleRecord BenchCircle(int id) {
  vx::CircleRecord r;
  r.id = id;
  r.pageNo = 1 + (id - 1) / 36;
  r.cutIndex = 1 + (id - 1) % 36;
  r.day = 1 + id % 3;
  r.blockId = 1 + id % 40;
  r.spaceNo = 1 + id % 60;
  r.spaceNoSub = id % 2;
  r.genreId = 1 + id % 10;
  r.circleName = vx::Sjis("サークル") + Number(id);
  r.circleKana = vx::Sjis("サークル") + Number(id);
  r.penName = vx::Sjis("作家") + Number(id);
  r.bookName = vx::Sjis("新刊") + Number(id);
  r.description = vx::Sjis("説明文です。") + Number(id);
  r.url = "https://circle" + Number(id) + ".example/";
  r.twitter = id % 5 < 3 ? "tw" + Number(id) : "";
  r.pixiv = id % 2 == 0 ? Number(id) : "";
  r.updateId = 200000 + id;
  return r;
}

void Check(int rc, const vx::PavorunDatabase& db) {
  if (rc != 0) throw std::runtime_error("catalogue: " + db.LastError());
}

void BuildCatalogue(vx::PavorunDatabase& db) {
  db.SetEventNo(kEvent);
  Check(db.ClearEventTables(), db);
  Check(db.BeginTransaction(), db);
  vx::EventInfo info;
  info.pavorunName = "bench";
  Check(db.InfoTable().InsertRow(info), db);
  for (int d = 1; d <= 3; ++d) Check(db.DateMaster().InsertRow(d, 2020, 8, 14 + d, 5 + d), db);
  for (int g = 1; g <= 10; ++g) {
    Check(db.GenreMaster().InsertRow(g, vx::Sjis("ジャンル") + std::to_string(g), g * 100), db);
  }
  for (int id = 1; id <= kCircleCount; ++id) Check(db.CircleTable().InsertRow(BenchCircle(id)), db);
  Check(db.Commit(), db);
  db.SelectEvent(kEvent);
}

// One Circle record of the other event (95) naming catalogue circle `id` in one of four ways.
std::string EntryRecord(int entry, int id) {
  vx::CircleRecord r = BenchCircle(id);
  switch (entry % 4) {
    case 0:  // renamed since: only Twitter or Pixiv can find it
      r.circleName = r.circleKana = r.penName = vx::Sjis("前回の名前") + Number(id);
      break;
    case 1:  // found by name and pen name
      r.twitter.clear();
      r.pixiv.clear();
      break;
    case 2:  // the pen name changed: nothing under strict matching
      r.twitter.clear();
      r.pixiv.clear();
      r.penName = vx::Sjis("別の人");
      break;
    default:  // not in the catalogue at all
      r.circleName = r.circleKana = vx::Sjis("消えたサークル") + Number(id);
      r.twitter = "gone" + Number(id);
      r.pixiv.clear();
      break;
  }
  std::string line = "Circle," + std::to_string(500000 + entry) + ",1,,,,,,,0,";
  for (const std::string* text : {&r.circleName, &r.circleKana, &r.penName, &r.bookName, &r.url,
                                  &r.mailAddr, &r.description}) {
    line += *text + ",";
  }
  line += vx::Sjis("メモ") + Number(entry) + ",0,0,0,0,,,,," + r.twitter + "," + r.pixiv + ",\r\n";
  return line;
}

std::string ChecklistText() {
  std::string text = "Header,VellastradeCD-ROMCatalog,Vellastrade95,Shift_JIS,Windows 1.96.1\r\n";
  for (int entry = 0; entry < kEntryCount; ++entry) {
    text += EntryRecord(entry, 1 + entry * kEntryStride);
  }
  return text;
}

// The catalogue and the checklist file, made once for every run and removed at exit.
struct BenchData {
  BenchData() {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/vxbench-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    folder = pattern;
    database = std::make_unique<vx::PavorunDatabase>(folder);
    BuildCatalogue(*database);
    checklist = folder / "other-event.csv";
    std::ofstream(checklist, std::ios::binary) << ChecklistText();
  }
  ~BenchData() {
    database.reset();
    std::error_code ec;
    fs::remove_all(folder, ec);
  }

  fs::path folder;
  std::unique_ptr<vx::PavorunDatabase> database;
  fs::path checklist;
};

BenchData& Data() {
  static BenchData data;
  return data;
}

void BM_LoadChecklistOfAnotherEvent(benchmark::State& state) {
  vx::FavoriteStore store(*Data().database);
  store.SetStrictMatch(state.range(0) != 0);
  std::size_t rows = 0;
  for (auto _ : state) {
    const bool sameEvent = store.LoadFile(Data().checklist, false, true);
    benchmark::DoNotOptimize(sameEvent);
    rows = store.ImportRecords().size();
  }
  if (store.ReadStatus() != vx::kReadDone) state.SkipWithError("the checklist did not read");
  state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK(BM_LoadChecklistOfAnotherEvent)
    ->ArgName("strict")
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond);

}  // namespace
