// A normalised one-word keyword search over a full-size catalogue (33,000 circles), rows delivered
// to a callback, against the same statement with SQLite's instr() on the unfolded columns.
// Counters: search_ms and instr_ms per run, their ratio, and the rows each found.
#include "data/CircleMemoLookup.h"
#include "data/PavorunDatabase.h"
#include "data/SearchCondition.h"
#include "platform/CodePage.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <stdexcept>
#include <string>
#include <unordered_map>
#include <vector>

namespace {

constexpr int kEventNo = 96;
constexpr int kCircleCount = 33000;
constexpr int kDays = 3;
constexpr int kGenres = 60;
constexpr int kBlocks = 120;
constexpr int kCheckedCircles = 400;
constexpr const char* kKeyword = "うさぎ";

// The statement the search builds for the default fields, with instr() on the raw columns.
constexpr const char* kInstrFormat =
    "SELECT PavorunCircle.id,pageNo,cutIndex,day,blockId,spaceNo,spaceNoSub,genreId,circleName,"
    "circleKana,penName,bookName,url,mailAddr,description,updateId,updateData,orbalink,rss,"
    "updateFlag,twitter,pixiv   FROM PavorunCircle WHERE  PavorunCircle.pavorunNo=%d  AND "
    "(instr(circleName||circleKana||penName||bookName||description||updateData||"
    "getMemo(PavorunCircle.id),%Q)>0) ORDER by PavorunCircle.id;";

// Name pieces with their readings (full-width katakana, as the catalogue stores them).
struct NamePiece {
  const char* text;
  const char* reading;
};

// clang-format off
constexpr NamePiece kNamePieces[] = {
    {"さくら", "サクラ"},   {"工房", "コウボウ"},     {"うさぎ", "ウサギ"},
    {"兎", "ウサギ"},       {"Studio", "スタジオ"},   {"ＤＲＥＡＭ", "ドリーム"},
    {"☆", ""},             {"屋", "ヤ"},             {"堂", "ドウ"},
    {"月", "ツキ"},         {"夜", "ヨル"},           {"ねこ", "ネコ"},
    {"ガーデン", "ガーデン"}, {"ほしぞら", "ホシゾラ"}, {"本舗", "ホンポ"},
    {"ぱんだ", "パンダ"},   {"Ｌａｂ", "ラボ"},       {"かぜ", "カゼ"},
    {"ひかり", "ヒカリ"},   {"団", "ダン"},           {"ミルク", "ミルク"},
    {"ティー", "ティー"},   {"あめ", "アメ"},         {"黒", "クロ"},
    {"白", "シロ"},         {"研究所", "ケンキュウジョ"}, {"Ｐｒｏｊｅｃｔ", "プロジェクト"},
    {"びより", "ビヨリ"},   {"日和", "ビヨリ"},       {"まつり", "マツリ"},
    {"きつね", "キツネ"},   {"狐", "キツネ"},         {"のはら", "ノハラ"},
    {"こもれび", "コモレビ"}, {"茶房", "サボウ"},     {"ぷりん", "プリン"},
    {"組", "クミ"},         {"企画", "キカク"},       {"カフェ", "カフェ"},
    {"わんこ", "ワンコ"},   {"鉄道", "テツドウ"},     {"ロボ", "ロボ"},
    {"「", ""},             {"」", ""},               {"ぺんぎん", "ペンギン"},
    {"海", "ウミ"},         {"空", "ソラ"},           {"ゆき", "ユキ"},
    {"雪", "ユキ"},         {"はな", "ハナ"},         {"花", "ハナ"},
    {"ＭＩＸ", "ミックス"}, {"ｓｗｅｅｔ", "スイート"}, {"ぽけっと", "ポケット"},
    {"部", "ブ"},           {"同好会", "ドウコウカイ"}, {"ｶﾞﾚｰｼﾞ", "ガレージ"},
    {"ｷｯﾁﾝ", "キッチン"},   {"亭", "テイ"},           {"舎", "シャ"},
};

constexpr const char* kFamilyNames[] = {"山田", "佐藤", "鈴木", "高橋", "田中", "伊藤",
                                        "渡辺", "中村", "小林", "加藤", "吉田", "山本"};
constexpr const char* kGivenNames[] = {"太郎", "花子", "ゆう",  "あきら", "みさき", "ケン",
                                       "ひろし", "真理", "翼",  "さとみ", "ユウキ", "まこと"};
constexpr const char* kPenNames[] = {"ねむねむ", "ＫＡＺＵ", "ぽち", "月見うどん", "ミント",
                                     "黒猫", "Ｒｉｎ", "たぬき", "しろくま", "りんご飴"};
constexpr const char* kBookWords[] = {"総集編", "イラスト集", "本", "合同誌", "コピー本", "画集",
                                      "漫画", "小説", "設定資料", "ＶＯＬ．２", "番外編"};
constexpr const char* kPhrases[] = {
    "新刊あります。",           "オリジナル漫画",     "既刊の再版あり",
    "イラスト本とグッズ頒布予定", "よろしくお願いします！", "東方Ｐｒｏｊｅｃｔ",
    "ＦＡＴＥ／本",             "鉄道写真集",         "評論・研究",
    "ゲーム攻略本を頒布します", "コスプレ写真集",     "創作ファンタジー小説",
    "缶バッジ・アクリルキーホルダー", "委託あり",     "新刊は「ＰＩＣＴＵＲＥ　ＢＯＯＫ」です",
    "お品書きはＴｗｉｔｔｅｒにて", "ほのぼの4コマ", "料理レシピ本",
};
// clang-format on

template <typename T, std::size_t N>
const T& Pick(std::mt19937& random, const T (&items)[N]) {
  return items[std::uniform_int_distribution<std::size_t>(0, N - 1)(random)];
}

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

// One synthetic event on a scrambled database file in a folder of its own.
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
    std::mt19937 random(20240811);
    db_->SetEventNo(kEventNo);
    Check(db_->ClearEventTables());
    InsertMasters();
    Check(db_->BeginTransaction());
    for (int id = 1; id <= kCircleCount; ++id) InsertCircle(random, id);
    Check(db_->Commit());
    db_->SelectEvent(kEventNo);
    for (int i = 0; i < kCheckedCircles; ++i) {
      store_.Add(1 + static_cast<int>(random() % kCircleCount), vx::Sjis(Pick(random, kPhrases)));
    }
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

  void InsertMasters() {
    for (int d = 1; d <= kDays; ++d) Check(db_->DateMaster().InsertRow(d, 2024, 8, 10 + d, 6 + d));
    for (int g = 1; g <= kGenres; ++g) {
      Check(db_->GenreMaster().InsertRow(g, vx::Sjis("ジャンル") + std::to_string(g), 100 + g));
    }
    for (int b = 1; b <= kBlocks; ++b) Check(db_->BlockMaster().InsertRow(b, std::to_string(b), 1));
  }

  void InsertCircle(std::mt19937& random, int id) {
    vx::CircleRecord r;
    r.id = id;
    r.pageNo = 2 + (id - 1) / 36;
    r.cutIndex = 1 + (id - 1) % 36;
    r.day = 1 + static_cast<int>(random() % kDays);
    r.blockId = 1 + static_cast<int>(random() % kBlocks);
    r.spaceNo = 1 + static_cast<int>(random() % 60);
    r.spaceNoSub = static_cast<int>(random() % 2);
    r.genreId = 1 + static_cast<int>(random() % kGenres);
    const int pieces = 2 + static_cast<int>(random() % 2);
    for (int i = 0; i < pieces; ++i) {
      const NamePiece& piece = Pick(random, kNamePieces);
      r.circleName += vx::Sjis(piece.text);
      r.circleKana += vx::Sjis(piece.reading);
    }
    r.penName = vx::Sjis(random() % 3 == 0
                             ? Pick(random, kPenNames)
                             : std::string(Pick(random, kFamilyNames)) + Pick(random, kGivenNames));
    r.bookName = vx::Sjis(std::string(Pick(random, kNamePieces).text) + Pick(random, kBookWords));
    r.url = "http://www.example.jp/~c" + std::to_string(id) + "/";
    r.mailAddr = "c" + std::to_string(id) + "@example.jp";
    const int phrases = 1 + static_cast<int>(random() % 4);
    for (int i = 0; i < phrases; ++i) r.description += vx::Sjis(Pick(random, kPhrases));
    r.updateId = id;
    Check(db_->CircleTable().InsertRow(r));
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
