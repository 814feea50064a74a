// The page renderers alone: column widths, texts of the list items, desks and map placement,
// the colour legend, leader lines, and the preview's scaled pages.
#include <gtest/gtest.h>

#include <QImage>

#include "print/ColorLegendRenderer.h"
#include "print/ColumnListRenderer.h"
#include "print/DibImageQt.h"
#include "print/LineList.h"
#include "print/MapDesk.h"
#include "print/MapPlacement.h"
#include "print/PageDrawing.h"
#include "print/PageImageCanvas.h"
#include "print/PreviewPageBuffer.h"
#include "print/PrintItemText.h"
#include "print/PrintRecordSelection.h"
#include "tests/print/DocumentTestSupport.h"

namespace vxtest {
namespace {

using vx::DibRect;

bool Same(const DibRect& a, const DibRect& b) {
  return std::tie(a.x, a.y, a.w, a.h) == std::tie(b.x, b.y, b.w, b.h);
}

vx::PrintLayout ColumnLayout(std::initializer_list<std::pair<int, bool>> columns) {
  vx::PrintLayout l;
  for (const auto& [width, shown] : columns) {
    l.listColumns.push_back({width, 0, false, shown});
    if (!shown) continue;
    ++l.shownColumns;
    if (width > 0) {
      l.shareSum += width;
      ++l.proportionalColumns;
    } else {
      l.fixedSum += -width;
    }
  }
  return l;
}

TEST(ListColumnWidthsTest, FixedColumnsTakeTheirOwnAndSharesSplitTheRest) {
  struct Case {
    const char* what;
    vx::PrintLayout layout;
    int room;  // the cell's width less borders, paddings and separators
    std::vector<int> widths;
  };
  const Case cases[] = {
      {"fixed and shares",
       ColumnLayout({{-100, true}, {1, true}, {3, true}}),
       900 + 100,
       {100, 225, 675}},
      {"a hidden column takes nothing",
       ColumnLayout({{-100, true}, {2, false}, {1, true}}),
       500 + 100,
       {100, 0, 500}},
      {"a fixed last column takes what the shares leave",
       ColumnLayout({{1, true}, {2, true}, {-50, true}}),
       100 + 50,
       {33, 67, 50}},
      {"only fixed columns: the last one grows",
       ColumnLayout({{-40, true}, {-60, true}}),
       300,
       {40, 260}},
      {"no room left", ColumnLayout({{-400, true}, {1, true}}), 300, {400, 0}},
  };
  for (const Case& c : cases) {
    vx::PrintLayout l = c.layout;
    // No borders, paddings or separators: the cell is the room.
    l.cellWidth = c.room;
    EXPECT_EQ(vx::ListColumn_Widths(l), c.widths) << c.what;
  }
}

TEST(FoldLineBreaksTest, EveryRunOfLineBreaksBecomesOneSpace) {
  const std::pair<const char*, const char*> cases[] = {
      {"A\r\n\r\nB", "A B"}, {"A\nB\rC", "A B C"}, {"\r\nA\r\n", " A "}, {"AB", "AB"}, {"", ""}};
  for (const auto& [text, folded] : cases) EXPECT_EQ(vx::FoldLineBreaks(text), folded) << text;
}

vx::PrintRecord Record(const std::string& line) {
  vx::PrintRecord r;
  vx::PrintRecords_SplitLine(line, r);
  return r;
}

TEST(PrintItemTextTest, ItemsReadTheirFieldsAndThePositionJoinsItsParts) {
  vx::PrintLayout l;
  l.posFail = "not placed";
  l.posFail2 = "NP";
  const std::string tail = ",,,,,,,,,,,,,,,,,,,,,,,";
  const vx::PrintRecord placed = Record("0,1,2,3,Sat,E,A,12,110,name,pen,book" + tail);
  EXPECT_EQ(vx::PrintItem_Position(placed, l), "SatEA12a");
  EXPECT_EQ(vx::PrintItem_Text(placed, vx::kItemCircleName, l), "name");
  EXPECT_EQ(vx::PrintItem_Text(placed, vx::kItemPenName, l), "pen");
  EXPECT_EQ(vx::PrintItem_Text(placed, vx::kItemColor, l), "");
  const vx::PrintRecord halfB =
      Record("0,1,2,3,Sat,E,A,12,110,n,p,b,u,m,sup,1,2,memo,kana,19,20,1,1,");
  EXPECT_EQ(vx::PrintItem_Position(halfB, l), "SatEA12b");
  EXPECT_EQ(vx::PrintItem_Text(halfB, vx::kItemSupplement, l), "sup");
  EXPECT_EQ(vx::PrintItem_Text(halfB, vx::kItemMemo, l), "memo");
  EXPECT_EQ(vx::PrintItem_Text(halfB, vx::kItemKana, l), "kana");
  // A record of another writer without the space half gets no letter.
  EXPECT_EQ(vx::PrintItem_Position(Record("0,1,2,3,Sat,E,A,12,110,n,,,,,,,,,,"), l), "SatEA12");
  EXPECT_EQ(vx::PrintItem_Position(Record("0,1,2,3,NP,,,0,110" + tail), l), "not placed");
}

TEST(MapDeskTest, HalvesFollowTheDesksLayoutCode) {
  struct Case {
    int code, half;
    DibRect rect;
  };
  // A 10 x 8 desk.
  const Case cases[] = {
      {1, 0, {0, 0, 4, 7}}, {1, 1, {5, 0, 4, 7}}, {2, 0, {0, 4, 9, 3}}, {2, 1, {0, 0, 9, 3}},
      {3, 0, {5, 0, 4, 7}}, {3, 1, {0, 0, 4, 7}}, {4, 0, {0, 0, 9, 3}}, {4, 1, {0, 4, 9, 3}},
      {0, 0, {0, 0, 9, 7}}, {9, 1, {0, 0, 9, 7}},
  };
  for (const Case& c : cases) {
    EXPECT_TRUE(Same(vx::MapDesk_HalfRect(c.code, c.half, 10, 8), c.rect))
        << c.code << " " << c.half;
  }
  EXPECT_EQ(vx::MapDesk_Offset(3, 20), 60);
  EXPECT_EQ(vx::MapDesk_Offset(-2, 20), 50);  // half a desk, then two
}

TEST(MapPlacementTest, TheMapKeepsItsShapeAndTakesItsPlaceInTheFrame) {
  const DibRect frame{10, 20, 600, 600};
  // A wide map fills the width; the spare height goes by the vertical alignment.
  vx::MapPlacement p =
      vx::MapPlacement_Fit({0, 0, 300, 100}, frame, vx::MapAlign::kStart, vx::MapAlign::kEnd);
  EXPECT_TRUE(Same(p.onPage, {10, 420, 600, 200}));
  EXPECT_EQ(std::tuple(p.PageX(150), p.PageY(50)), std::tuple(310, 520));
  // A tall one fills the height.
  p = vx::MapPlacement_Fit({40, 0, 100, 300}, frame, vx::MapAlign::kCentre, vx::MapAlign::kStart);
  EXPECT_TRUE(Same(p.onPage, {210, 20, 200, 600}));
  EXPECT_EQ(p.PageX(40), 210);
  EXPECT_TRUE(
      Same(vx::MapPlacement_Fit({0, 0, 100, 300}, frame, vx::MapAlign::kEnd, vx::MapAlign::kStart)
               .onPage,
           {410, 20, 200, 600}));
  // The map document's setting: 1 bottom left .. 9 top right.
  const std::tuple<int, vx::MapAlign, vx::MapAlign> settings[] = {
      {1, vx::MapAlign::kStart, vx::MapAlign::kEnd},
      {5, vx::MapAlign::kCentre, vx::MapAlign::kCentre},
      {6, vx::MapAlign::kEnd, vx::MapAlign::kCentre},
      {9, vx::MapAlign::kEnd, vx::MapAlign::kStart},
      {0, vx::MapAlign::kCentre, vx::MapAlign::kCentre}};
  for (const auto& [setting, h, v] : settings) {
    vx::MapAlign horizontal{};
    vx::MapAlign vertical{};
    vx::MapPlacement_AlignOf(setting, horizontal, vertical);
    EXPECT_EQ(std::tuple(horizontal, vertical), std::tuple(h, v)) << setting;
  }
}

TEST(PrintSelectColorTest, MemosAreNeverPrintedAndUncheckedCirclesKeepThePreviousColour) {
  using vx::ColorChoice;
  const int mask = 0b1000000110;  // colours 2, 3 and 10
  const std::pair<int, ColorChoice> cases[] = {
      {2, ColorChoice::kTake}, {10, ColorChoice::kTake},         {1, ColorChoice::kSkip},
      {0, ColorChoice::kSkip}, {-1, ColorChoice::kKeepPrevious}, {40, ColorChoice::kSkip},
      {16, ColorChoice::kSkip}};
  for (const auto& [color, choice] : cases) {
    EXPECT_EQ(vx::PrintSelect_Color(color, mask, 16), choice) << color;
  }
}

// Renderers over a page image of their own, with the engine's layout and tables set by hand.
class RendererTest : public DocumentTest {
 protected:
  void SetUp() override {
    DocumentTest::SetUp();
    recordTexts = true;
    UseContext();
    job.pageImage = vx::DibImage_Create(24, 400, 300);
    job.canvas = std::make_shared<vx::PageImageCanvas>(job.pageImage);
    vx::Page_Begin(job, true);
    vx::PrintEngineState& state = vx::PrintEngine_State();
    state.geometry = {400, 300, 400, 300, 0, 0};
  }
  QImage Page() { return vx::DibImage_ToQImage(*job.pageImage); }
  // A legend of `items` cells in `columns` x `lines`, cells 20 pixels high.
  static vx::PrintLayout& Legend(int items, int columns, int lines, int cellWidth) {
    vx::PrintLayout& l = vx::PrintEngine_State().layout;
    l.colorItems = items;
    l.colorColumns = columns;
    l.colorLines = lines;
    l.colorCellWidth = cellWidth;
    l.colorCellHeight = 20;
    l.colorBoxWidth = 10;
    return l;
  }

  vx::PrintJob job;
};

TEST_F(RendererTest, ALegendOfNineColoursInTwoColumnsLeavesItsTenthCellEmpty) {
  vx::PrintEngineState& state = vx::PrintEngine_State();
  vx::PrintLayout& l = Legend(9, 2, 5, 100);
  l.colorCellPaddingWidth = 2;
  l.colorListNone = "no name";
  state.tables.colorCount = 9;
  state.tables.colors.assign(11, {});
  for (int c = 1; c <= 9; ++c) {
    state.tables.colors[static_cast<std::size_t>(c)] = {static_cast<vx::ColorRef>(c),
                                                        c == 4 ? "" : "C" + std::to_string(c)};
  }
  ASSERT_EQ(vx::RenderCheckColorList_BMP(job, true), 0);
  EXPECT_EQ(recorder.Texts(),
            (std::vector<std::string>{"C1", "C2", "C3", "no name", "C5", "C6", "C7", "C8", "C9"}));
  const QImage page = Page();
  EXPECT_EQ(page.pixel(5, 4 * 20 + 10), qRgb(9, 0, 0));              // colour 9: row 5, column 1
  EXPECT_EQ(page.pixel(100 + 5, 4 * 20 + 10), qRgb(255, 255, 255));  // the tenth cell
  EXPECT_EQ(page.pixel(100 + 5, 3 * 20 + 10), qRgb(8, 0, 0));
  // Nothing is drawn for a page that is not output.
  recorder.drawn.clear();
  ASSERT_EQ(vx::RenderCheckColorList_BMP(job, false), 0);
  EXPECT_TRUE(recorder.drawn.empty());
}

// The legend shows the colours in use however many cells the layout has: nine colours in a
// legend of sixteen leave no "(名称なし)" cells, and three take one of its two rows.
TEST_F(RendererTest, TheLegendShowsOnlyTheColoursInUse) {
  vx::PrintEngineState& state = vx::PrintEngine_State();
  vx::PrintLayout& l = Legend(16, 8, 2, 40);
  l.colorPageBorderWidth = l.colorPageBorderHeight = 1;
  const struct {
    int colors;
    int frameBottom;  // of the legend's frame
  } cases[] = {{9, 2 * 20 + 1}, {3, 20 + 1}};
  for (const auto& c : cases) {
    vx::Page_Begin(job, true);
    recorder.drawn.clear();
    state.tables.colorCount = c.colors;
    state.tables.colors.assign(static_cast<std::size_t>(c.colors) + 2, {0x00FF00, "C"});
    ASSERT_EQ(vx::RenderCheckColorList_BMP(job, true), 0);
    EXPECT_EQ(recorder.Texts(), std::vector<std::string>(static_cast<std::size_t>(c.colors), "C"));
    const QImage page = Page();
    EXPECT_EQ(page.pixel(200, c.frameBottom), qRgb(0, 0, 0)) << c.colors;
    EXPECT_EQ(page.pixel(200, c.frameBottom + 1), qRgb(255, 255, 255)) << c.colors;
  }
}

TEST_F(RendererTest, AColumnListEntryFillsItsCellAndSeparatesItsColumns) {
  vx::PrintLayout& l = vx::PrintEngine_State().layout;
  l = ColumnLayout({{-20, true}, {1, true}});
  l.listColumns[0].item = vx::kItemPosition;
  l.listColumns[1].item = vx::kItemCircleName;
  l.cellWidth = 200;
  l.cellHeight = 30;
  l.borderWidth = 1;
  l.borderHeight = 1;
  l.paddingWidth = 2;
  l.separatorWidth = 3;
  l.oddLineColor = 0x0000FF;  // entries 0, 2, ...: red
  l.evenLineColor = 0x00FF00;
  l.sepNameStart = 0;
  l.sepNames = {"Name", "", "", "", "", "", "Place"};
  const vx::ListGrid grid{10, 40, 1, 5};
  const vx::PrintRecord r = Record("0,1,2,3,Sat,E,A,12,110,circle,,,,,,,,,,,,,,");
  ASSERT_EQ(vx::List1_PaintColumnData_BMP(job, grid, {0, -1, nullptr, -1, 0}, true), 0);
  ASSERT_EQ(vx::List1_PaintColumnData_BMP(job, grid, {0, 0, &r, 0, 1}, true), 0);
  ASSERT_EQ(vx::List1_PaintColumnData_BMP(job, grid, {0, 1, nullptr, 1, 0}, true), 0);
  EXPECT_EQ(recorder.Texts(), (std::vector<std::string>{"Place", "Name", "SatEA12a", "circle"}));
  const QImage page = Page();
  // The header row lies above the list's first row; rows share their border line.
  EXPECT_EQ(page.pixel(100, 40 - 29 + 15), qRgb(0, 255, 0));
  EXPECT_EQ(page.pixel(100, 40 + 15), qRgb(255, 0, 0));
  EXPECT_EQ(page.pixel(100, 40 + 29 + 15), qRgb(0, 255, 0));
  EXPECT_EQ(page.pixel(10, 40 + 15), qRgb(0, 0, 0));  // the cell's left border
  // The separator after the first column: border, padding, 20 pixels, padding.
  EXPECT_EQ(page.pixel(10 + 1 + 2 + 20 + 2 + 1, 40 + 15), qRgb(0, 0, 0));
  EXPECT_EQ(page.pixel(10 + 1 + 2 + 20 + 2 + 4, 40 + 15), qRgb(255, 0, 0));
}

TEST_F(RendererTest, LeaderLinesGrowWithTheLineSettingAndEndInSquares) {
  auto widthAcross = [&](int setting) {
    vx::Page_Begin(job, true);
    job.mapLineValue = setting;
    vx::LineList_Clear();
    EXPECT_EQ(vx::LineList_Add(0, 50, 100, 300, 0, 0x0000FF), 0);
    EXPECT_EQ(vx::LineList_Draw(job, true), 0);
    const QImage page = Page();
    int width = 0;
    for (int y = 90; y < 110; ++y) width += page.pixel(200, y) != qRgb(255, 255, 255);
    return std::tuple(width, page.pixel(200, 100), page.pixel(50 - 2, 100 + 2));
  };
  // The thin line in the full colour; the wide ones halfway to white, the squares full.
  EXPECT_EQ(widthAcross(0), std::tuple(1, qRgb(255, 0, 0), qRgb(255, 0, 0)));
  EXPECT_EQ(widthAcross(1), std::tuple(2, qRgb(255, 128, 128), qRgb(255, 0, 0)));
  EXPECT_EQ(std::get<0>(widthAcross(2)), 3);
  EXPECT_EQ(std::get<0>(widthAcross(3)), 5);
  // A high-resolution job draws one step wider.
  job.highResolution = 1;
  EXPECT_EQ(std::get<0>(widthAcross(0)), 2);
}

TEST_F(RendererTest, APreviewKeepsOnlyTheScaledImageOfTheLastPage) {
  job.longSide = 100;
  std::vector<std::weak_ptr<vx::DibImage>> scaled;
  for (int page = 0; page < 3; ++page) {
    ASSERT_EQ(vx::Preview_Put(job), 0);
    scaled.push_back(job.scaledPageImage);
  }
  EXPECT_TRUE(scaled[0].expired());
  EXPECT_TRUE(scaled[1].expired());
  ASSERT_FALSE(scaled[2].expired());
  EXPECT_EQ(std::tuple(vx::DibImage_Width(*job.scaledPageImage),
                       vx::DibImage_Height(*job.scaledPageImage)),
            std::tuple(100, 75));
  vx::Preview_Close(job);
  EXPECT_FALSE(job.pageImage);
}

}  // namespace
}  // namespace vxtest
