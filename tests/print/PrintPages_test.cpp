// Pages of a run: the page range, page titles, the page limit, leader lines and the preview's
// page buffers.
#include <gtest/gtest.h>

#include <set>

#include "platform/CodePage.h"
#include "print/LineList.h"
#include "print/PageRange.h"
#include "print/PageTitles.h"
#include "print/PreviewPageBuffer.h"
#include "print/PrintEngineState.h"
#include "print/PrintPageGeometry.h"
#include "tests/print/PrintTestSupport.h"

namespace vxtest {
namespace {

std::set<int> Selected() {
  std::set<int> pages;
  for (int p = -1; p <= 1001; ++p) {
    if (vx::PageRange_IsSelected(p)) pages.insert(p);
  }
  return pages;
}

std::set<int> Pages(int from, int to) {
  std::set<int> pages;
  for (int p = from; p <= to; ++p) pages.insert(p);
  return pages;
}

using PagesTest = EngineTest;

TEST_F(PagesTest, PageRangeTexts) {
  const std::pair<const char*, std::set<int>> cases[] = {
      {"3-5,8", {3, 4, 5, 8}},   {"-2", {1, 2}},       {"998-", {998, 999}},
      {"0-2000", Pages(1, 999)}, {"5-3", {}},          {"", Pages(1, 999)},
      {"abc", Pages(1, 999)},    {"1-3, ", {1, 2, 3}}, {"-", Pages(1, 999)},
      {" 7 ,x9", {7, 9}},        {"2 4", {2}},  // a second number where the item has room for none
      {"2--4", {2, 3, 4}},                      // a second "-" changes nothing
      {"1-2-9", {1, 2}},         {"12a3", {12}},
  };
  for (const auto& [text, pages] : cases) {
    EXPECT_EQ(vx::PageRange_Parse(text), 0);
    EXPECT_EQ(Selected(), pages) << '"' << text << '"';
  }
  // Double-byte characters (full-width digits too) are skipped.
  vx::PageRange_Parse(vx::Sjis("ページ２,2－3-4"));
  EXPECT_EQ(Selected(), (std::set<int>{2, 3, 4}));
}

TEST_F(PagesTest, PageLimitIsReportedOncePerJob) {
  EXPECT_EQ(vx::PageRange_CheckPageLimit(999, "PrintDocument_Lst1"), 0);
  EXPECT_EQ(vx::PageRange_CheckPageLimit(1000, "PrintDocument_Lst1"), -1);
  EXPECT_EQ(vx::PageRange_CheckPageLimit(1001, "PrintDocument_Lst1"), -1);
  EXPECT_EQ(
      reports.Shown(),
      (std::vector<std::pair<std::string, std::string>>{
          {"PrintDocument_Lst1: 出力できるのは999ページまでです。1000ページ目以降は出力されません",
           "LOG_Error"}}));
}

TEST_F(PagesTest, PageTitlesKeepWholeCharactersForPagesOneToAThousand) {
  EXPECT_EQ(vx::PageTitle_Set(1000, "last"), 0);
  EXPECT_EQ(vx::PageTitle_Set(1001, "x"), -1);
  EXPECT_EQ(vx::PageTitle_Set(0, "x"), -1);
  EXPECT_EQ(vx::PageTitle_Get(1000), "last");
  EXPECT_EQ(vx::PageTitle_Get(1001), "");
  // 126 bytes and a double-byte character: the character does not fit in 127.
  const std::string title = std::string(126, 'a') + vx::Sjis("表");
  vx::PageTitle_Set(3, title);
  EXPECT_EQ(vx::PageTitle_Get(3), std::string(126, 'a'));
}

TEST_F(PagesTest, TitleFormatsByModeAndGroupPages) {
  vx::PageTitleParts p;
  p.event = "T";
  p.dayLabel = "L";
  p.weekday = "W";
  p.hall = "H";
  p.block = "B";
  p.weekHead = "(";
  p.weekTail = ")";
  p.hallHead = "<";
  p.hallTail = ">";
  p.notPlacedWeekday = "X";
  struct Case {
    int mode, n, total;
    const char* title;
  };
  for (const Case c : {Case{0, 1, 1, "T"},
                       {0, 2, 3, "T  (2/3)"},
                       {1, 1, 0, "T  L  (W)"},
                       {1, 2, 2, "T  L  (W)  (2/2)"},
                       {2, 1, 1, "T  L  (W)  <H>"},
                       {2, 1, 4, "T  L  (W)  <H>  (1/4)"},
                       {3, 1, 4, "T  L  (W)  <H>  [B]"}}) {
    EXPECT_EQ(vx::PageTitle_Format(p, c.mode, c.n, c.total), c.title) << c.mode << " " << c.total;
  }
  p.weekday = "X";  // the circles not placed
  EXPECT_EQ(vx::PageTitle_Format(p, 1, 1, 1), "T  L");
  EXPECT_EQ(vx::PageTitle_Format(p, 2, 2, 3), "T  L  (2/3)");
  EXPECT_EQ(vx::PageTitle_Format(p, 3, 2, 3), "T  L");
  EXPECT_EQ(vx::PageTitle_Format(p, 2, 1, 1, false), "T  L  (X)  <H>");
}

TEST_F(PagesTest, LongEventNameKeepsTheWholeTitle) {
  const std::string event(255, 'E');
  const std::string day = vx::Sjis("1日目");
  const std::string weekday = vx::Sjis("土");
  const std::string hall = vx::Sjis("東1");
  vx::PageTitleParts p;
  p.event = event;
  p.dayLabel = day;
  p.weekday = weekday;
  p.hall = hall;
  EXPECT_EQ(vx::PageTitle_Format(p, 2, 3, 4),
            event + "  " + day + "  " + weekday + "  " + hall + "  (3/4)");
}

TEST_F(PagesTest, LeaderLinesStopAt256AndTellTheUserOnce) {
  vx::LineList_Clear();
  for (int i = 0; i < vx::kMaxLeaderLines; ++i) {
    ASSERT_EQ(vx::LineList_Add(i % 20, i, i, 3, 4, 0xFF), 0) << i;
  }
  EXPECT_EQ(vx::LineList_Add(0, 0, 0, 1, 1, 0), -1);
  EXPECT_EQ(vx::LineList_Add(1, 0, 0, 1, 1, 0), -1);
  EXPECT_EQ(ReportTexts(),
            (std::vector<std::string>{"LineList_Add: 1ページの引き出し線が多すぎます(256本まで)"}));
  EXPECT_EQ(vx::LineList_Lines().size(), 256u);
  vx::LineList_Clear();
  EXPECT_EQ(vx::LineList_Add(20, 0, 0, 1, 1, 0), -1);  // no group 20
  EXPECT_EQ(vx::LineList_Add(19, 5, 6, 7, 8, 9), 0);
  EXPECT_EQ(vx::LineList_Lines().size(), 1u);
  EXPECT_EQ(ReportTexts().size(), 2u);
}

TEST(PageGeometryTest, PixelsOfThePageAndItsPrintableArea) {
  vx::PrintLayout l;
  l.dpi = 300;
  l.paperWidth = 210;
  l.paperHeight = 297;
  vx::PrintPageGeometry g = vx::PrintPage_Geometry(l, vx::kPortrait);
  EXPECT_EQ(
      std::tuple(g.width, g.height, g.printableWidth, g.printableHeight, g.originX, g.originY),
      std::tuple(2480, 3507, 2480, 3507, 0, 0));
  l.marginX = 5;
  l.marginY = 10;
  l.offsetX = 2;
  g = vx::PrintPage_Geometry(l, vx::kLandscape);
  // Portrait 2362 x 3271 printable at (23 + 59, 118), turned.
  EXPECT_EQ(
      std::tuple(g.width, g.height, g.printableWidth, g.printableHeight, g.originX, g.originY),
      std::tuple(3507, 2480, 3271, 2362, 118, 82));
  l.paperWidth = 0;
  EXPECT_EQ(vx::PrintPage_Geometry(l, vx::kPortrait).width, 1);
  l.paperWidth = 148;
  l.paperHeight = 210;
  g = vx::PrintPage_Geometry(l, vx::kPortrait);
  EXPECT_EQ(std::tuple(g.width, g.height), std::tuple(1748, 2480));

  int w = 0;
  int h = 0;
  for (auto [sw, sh, longSide, ew, eh] : {std::tuple{2480, 3507, 960, 678, 960},
                                          {2480, 1748, 1000, 1000, 704},
                                          {10, 10, 0, 10, 10},
                                          {5000, 1, 100, 100, 1}}) {
    vx::PrintPage_ScaledSize(sw, sh, longSide, w, h);
    EXPECT_EQ(std::tuple(w, h), std::tuple(ew, eh)) << sw << "x" << sh << " to " << longSide;
  }
}

TEST_F(PagesTest, PreviewBuffersMakeAndScaleThePage) {
  vx::PrintLayout& l = vx::PrintEngine_State().layout;
  l.dpi = 300;
  l.paperWidth = 210;
  l.paperHeight = 297;
  vx::PrintJob job;
  job.orientation = vx::kPortrait;
  job.longSide = 960;
  job.scaledPageImage = vx::AllocPageDib(24, 1, 1);
  ASSERT_EQ(vx::Preview_Open(job), 0);
  ASSERT_NE(job.pageImage, nullptr);
  EXPECT_EQ(job.scaledPageImage, nullptr);
  EXPECT_EQ(std::tuple(vx::DibImage_Width(*job.pageImage), vx::DibImage_Height(*job.pageImage)),
            std::tuple(2480, 3507));
  vx::DibImage_FillRect(*job.pageImage, 0, 0, 2480, 3507, 255, 255, 255, vx::kDibSet);
  vx::DibImage_FillRect(*job.pageImage, 0, 0, 1240, 3507, 0, 0, 0, vx::kDibSet);
  ASSERT_EQ(vx::Preview_Put(job), 0);
  ASSERT_NE(job.scaledPageImage, nullptr);
  const vx::DibImage& scaled = *job.scaledPageImage;
  EXPECT_EQ(std::tuple(vx::DibImage_Width(scaled), vx::DibImage_Height(scaled)),
            std::tuple(678, 960));
  EXPECT_EQ(vx::DibImage_GetRow(scaled, 480)[3 * 100], 0);
  EXPECT_EQ(vx::DibImage_GetRow(scaled, 480)[3 * 600], 255);
  EXPECT_EQ(vx::Preview_Close(job), 0);
  EXPECT_EQ(job.pageImage, nullptr);
  EXPECT_NE(job.scaledPageImage, nullptr);  // the preview takes it over

  job.orientation = vx::kLandscape;
  ASSERT_EQ(vx::Preview_Open(job), 0);
  EXPECT_EQ(vx::DibImage_Width(*job.pageImage), 3507);
  EXPECT_TRUE(ReportTexts().empty());

  // A page too large to hold is reported, once, by the operation that failed.
  l.dpi = 30000;
  EXPECT_EQ(vx::Preview_Open(job), -1);
  EXPECT_EQ(ReportTexts(),
            (std::vector<std::string>{"Preview_Open: プレビュー用メモリが確保できません"}));
  job.pageKind = 1;  // drawn straight onto the printer: no page image
  job.pageImage.reset();
  EXPECT_EQ(vx::Preview_Open(job), 0);
  EXPECT_EQ(job.pageImage, nullptr);
}

}  // namespace
}  // namespace vxtest
