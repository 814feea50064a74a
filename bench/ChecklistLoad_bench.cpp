// Loading a 3,000-entry checklist of another event, whose circles must be found by their texts,
// against the full-size sample catalogue (about 33,000 circles, from the sample disc generator's
// model, written straight into a scrambled database). Goal: under 1 s a load.
//
// The checklist, written by the generator's checklist writer, mixes circles renamed since (found
// by Twitter or Pixiv, or not at all), circles found by name and pen name, circles whose pen name
// changed (found only without strict matching) and circles the catalogue does not have.
#include "checklist/FavoriteStore.h"
#include "data/PavorunDatabase.h"
#include "platform/CodePage.h"
#include "tools/sample-disc/CatalogBuilder.h"
#include "tools/sample-disc/ChecklistWriter.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
namespace sd = vx::sampledisc;

constexpr int kEntryCount = 3000;

vx::CircleRecord ToRecord(const sd::Circle& c) {
  vx::CircleRecord r;
  r.id = c.id;
  r.pageNo = c.pageNo;
  r.cutIndex = c.cutIndex;
  r.day = c.day;
  r.blockId = c.blockId;
  r.spaceNo = c.spaceNo;
  r.spaceNoSub = c.spaceNoSub;
  r.genreId = c.genreId;
  r.circleName = c.name;
  r.circleKana = c.kana;
  r.penName = c.penName;
  r.bookName = c.bookName;
  r.url = c.url;
  r.mailAddr = c.mail;
  r.description = c.description;
  r.updateId = c.updateId;
  r.updateData = c.updateData;
  r.orbalink = c.orbalink;
  r.rss = c.rss;
  r.twitter = c.twitter;
  r.pixiv = c.pixiv;
  return r;
}

void Check(int rc, const vx::PavorunDatabase& db) {
  if (rc != 0) throw std::runtime_error("building the catalogue failed: " + db.LastError());
}

void InstallCatalogue(const sd::Catalog& sample, vx::PavorunDatabase& db) {
  db.SetEventNo(sample.event);
  Check(db.ClearEventTables(), db);
  Check(db.BeginTransaction(), db);
  for (const sd::EventDay& d : sample.days) {
    Check(db.DateMaster().InsertRow(d.id, d.year, d.month, d.day, d.weekday), db);
  }
  for (const sd::Genre& g : sample.genres) {
    Check(db.GenreMaster().InsertRow(g.id, g.name, g.code), db);
  }
  for (const sd::Block& b : sample.blocks) {
    Check(db.BlockMaster().InsertRow(b.id, b.name, b.areaId), db);
  }
  for (const sd::Circle& c : sample.circles) Check(db.CircleTable().InsertRow(ToRecord(c)), db);
  Check(db.Commit(), db);
  db.SelectEvent(sample.event);
}

// Entry `i` of the other event's checklist, naming catalogue circle `c` in one of four ways.
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

// The catalogue and the checklist file, made once for every run and removed at exit.
class BenchData {
 public:
  static BenchData& Get() {
    static BenchData data;
    return data;
  }
  ~BenchData() {
    database_.reset();
    std::error_code ec;
    fs::remove_all(folder_, ec);
  }
  vx::PavorunDatabase& Database() { return *database_; }
  const fs::path& Checklist() const { return checklist_; }

 private:
  BenchData() : folder_(MakeFolder()) {
    database_ = std::make_unique<vx::PavorunDatabase>(folder_);
    if (!database_->IsOpen()) throw std::runtime_error("cannot open " + folder_.string());
    sd::SampleOptions options;
    options.size = sd::CatalogSize::kFull;
    const sd::Catalog sample = sd::BuildCatalog(options);
    InstallCatalogue(sample, *database_);
    std::vector<sd::ChecklistEntry> entries;
    const std::size_t stride = sample.circles.size() / kEntryCount;
    for (int i = 0; i < kEntryCount; ++i) {
      entries.push_back(OtherEventEntry(i, sample.circles[static_cast<std::size_t>(i) * stride]));
    }
    checklist_ = folder_ / "other-event.csv";
    std::ofstream(checklist_, std::ios::binary)
        << sd::CurrentChecklistText(sample, entries, sample.event - 1, "Shift_JIS");
  }

  static fs::path MakeFolder() {
    std::string pattern = (fs::temp_directory_path() / "vx-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    return pattern;
  }

  fs::path folder_;
  std::unique_ptr<vx::PavorunDatabase> database_;
  fs::path checklist_;
};

void BM_LoadChecklistOfAnotherEvent(benchmark::State& state) {
  vx::FavoriteStore store(BenchData::Get().Database());
  store.SetStrictMatch(state.range(0) != 0);
  for (auto _ : state) {
    benchmark::DoNotOptimize(store.LoadFile(BenchData::Get().Checklist(), false, true));
  }
  if (store.ReadStatus() != vx::kReadDone) state.SkipWithError("the checklist did not read");
  int registered = 0;
  for (const vx::FavoriteImportRecord& row : store.ImportRecords()) {
    if (row.action == vx::kImportRegister) ++registered;
  }
  state.counters["rows"] = static_cast<double>(store.ImportRecords().size());
  state.counters["candidates"] = registered;
}
BENCHMARK(BM_LoadChecklistOfAnotherEvent)
    ->ArgName("strict")
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
