#include "ui/dialogs/CatalogImportProgress.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "data/PavorunDatabase.h"
#include "tests/ui/dialogs/DialogTestSupport.h"
#include "tests/support/TempDir.h"

namespace {

namespace fs = std::filesystem;
using Texts = std::vector<std::string>;

// The sample disc without its layout file, which lies in the sample disc only.
class CatalogImportProgressTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(disc);
    for (const fs::directory_entry& entry : fs::directory_iterator(vxtest::SampleDisc())) {
      const std::string name = entry.path().filename().string();
      if (name.ends_with(".TXT") && name != "V96MAP.TXT") fs::copy_file(entry, disc / name);
    }
  }
  int Install() {
    vxtest::Watchdog watchdog;
    return vx::CatalogImportProgress(nullptr, ui, db, 96, disc).DoModal();
  }

  vxtest::TempDir dir;
  fs::path disc = dir / "disc";
  vx::PavorunDatabase db{dir.Path()};
  vx::ScriptedUiServices ui;
};

TEST_F(CatalogImportProgressTest, MissingLayoutFileGivenUpRollsBackAndFails) {
  ui.QueuePath(std::nullopt);
  ui.QueueAnswer(IDOK);
  EXPECT_EQ(Install(), 2);
  const std::vector<vx::UiCall> asked = ui.CallsOf(vx::UiCallKind::kOpenFileDialog);
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(vx::Cp932ToUtf8(asked[0].request.title), "V96MAP.TXTの場所の指定");
  EXPECT_EQ(asked[0].request.filter, "V96MAP.TXT|V96MAP.TXT");
  EXPECT_EQ(vxtest::Boxes(ui),
            (Texts{"エラー|V96MAP.TXT を開けませんでした.\nサークル情報追加処理は失敗しました."}));
  EXPECT_EQ(db.CountEvents(), 0);
  EXPECT_TRUE(ui.UnexpectedCalls().empty());
}

TEST_F(CatalogImportProgressTest, MissingLayoutFileAnsweredInstallsTheEvent) {
  ui.QueuePath(vxtest::SampleDisc() / "V96MAP.TXT");
  EXPECT_EQ(Install(), 1);
  EXPECT_TRUE(db.HasCircles(96));
  int desks = 0;
  db.Exec(vx::RowFirstColumnInt, &desks, "select count(*) from PavorunLayout;");
  EXPECT_GT(desks, 0);
  EXPECT_TRUE(ui.UnexpectedCalls().empty());
}

}  // namespace
