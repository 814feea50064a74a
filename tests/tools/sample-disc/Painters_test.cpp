// The pictures: sizes and formats, half-space rectangles, genre colours on their desks, PNG and
// ZIP output that does not change from run to run.
#include <gtest/gtest.h>
#include <minizip/unzip.h>

#include <QImage>

#include "tests/support/TempDir.h"
#include "tests/tools/sample-disc/DiscReading.h"
#include "tools/sample-disc/CatalogBuilder.h"
#include "tools/sample-disc/CutPainter.h"
#include "tools/sample-disc/MapPainter.h"
#include "tools/sample-disc/PagePainter.h"
#include "tools/sample-disc/PngEncoder.h"
#include "tools/sample-disc/ZipWriter.h"

namespace vx::sampledisc {
namespace {

class PaintersTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { catalog_ = new Catalog(BuildCatalog(SampleOptions{})); }
  static void TearDownTestSuite() { delete catalog_; }
  static Catalog* catalog_;
};

Catalog* PaintersTest::catalog_ = nullptr;

TEST(HalfRectTest, SplitsEachDeskLayoutAsTheMapViewExpects) {
  // layout: half a, half b as (left, top, right, bottom) of a 20 x 20 desk
  EXPECT_EQ(HalfRect(1, 0, 20, 20), QRect(QPoint(0, 0), QPoint(9, 19)));
  EXPECT_EQ(HalfRect(1, 1, 20, 20), QRect(QPoint(10, 0), QPoint(19, 19)));
  EXPECT_EQ(HalfRect(2, 0, 20, 20), QRect(QPoint(0, 10), QPoint(19, 19)));
  EXPECT_EQ(HalfRect(2, 1, 20, 20), QRect(QPoint(0, 0), QPoint(19, 9)));
  EXPECT_EQ(HalfRect(3, 0, 20, 20), QRect(QPoint(10, 0), QPoint(19, 19)));
  EXPECT_EQ(HalfRect(3, 1, 20, 20), QRect(QPoint(0, 0), QPoint(9, 19)));
  EXPECT_EQ(HalfRect(4, 0, 20, 20), QRect(QPoint(0, 0), QPoint(19, 9)));
  EXPECT_EQ(HalfRect(4, 1, 20, 20), QRect(QPoint(0, 10), QPoint(19, 19)));
  EXPECT_TRUE(HalfRect(0, 0, 20, 20).isEmpty());
  EXPECT_EQ(HalfRect(1, 1, 21, 20).width(), 11) << "an odd width leaves no column out";
}

TEST_F(PaintersTest, CutsAreGreyAndTwiceAsLargeInHighResolution) {
  const Circle& circle = catalog_->circles[0];
  const QImage low = DrawCut(*catalog_, circle, 1, false);
  const QImage high = DrawCut(*catalog_, circle, 2, false);
  EXPECT_EQ(low.size(), QSize(120, 170));
  EXPECT_EQ(high.size(), QSize(240, 340));
  EXPECT_EQ(low.format(), QImage::Format_Grayscale8);
  EXPECT_NE(DrawCut(*catalog_, circle, 1, true), low) << "the corrected cut is marked";
  EXPECT_EQ(DrawBlockTitle(*catalog_, catalog_->blocks[0], 1).size(), QSize(240, 170));
  EXPECT_EQ(DrawErrataPicture(catalog_->geometry, 2, 2).size(), QSize(240, 340));
  EXPECT_EQ(SpaceLabel(*catalog_, circle), QString::fromUtf8("金 東Ａ01a"));
  EXPECT_EQ(SpaceLabel(*catalog_, catalog_->circles[catalog_->special.halfWidthGakkou]),
            QString::fromUtf8("抽選漏れ"));
}

TEST_F(PaintersTest, PageCaptionNamesTheFirstAndLastSpace) {
  const CatalogPage& first = catalog_->pages.front();
  const QString caption = PageCaption(*catalog_, first);
  EXPECT_TRUE(caption.startsWith(QString::fromUtf8("30日（金）東1 Ａ1～"))) << caption.toStdString();
  CatalogPage empty;
  empty.pageNo = 99;
  EXPECT_TRUE(PageCaption(*catalog_, empty).isEmpty());
}

TEST_F(PaintersTest, GenreLayerColoursOccupiedHalvesAndLeavesTheRestTransparent) {
  const std::vector<int> occupancy = DayOccupancy(*catalog_, 1);
  const HallMap& map = catalog_->maps[0];
  const QImage layer = DrawGenreMap(*catalog_, map, occupancy, 1);
  ASSERT_EQ(layer.size(), QSize(map.width, map.height));
  const Circle& circle = catalog_->circles[0];
  const Desk* desk = catalog_->FindDesk(circle.blockId, circle.spaceNo);
  ASSERT_NE(desk, nullptr);
  const QRect half = HalfRect(desk->layout, circle.spaceNoSub, 20, 20).translated(desk->x, desk->y);
  const QRgb inside = layer.pixel(half.center());
  EXPECT_EQ(qAlpha(inside), 255);
  EXPECT_EQ(inside & 0xFFFFFF, catalog_->GenreById(circle.genreId).rgb);
  EXPECT_EQ(qAlpha(layer.pixel(2, 2)), 0);
  // A vacant half stays transparent: block 2 space 3b is vacant on every day.
  const Desk* vacantDesk = catalog_->FindDesk(2, 3);
  const QRect vacant = HalfRect(vacantDesk->layout, 1, 20, 20).translated(vacantDesk->x, vacantDesk->y);
  EXPECT_EQ(qAlpha(layer.pixel(vacant.center())), 0);
}

TEST_F(PaintersTest, HallMapDrawsEveryDeskAtItsLayoutPosition) {
  const HallMap& map = catalog_->maps[1];
  const QImage image = DrawHallMap(*catalog_, map, 2, 1);
  const QImage high = DrawHallMap(*catalog_, map, 2, 2);
  EXPECT_EQ(high.size(), 2 * image.size());
  for (const Desk& desk : catalog_->desks) {
    if (desk.mapId != map.id) continue;
    // The desk's outline is black, its inside white beside the space number.
    EXPECT_LT(qGray(image.pixel(desk.x, desk.y + 1)), 80) << desk.blockId << "/" << desk.spaceNo;
    EXPECT_EQ(qGray(image.pixel(desk.x + 2, desk.y + 2)), 255) << desk.blockId << "/" << desk.spaceNo;
    EXPECT_LT(qGray(high.pixel(2 * desk.x, 2 * desk.y + 2)), 80);
  }
}

TEST_F(PaintersTest, OutlinesShareOneSizeAndMarkTheirPart) {
  const QImage whole = DrawOutline(*catalog_, "BS", 1);
  const QImage area = DrawOutline(*catalog_, catalog_->areas[0].allStem, 1);
  const QImage map = DrawOutline(*catalog_, catalog_->maps[0].allStem, 1);
  EXPECT_EQ(area.size(), whole.size());
  EXPECT_EQ(DrawOutline(*catalog_, "BS", 2).size(), 2 * whole.size());
  auto darkPixels = [](const QImage& image) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) n += qGray(image.pixel(x, y)) < 128;
    }
    return n;
  };
  EXPECT_GT(darkPixels(map), darkPixels(area)) << "a map holds more than one of its areas";
  EXPECT_EQ(OutlineStems(*catalog_).size(), 1 + catalog_->maps.size() + catalog_->areas.size());
}

TEST(PngEncoderTest, WritesTheFormatOfThePictureAndTheSameBytesTwice) {
  QImage grey(30, 20, QImage::Format_Grayscale8);
  grey.fill(128);
  QImage rgb(30, 20, QImage::Format_RGB32);
  rgb.fill(QColor(10, 20, 30));
  QImage argb(30, 20, QImage::Format_ARGB32);
  argb.fill(QColor(255, 255, 255, 0));
  EXPECT_EQ(vxtest::ReadPngHeader(EncodePng(grey)).colorType, 0);
  EXPECT_EQ(vxtest::ReadPngHeader(EncodePng(rgb)).colorType, 2);
  EXPECT_EQ(vxtest::ReadPngHeader(EncodePng(argb)).colorType, 6);
  EXPECT_EQ(EncodePng(rgb), EncodePng(rgb));
  EXPECT_EQ(QImage::fromData(QByteArray::fromStdString(EncodePng(rgb))).pixel(3, 3), rgb.pixel(3, 3));
}

TEST(ZipWriterTest, EntriesCarryTheFixedDateAndTheirMethod) {
  vxtest::TempDir dir;
  ZipWriter zip(dir / "a.zip");
  ASSERT_TRUE(zip.Add("INIT.TXT", "vqnum\t96\r\n", true));
  ASSERT_TRUE(zip.Add("000001.PNG", std::string(100, 'x'), false));
  ASSERT_TRUE(zip.Close());
  unzFile file = unzOpen64((dir / "a.zip").c_str());
  ASSERT_NE(file, nullptr);
  std::vector<std::pair<unsigned long, unsigned long>> found;  // method, DOS date
  for (int r = unzGoToFirstFile(file); r == UNZ_OK; r = unzGoToNextFile(file)) {
    unz_file_info64 info;
    unzGetCurrentFileInfo64(file, &info, nullptr, 0, nullptr, 0, nullptr, 0);
    found.emplace_back(info.compression_method, info.dosDate);
  }
  unzClose(file);
  const unsigned long fixed = (44UL << 25) | (1UL << 21) | (1UL << 16) | (9UL << 11);
  ASSERT_EQ(found.size(), 2u);
  EXPECT_EQ(found[0], std::make_pair(8UL, fixed));
  EXPECT_EQ(found[1], std::make_pair(0UL, fixed));
  EXPECT_EQ(vxtest::ReadZipEntries(dir / "a.zip").at("INIT.TXT"), "vqnum\t96\r\n");
}

TEST(ZipWriterTest, ReportsAnArchiveThatCannotBeCreated) {
  vxtest::TempDir dir;
  ZipWriter zip(dir / "missing" / "a.zip");
  EXPECT_FALSE(zip.ok());
  EXPECT_FALSE(zip.Add("INIT.TXT", "x", true));
  EXPECT_FALSE(zip.Close());
  EXPECT_NE(zip.error().find("missing"), std::string::npos) << zip.error();
}

}  // namespace
}  // namespace vx::sampledisc
