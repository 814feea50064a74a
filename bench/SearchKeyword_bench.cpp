// A normalised one-word keyword search over the full-size sample catalogue (about 33,000 circles,
// from the sample disc generator's model, written straight into a scrambled database), rows
// delivered to a callback, against the same statement with SQLite's instr() on the unfolded
// columns. Counters: search_ms and instr_ms per run, their ratio, and the rows each found.
#include "data/CircleMemoLookup.h"
#include "data/PavorunDatabase.h"
#include "data/SearchCondition.h"
#include "platform/CodePage.h"
#include "tools/sample-disc/CatalogBuilder.h"
#include "tools/sample-disc/SampleRandom.h"
#include "tools/sample-disc/WordLists.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <unordered_map>
#include <vector>

namespace {

constexpr int kCheckedCircles = 400;
constexpr const char* kKeyword = "ねこ";

// The statement the search builds for the default fields, with instr() on the raw columns.
constexpr const char* kInstrFormat =
    "SELECT PavorunCircle.id,pageNo,cutIndex,day,blockId,spaceNo,spaceNoSub,genreId,circleName,"
    "circleKana,penName,bookName,url,mailAddr,description,updateId,updateData,orbalink,rss,"
    "updateFlag,twitter,pixiv   FROM PavorunCircle WHERE  PavorunCircle.pavorunNo=%d  AND "
    "(instr(circleName||circleKana||penName||bookName||description||updateData||"
    "getMemo(PavorunCircle.id),%Q)>0) ORDER by PavorunCircle.id;";

class MemoStore : public vx::CircleMemoLookup {
 public:
  void Add(int id, const std::string& memo) {
    vx::CircleRecord& record = records_[id];
    record.id = id;
    record.memo = memo;
  }
  const vx::CircleRecord* FindCircle(int circleId) const override {
    const auto found = records_.find(circleId);
    return found == records_.end() ? nullptr : &found->second;
  }

 private:
  std::unordered_map<int, vx::CircleRecord> records_;
};

// The full-size sample event in a scrambled database file in a folder of its own, with a
// checklist of a few hundred circles with memos.
class Catalogue {
 public:
  static Catalogue& Get() {
    static Catalogue catalogue;
    return catalogue;
  }
  ~Catalogue() {
    db_.reset();
    std::error_code ec;
    std::filesystem::remove_all(folder_, ec);
  }
  vx::PavorunDatabase& Database() { return *db_; }

 private:
  Catalogue() : folder_(MakeFolder()), db_(std::make_unique<vx::PavorunDatabase>(folder_)) {
    if (!db_->IsOpen()) throw std::runtime_error("cannot open " + folder_.string());
    vx::sampledisc::SampleOptions options;
    options.size = vx::sampledisc::CatalogSize::kFull;
    const vx::sampledisc::Catalog sample = vx::sampledisc::BuildCatalog(options);
    db_->SetEventNo(sample.event);
    Check(db_->ClearEventTables());
    Check(db_->BeginTransaction());
    InsertMasters(sample);
    for (const vx::sampledisc::Circle& circle : sample.circles) InsertCircle(circle);
    Check(db_->Commit());
    db_->SelectEvent(sample.event);
    CheckSomeCircles(static_cast<int>(sample.circles.size()));
    db_->SetFavoriteStore(&store_);
  }

  static std::filesystem::path MakeFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vx-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    return pattern;
  }

  void Check(int rc) {
    if (rc != 0) throw std::runtime_error("building the catalogue failed: " + db_->LastError());
  }

  void InsertMasters(const vx::sampledisc::Catalog& sample) {
    for (const vx::sampledisc::EventDay& d : sample.days) {
      Check(db_->DateMaster().InsertRow(d.id, d.year, d.month, d.day, d.weekday));
    }
    for (const vx::sampledisc::Genre& g : sample.genres) {
      Check(db_->GenreMaster().InsertRow(g.id, g.name, g.code));
    }
    for (const vx::sampledisc::Block& b : sample.blocks) {
      Check(db_->BlockMaster().InsertRow(b.id, b.name, b.areaId));
    }
  }

  void InsertCircle(const vx::sampledisc::Circle& c) {
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
    Check(db_->CircleTable().InsertRow(r));
  }

  void CheckSomeCircles(int circleCount) {
    vx::sampledisc::SampleRandom random(7);
    const std::vector<std::string>& memos = vx::sampledisc::MemoTexts();
    for (int i = 0; i < kCheckedCircles; ++i) {
      store_.Add(random.Between(1, circleCount), vx::Sjis(random.Pick(memos)));
    }
  }

  std::filesystem::path folder_;
  std::unique_ptr<vx::PavorunDatabase> db_;
  MemoStore store_;
};

struct Rows {
  std::vector<int> ids;
};

void KeepRow(void* context, const vx::CircleRecord& record) {
  static_cast<Rows*>(context)->ids.push_back(record.id);
}

// The search's own row handling, for the baseline statement.
struct BaselineRun {
  vx::PavorunDatabase* db;
  vx::CircleRecord row;
  Rows rows;
};

int DeliverBaselineRow(void* context, int columnCount, char** columns, char**) {
  auto* run = static_cast<BaselineRun*>(context);
  run->row.FillFromRow(columnCount, columns);
  run->db->SetRecordGenreName(run->row);
  const vx::CircleMemoLookup* store = run->db->GetFavoriteStore();
  const vx::CircleRecord* kept = store != nullptr ? store->FindCircle(run->row.id) : nullptr;
  KeepRow(&run->rows, kept != nullptr ? *kept : run->row);
  return 0;
}

std::size_t RunBaseline(vx::PavorunDatabase& db, const std::string& keyword) {
  BaselineRun run{&db, {}, {}};
  db.ExecPrintfOnNewConnection(DeliverBaselineRow, &run, kInstrFormat, db.GetEventNo(),
                               keyword.c_str());
  return run.rows.ids.size();
}

void PrepareKeywordSearch(vx::SearchCondition& search) {
  search.SetKeywordFields(vx::SearchCondition::DefaultKeywordFields());
  search.SetMatchAll(true);
  search.SetNormalizedMatch(true);
  search.SetKeywords(vx::Sjis(kKeyword));
}

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

void BM_NormalizedKeywordSearch(benchmark::State& state) {
  vx::PavorunDatabase& db = Catalogue::Get().Database();
  vx::SearchCondition search(db);
  PrepareKeywordSearch(search);
  const std::string keyword = vx::Sjis(kKeyword);
  double searchSeconds = 0;
  double instrSeconds = 0;
  std::size_t found = 0;
  std::size_t instrFound = 0;
  for (auto _ : state) {
    const Clock::time_point start = Clock::now();
    Rows rows;
    search.Run(KeepRow, &rows);
    searchSeconds += SecondsSince(start);
    found = rows.ids.size();
    state.PauseTiming();
    const Clock::time_point baselineStart = Clock::now();
    instrFound = RunBaseline(db, keyword);
    instrSeconds += SecondsSince(baselineStart);
    state.ResumeTiming();
  }
  const double runs = static_cast<double>(state.iterations());
  state.counters["search_ms"] = searchSeconds * 1000 / runs;
  state.counters["instr_ms"] = instrSeconds * 1000 / runs;
  state.counters["ratio"] = instrSeconds > 0 ? searchSeconds / instrSeconds : 0;
  state.counters["rows"] = static_cast<double>(found);
  state.counters["instr_rows"] = static_cast<double>(instrFound);
}
BENCHMARK(BM_NormalizedKeywordSearch)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// What the search progress does: count first, then fetch the rows.
void BM_CountThenRun(benchmark::State& state) {
  vx::SearchCondition search(Catalogue::Get().Database());
  PrepareKeywordSearch(search);
  for (auto _ : state) {
    Rows rows;
    rows.ids.reserve(static_cast<std::size_t>(search.CountMatches()));
    search.Run(KeepRow, &rows);
    benchmark::DoNotOptimize(rows.ids.data());
  }
}
BENCHMARK(BM_CountThenRun)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace
BENCHMARK_MAIN();
