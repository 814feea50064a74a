// The checklists that the sample disc generator writes next to its disc (EXTRA/): the sample
// event's checklist in four encodings and in the older format.
#include "checklist/FavoriteStore.h"

#include "tests/checklist/StoreFixture.h"

#include <cstdlib>
#include <filesystem>

namespace vxtest {
namespace {

namespace fs = std::filesystem;

using vx::FavoriteImportRecord;

fs::path SampleExtra(const std::string& name) {
  const char* disc = std::getenv("VX_SAMPLE_DISC");
  return disc != nullptr ? fs::path(disc) / "EXTRA" / name : fs::path();
}

class SampleChecklistTest : public StoreFixture {
 protected:
  void SetUp() override {
    StoreFixture::SetUp();
    if (SampleExtra("").empty()) GTEST_SKIP() << "VX_SAMPLE_DISC is not set";
  }

  // The rows a file of the sample reads into.
  std::vector<FavoriteImportRecord> Read(const std::string& name) {
    const fs::path path = SampleExtra(name);
    EXPECT_TRUE(fs::exists(path)) << path;
    EXPECT_TRUE(store().LoadFile(path, false, true)) << name;
    EXPECT_EQ(store().ReadStatus(), vx::kReadDone) << name;
    return store().ImportRecords();
  }
};

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
      EXPECT_EQ(rows[r].color, sjis[r].color) << name << " row " << r;
      EXPECT_EQ(rows[r].texts, sjis[r].texts) << name << " row " << r;
    }
    for (int i = 0; i < 9; ++i) EXPECT_EQ(store().GetColorName(i), colorNames[i]) << name;
  }
}

TEST_F(SampleChecklistTest, TheOlderFormatCarriesTheSameTexts) {
  const std::vector<FavoriteImportRecord> current = Read("CHECK96_SJIS.CSV");
  const std::vector<FavoriteImportRecord> older = Read("CHECK96_OLD.CSV");
  ASSERT_EQ(older.size(), current.size());
  for (std::size_t r = 0; r < older.size(); ++r) {
    EXPECT_EQ(older[r].color, current[r].color) << "row " << r;
    for (int i = 0; i < vx::kImportFileTextCount; ++i) {
      EXPECT_EQ(older[r].texts[i], current[r].texts[i]) << "row " << r << ", text " << i;
    }
  }
}

}  // namespace
}  // namespace vxtest
