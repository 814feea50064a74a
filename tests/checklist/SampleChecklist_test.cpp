// The checklists that the sample disc generator writes next to its disc (EXTRA/), read against
// the sample event installed with the program's import: the event's own checklist in four
// encodings and in the older format, and a checklist of the event before.
#include "checklist/FavoriteStore.h"

#include "data/DiscImportJob.h"
#include "data/ImportPrompts.h"
#include "data/PavorunDatabase.h"
#include "data/SqlText.h"
#include "platform/CodePage.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>

namespace vxtest {
namespace {

namespace fs = std::filesystem;

using vx::FavoriteImportRecord;

constexpr int kSampleEvent = 96;

fs::path SampleDisc() {
  const char* disc = std::getenv("VX_SAMPLE_DISC");
  return disc != nullptr ? fs::path(disc) : fs::path();
}

class NoPrompts : public vx::ImportPrompts {
 public:
  std::optional<fs::path> LocateFile(const std::string&, const fs::path&) override {
    return std::nullopt;
  }
  void ShowError(const std::string&) override {}
};

class SampleChecklistTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (SampleDisc().empty()) return;
    folder_ = new TempDir;
    db_ = new vx::PavorunDatabase(folder_->path());
    NoPrompts prompts;
    vx::DiscImportJob job(*db_, kSampleEvent, SampleDisc(), prompts);
    ASSERT_EQ(job.Run(), vx::DiscImportJob::kResultDone) << vx::Cp932ToUtf8(job.ErrorText());
    db_->SelectEvent(kSampleEvent);
  }

  static void TearDownTestSuite() {
    delete db_;
    delete folder_;
    db_ = nullptr;
    folder_ = nullptr;
  }

  void SetUp() override {
    if (db_ == nullptr) GTEST_SKIP() << "VX_SAMPLE_DISC is not set";
    store_ = std::make_unique<vx::FavoriteStore>(*db_);
  }

  vx::FavoriteStore& store() { return *store_; }

  // The rows a checklist of the sample reads into.
  std::vector<FavoriteImportRecord> Read(const std::string& name, bool sameEvent = true) {
    const fs::path path = SampleDisc() / "EXTRA" / name;
    EXPECT_TRUE(fs::exists(path)) << path;
    EXPECT_EQ(store().LoadFile(path, false, true), sameEvent) << name;
    EXPECT_EQ(store().ReadStatus(), vx::kReadDone) << name;
    return store().ImportRecords();
  }

  // What the catalogue's own queries find for a record's texts, tried in the same order.
  std::vector<int> QueryCandidates(const FavoriteImportRecord& row, bool strict) {
    const auto& t = row.texts;
    const std::string head =
        "select id from PavorunCircle WHERE pavorunNo=" + std::to_string(kSampleEvent) + " AND ";
    const std::string name = "circleName=" + Quoted(t[vx::kImportCircleName]);
    const std::string kana = Term(" OR circleKana=", t[vx::kImportCircleKana]);
    const std::string& pen = t[vx::kImportPenName];
    std::vector<std::string> queries;
    if (!t[vx::kImportTwitter].empty()) {
      queries.push_back(head + "twitter=" + Quoted(t[vx::kImportTwitter]));
    }
    if (!t[vx::kImportPixiv].empty()) {
      queries.push_back(head + "pixiv=" + Quoted(t[vx::kImportPixiv]));
    }
    queries.push_back(head + "((" + name + kana + ")" + Term(" AND penName=", pen) + ")");
    if (!strict) queries.push_back(head + "(" + name + kana + Term(" OR penName=", pen) + ")");
    std::vector<int> ids;
    for (const std::string& sql : queries) {
      db_->ExecRows(sql, [&](int, char** columns) {
        ids.push_back(std::atoi(columns[0]));
        return 0;
      });
      if (!ids.empty()) break;
    }
    std::sort(ids.begin(), ids.end());
    return ids;
  }

  // `condition` with the text as a literal; nothing for an empty text.
  static std::string Term(const std::string& condition, const std::string& text) {
    return text.empty() ? std::string() : condition + Quoted(text);
  }

  static std::string Quoted(const std::string& text) {
    std::string literal;
    vx::AppendSqlQuoted(literal, text);
    return literal;
  }

  // The candidate ids of each record: one entry per row group.
  static std::vector<std::vector<int>> CandidatesByRecord(
      const std::vector<FavoriteImportRecord>& rows,
      std::vector<const FavoriteImportRecord*>& firsts) {
    std::vector<std::vector<int>> groups;
    for (std::size_t i = 0; i < rows.size();) {
      const std::size_t size =
          rows[i].groupRows == 0 ? 1 : static_cast<std::size_t>(rows[i].groupRows);
      firsts.push_back(&rows[i]);
      groups.emplace_back();
      for (std::size_t j = i; j < i + size && j < rows.size(); ++j) {
        if (rows[j].action == vx::kImportRegister) groups.back().push_back(rows[j].circleId);
      }
      i += size;
    }
    return groups;
  }

  static TempDir* folder_;
  static vx::PavorunDatabase* db_;
  std::unique_ptr<vx::FavoriteStore> store_;
};

TempDir* SampleChecklistTest::folder_ = nullptr;
vx::PavorunDatabase* SampleChecklistTest::db_ = nullptr;

TEST_F(SampleChecklistTest, TheEventsOwnChecklistNamesItsCirclesAndReadsBackIdentically) {
  const std::vector<FavoriteImportRecord> rows = Read("CHECK96_SJIS.CSV");
  ASSERT_EQ(rows.size(), 17u);
  int unknown = 0;
  for (const FavoriteImportRecord& row : rows) {
    EXPECT_EQ(row.groupRows, 0);
    if (row.action == vx::kImportRegisterUnknown) {
      ++unknown;
      continue;
    }
    EXPECT_EQ(row.action, vx::kImportRegister);
    EXPECT_EQ(row.texts[vx::kImportCandidateName], row.texts[vx::kImportCircleName]);
  }
  EXPECT_EQ(unknown, 1);

  EXPECT_TRUE(store().CommitImportRecords(false, false));
  EXPECT_EQ(store().GetEntryCount(), 17);
  for (const FavoriteImportRecord& row : rows) {
    if (row.circleId == 0) continue;
    EXPECT_EQ(store().FindCircle(row.circleId)->memo, row.texts[vx::kImportMemo]);
    EXPECT_EQ(store().GetColor(row.circleId), row.color);
  }
  const std::string saved = store().SaveText();
  store().LoadText(saved, false, true);
  store().CommitImportRecords(false, false);
  EXPECT_EQ(store().SaveText(), saved);
}

TEST_F(SampleChecklistTest, TheFourEncodingsReadIntoTheSameBytes) {
  const std::vector<FavoriteImportRecord> sjis = Read("CHECK96_SJIS.CSV");
  ASSERT_EQ(sjis.size(), 17u);
  std::vector<std::string> colorNames;
  for (int i = 0; i < 9; ++i) colorNames.push_back(store().GetColorName(i));
  EXPECT_EQ(colorNames[8], vx::Sjis("様子見, 余裕があれば"));

  for (const std::string name : {"CHECK96_UTF8.CSV", "CHECK96_EUCJP.CSV", "CHECK96_JIS.CSV"}) {
    store().SetColorDef(8, 0, 0, "reset");
    const std::vector<FavoriteImportRecord> rows = Read(name);
    ASSERT_EQ(rows.size(), sjis.size()) << name;
    for (std::size_t r = 0; r < rows.size(); ++r) {
      EXPECT_EQ(rows[r].circleId, sjis[r].circleId) << name << " row " << r;
      EXPECT_EQ(rows[r].color, sjis[r].color) << name << " row " << r;
      EXPECT_EQ(rows[r].texts, sjis[r].texts) << name << " row " << r;
    }
    for (int i = 0; i < 9; ++i) EXPECT_EQ(store().GetColorName(i), colorNames[i]) << name;
  }
}

TEST_F(SampleChecklistTest, TheOlderFormatNamesTheSameCirclesWithTheSameTexts) {
  const std::vector<FavoriteImportRecord> current = Read("CHECK96_SJIS.CSV");
  const std::vector<FavoriteImportRecord> older = Read("CHECK96_OLD.CSV");
  ASSERT_EQ(older.size(), current.size());
  for (std::size_t r = 0; r < older.size(); ++r) {
    EXPECT_EQ(older[r].circleId, current[r].circleId) << "row " << r;
    EXPECT_EQ(older[r].color, current[r].color) << "row " << r;
    EXPECT_EQ(older[r].texts, current[r].texts) << "row " << r;
  }
}

TEST_F(SampleChecklistTest, AnotherEventsCirclesAreWhatTheCataloguesQueriesFind) {
  for (const bool strict : {true, false}) {
    store().SetStrictMatch(strict);
    const std::vector<FavoriteImportRecord> rows = Read("CHECK95_SJIS.CSV", false);
    std::vector<const FavoriteImportRecord*> records;
    const std::vector<std::vector<int>> found = CandidatesByRecord(rows, records);
    ASSERT_EQ(found.size(), 7u);
    int matched = 0;
    for (std::size_t i = 0; i < found.size(); ++i) {
      EXPECT_EQ(found[i], QueryCandidates(*records[i], strict))
          << "strict " << strict << ", " << vx::Cp932ToUtf8(records[i]->texts[vx::kImportMemo]);
      if (!found[i].empty()) ++matched;
    }
    // Twitter, Pixiv, names, the quoted name and the shared reading; loosely also the three
    // circles of one name whose pen name is not the file's.
    EXPECT_EQ(matched, strict ? 5 : 6);
  }
}

}  // namespace
}  // namespace vxtest
