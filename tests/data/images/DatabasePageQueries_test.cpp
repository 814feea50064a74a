#include "data/images/DatabasePageQueries.h"

#include <gtest/gtest.h>

#include "data/images/CatalogImages.h"
#include "data/images/PageComposer.h"
#include "platform/CodePage.h"
#include "tests/data/images/TestDisc.h"

namespace vx {
namespace {

constexpr int kEvent = 96;
const QColor kCut(200, 30, 30), kErrata(30, 30, 200);

CircleRecord PlacedCircle(int id, int cutIndex, int spaceNo, int spaceNoSub) {
  CircleRecord r;
  r.id = id;
  r.pageNo = 12;
  r.cutIndex = cutIndex;
  r.day = 2;
  r.blockId = 3;
  r.spaceNo = spaceNo;
  r.spaceNoSub = spaceNoSub;
  r.circleName = Sjis("サークル");
  r.updateId = 500 + id;
  return r;
}

// A catalogue of one block "ア" in hall "東" on the 13th (a Saturday), page 12 holding spaces
// 5a, 5b and 6b with 6a missing, and an errata picture for 6a.
class DatabasePageTest : public testing::Test {
 protected:
  void SetUp() override {
    database_ = std::make_unique<PavorunDatabase>(dir_.path());
    ASSERT_TRUE(database_->IsOpen());
    database_->SetEventNo(kEvent);
    ASSERT_EQ(database_->ClearEventTables(), 0);
    ASSERT_EQ(database_->DateMaster().InsertRow(1, 2026, 12, 12, 6), 0);
    ASSERT_EQ(database_->DateMaster().InsertRow(2, 2026, 12, 13, 7), 0);
    AreaRow east;
    east.name = Sjis("東");
    ASSERT_EQ(database_->AreaMaster().InsertRow(1, east), 0);
    // Masters are read as rows 1..n: blocks 1 and 2 come before "ア".
    ASSERT_EQ(database_->BlockMaster().InsertRow(1, Sjis("Ａ"), 1), 0);
    ASSERT_EQ(database_->BlockMaster().InsertRow(2, Sjis("Ｂ"), 1), 0);
    ASSERT_EQ(database_->BlockMaster().InsertRow(3, Sjis("ア"), 1), 0);
    for (const CircleRecord& r : {PlacedCircle(1, 1, 5, 0), PlacedCircle(2, 2, 5, 1),
                                  PlacedCircle(3, 4, 6, 1), PlacedCircle(4, 6, 9, 0)}) {
      ASSERT_EQ(database_->CircleTable().InsertRow(r), 0);
    }
    ASSERT_EQ(database_->JikoTable().InsertRow(2, 3, 6, 0, 7), 0);
    database_->SelectEvent(kEvent);
    records_ = NewCircleRecords(database_->GetCutsPerPage());
    database_->SelectPageCircles(12, records_);
  }

  vxtest::TempDir dir_;
  std::unique_ptr<PavorunDatabase> database_;
  std::vector<CircleRecord> records_;
};

TEST_F(DatabasePageTest, CaptionFromTheCatalogue) {
  ASSERT_EQ(records_.size(), 6u);
  EXPECT_EQ(Cp932ToUtf8(PageCaption(records_, DatabasePageQueries(*database_))),
            "13日（土）東 ア5～ア9");
}

TEST_F(DatabasePageTest, ComposedPageShowsTheErrataOfTheMissingDesk) {
  std::map<int, QColor> cuts;
  for (int id = 1; id <= 4; ++id) cuts[500 + id] = kCut;
  vxtest::WriteCutArchive(dir_ / "V096CUTL.CCZ", kEvent, 100, 140, cuts,
                          {{"JIKO07.PNG", vxtest::SolidPng(100, 140, kErrata)}});
  CatalogImages images;
  images.Open(dir_.path(), kEvent);
  const QImage page = images.GetPageImage(12, *database_, records_, false);
  ASSERT_EQ(page.size(), QSize(600, 6 * 140 + 40));
  EXPECT_EQ(page.pixelColor(50, 40 + 100), kCut);        // 5a
  EXPECT_EQ(page.pixelColor(250, 40 + 100), kErrata);    // cell 3: 6a, errata 7
  EXPECT_EQ(page.pixelColor(350, 40 + 100), kCut);       // 6b
  EXPECT_EQ(page.pixelColor(450, 40 + 100), Qt::white);  // 7a: no errata, no generic picture
}

}  // namespace
}  // namespace vx
