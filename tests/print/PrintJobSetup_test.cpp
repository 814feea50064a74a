// The print request and job set-up: from the print settings to the job block.
#include <gtest/gtest.h>

#include <set>
#include <tuple>

#include "app/AppSettings.h"
#include "print/PrintEngineState.h"
#include "print/PrintLayout.h"
#include "print/PrintSelection.h"
#include "res/ResourceIds.h"
#include "tests/print/PrintTestSupport.h"
#include "tests/support/TempDir.h"

namespace vxtest {
namespace {

using vx::PrintSelection;

TEST(PrintSelectionTest, EmptyListsTakeEveryDayHallAndColourButNoHallGroupOrLineColour) {
  PrintSelection s;
  s.Reset();
  EXPECT_TRUE(s.TakesDay(3));
  EXPECT_FALSE(s.HasDay(3));
  EXPECT_TRUE(s.TakesHall(14));
  EXPECT_TRUE(s.TakesColor(16));
  EXPECT_FALSE(s.TakesHallGroup(1));
  EXPECT_FALSE(s.TakesLineColor(1));
  s.AddDay(2);
  s.AddHallGroup(4);
  s.AddLineColor(5);
  EXPECT_TRUE(s.TakesDay(2));
  EXPECT_FALSE(s.TakesDay(1));
  EXPECT_TRUE(s.TakesHallGroup(4));
  EXPECT_TRUE(s.TakesLineColor(5));
  // Reset empties the days but keeps hall groups and line colours.
  s.Reset();
  EXPECT_TRUE(s.TakesDay(1));
  EXPECT_TRUE(s.HasHallGroup(4));
  EXPECT_TRUE(s.TakesLineColor(5));
  EXPECT_EQ(s.itemMask, 0x1FF);
  EXPECT_EQ(s.cutDirection, 1);
  EXPECT_TRUE(s.serialNumbers);
}

TEST(PrintSelectionTest, PageBreaksByIndex) {
  PrintSelection s;
  s.SetPageBreak(PrintSelection::kBreakBlock);
  s.SetPageBreak(4);
  s.SetPageBreak(-1);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(s.BreaksAt(i), i == PrintSelection::kBreakBlock) << i;
}

class JobSetupTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    vx::AppSettings store(dir.Path());
    store.LoadPrintGroup(96);
    settings = store.Values().print;
    // A document that counts 7 pages and records the passes it ran.
    for (int kind = 1; kind <= 5; ++kind) {
      vx::PrintEngine_SetDocument(kind, [this](vx::PrintJob& job, int target) {
        targets.push_back(target);
        job.pageFigure = 7;
        job.preparationResult = 21;
        return 0;
      });
    }
  }

  std::vector<int> Days() {
    std::vector<int> days;
    for (int d = 0; d < 31; ++d) {
      if (vx::PrintEngine_Job().dayMask & (1 << d)) days.push_back(d + 1);
    }
    return days;
  }

  void AddHall(const char* utf8, int mapId, bool printable, int circles) {
    vx::PrintAreaInfo area;
    area.mapId = mapId;
    area.hasPrintRect = printable;
    area.circleCount = circles;
    source.areas.emplace_back(vx::Sjis(utf8), area);
  }

  TempDir dir;
  vx::PrintSettings settings{};
  std::vector<int> targets;
};

TEST_F(JobSetupTest, ItemsPaperAndPageFigure) {
  settings.kinds[0].items = 63;
  EXPECT_EQ(vx::PrintJob_BuildFromSettings(settings, 0), 7);
  EXPECT_EQ(targets, std::vector<int>{vx::kTargetCount});
  const vx::PrintJob& job = vx::PrintEngine_Job();
  EXPECT_EQ(job.itemMask, 0xCF);
  EXPECT_EQ(settings.paperType, 3);  // A4 with the default margins
  EXPECT_DOUBLE_EQ(job.printableWidth, 170.0);
  EXPECT_DOUBLE_EQ(job.printableHeight, 240.4);
  EXPECT_DOUBLE_EQ(job.leftMargin, 20.0);
  EXPECT_DOUBLE_EQ(job.topMargin, 28.3);
  EXPECT_EQ(job.preparationResult, 21);

  for (auto [items, mask] : {std::pair{0, 0}, {1, 0x80}, {2, 0x40}, {0xFF, 0xFF}, {0x100, 0}}) {
    settings.kinds[0].items = items;
    vx::PrintJob_BuildFromSettings(settings, 0);
    EXPECT_EQ(vx::PrintEngine_Job().itemMask, mask) << items;
  }
  settings.paperType = 0;
  settings.paperSizeW = 1000;
  settings.paperSizeH = 2000;
  settings.margins[0] = {100, 300, 50, 150};
  vx::PrintJob_BuildFromSettings(settings, 1);
  EXPECT_DOUBLE_EQ(vx::PrintEngine_Job().printableWidth, 80.0);
  EXPECT_DOUBLE_EQ(vx::PrintEngine_Job().printableHeight, 160.0);
  settings.paperType = 42;  // not a paper kind: A4
  vx::PrintJob_BuildFromSettings(settings, 1);
  EXPECT_DOUBLE_EQ(vx::PrintEngine_Job().printableWidth, 170.0);
}

TEST_F(JobSetupTest, LayoutChoosesDocumentOrientationAndSection) {
  struct Case {
    int kind;
    int layout;  // the settings' index
    const char* section;
    bool headerOnly;
  };
  const Case cases[] = {
      {0, 0, "LIST_0V", false},       {0, 1, "LIST_1V", false},
      {0, 2, "LIST_0H", false},       {0, 4, "LIST_2H", false},
      {0, 9, "LIST_0H", false},       {1, 0, "CIRCLELIST_3H", false},
      {1, 3, "CIRCLELIST_0H", false}, {1, 4, "CIRCLELIST_3V", false},
      {1, 7, "CIRCLELIST_0V", false}, {2, 0, "MAP_0H", false},
      {2, 1, "LISTMAP_0H", false},    {2, 2, "LISTMAP2_0H", false},
      {2, 4, "LISTMAP2_2H", false},   {2, 5, "MAP_0V", false},
      {2, 6, "LISTMAP_0V", false},    {2, 9, "LISTMAP2_2V", false},
      {3, 0, "MAP_0H", true},         {3, 1, "MAP_0V", true},
  };
  for (const Case& c : cases) {
    settings.kinds[c.kind].layout = c.layout;
    vx::PrintJob_BuildFromSettings(settings, c.kind);
    const vx::PrintJob& job = vx::PrintEngine_Job();
    EXPECT_EQ(vx::PrintLayout_SectionName(vx::PrintEngine_DocumentKind(), job.layoutNumber,
                                          job.orientation),
              c.section)
        << c.kind << "/" << c.layout;
    EXPECT_EQ(vx::PrintEngine_State().headerOnly, c.headerOnly) << c.kind << "/" << c.layout;
  }
  // The second list-with-map form never fills cuts across.
  settings.cutDir = 1;
  settings.kinds[2].layout = 3;
  vx::PrintJob_BuildFromSettings(settings, 2);
  EXPECT_EQ(vx::PrintEngine_Job().cutDirection, 0);
}

TEST_F(JobSetupTest, DaysOfTheSettingsWithTheNotPlacedSlotInTheFifthBox) {
  struct Case {
    int dayCount;
    int kind;
    int bits;
    std::vector<int> days;  // day n + 1 is the slot of the circles not placed
  };
  const Case cases[] = {
      {3, 0, 0, {1, 2, 3, 4}},
      {4, 0, 0, {1, 2, 3, 4, 5}},
      {3, 0, 0b10010, {2, 4}},
      {3, 0, 0b01000, {1, 2, 3, 4}},  // only the box of a fourth day, which this event lacks
      {4, 1, 0b01000, {4}},
      {4, 1, 0b10000, {5}},
      {2, 2, 0b10000, {1, 2}},  // maps have no slot for circles not placed
      {2, 2, 0b00010, {2}},
  };
  for (const Case& c : cases) {
    source.dayCount = c.dayCount;
    settings.kinds[c.kind].days = c.bits;
    vx::PrintJob_BuildFromSettings(settings, c.kind);
    EXPECT_EQ(Days(), c.days) << c.dayCount << " days, kind " << c.kind << ", bits " << c.bits;
  }
}

TEST_F(JobSetupTest, CheckColoursAboveNinePrint) {
  source.colorCount = 16;
  settings.kinds[0].colors = 0b1010'0000'0000'0001;  // colours 1, 14 and 16
  vx::PrintJob_BuildFromSettings(settings, 0);
  EXPECT_EQ(vx::PrintEngine_Job().colorMask, 0b1010'0000'0000'0001);
  settings.kinds[2].colors = 0xFFFF;
  settings.mapLineColors = 0b1100'0000'0000'0000;
  vx::PrintJob_BuildFromSettings(settings, 2);
  EXPECT_EQ(vx::PrintEngine_Job().colorMask, 0xFFFF);
  EXPECT_EQ(vx::PrintEngine_Job().lineColorMask, 0b1100'0000'0000'0000);
  // A checklist of nine colours prints nine.
  source.colorCount = 9;
  vx::PrintJob_BuildFromSettings(settings, 2);
  EXPECT_EQ(vx::PrintEngine_Job().colorMask, 0x1FF);
  // The blank map takes no colour list: every colour.
  settings.kinds[3].colors = 1;
  vx::PrintJob_BuildFromSettings(settings, 3);
  EXPECT_EQ(vx::PrintEngine_Job().colorMask, 0x1FF);
}

TEST_F(JobSetupTest, PrintOrderPageBreaksAndBlockAll) {
  struct Case {
    int kind;
    int sort;
    int pageChange;
    int blockAll;
    int order;
    std::tuple<bool, bool, bool, bool> breaks;  // day, hall, colour, block
    bool blockAllTaken;
    int sortKey;
  };
  const Case cases[] = {
      {0, 1, 0b0011, 1, 5, {true, true, false, false}, false, 0},
      {0, 1, 0b1011, 1, 1, {true, false, false, true}, true, 0},
      {0, 1, 0b0001, 1, 1, {true, false, false, false}, true, 0},
      {0, 0, 0b1111, 1, 0, {true, false, false, false}, false, 0},
      {1, 3, 0b0111, 0, 3, {true, false, true, false}, false, 3},
      {0, 2, 0b0001, 1, 2, {true, false, false, false}, false, 2},
      {2, 4, 0b1111, 1, 4, {false, false, false, true}, false, 0},
      {3, 4, 0b1111, 1, 4, {false, false, false, false}, false, 0},
  };
  for (const Case& c : cases) {
    settings.kinds[c.kind].sort = c.sort;
    settings.kinds[c.kind].pageChange = c.pageChange;
    settings.kinds[c.kind].blockAll = c.blockAll;
    vx::PrintJob_BuildFromSettings(settings, c.kind);
    const vx::PrintJob& job = vx::PrintEngine_Job();
    const std::string what = std::to_string(c.kind) + " sort " + std::to_string(c.sort);
    EXPECT_EQ(vx::PrintEngine_State().printOrder, c.kind == 3 ? 0 : c.order) << what;
    EXPECT_EQ(std::tuple(job.breakDay, job.breakHall, job.breakColor, job.breakBlock), c.breaks)
        << what;
    EXPECT_EQ(vx::PrintEngine_State().blockAll, c.blockAllTaken) << what;
    EXPECT_EQ(job.recordSortKey, c.sortKey) << what;
    EXPECT_EQ(job.coordinateOrder, c.kind != 3 && c.sort == 4) << what;
  }
}

TEST_F(JobSetupTest, HallMaskTakesPrintableHallsWithCirclesAndGroupsOfSeveral) {
  source.maps.emplace_back(vx::Sjis("東123"), vx::PrintMapInfo{});
  source.maps.emplace_back(vx::Sjis("西12"), vx::PrintMapInfo{});
  AddHall("東1", 1, true, 3);
  AddHall("東2", 1, true, 1);
  AddHall("東3", 1, true, 0);   // no circle
  AddHall("東6", 1, false, 5);  // no print rectangle
  AddHall("西1", 2, true, 2);
  settings.kinds[0].blocks = 0;  // no hall chosen: every printable hall
  vx::PrintJob_BuildFromSettings(settings, 0);
  EXPECT_EQ(vx::PrintEngine_Job().hallMask, 0b1000'0011);  // halls 1, 2 and 8 (西1)
  settings.kinds[0].blocks = 0b10;
  vx::PrintJob_BuildFromSettings(settings, 0);
  EXPECT_EQ(vx::PrintEngine_Job().hallMask, 0b10);

  settings.kinds[2].layout = 0;
  settings.kinds[2].blocks = 0b1000'0001;
  settings.kinds[2].maps = 0b101;  // 東123 (two halls) and 西12 (one hall)
  vx::PrintJob_BuildFromSettings(settings, 2);
  EXPECT_EQ(vx::PrintEngine_Job().hallMask, (0b1000'0001 << 7) | 0b1);
  settings.kinds[2].maps = 0;  // no hall group chosen: none
  vx::PrintJob_BuildFromSettings(settings, 2);
  EXPECT_EQ(vx::PrintEngine_Job().hallMask, 0b1000'0001 << 7);
}

TEST_F(JobSetupTest, HallGroupsOfMapsNumberedAboveSeven) {
  for (int i = 0; i < 8; ++i)
    source.maps.emplace_back("other" + std::to_string(i), vx::PrintMapInfo{});
  source.maps.emplace_back(vx::Sjis("東123"), vx::PrintMapInfo{});  // map id 9
  AddHall("東1", 9, true, 1);
  AddHall("東2", 9, true, 1);
  settings.kinds[2].layout = 0;
  settings.kinds[2].maps = 0b1;
  vx::PrintJob_BuildFromSettings(settings, 2);
  EXPECT_EQ(vx::PrintEngine_Job().hallMask & 0x7F, 0b1);
}

TEST_F(JobSetupTest, HighResolutionIsSetPerJobByItsTarget) {
  vx::PrintJob_BuildFromSettings(settings, 0);
  vx::PrintEngine_SetImageFileTarget(nullptr, 800, 1, "/out", "page", vx::kImagePng);
  vx::PrintJob& job = vx::PrintEngine_Job();
  EXPECT_EQ(std::tuple(job.target, job.highResolution, job.longSide, job.outputFolder,
                       job.outputFile, job.imageFormat),
            std::tuple(int{vx::kTargetImageFiles}, 1, 800, std::string("/out"), std::string("page"),
                       int{vx::kImagePng}));
  // The next job prints through page images: it does not inherit the image job's resolution.
  vx::PrintJob_BuildFromSettings(settings, 0);
  vx::PrintEngine_SetPrinterTarget(nullptr, 1);
  EXPECT_EQ(std::tuple(job.target, job.highResolution, job.longSide, job.imageFormat),
            std::tuple(int{vx::kTargetPrinterImages}, 0, 0, int{vx::kImageBmp}));
  vx::PrintJob_BuildFromSettings(settings, 0);
  vx::PrintEngine_SetPrinterTarget(nullptr, 0);
  EXPECT_EQ(std::tuple(job.target, job.highResolution), std::tuple(int{vx::kTargetPrinter}, 1));
}

TEST_F(JobSetupTest, SetUpClearsTheRangeAndTheOwner) {
  vx::PrintJob_BuildFromSettings(settings, 0);
  int owner = 0;
  vx::PrintEngine_SetPageRange("3-5", 2, 1);
  vx::PrintEngine_SetOwnerWindow(&owner);
  vx::PrintJob& job = vx::PrintEngine_Job();
  EXPECT_EQ(std::tuple(job.pageRange, job.rangeFlagA, job.rangeFlagB, job.ownerWindow),
            std::tuple(std::string("3-5"), 2, 1, static_cast<void*>(&owner)));
  vx::PrintJob_BuildFromSettings(settings, 0);
  EXPECT_EQ(std::tuple(job.pageRange, job.rangeFlagA, job.rangeFlagB, job.ownerWindow),
            std::tuple(std::string(), 1, 0, static_cast<void*>(nullptr)));
}

TEST_F(JobSetupTest, WithoutDocumentsTheSetUpSaysSoAndFindsNoPage) {
  vx::PrintEngine_Reset();
  SetContext(&source);
  EXPECT_EQ(vx::PrintJob_BuildFromSettings(settings, 0), 0);
  ASSERT_EQ(ReportTexts().size(), 1u);
  EXPECT_NE(ReportTexts()[0].find("PrintEngine_PrepareJob: "), std::string::npos);
}

TEST_F(JobSetupTest, DocumentThreadRunsTheJobAndStopFlagsAreItsKinds) {
  int owner = 0;
  std::atomic<int> sawStop{-1};
  vx::PrintEngine_SetDocument(vx::kDocumentList, [&](vx::PrintJob& job, int target) {
    sawStop = vx::PrintEngine_StopFlag(vx::kDocumentList).load();
    vx::PrintEngine_Post(job, UM_PRINT_DONE, target);
    return 0;
  });
  vx::PrintJob_BuildFromSettings(settings, 0);
  vx::PrintEngine_SetImageFileTarget(nullptr, 0, 0, "/o", "p", 0);
  vx::PrintEngine_SetOwnerWindow(&owner);
  vx::PrintEngine_StopJob();
  EXPECT_EQ(vx::PrintEngine_StopFlag(vx::kDocumentList).load(), 1);
  EXPECT_EQ(vx::PrintEngine_StopFlag(vx::kDocumentMap).load(), 0);
  // The start clears the kind's flag: a stop of an earlier run does not end the new one.
  vx::PrintEngine_RunJob();
  vx::PrintEngine_WaitForJob();
  EXPECT_EQ(sawStop.load(), 0);
  EXPECT_EQ(events.Taken(),
            (std::vector<RecordingEvents::Posted>{{&owner, UM_PRINT_DONE, vx::kTargetImageFiles}}));
  // Without an owner window nothing is posted.
  vx::PrintEngine_SetOwnerWindow(nullptr);
  vx::PrintEngine_RunJob();
  vx::PrintEngine_WaitForJob();
  EXPECT_EQ(events.Taken().size(), 1u);
}

}  // namespace
}  // namespace vxtest
