// The print documents over a small catalogue: which circles take which slots, where pages end,
// the titles, the page range, the messages of a run, and the marks and lines of map pages.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <stdexcept>
#include <system_error>

#include "print/LineList.h"
#include "print/PageImageOutput.h"
#include "print/PageTitles.h"
#include "tests/print/DocumentTestSupport.h"
#include "tests/support/PipeGuard.h"

namespace vxtest {
namespace {

using vx::PrintSelection;

constexpr int kList = 1;       // LIST_0V
constexpr int kCutList = 5;    // CIRCLELIST_3V
constexpr int kBlankMap = 7;   // MAP_0V, no circles
constexpr int kMap = 8;        // MAP_0V
constexpr int kListMap = 9;    // LISTMAP_0V
constexpr int kListMap2 = 10;  // LISTMAP2_0V

// The middle of the colour column of the first grid column: after the border, padding, the
// running number's 40 pixels, padding, separator and padding. The second grid column is 388 to
// the right (cells share their border line).
constexpr int kSwatchX = 2 + 2 + 40 + 2 + 2 + 2 + 15;

// The print colour of check colour c in the test catalogue: blue c.
QRgb PrintColorOf(int c) { return qRgb(0, 0, c); }

// `count` circles of day 1 in block A, spaces 1.., colours 1..9 in turn.
void CheckMany(DocumentCatalog& catalog, int count, int firstId = 1) {
  for (int i = 0; i < count; ++i) {
    TestCircle c;
    c.id = firstId + i;
    c.color = 1 + i % 9;
    c.space = 1 + i % 20;
    c.name = "circle" + std::to_string(c.id);
    catalog.Add(c);
  }
}

using ListDocumentTest = DocumentTest;

TEST_F(ListDocumentTest, TheEleventhLineGoesToTheSecondColumnAndTheTwentyFirstToANewPage) {
  CheckMany(catalog, 25);
  PrintSelection request = Request(PrintSelection::kFamilyList, kList);
  EXPECT_EQ(SetUp(request), 2);
  const vx::PrintJob& job = vx::PrintEngine_Job();
  EXPECT_EQ(job.linesPerPage, 20);
  // The first run of the engine already sizes its page from this job's layout.
  EXPECT_EQ(std::tuple(job.outputWidth, job.outputHeight), std::tuple(787, 1181));
  EXPECT_EQ(std::tuple(job.linesPerPageTable[1], job.linesPerPageTable[2]), std::tuple(20, 5));
  ASSERT_EQ(RunPreview("1"), 0);
  const QImage page = LastPage();
  EXPECT_EQ(page.pixel(kSwatchX, 80), PrintColorOf(1));             // line 1: column 1, row 1
  EXPECT_EQ(page.pixel(kSwatchX, 80 + 9 * 38), PrintColorOf(1));    // line 10: column 1, row 10
  EXPECT_EQ(page.pixel(388 + kSwatchX, 80), PrintColorOf(2));       // line 11: column 2, row 1
  EXPECT_EQ(page.pixel(388 + kSwatchX, 80 + 38), PrintColorOf(3));  // line 12: column 2, row 2
}

// Counting draws nothing and so holds no page image, however large the pages (a high-resolution
// A4 page image is about 100 MB), yet it tells the preview the pages' size.
TEST_F(ListDocumentTest, CountingPagesHoldsNoPageImage) {
  CheckMany(catalog, 25);
  PrintSelection request = Request(PrintSelection::kFamilyList, kList);
  ASSERT_EQ(SetUp(request), 2);
  vx::PrintEngine_SetOwnerWindow(&owner);
  int progressWithImage = 0;
  int progress = 0;
  events.onPost = [&](unsigned message, std::intptr_t) {
    if (message != UM_PRINT_PROGRESS) return;
    ++progress;
    progressWithImage += vx::PrintEngine_Job().pageImage != nullptr;
  };
  EXPECT_GT(vx::PrintEngine_PrepareJob(), 0);
  EXPECT_GT(progress, 20);
  EXPECT_EQ(progressWithImage, 0);
  const vx::PrintJob& job = vx::PrintEngine_Job();
  EXPECT_EQ(std::tuple(job.outputWidth, job.outputHeight), std::tuple(787, 1181));
}

TEST_F(ListDocumentTest, APageBreakAtEachDayEndsAHalfEmptyPageWithEmptyRows) {
  CheckMany(catalog, 3);
  for (int id = 4; id <= 5; ++id) Check({.id = id, .day = 2, .block = "C", .space = id});
  PrintSelection request = Request(PrintSelection::kFamilyList, kList);
  request.SetPageBreak(PrintSelection::kBreakDay);
  EXPECT_EQ(SetUp(request), 2);
  const vx::PrintJob& job = vx::PrintEngine_Job();
  EXPECT_EQ(std::tuple(job.linesPerPageTable[1], job.linesPerPageTable[2]), std::tuple(3, 2));
  // Every slot of a page in range is a progress unit, empty or not, and so is each page's end.
  EXPECT_EQ(job.preparationResult, 2 * (20 + 1));
  EXPECT_EQ(vx::PageTitle_Get(1), "Event  Day 1  (D1)");
  EXPECT_EQ(vx::PageTitle_Get(2), "Event  Day 2  (D2)");
  ASSERT_EQ(RunPreview("2"), 0);
  const QImage page = LastPage();
  // Rows 3 and 4 (from 0) of page 2: the circle's row, then an empty row on the even background.
  EXPECT_EQ(page.pixel(kSwatchX, 60 + 1 * 38 + 20), PrintColorOf(1));
  EXPECT_EQ(page.pixel(kSwatchX, 60 + 2 * 38 + 20), qRgb(255, 255, 255));
  EXPECT_EQ(page.pixel(kSwatchX, 60 + 3 * 38 + 20), qRgb(200, 200, 200));
}

TEST_F(ListDocumentTest, APageOutOfRangeIsLaidOutButNotDrawnOutputOrCounted) {
  CheckMany(catalog, 25);
  PrintSelection request = Request(PrintSelection::kFamilyList, kList);
  SetUp(request);
  events.Clear();
  recordTexts = true;
  UseContext();
  ASSERT_EQ(RunPreview("2"), 0);
  const vx::PrintJob& job = vx::PrintEngine_Job();
  EXPECT_EQ(PagesPosted(), std::vector<int>{2});
  EXPECT_EQ(job.pagesOutput, 1);
  EXPECT_EQ(job.pageFigure, 2);
  EXPECT_EQ(job.preparationResult, 5 + 15 + 1);  // page 2's circles, empty slots and end
  // Page 2 carries its own number in its group and the running numbers of a full print.
  EXPECT_EQ(vx::PageTitle_Get(2), "Event  (2/2)");
  const std::vector<std::string> texts = recorder.Texts();
  EXPECT_NE(std::find(texts.begin(), texts.end(), "Event  (2/2)"), texts.end());
  EXPECT_EQ(std::find(texts.begin(), texts.end(), "Event  (1/2)"), texts.end());
  EXPECT_NE(std::find(texts.begin(), texts.end(), "21"), texts.end());
  EXPECT_EQ(std::find(texts.begin(), texts.end(), "20"), texts.end());
}

TEST_F(ListDocumentTest, OnlyCirclesOfTheChosenDaysHallsAndColoursTakeSlots) {
  Check({.id = 1, .color = 2, .name = "taken"});
  Check({.id = 2, .color = 2, .day = 2, .name = "other day"});
  Check({.id = 3, .color = 2, .block = "Z", .name = "no hall"});
  Check({.id = 4, .color = 2, .block = "A", .space = 30, .name = "beyond the hall's spaces"});
  Check({.id = 5, .color = 3, .name = "other colour"});
  Check({.id = 6, .color = 0, .name = "memo only"});
  PrintSelection request = Request(PrintSelection::kFamilyList, kList);
  request.AddDay(1);
  request.AddHall(1);
  request.AddColor(2);
  request.AddColor(3);
  recordTexts = true;
  UseContext();
  SetUp(request);
  request = Request(PrintSelection::kFamilyList, kList);
  EXPECT_EQ(vx::PrintEngine_Job().linesPrinted, 2);
  ASSERT_EQ(RunPreview(), 0);
  const std::vector<std::string> texts = recorder.Texts();
  for (const char* printed : {"taken", "other colour"}) {
    EXPECT_NE(std::find(texts.begin(), texts.end(), printed), texts.end()) << printed;
  }
  for (const char* left : {"other day", "no hall", "beyond the hall's spaces", "memo only"}) {
    EXPECT_EQ(std::find(texts.begin(), texts.end(), left), texts.end()) << left;
  }
}

TEST_F(ListDocumentTest, TheColourMaskDecidesAndColoursTenToSixteenPrint) {
  catalog.colorCount = 16;
  for (int c = 8; c <= 16; ++c) Check({.id = c, .color = c, .space = c});
  PrintSelection request = Request(PrintSelection::kFamilyList, kList);
  for (int c = 10; c <= 16; ++c) request.AddColor(c);
  SetUp(request);
  EXPECT_EQ(vx::PrintEngine_Job().linesPrinted, 7);
  request.colorList = true;
  SetUp(request);
  ASSERT_EQ(RunPreview(), 0);
  const QImage page = LastPage();
  for (int line = 0; line < 7; ++line) {
    EXPECT_EQ(page.pixel(kSwatchX, 80 + line * 38), PrintColorOf(10 + line)) << line;
  }
  // The legend's 16th cell: second row, last column, swatch filled with colour 16.
  const int x = 2 + 2 + 7 * 95 + 1 + 2 + 10;
  const int y = 1100 + 2 + 2 + 30 + 15;
  EXPECT_EQ(page.pixel(x, y), PrintColorOf(16));
}

TEST_F(ListDocumentTest, AHeaderOnlyRecordSetLaysOutNoPage) {
  PrintSelection request = Request(PrintSelection::kFamilyList, kList);
  EXPECT_EQ(SetUp(request), 0);
  EXPECT_EQ(vx::PrintEngine_Job().linesPrinted, 0);
  ASSERT_EQ(RunPreview(), 0);
  EXPECT_EQ(EndMessages(), std::vector<unsigned>{UM_PRINT_DONE});
  EXPECT_FALSE(vx::PrintEngine_Job().scaledPageImage);
}

TEST_F(ListDocumentTest, ACircleNotPlacedIsPrintedWithItsOwnTitleAndPosition) {
  Check({.id = 1, .day = 0, .block = "", .space = 0, .name = "nowhere"});
  PrintSelection request = Request(PrintSelection::kFamilyList, kList);
  request.SetPageBreak(PrintSelection::kBreakDay);
  recordTexts = true;
  UseContext();
  EXPECT_EQ(SetUp(request), 1);
  EXPECT_EQ(vx::PageTitle_Get(1), "Event  not placed");
  ASSERT_EQ(RunPreview(), 0);
  const std::vector<std::string> texts = recorder.Texts();
  EXPECT_NE(std::find(texts.begin(), texts.end(), "nowhere"), texts.end());
}

TEST_F(ListDocumentTest, BlockWisePrintsShowTheBlocksOtherCirclesWithoutAColour) {
  Check({.id = 1, .color = 2, .space = 1});
  vx::CircleRecord neighbour;
  neighbour.id = 2;
  neighbour.day = 1;
  neighbour.blockId = 'A';
  neighbour.spaceNo = 2;
  catalog.catalogue.push_back(neighbour);
  catalog.circles[2] = {.id = 2, .color = -1, .space = 2, .name = "neighbour"};
  PrintSelection request = Request(PrintSelection::kFamilyList, kList);
  request.printOrder = 1;
  request.blockAll = true;
  SetUp(request);
  EXPECT_EQ(vx::PrintEngine_Job().linesPrinted, 2);
  ASSERT_EQ(RunPreview(), 0);
  const QImage page = LastPage();
  EXPECT_EQ(page.pixel(kSwatchX, 80), PrintColorOf(2));
  EXPECT_EQ(page.pixel(kSwatchX, 80 + 38),
            qRgb(200, 200, 200));  // no swatch on the row's background
}

TEST_F(ListDocumentTest, PagesPastTheLastOutputPageAreNeverLaidOut) {
  std::string layout = DocumentLayoutText();
  const std::string grid = "LINE=2\nCOLUMN=10";  // of the list: one line a page instead
  layout.replace(layout.find(grid), grid.size(), "LINE=1\nCOLUMN=1");
  WriteFileBytes(program / "vpr.ini", layout);
  CheckMany(catalog, 1001);
  PrintSelection request = Request(PrintSelection::kFamilyList, kList);
  EXPECT_EQ(SetUp(request), 999);
  EXPECT_EQ(vx::PrintEngine_Job().linesPrinted, 999);
  EXPECT_EQ(ReportTexts().size(), 1u);  // the user is told once that pages were left out
}

TEST_F(ListDocumentTest, ARunPostsProgressPagesAndDoneToItsOwner) {
  CheckMany(catalog, 25);
  PrintSelection request = Request(PrintSelection::kFamilyList, kList);
  SetUp(request);
  events.Clear();
  ASSERT_EQ(RunPreview(), 0);
  const auto messages = Messages();
  ASSERT_FALSE(messages.empty());
  EXPECT_EQ(messages.front(), std::make_pair(UM_PRINT_PROGRESS, std::intptr_t{0}));
  EXPECT_EQ(messages.back(), std::make_pair(UM_PRINT_DONE, std::intptr_t{42}));
  EXPECT_EQ(PagesPosted(), (std::vector<int>{1, 2}));
  // Each page message follows the page's last progress message.
  for (std::size_t i = 1; i < messages.size(); ++i) {
    if (messages[i].first == UM_PRINT_PAGE) {
      EXPECT_EQ(messages[i - 1].first, UM_PRINT_PROGRESS);
    }
  }
  // Without an owner window nothing is posted.
  events.Clear();
  vx::PrintEngine_Job().ownerWindow = nullptr;
  ASSERT_EQ(RunKind(vx::PrintEngine_Job(), vx::kTargetPreview), 0);
  EXPECT_TRUE(Messages().empty());
}

TEST_F(ListDocumentTest, AChecklistOfAnotherFormatIsReportedAndTheRunFails) {
  CheckMany(catalog, 2);
  catalog.headerLine = "QUILLOR,200,Vellastrade96,Windows";
  PrintSelection request = Request(PrintSelection::kFamilyList, kList);
  SetUp(request);
  events.Clear();
  reports.shown.clear();
  EXPECT_EQ(RunPreview(), -1);
  EXPECT_EQ(Messages(), (std::vector<std::pair<unsigned, std::intptr_t>>{{UM_PRINT_PROGRESS, 0},
                                                                         {UM_PRINT_FAILED, 0}}));
  EXPECT_EQ(ReportTexts(), std::vector<std::string>{
                               "PrintDocument_Lst1: このお気に入りデータには対応していません(3)"});
}

TEST_F(ListDocumentTest, LongEventNamesGiveTitlesOfWholeCharacters) {
  catalog.weekdays = {vx::Sjis("金"), vx::Sjis("土")};
  catalog.eventName = std::string(245, 'a');
  Check({.id = 1});
  PrintSelection request = Request(PrintSelection::kFamilyList, kList);
  request.SetPageBreak(PrintSelection::kBreakDay);
  recordTexts = true;
  UseContext();
  SetUp(request);
  ASSERT_EQ(RunPreview(), 0);
  // 245 + "  Day 1  (" is 254 bytes: the weekday's two bytes do not fit in 255.
  const std::string title = catalog.eventName + "  Day 1  (";
  const std::vector<std::string> texts = recorder.Texts();
  EXPECT_NE(std::find(texts.begin(), texts.end(), title), texts.end());
  EXPECT_EQ(vx::PageTitle_Get(1), std::string(127, 'a'));
  // A name of 255 bytes ending in a double-byte character that does not fit is cut before it.
  catalog.eventName = std::string(254, 'b') + vx::Sjis("金");
  SetUp(request);
  EXPECT_EQ(vx::PrintEngine_State().layout.documentTitle, std::string(254, 'b'));
}

using CircleListDocumentTest = DocumentTest;

// A circle without a page (not placed by lottery) has no cut: its box is crossed out and shows
// its check colour, as the circle list does.
TEST_F(CircleListDocumentTest, EachCircleGetsItsCutAndACircleWithoutAPageACrossedBox) {
  Check({.id = 1, .color = 1});
  Check({.id = 2, .color = 3, .space = 2});
  Check({.id = 3, .color = 5, .space = 3, .page = 0});
  Check({.id = 4, .color = 7, .space = 4});
  PrintSelection request = Request(PrintSelection::kFamilyCutList, kCutList);
  EXPECT_EQ(SetUp(request), 1);
  EXPECT_TRUE(catalog.drawnCuts.empty());  // the counting pass draws nothing
  ASSERT_EQ(RunPreview(), 0);
  // Page, cut index, update id (the circle id here) and the print colour of the mark.
  EXPECT_EQ(catalog.drawnCuts, (std::vector<std::array<int, 4>>{
                                   {1, 1, 1, 0x010000}, {1, 1, 2, 0x030000}, {1, 1, 4, 0x070000}}));
  // Cells fill down the columns: the third circle is the third row's cell, its cut box crossed.
  const QImage page = LastPage();
  const int cellY = 40 + 2 * (300 - 2);
  const int boxX = 0 + 2 + 4;
  const int boxY = cellY + 2 + 4;
  EXPECT_EQ(page.pixel(boxX + 50, boxY + 70), qRgb(0, 0, 0));  // both diagonals cross
  EXPECT_EQ(page.pixel(boxX + 50, boxY + 20), qRgb(0, 0, 5));  // colour 5's print colour
}

TEST_F(CircleListDocumentTest, SupplementAndMemoTakeOverTheRoomTheOtherLeaves) {
  struct Case {
    const char* what;
    std::string supplement, memo;
    bool hideSupplement, enlargeMemo;
    int supplementHeight, memoHeight;  // of the drawn text boxes; 0 when not drawn
  };
  const Case cases[] = {
      {"both", "s", "m", false, false, 54, 54},
      {"no memo", "s", "", false, false, 108, 0},
      {"no supplement", "", "m", false, false, 0, 108},
      {"supplement hidden", "s", "m", true, false, 0, 108},
      {"memo enlarged", "s", "m", false, true, 54, 54},
      {"memo enlarged alone", "", "m", false, true, 0, 108},
  };
  recordTexts = true;
  UseContext();
  for (const Case& c : cases) {
    catalog = DocumentCatalog{};
    Check({.id = 1, .supplement = c.supplement, .memo = c.memo});
    PrintSelection request = Request(PrintSelection::kFamilyCutList, kCutList);
    if (c.hideSupplement) request.itemMask = 0xFF & ~(1 << 4);
    request.enlargeMemo = c.enlargeMemo;
    SetUp(request);
    recorder.drawn.clear();
    ASSERT_EQ(RunPreview(), 0) << c.what;
    int supplement = 0;
    int memo = 0;
    for (const RecordingTextDrawer::Drawn& d : recorder.drawn) {
      if (d.text == "s") supplement = d.height;
      if (d.text == "m") {
        memo = d.height;
        EXPECT_EQ(d.fontHeight, c.enlargeMemo ? 27 : 18) << c.what;
      }
    }
    EXPECT_EQ(std::tuple(supplement, memo), std::tuple(c.supplementHeight, c.memoHeight)) << c.what;
  }
}

using MapDocumentTest = DocumentTest;

// The page point of map image point (x, y): the 100 x 80 map six times enlarged at (0, 40).
QRgb MapPixel(const QImage& page, int x, int y) { return page.pixel(6 * x + 3, 40 + 6 * y + 3); }

TEST_F(MapDocumentTest, EachCircleIsMarkedOnItsHalfOfTheDeskInItsColour) {
  // Desk (2, 3) lies at map (21, 31), 10 x 10; layout 1 puts half a left and b right.
  Check({.id = 1, .color = 4, .half = 0, .layoutCode = 1, .deskColumn = 2, .deskRow = 3});
  // Layout 4 puts half a at the top; a negative index shifts by half a desk: x = 5 + 40.
  Check({.id = 2,
         .color = 6,
         .space = 2,
         .half = 1,
         .layoutCode = 4,
         .deskColumn = -4,
         .deskRow = 1});
  PrintSelection request = Request(PrintSelection::kFamilyMaps, kMap);
  EXPECT_EQ(SetUp(request), 2);  // the hall group's map, then the hall entry's
  ASSERT_EQ(RunPreview("1"), 0);
  const QImage page = LastPage();
  EXPECT_EQ(MapPixel(page, 23, 35), PrintColorOf(4));
  EXPECT_EQ(MapPixel(page, 28, 35), qRgb(255, 255, 255));
  EXPECT_EQ(MapPixel(page, 48, 18), PrintColorOf(6));
  EXPECT_EQ(MapPixel(page, 48, 13), qRgb(255, 255, 255));
  EXPECT_EQ(vx::PrintEngine_Job().linesPerPageTable[1], 2);
  EXPECT_EQ(vx::PageTitle_Get(1), vx::Sjis("Event  Day 1  (D1)  東123Hall"));
  EXPECT_EQ(vx::PageTitle_Get(2), vx::Sjis("Event  Day 1  (D1)  東1Hall"));
}

TEST_F(MapDocumentTest, TwoCirclesWithoutSpaceHalvesShareTheirDesk) {
  Check({.id = 1, .color = 2, .deskColumn = 1, .deskRow = 1, .fieldCount = 21});
  Check({.id = 2, .color = 8, .space = 2, .deskColumn = 1, .deskRow = 1, .fieldCount = 21});
  PrintSelection request = Request(PrintSelection::kFamilyMaps, kMap);
  SetUp(request);
  ASSERT_EQ(RunPreview("1"), 0);
  const QImage page = LastPage();
  EXPECT_EQ(MapPixel(page, 13, 15), PrintColorOf(2));
  EXPECT_EQ(MapPixel(page, 18, 15), PrintColorOf(8));
}

TEST_F(MapDocumentTest, AJobWithoutCirclesPrintsBlankMapsOfEveryDayAndHall) {
  PrintSelection request = Request(PrintSelection::kFamilyMaps, kBlankMap);
  EXPECT_EQ(SetUp(request), 6);
  std::vector<std::string> titles;
  for (int p = 1; p <= 6; ++p) titles.push_back(vx::Cp932ToUtf8(vx::PageTitle_Get(p)));
  EXPECT_EQ(titles, (std::vector<std::string>{
                        "Event  Day 1  (D1)  東123Hall", "Event  Day 2  (D2)  東123Hall",
                        "Event  Day 1  (D1)  東1Hall", "Event  Day 1  (D1)  東2Hall",
                        "Event  Day 2  (D2)  東1Hall", "Event  Day 2  (D2)  東2Hall"}));
  ASSERT_EQ(RunPreview("1"), 0);
  const QImage page = LastPage();
  EXPECT_EQ(MapPixel(page, 50, 40), qRgb(255, 255, 255));
  EXPECT_EQ(page.pixel(300, 38), qRgb(0, 0, 0));  // the frame around the map

  // A pipe in place of a map picture is a missing picture, never waited on.
  const std::filesystem::path pipe = images / "MAP1E.PNG";
  std::filesystem::remove(pipe);
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  EXPECT_TRUE(ReturnsWithoutAWriter({pipe}, [&] {
    EXPECT_EQ(SetUp(request), 6);
    EXPECT_EQ(RunPreview("1"), 0);
  }));
  EXPECT_EQ(vx::PrintEngine_State().tables.days[0].groups[0].mapFile, "");
  EXPECT_EQ(LastPage().pixel(300, 38), qRgb(0, 0, 0));
}

TEST_F(MapDocumentTest, TheOutlineMapTintsThePartThePageShows) {
  Check({.id = 1, .color = 2});
  PrintSelection request = Request(PrintSelection::kFamilyMaps, kMap);
  request.smallMap = true;
  SetUp(request);
  ASSERT_EQ(RunPreview("2"), 0);  // hall entry 東1: the left half of the outline's top row
  const QImage page = LastPage();
  // The 40 x 40 outline stretched into 150 x 240 at (620, 300): white scaled by the area colour
  // in percent (99, 0, 0), set over the grey outline, where the part is; grey elsewhere.
  EXPECT_EQ(page.pixel(620 + 20, 300 + 30), qRgb(252, 0, 0));
  EXPECT_EQ(page.pixel(620 + 110, 300 + 30), qRgb(128, 128, 128));
  EXPECT_EQ(page.pixel(620 + 20, 300 + 200), qRgb(128, 128, 128));
  EXPECT_EQ(page.pixel(619, 320), qRgb(0, 0, 255));  // the frame colour outside the picture
}

using ListMapDocumentTest = DocumentTest;

TEST_F(ListMapDocumentTest, APageEndsWhenItsListIsFullAndTheNextShowsTheSameMap) {
  CheckMany(catalog, 6);
  PrintSelection request = Request(PrintSelection::kFamilyMaps, kListMap);
  EXPECT_EQ(SetUp(request), 4);  // the hall group's map twice, then the hall entry's twice
  const vx::PrintJob& job = vx::PrintEngine_Job();
  EXPECT_EQ(std::tuple(job.linesPerPageTable[1], job.linesPerPageTable[2], job.linesPerPageTable[3],
                       job.linesPerPageTable[4]),
            std::tuple(4, 2, 4, 2));
  // The titles count pages against the totals of the counting pass before the run.
  EXPECT_EQ(vx::PageTitle_Get(1), vx::Sjis("Event  Day 1  (D1)  東123Hall"));
  ASSERT_EQ(RunPreview("1"), 0);
  EXPECT_EQ(vx::PageTitle_Get(1), vx::Sjis("Event  Day 1  (D1)  東123Hall  (1/2)"));
  EXPECT_EQ(vx::PageTitle_Get(2), vx::Sjis("Event  Day 1  (D1)  東123Hall  (2/2)"));
  EXPECT_EQ(vx::PageTitle_Get(4), vx::Sjis("Event  Day 1  (D1)  東1Hall  (2/2)"));
}

TEST_F(ListMapDocumentTest, LinesJoinEntriesOfTheChosenColoursToTheirDesks) {
  Check({.id = 1, .color = 1, .deskColumn = 2, .deskRow = 3});
  Check({.id = 2, .color = 2, .space = 2, .deskColumn = 6, .deskRow = 3});
  PrintSelection request = Request(PrintSelection::kFamilyMaps, kListMap);
  request.AddHall(14);  // no hall entry pages: the lines of the only page stay
  request.serialNumbers = false;
  request.mapLine = true;
  request.AddLineColor(1);
  SetUp(request);
  ASSERT_EQ(RunPreview("1"), 0);
  ASSERT_EQ(vx::LineList_Lines().size(), 1u);
  const vx::LeaderLine& line = vx::LineList_Lines()[0];
  // From the first row's left edge inside its border and padding, at its middle (the list
  // starts at 580 below its header row) ...
  EXPECT_EQ(std::tuple(line.x, line.y), std::tuple(4, 580 + 20));
  // ... to the middle of the circle's half a (left) of desk (2, 3): map (23, 35).
  EXPECT_EQ(std::tuple(line.x + line.width, line.y + line.height), std::tuple(6 * 23, 40 + 6 * 35));
  EXPECT_EQ(line.color, 0x010000u);
  const QImage page = LastPage();
  EXPECT_EQ(page.pixel(3, 580 + 22), PrintColorOf(1));  // the square at the start, off the line
}

TEST_F(ListMapDocumentTest, TheBoxFormDrawsBoxesAndStartsLinesAtTheBoxPoint) {
  Check({.id = 1, .color = 1, .deskColumn = 2, .deskRow = 3});
  Check({.id = 2, .color = 1, .space = 2, .deskColumn = 3, .deskRow = 3});
  PrintSelection request = Request(PrintSelection::kFamilyMaps, kListMap2);
  request.AddHall(14);
  request.mapLine = true;
  request.AddLineColor(1);
  SetUp(request);
  ASSERT_EQ(RunPreview("1"), 0);
  ASSERT_EQ(vx::LineList_Lines().size(), 2u);
  // The box form fills across the rows: the second circle is the first row's second cell.
  EXPECT_EQ(std::tuple(vx::LineList_Lines()[1].x, vx::LineList_Lines()[1].y),
            std::tuple(390 - 2, 580 + 150));
  EXPECT_EQ(catalog.drawnCuts.size(), 2u);
}

// The page callback of an output target, counting pages and raising the stop flag at one.
class StoppingOutput {
 public:
  explicit StoppingOutput(int stopAt) : stopAt_(stopAt) {}
  int operator()(const vx::PrintJob&, const vx::DibImage&) {
    if (++pages == stopAt_) vx::PrintEngine_StopJob();
    return 0;
  }
  int pages = 0;

 private:
  int stopAt_;
};

using PrintWorkerTest = DocumentTest;

TEST_F(PrintWorkerTest, CancelDuringATwentyPageJobStopsWithinOnePageAndSaysStopped) {
  CheckMany(catalog, 400);
  PrintSelection request = Request(PrintSelection::kFamilyList, kList);
  EXPECT_EQ(SetUp(request), 20);
  StoppingOutput output(3);
  UseOutput(vx::kTargetImageFiles, std::ref(output));
  vx::PrintEngine_RunJob();
  vx::PrintEngine_WaitForJob();
  EXPECT_EQ(output.pages, 3);  // the page being laid out when the stop came is not output
  EXPECT_EQ(EndMessages(), std::vector<unsigned>{UM_PRINT_STOPPED});
  EXPECT_EQ(PagesPosted(), (std::vector<int>{1, 2, 3}));
  EXPECT_FALSE(vx::PrintEngine_Job().pageImage);  // the output let its page image go
}

TEST_F(PrintWorkerTest, AStopRaisedAsTheThreadStartsHolds) {
  CheckMany(catalog, 40);
  startThread = [](std::function<void()> body) {
    return std::thread([body = std::move(body)] {
      vx::PrintEngine_StopJob();
      body();
    });
  };
  UseContext();
  PrintSelection request = Request(PrintSelection::kFamilyList, kList);
  SetUp(request);
  StoppingOutput output(0);
  UseOutput(vx::kTargetImageFiles, std::ref(output));
  vx::PrintEngine_RunJob();
  vx::PrintEngine_WaitForJob();
  EXPECT_EQ(output.pages, 0);
  EXPECT_EQ(EndMessages(), std::vector<unsigned>{UM_PRINT_STOPPED});
}

TEST_F(PrintWorkerTest, StoppingAMapPrintSaysStoppedNotFailed) {
  Check({.id = 1});
  PrintSelection request = Request(PrintSelection::kFamilyMaps, kMap);
  SetUp(request);
  StoppingOutput output(1);
  UseOutput(vx::kTargetPrinterImages, std::ref(output));
  vx::PrintEngine_RunJob();
  vx::PrintEngine_WaitForJob();
  EXPECT_EQ(EndMessages(), std::vector<unsigned>{UM_PRINT_STOPPED});
}

TEST_F(PrintWorkerTest, AThreadThatCannotStartEndsTheJobAsFailed) {
  Check({.id = 1});
  startThread = [](std::function<void()>) -> std::thread {
    throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
  };
  UseContext();
  PrintSelection request = Request(PrintSelection::kFamilyList, kList);
  SetUp(request);
  UseOutput(vx::kTargetImageFiles, nullptr);
  reports.shown.clear();
  vx::PrintEngine_RunJob();
  vx::PrintEngine_WaitForJob();
  EXPECT_EQ(EndMessages(), std::vector<unsigned>{UM_PRINT_FAILED});
  ASSERT_EQ(ReportTexts().size(), 1u);
  EXPECT_EQ(ReportTexts()[0].rfind("PrintThread_Start: ", 0), 0u);
}

TEST_F(PrintWorkerTest, AThrowOnTheDocumentThreadEndsTheJobAsFailed) {
  Check({.id = 1});
  PrintSelection request = Request(PrintSelection::kFamilyList, kList);
  SetUp(request);
  UseOutput(vx::kTargetImageFiles, [](const vx::PrintJob&, const vx::DibImage&) -> int {
    throw std::runtime_error("disk gone");
  });
  reports.shown.clear();
  vx::PrintEngine_RunJob();
  vx::PrintEngine_WaitForJob();
  EXPECT_EQ(EndMessages(), std::vector<unsigned>{UM_PRINT_FAILED});
  ASSERT_EQ(ReportTexts().size(), 1u);
  EXPECT_NE(ReportTexts()[0].find("disk gone"), std::string::npos);
  EXPECT_FALSE(vx::PrintEngine_Job().pageImage);
}

TEST_F(PrintWorkerTest, ATargetWithoutAnOutputFailsWithAReport) {
  Check({.id = 1});
  PrintSelection request = Request(PrintSelection::kFamilyList, kList);
  SetUp(request);
  vx::PrintEngine_SetImageFileTarget(nullptr, 0, 0, "", "page", vx::kImagePng);
  vx::PrintEngine_SetOwnerWindow(&owner);
  events.Clear();
  reports.shown.clear();
  EXPECT_EQ(RunKind(vx::PrintEngine_Job(), vx::kTargetImageFiles), -1);
  EXPECT_EQ(EndMessages(), std::vector<unsigned>{UM_PRINT_FAILED});
  EXPECT_EQ(ReportTexts().size(), 1u);
}

}  // namespace
}  // namespace vxtest
