#include "data/images/PageComposer.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <set>
#include <tuple>
#include <vector>

#include "data/images/CatalogImages.h"
#include "platform/CodePage.h"
#include "tests/data/images/FakePageQueries.h"
#include "tests/data/images/TestDisc.h"

namespace vx {
namespace {

using vxtest::SolidPng;

constexpr int kEvent = 96;
constexpr int kW = 178, kH = 255, kBand = 40;
const QColor kCutColour(200, 40, 40), kOverride(40, 160, 40), kJiko(120, 120, 120),
    kErrata3(30, 30, 200), kTitle(250, 200, 0), kHighCut(0, 180, 180);

using vxtest::Circle;

QRect Cell(int index, int band = kBand, int w = kW, int h = kH) {
  return QRect((index % 6) * w, band + (index / 6) * h, w, h);
}

// The colour in the lower middle of a cell, away from its mark and number.
QColor CellColour(const QImage& page, int index) {
  const QRect cell = Cell(index);
  return page.pixelColor(cell.center().x(), cell.top() + cell.height() * 3 / 4);
}

int DarkPixels(const QImage& image, const QRect& area) {
  int dark = 0;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      if (qGray(image.pixel(x, y)) < 80) ++dark;
    }
  }
  return dark;
}

TEST(PageCaptionTest, FirstAndLastSpacesOfThePage) {
  vxtest::FakePageQueries queries;
  std::vector<CircleRecord> page(36);
  page[0] = Circle(1, 3, 5, 0, 101);
  page[1] = Circle(2, 3, 5, 1, 102);
  page[3] = Circle(3, 3, 6, 1, 103);
  EXPECT_EQ(PageCaption(page, queries), Sjis("13日（土）東 ア5～ア6"));
  EXPECT_EQ(Cp932ToUtf8(PageCaption(page, queries)), "13日（土）東 ア5～ア6");
}

TEST(PageCaptionTest, SingleCircleInTheFirstCellEndsWithTheDash) {
  vxtest::FakePageQueries queries;
  std::vector<CircleRecord> page(36);
  page[0] = Circle(1, 3, 5, 0, 101);
  EXPECT_EQ(PageCaption(page, queries), Sjis("13日（土）東 ア5～"));
  EXPECT_EQ(PageCaption(std::vector<CircleRecord>(36), queries), "");
  EXPECT_EQ(PageCaption({}, queries), "");
}

class ComposeTest : public testing::Test {
 protected:
  void SetUp() override {
    std::map<int, QColor> cuts;
    for (int n = 100; n < 140; ++n) cuts[n] = kCutColour;
    vxtest::WriteCutArchive(dir_ / "V096CUTL.CCZ", kEvent, kW, kH, cuts,
                            {{"JIKO.PNG", SolidPng(kW, kH, kJiko)},
                             {"JIKO03.PNG", SolidPng(kW / 2, kH / 2, kErrata3)},
                             {"B007.PNG", SolidPng(2 * kW, kH, kTitle)}});
    archive_ = CutArchive::Open(dir_ / "V096CUTL.CCZ");
    ASSERT_TRUE(archive_);
  }
  QImage Compose(const std::vector<CircleRecord>& records, int page = 2) {
    return PageComposer(*archive_, override_.get(), queries_).Compose(page, records, kBand);
  }

  vxtest::TempDir dir_;
  std::unique_ptr<CutArchive> archive_;
  std::unique_ptr<CutArchive> override_;
  vxtest::FakePageQueries queries_;
};

TEST_F(ComposeTest, FullPageOfCutsWithSpaceNumbersOnFirstHalves) {
  std::vector<CircleRecord> page(36);
  for (int i = 0; i < 36; ++i) page[i] = Circle(i + 1, 3, 1 + i / 2, i % 2, 100 + i);
  page[0].spaceNo = 2;  // no block title: the first space is not 1
  const QImage picture = Compose(page);
  ASSERT_EQ(picture.size(), QSize(6 * kW, 6 * kH + kBand));
  EXPECT_EQ(picture.format(), QImage::Format_RGB888);
  for (int i = 0; i < 36; ++i) EXPECT_EQ(CellColour(picture, i), kCutColour) << i;
  const QRect mark(6, 6, 42, 42);
  EXPECT_GT(DarkPixels(picture, mark.translated(Cell(2).topLeft())), 20);  // "2" on 2a
  EXPECT_EQ(DarkPixels(picture, mark.translated(Cell(3).topLeft())), 0);   // 2b: no number
}

TEST_F(ComposeTest, CaptionSitsOnTheOuterSideOfTheSpread) {
  std::vector<CircleRecord> records(36);
  records[0] = Circle(1, 3, 5, 0, 100);
  const QImage odd = Compose(records, 3);
  const QImage even = Compose(records, 4);
  const int half = 3 * kW;
  EXPECT_GT(DarkPixels(odd, QRect(half, 0, half, kBand)), 100);
  EXPECT_EQ(DarkPixels(odd, QRect(0, 0, half, kBand)), 0);
  EXPECT_GT(DarkPixels(even, QRect(0, 0, half, kBand)), 100);
  EXPECT_EQ(DarkPixels(even, QRect(half, 0, half, kBand)), 0);
}

TEST_F(ComposeTest, OverrideArchiveEntryWinsAndNamelessCircleShowsTheGenericPicture) {
  vxtest::WriteCutArchive(dir_ / "V096CUTLP.CCZ", kEvent, kW, kH, {{101, kOverride}});
  override_ = CutArchive::Open(dir_ / "V096CUTLP.CCZ");
  ASSERT_TRUE(override_);
  std::vector<CircleRecord> records(36);
  records[0] = Circle(1, 3, 5, 0, 100);
  records[1] = Circle(2, 3, 5, 1, 101);
  records[2] = Circle(3, 3, 6, 0, 102, "");
  records[3] = Circle(4, 3, 6, 1, 999);  // no such entry anywhere: the cell stays white
  const QImage picture = Compose(records);
  EXPECT_EQ(CellColour(picture, 0), kCutColour);
  EXPECT_EQ(CellColour(picture, 1), kOverride);
  EXPECT_EQ(CellColour(picture, 2), kJiko);
  EXPECT_EQ(CellColour(picture, 3), Qt::white);
}

TEST_F(ComposeTest, EmptyCellsBeforeTheFirstCircleShowErrataOfTheDesksBefore) {
  queries_.jiko = {{4, 1}};
  std::vector<CircleRecord> records(36);
  records[2] = Circle(1, 3, 5, 0, 100);
  records[3] = Circle(2, 3, 5, 1, 101);
  const QImage picture = Compose(records);
  using Q = std::tuple<int, int, int, int>;
  ASSERT_GE(queries_.jikoQueries.size(), 2u);
  EXPECT_EQ(queries_.jikoQueries[0], (Q{2, 3, 4, 0}));
  EXPECT_EQ(queries_.jikoQueries[1], (Q{2, 3, 4, 1}));
  EXPECT_EQ(CellColour(picture, 0), kJiko);
  // Errata picture 3 is half a cell and is scaled to fill it.
  EXPECT_EQ(CellColour(picture, 1), kErrata3);
  EXPECT_EQ(picture.pixelColor(Cell(1).topLeft() + QPoint(2, 2)), kErrata3);
}

TEST_F(ComposeTest, EmptyCellsAfterTheLastSpaceStayWhite) {
  queries_.maxSpace = 6;
  std::vector<CircleRecord> records(36);
  records[0] = Circle(1, 3, 5, 0, 100);
  // cells 1..: 5b, 6a, 6b are desks of the block (below 6 only 5b shows errata), then white
  const QImage picture = Compose(records);
  EXPECT_EQ(CellColour(picture, 1), kJiko);  // 5b
  for (int i = 2; i < 36; ++i) EXPECT_EQ(CellColour(picture, i), Qt::white) << i;
  EXPECT_EQ(queries_.maxSpaceQueries, 1);  // asked once for the block
}

TEST_F(ComposeTest, BlockTitleTakesTwoCellsBeforeTheBlocksFirstSpace) {
  std::vector<CircleRecord> records(36);
  records[0] = Circle(1, 3, 39, 0, 100);
  records[1] = Circle(2, 3, 39, 1, 101);
  records[4] = Circle(3, 7, 1, 0, 102);  // cells 2 and 3 hold the title of block 7
  records[5] = Circle(4, 7, 1, 1, 103);
  queries_.maxSpace = 40;
  const QImage picture = Compose(records);
  EXPECT_EQ(CellColour(picture, 2), kTitle);
  EXPECT_EQ(CellColour(picture, 3), kTitle);
  EXPECT_EQ(CellColour(picture, 4), kCutColour);
  // The walk restarts after a title: no desk of block 3 is asked for in cells 2 and 3.
  for (const auto& q : queries_.jikoQueries) EXPECT_NE(std::get<1>(q), 3) << std::get<2>(q);
}

TEST_F(ComposeTest, NoTitleFromTheLastColumnOrFromBeyondThePage) {
  std::vector<CircleRecord> records(37);  // one record more than the page has cells
  records[7] = Circle(1, 7, 1, 0, 100);   // cell 5, two before it, is in the last column
  records[36] = Circle(2, 7, 1, 0, 101);  // not on the page: cell 34 shows no title for it
  const QImage picture = Compose(records);
  EXPECT_EQ(CellColour(picture, 5), Qt::white);
  EXPECT_EQ(CellColour(picture, 34), Qt::white);
  EXPECT_EQ(CellColour(picture, 7), kCutColour);
  // A short record list leaves the remaining cells empty.
  const QImage shortList = Compose(std::vector<CircleRecord>(records.begin(), records.begin() + 8));
  EXPECT_EQ(CellColour(shortList, 7), kCutColour);
  EXPECT_EQ(CellColour(shortList, 20), Qt::white);
}

TEST_F(ComposeTest, ArchiveWithoutAUsableCutSizeComposesNothing) {
  std::vector<CircleRecord> records(36);
  records[0] = Circle(1, 3, 5, 0, 100);
  for (const char* init : {"width\t0\nheight\t255\n", "width\t178\n",
                           "width\t100000\nheight\t100000\n"}) {
    {
      vxtest::ZipWriter zip(dir_ / "bad.ccz");
      zip.Add("INIT.TXT", init).Add("000100.PNG", SolidPng(kW, kH, kCutColour));
    }
    auto bad = CutArchive::Open(dir_ / "bad.ccz");
    ASSERT_TRUE(bad);
    EXPECT_TRUE(PageComposer(*bad, nullptr, queries_).Compose(1, records, kBand).isNull()) << init;
  }
}

}  // namespace
}  // namespace vx
