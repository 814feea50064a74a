// The checklists the sample disc generator writes next to its disc (EXTRA/), read against the
// sample event installed with the program's import.
#include "checklist/FavoriteStore.h"

#include "data/DiscImportJob.h"
#include "data/ImportPrompts.h"
#include "data/PavorunDatabase.h"
#include "platform/CodePage.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <tuple>

namespace vxtest {
namespace {

namespace fs = std::filesystem;

class NoPrompts : public vx::ImportPrompts {
 public:
  std::optional<fs::path> LocateFile(const std::string&, const fs::path&) override { return {}; }
  void ShowError(const std::string&) override {}
};

TEST(SampleChecklistTest, EveryEncodingAndFormatReadsTheSameRowsAndTheChecklistReadsBack) {
  const char* disc = std::getenv("VX_SAMPLE_DISC");
  if (disc == nullptr) GTEST_SKIP() << "VX_SAMPLE_DISC is not set";
  TempDir folder;
  vx::PavorunDatabase db(folder.Path());
  NoPrompts prompts;
  vx::DiscImportJob job(db, 96, disc, prompts);
  ASSERT_EQ(job.Run(), vx::DiscImportJob::kResultDone) << vx::Cp932ToUtf8(job.ErrorText());
  db.SelectEvent(96);
  vx::FavoriteStore store(db);
  const auto read = [&](const std::string& name) {
    EXPECT_TRUE(store.LoadFile(fs::path(disc) / "EXTRA" / name, false, true)) << name;
    std::vector<std::tuple<int, int, int, std::array<std::string, vx::kImportTextCount>>> rows;
    for (const vx::FavoriteImportRecord& r : store.GetImportRecords()) {
      rows.emplace_back(r.action, r.circleId, r.color, r.texts);
    }
    return rows;
  };

  const auto sjis = read("CHECK96_SJIS.CSV");
  ASSERT_EQ(sjis.size(), 17u);
  for (const char* name : {"CHECK96_UTF8.CSV", "CHECK96_EUCJP.CSV", "CHECK96_JIS.CSV"}) {
    store.SetColorDef(8, 0, 0, "");
    EXPECT_EQ(read(name), sjis) << name;
    EXPECT_EQ(store.ImportColor(8).name, vx::Sjis("様子見, 余裕があれば")) << name;
  }
  EXPECT_EQ(read("CHECK96_OLD.CSV"), sjis);
  EXPECT_TRUE(store.CommitImportRecords(false, false));
  EXPECT_EQ(store.GetEntryCount(), 17);
  EXPECT_NE(store.FindCircle(INT_MIN + 1), nullptr);  // one circle the catalogue does not hold
  EXPECT_EQ(store.FindCircle(INT_MIN + 2), nullptr);
  const std::string saved = store.SaveText();
  store.LoadText(saved, false, true);
  store.CommitImportRecords(false, false);
  EXPECT_EQ(store.SaveText(), saved);
}

}  // namespace
}  // namespace vxtest
