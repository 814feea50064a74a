// The engine over the real catalogue: the sample disc installed, a checklist in the program's
// store, and the data source over the catalogue controller.
#include <gtest/gtest.h>

#include "print/PrintSelection.h"
#include "tests/data/TestCatalog.h"
#include "tests/print/SampleCatalogFixture.h"

namespace vxtest {
namespace {

class SampleCatalogPrintTest : public SampleCatalogFixture {
 protected:
  void SetUp() override {
    SampleCatalogFixture::SetUp();
    if (IsSkipped()) return;
    for (int kind = 1; kind <= 5; ++kind) {
      vx::PrintEngine_SetDocument(kind, [](vx::PrintJob&, int) { return 0; });
    }
  }

  // Checks every tenth circle of the catalogue with colours 1..3 in turn.
  std::vector<int> CheckSomeCircles() {
    std::vector<int> ids;
    for (int id = 1; id <= Db().GetMaxCircleId(); id += 10) {
      if (Store().SetColor(id, 1 + ids.size() % 3)) ids.push_back(id);
    }
    return ids;
  }

  void SetUpList(int order, bool blockAll) {
    vx::PrintSelection request;
    request.Reset();
    request.layout = 1;
    request.printOrder = order;
    request.blockAll = blockAll;
    vx::PrintEngine_SetupJob(request);
  }
};

TEST_F(SampleCatalogPrintTest, CatalogueTablesNameTheDaysMapsHallsAndPictures) {
  vx::PrintJob job;
  ASSERT_EQ(vx::Document_ReadLayoutParam(job), 0);
  const vx::PrintCatalogTables& t = Tables();
  const int days = Db().GetDateCount();
  ASSERT_GE(days, 1);
  ASSERT_EQ(static_cast<int>(t.days.size()), days + 1);
  EXPECT_EQ(vx::Cp932ToUtf8(t.days[0].label), "1日目");
  EXPECT_EQ(t.days[0].weekday, catalog.DayWeekdayName(1));
  EXPECT_EQ(vx::Cp932ToUtf8(t.days[days].label), "抽選漏れ");
  EXPECT_EQ(vx::Cp932ToUtf8(t.days[days].weekday), "漏");
  EXPECT_TRUE(t.days[days].groups.empty());

  const vx::PrintDay& day1 = t.days[0];
  ASSERT_EQ(day1.groups.size(), 7u);
  const vx::PrintHallGroup& east = day1.groups[0];
  EXPECT_EQ(vx::Cp932ToUtf8(east.name), "東123");
  EXPECT_EQ(east.mapFile, "MDATA/MAP1E123.PNG");
  EXPECT_EQ(east.genreFile, "MDATA/GNR1E123.PNG");
  EXPECT_EQ(east.outlineFile, "MDATA/ALLMAPA1.PNG");
  EXPECT_EQ(east.hallCount, 2);
  EXPECT_EQ(day1.groups[1].mapId, 0);  // the sample has no 東456
  EXPECT_EQ(day1.outlineFile, "MDATA/ALLMAPBS.PNG");
  std::vector<std::tuple<std::string, int, int>> halls;
  for (const vx::PrintHallEntry& h : day1.halls) {
    halls.emplace_back(vx::Cp932ToUtf8(h.name), h.hallGroup, h.hall);
  }
  EXPECT_EQ(halls, (std::vector<std::tuple<std::string, int, int>>{
                       {"東1", 1, 1}, {"東2", 1, 2}, {"西2", 3, 7}, {"西1", 3, 8}}));
  EXPECT_EQ(t.colorCount, 9);
  EXPECT_EQ(t.ColorOf(2), 0x000020u);
  EXPECT_EQ(vx::Cp932ToUtf8(t.colors[9].name), "色9");
  EXPECT_EQ(t.ColorOf(10), 0xFFFFFFu);

  // A high-resolution job takes the high-resolution pictures and print ranges.
  job.highResolution = 1;
  ASSERT_EQ(vx::Document_ReadLayoutParam(job), 0);
  const vx::PrintHallGroup& hi = Tables().days[0].groups[0];
  EXPECT_TRUE(hi.highResolution);
  EXPECT_EQ(hi.mapFile, "MDATA/HMP1E123.PNG");
  EXPECT_EQ(hi.outlineFile, "MDATA/HALMAPA1.PNG");
  vx::PrintRect hiRect;
  Db().GetMapMaster().GetHiResPrintRect(hi.mapId, hiRect);
  EXPECT_EQ(std::tuple(hi.print.x, hi.print.w), std::tuple(hiRect.x, hiRect.w));
  const vx::EventInfo& info = Db().GetEventInfo();
  EXPECT_EQ(std::tuple(hi.cell.originX, hi.cell.width),
            std::tuple(2 * info.mapOriginX + 1, 2 * info.mapSizeW));
}

TEST_F(SampleCatalogPrintTest, RecordsGroupByTheCataloguesDaysMapsAndHalls) {
  const std::vector<int> checked = CheckSomeCircles();
  ASSERT_GT(checked.size(), 20u);
  SetUpList(vx::kOrderPlace, false);
  ASSERT_EQ(vx::PrintEngine_GetRecords(), 0);
  vx::PrintRecordSet& set = vx::PrintEngine_State().records;
  ASSERT_EQ(set.Count(), static_cast<int>(checked.size()) + 1);
  EXPECT_EQ(set.At(0).Field(0), "QUILLOR");
  EXPECT_EQ(set.At(0).FieldInt(1), 104);
  vx::PrintJob job;
  ASSERT_EQ(vx::Document_ReadLayoutParam(job), 0);
  ASSERT_EQ(vx::PrintRecords_GroupByHall(), 0);
  const vx::PrintCatalogTables& t = Tables();
  int placed = 0;
  for (int i = 1; i < set.Count(); ++i) {
    const vx::PrintRecord& r = set.At(i);
    vx::CircleRecord c;
    ASSERT_TRUE(Db().SelectCircle(c, r.FieldInt(0) + 1));
    ASSERT_GT(r.fieldCount, 18);
    const vx::PrintGroupKey& k = r.groupKey;
    if (c.day <= 0) {
      EXPECT_EQ(k.day, t.dayCount + 1) << c.id;
      continue;
    }
    ++placed;
    EXPECT_EQ(k.day, c.day) << c.id;
    ASSERT_GE(k.hallGroup, 1) << c.id;
    EXPECT_EQ(t.days[c.day - 1].groups[k.hallGroup - 1].mapId, Db().GetMapIdOfBlock(c.blockId))
        << c.id;
    ASSERT_GE(k.hallEntry, 1) << c.id;
    EXPECT_EQ(t.days[c.day - 1].halls[k.hallEntry - 1].name, Db().GetAreaNameOfBlock(c.blockId))
        << c.id;
  }
  EXPECT_GT(placed, 0);
}

TEST_F(SampleCatalogPrintTest, BlockWisePrintLeavesTheChecklistAsItWas) {
  const std::vector<int> checked = CheckSomeCircles();
  Store().SetColor(checked[0], -1);  // unchecked: a block-wise print must not purge it
  const std::string before = Store().SaveText();
  const int entries = Store().GetEntryCount();
  SetUpList(vx::kOrderPlace, true);
  ASSERT_EQ(vx::PrintEngine_GetRecords(), 0);
  EXPECT_EQ(Store().GetEntryCount(), entries);
  EXPECT_EQ(Store().SaveText(), before);
  const vx::PrintRecordSet& set = vx::PrintEngine_State().records;
  int unchecked = 0;
  for (int i = 1; i < set.Count(); ++i) {
    const int color = set.At(i).FieldInt(1);
    EXPECT_TRUE(color == -1 || (color >= 1 && color <= 3));
    unchecked += color == -1;
  }
  // The blocks' other circles came in unchecked; the unchecked entry only as one of them.
  EXPECT_GT(unchecked, 0);
  EXPECT_GT(set.Count() - 1, static_cast<int>(checked.size()) - 1);
}

TEST_F(SampleCatalogPrintTest, NamesWithBackslashTrailBytesSurviveTheLines) {
  vx::CircleRecord r =
      MakeCircle(Db().GetMaxCircleId() + 1, 0, 0, 0, 0, 0, 0, 1, vx::Sjis("ソ表能十予"));
  r.circleKana = vx::Sjis("そひょう");
  r.description = vx::Sjis("表\r\n能");
  InsertCircle(Db(), r);
  ASSERT_TRUE(Store().SetColor(r.id, 2));
  SetUpList(vx::kOrderChecklist, false);
  ASSERT_EQ(vx::PrintEngine_GetRecords(), 0);
  const vx::PrintRecord& record = vx::PrintEngine_State().records.At(1);
  EXPECT_EQ(record.FieldInt(0), r.id - 1);
  EXPECT_EQ(record.FieldInt(1), 2);
  EXPECT_EQ(record.Field(9), r.circleName);
  EXPECT_EQ(record.Field(18), r.circleKana);
  EXPECT_EQ(record.Field(14), vx::Sjis("表\n能"));
}

}  // namespace
}  // namespace vxtest
