// A normalised one-word keyword search over the full-size sample catalogue (about 33,000 circles,
// from the sample disc generator's model, written straight into a scrambled database), rows
// delivered to a callback, against the same statement with SQLite's instr() on the unfolded
// columns. Counters: search_ms and instr_ms per run, their ratio, and the rows each found.
#include "bench/SampleCatalogDatabase.h"
#include "data/CircleMemoLookup.h"
#include "data/SearchCondition.h"
#include "platform/CodePage.h"
#include "tools/sample-disc/SampleRandom.h"
#include "tools/sample-disc/WordLists.h"

#include <benchmark/benchmark.h>

#include <chrono>
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

// The full-size sample catalogue with a checklist of a few hundred circles with memos.
class Catalogue {
 public:
  static Catalogue& Get() {
    static Catalogue catalogue;
    return catalogue;
  }
  vx::PavorunDatabase& Database() { return catalogue_.Database(); }

 private:
  Catalogue() {
    CheckSomeCircles(static_cast<int>(catalogue_.Sample().circles.size()));
    catalogue_.Database().SetFavoriteStore(&store_);
  }

  void CheckSomeCircles(int circleCount) {
    vx::sampledisc::SampleRandom random(7);
    const std::vector<std::string>& memos = vx::sampledisc::MemoTexts();
    for (int i = 0; i < kCheckedCircles; ++i) {
      store_.Add(random.Between(1, circleCount), vx::Sjis(random.Pick(memos)));
    }
  }

  MemoStore store_;  // outlives the database that refers to it
  vxbench::SampleCatalogDatabase catalogue_;
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
