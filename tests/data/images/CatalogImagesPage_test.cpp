#include <gtest/gtest.h>

#include <QPainter>
#include <atomic>
#include <thread>

#include "data/images/CatalogImages.h"
#include "tests/data/images/FakePageQueries.h"
#include "tests/data/images/TestDisc.h"

namespace vx {
namespace {

using vxtest::Circle;
using vxtest::SolidPng;

constexpr int kEvent = 96;
const QColor kLow(200, 0, 0), kHigh(0, 0, 200), kPage(0, 150, 0);

class PageImageTest : public testing::Test {
 protected:
  void WriteArchives(bool low, bool high) {
    std::map<int, QColor> lowCuts, highCuts;
    for (int n = 1; n <= 36; ++n) {
      lowCuts[n] = kLow;
      highCuts[n] = kHigh;
    }
    if (low) vxtest::WriteCutArchive(dir_ / "V096CUTL.CCZ", kEvent, 178, 255, lowCuts);
    if (high) vxtest::WriteCutArchive(dir_ / "V096CUTH.CCZ", kEvent, 356, 510, highCuts);
  }
  void WritePageFile(int page) {
    std::filesystem::create_directories(dir_ / "PDATA");
    char name[16];
    std::snprintf(name, sizeof name, "%04d.PNG", page);
    vxtest::WriteFileBytes(dir_ / "PDATA" / name, SolidPng(300, 400, kPage));
  }
  std::vector<CircleRecord> FullPage(int first) const {
    std::vector<CircleRecord> records(36);
    for (int i = 0; i < 36; ++i) records[i] = Circle(first + i, 3, 2 + i / 2, i % 2, 1 + i);
    return records;
  }

  vxtest::TempDir dir_;
  CatalogImages images_;
  vxtest::FakePageQueries queries_;
};

TEST_F(PageImageTest, ComposedPageSizesForEachResolution) {
  WriteArchives(true, true);
  images_.Open(dir_.path(), kEvent);
  const auto records = FullPage(1);
  const QImage low = images_.GetPageImage(1, queries_, records, false);
  EXPECT_EQ(low.size(), QSize(6 * 178, 6 * 255 + 40));
  EXPECT_EQ(low.pixelColor(89, 40 + 200), kLow);
  const QImage high = images_.GetPageImage(1, queries_, records, true);
  EXPECT_EQ(high.size(), QSize(6 * 356, 6 * 510 + 80));
  EXPECT_EQ(high.pixelColor(178, 80 + 400), kHigh);
  EXPECT_TRUE(images_.HasPageImage());
  EXPECT_EQ(images_.GetPageImageWidth(), 6 * 356);
  EXPECT_EQ(images_.GetPageImageHeight(), 6 * 510 + 80);
}

TEST_F(PageImageTest, HighResolutionArchiveAloneServesBothChoices) {
  WriteArchives(false, true);
  images_.Open(dir_.path(), kEvent);
  EXPECT_EQ(images_.GetPageImage(1, queries_, FullPage(1), false).size(),
            QSize(6 * 356, 6 * 510 + 80));
}

TEST_F(PageImageTest, PageIsComposedOncePerPageAndResolution) {
  WriteArchives(true, true);
  images_.Open(dir_.path(), kEvent);
  auto records = FullPage(1);
  const qint64 first = images_.GetPageImage(5, queries_, records, false).cacheKey();
  EXPECT_EQ(images_.GetPageImage(5, queries_, records, false).cacheKey(), first);
  const qint64 high = images_.GetPageImage(5, queries_, records, true).cacheKey();
  EXPECT_NE(high, first);
  EXPECT_NE(images_.GetPageImage(6, queries_, records, true).cacheKey(), high);
}

TEST_F(PageImageTest, PageFileServesWhenNoArchiveIsOpen) {
  WritePageFile(7);
  images_.Open(dir_.path(), kEvent);
  const QImage page = images_.GetPageImage(7, queries_, FullPage(1), false);
  ASSERT_EQ(page.size(), QSize(300, 400));
  EXPECT_EQ(page.pixelColor(10, 10), kPage);
  // A page without a file leaves no picture, and drawing it draws nothing.
  EXPECT_TRUE(images_.GetPageImage(8, queries_, FullPage(1), false).isNull());
  EXPECT_FALSE(images_.HasPageImage());
  EXPECT_EQ(images_.GetPageImageWidth(), 0);
  QImage canvas(50, 50, QImage::Format_RGB32);
  canvas.fill(Qt::white);
  QPainter painter(&canvas);
  images_.DrawPageImage(painter, QRectF(0, 0, 50, 50));
  painter.end();
  EXPECT_EQ(canvas.pixelColor(25, 25), Qt::white);
}

TEST_F(PageImageTest, BrokenArchivePageLeavesNoPictureAndNoCrash) {
  {
    vxtest::ZipWriter zip(dir_ / "V096CUTL.CCZ");
    zip.Add("INIT.TXT", "width\t0\nheight\t0\n");
  }
  WritePageFile(1);
  images_.Open(dir_.path(), kEvent);
  ASSERT_TRUE(images_.HasLowResArchive());
  EXPECT_TRUE(images_.GetPageImage(1, queries_, FullPage(1), false).isNull());
  EXPECT_FALSE(images_.HasPageImage());
  EXPECT_TRUE(images_.GetPageImage(1, queries_, {}, false).isNull());
}

TEST_F(PageImageTest, DrawPageImageScalesTheCurrentPage) {
  WritePageFile(2);
  images_.Open(dir_.path(), kEvent);
  images_.GetPageImage(2, queries_, {}, false);
  QImage canvas(60, 80, QImage::Format_RGB32);
  canvas.fill(Qt::white);
  QPainter painter(&canvas);
  images_.DrawPageImage(painter, QRectF(0, 0, 30, 40));
  painter.end();
  EXPECT_EQ(canvas.pixelColor(15, 20), kPage);
  EXPECT_EQ(canvas.pixelColor(45, 60), Qt::white);
}

TEST_F(PageImageTest, ClosingDropsThePageButHandedOutPicturesStay) {
  WriteArchives(true, false);
  images_.Open(dir_.path(), kEvent);
  const QImage held = images_.GetPageImage(1, queries_, FullPage(1), false);
  images_.Close();
  EXPECT_FALSE(images_.HasPageImage());
  EXPECT_EQ(held.pixelColor(89, 240), kLow);
}

// Print workers draw cuts while the views turn pages: every picture must still come out whole.
TEST_F(PageImageTest, PagesAndCutsFromSeveralThreadsAtOnce) {
  WriteArchives(true, true);
  vxtest::WriteCutArchive(dir_ / "V096CUTLP.CCZ", kEvent, 178, 255, {{2, kPage}});
  images_.Open(dir_.path(), kEvent);
  const auto records = FullPage(1);
  std::atomic<int> wrong{0};
  auto turnPages = [&] {
    vxtest::FakePageQueries queries;
    for (int i = 0; i < 30; ++i) {
      const QImage page = images_.GetPageImage(1 + i % 3, queries, records, i % 2 == 1);
      const QColor expected = i % 2 == 1 ? kHigh : kLow;
      if (page.isNull() || page.pixelColor(page.width() - 5, page.height() - 5) != expected) {
        ++wrong;
      }
    }
  };
  auto drawCuts = [&](int cutNumber, QColor expected) {
    for (int i = 0; i < 300; ++i) {
      QImage canvas(178, 255, QImage::Format_RGB32);
      QPainter painter(&canvas);
      images_.DrawCut(painter, {0, 0, 178, 255}, 1, 1, cutNumber, 0, 0);
      painter.end();
      if (canvas.pixelColor(100, 200) != expected) ++wrong;
    }
  };
  std::thread pages(turnPages);
  std::thread overridden(drawCuts, 2, kPage);
  drawCuts(3, kLow);
  pages.join();
  overridden.join();
  EXPECT_EQ(wrong.load(), 0);
}

}  // namespace
}  // namespace vx
