// The preview's headless half: the counting passes, one page made on a worker and taken back,
// a worker that cannot start, page clamping, the level a page opens at and the zoomed drawing.
#include <gtest/gtest.h>

#include <system_error>

#include "print/PageTitles.h"
#include "print/PreviewSession.h"
#include "print/PreviewZoom.h"
#include "tests/print/DocumentTestSupport.h"

namespace vxtest {
namespace {

constexpr int kList = 1;  // LIST_0V: 20 lines a page

class PreviewSessionTest : public DocumentTest {
 protected:
  // `count` circles of day 1: two pages from 21 on.
  void PrepareList(int count) {
    for (int i = 1; i <= count; ++i) {
      TestCircle c;
      c.id = i;
      c.space = 1 + i % 20;
      c.name = "circle" + std::to_string(i);
      catalog.Add(c);
    }
    vx::PrintSelection request = Request(vx::PrintSelection::kFamilyList, kList);
    SetUp(request);
    session.Reset(vx::PrintEngine_Job(), vx::PrintEngine_DocumentKind());
    session.CountPages();
    events.Clear();
  }

  vx::PreviewSession session;
};

TEST_F(PreviewSessionTest, CountingGivesThePagesAndTheirSizeAtTheLongSideOfThePreview) {
  PrepareList(25);
  EXPECT_EQ(session.PageCount(), 2);
  EXPECT_EQ(session.ImageHeight(), vx::kPreviewLongSide);
  EXPECT_EQ(session.ImageWidth(), 787 * vx::kPreviewLongSide / 1181);
  EXPECT_EQ(session.PageImage(), nullptr);
  EXPECT_TRUE(events.Taken().empty());  // counting passes post nothing
  EXPECT_EQ(session.PageItemText(2), "2 : " + vx::PageTitle_Get(2));
}

TEST_F(PreviewSessionTest, APageMadeOnTheWorkerIsTakenAfterItsEndMessage) {
  PrepareList(25);
  ASSERT_TRUE(session.SetCurrentPage(2));
  EXPECT_GT(session.CountPage(), 1);
  session.StartPageThread(&owner);
  ASSERT_TRUE(session.TakePage());
  ASSERT_NE(session.PageImage(), nullptr);
  EXPECT_EQ(vx::DibImage_Height(*session.PageImage()), vx::kPreviewLongSide);
  EXPECT_EQ(PagesPosted(), std::vector<int>{2});
  EXPECT_EQ(EndMessages(), std::vector<unsigned>{UM_PRINT_DONE});
}

TEST_F(PreviewSessionTest, AWorkerThatCannotStartEndsTheJobAsFailedAndKeepsThePageShown) {
  PrepareList(3);
  session.StartPageThread(&owner);
  ASSERT_TRUE(session.TakePage());
  const auto shown = session.PageImage();
  startThread = [](std::function<void()>) -> std::thread {
    throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
  };
  UseContext();
  events.Clear();
  session.StartPageThread(&owner);
  EXPECT_EQ(EndMessages(), std::vector<unsigned>{UM_PRINT_FAILED});
  EXPECT_FALSE(session.TakePage());
  EXPECT_EQ(session.PageImage(), shown);
  EXPECT_EQ(ReportTexts().size(), 1u);
}

TEST_F(PreviewSessionTest, PagesAreClampedToTheCountAndTheCurrentPageIsNoChange) {
  PrepareList(25);
  const struct {
    int asked;
    int current;
    bool changed;
  } cases[] = {{1, 1, false}, {0, 1, false}, {5, 2, true}, {2, 2, false}, {-3, 1, true}};
  for (const auto& c : cases) {
    EXPECT_EQ(session.SetCurrentPage(c.asked), c.changed) << c.asked;
    EXPECT_EQ(session.CurrentPage(), c.current) << c.asked;
  }
}

TEST(PreviewFitTest, ThePageOpensAtTheLargestLevelAtWhichItFitsStrictly) {
  const struct {
    int available;
    vx::PreviewFit fit;
  } cases[] = {{1001, {2, 1000, 600}},  // 100 %
               {1000, {1, 500, 300}},   // not strictly below: 50 %
               {400, {0, 250, 150}},    // 25 %
               {200, {0, 250, 150}}};   // nowhere: 25 %, larger than the area
  for (const auto& c : cases) {
    const vx::PreviewFit fit = vx::Preview_ChooseFit(1000, 600, c.available, c.available);
    EXPECT_EQ(std::tuple(fit.zoomIndex, fit.width, fit.height),
              std::tuple(c.fit.zoomIndex, c.fit.width, c.fit.height))
        << c.available;
  }
}

// A page whose pixel (x, y) has red x and green y.
QImage CoordinatePage(int width, int height) {
  QImage page(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) page.setPixel(x, y, qRgb(x, y, 0));
  }
  return page;
}

TEST(PreviewZoomTest, EachLevelRepeatsOrSkipsWholePagePixels) {
  const QImage page = CoordinatePage(40, 30);
  const struct {
    int percent;
    QSize size;
    QPoint out;
    QPoint source;                               // the page pixel shown at `out`
  } cases[] = {{25, {5, 5}, {1, 1}, {12, 8}},    // from (8, 4): every 4th from 8 and 4
               {50, {10, 10}, {1, 2}, {12, 8}},  // from (10, 4)
               {100, {20, 20}, {3, 4}, {13, 9}}, {200, {40, 40}, {7, 9}, {13, 7}},
               {300, {60, 60}, {8, 5}, {12, 4}}, {400, {80, 80}, {7, 7}, {11, 4}}};
  for (const auto& c : cases) {
    const int x = c.percent == 50 ? 11 : c.percent == 25 ? 9 : 10;
    const int y = c.percent >= 200 ? 3 : 5;
    const QImage part = vx::Preview_ZoomedPart(page, c.percent, x, y, 20, 20);
    EXPECT_EQ(part.size(), c.size) << c.percent;
    EXPECT_EQ(part.pixel(c.out), page.pixel(c.source)) << c.percent;
  }
}

TEST(PreviewZoomTest, OtherLevelsAndPartsOutsideThePageDrawNothing) {
  const QImage page = CoordinatePage(40, 30);
  EXPECT_TRUE(vx::Preview_ZoomedPart(page, 150, 0, 0, 10, 10).isNull());
  EXPECT_TRUE(vx::Preview_ZoomedPart(page, 100, 40, 0, 10, 10).isNull());
  // A part reaching past the page is cut at its edge.
  EXPECT_EQ(vx::Preview_ZoomedPart(page, 200, 35, 25, 10, 10).size(), QSize(10, 10));
}

}  // namespace
}  // namespace vxtest
