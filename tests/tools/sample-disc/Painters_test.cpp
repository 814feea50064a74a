// The pictures' contents, and ZIP output that does not change from run to run.
#include <gtest/gtest.h>
#include <minizip/unzip.h>

#include <QImage>

#include "tests/support/TempDir.h"
#include "tests/tools/sample-disc/DiscReading.h"
#include "tools/sample-disc/CatalogBuilder.h"
#include "tools/sample-disc/CutPainter.h"
#include "tools/sample-disc/MapPainter.h"
#include "tools/sample-disc/PagePainter.h"
#include "tools/sample-disc/ZipWriter.h"

namespace vx::sampledisc {
namespace {

const Catalog& Small() {
  static const Catalog catalog = BuildCatalog(SampleOptions{});
  return catalog;
}

QRect HalfOnMap(const Desk& desk, int half) {
  return HalfRect(desk.layout, half, 20, 20).translated(desk.x, desk.y);
}

TEST(HalfRectTest, SplitsEachDeskLayoutAsTheMapViewExpects) {
  // Per layout, halves a and b of a 20 x 20 desk as left, top, right, bottom.
  const int cases[4][2][4] = {{{0, 0, 9, 19}, {10, 0, 19, 19}},
                              {{0, 10, 19, 19}, {0, 0, 19, 9}},
                              {{10, 0, 19, 19}, {0, 0, 9, 19}},
                              {{0, 0, 19, 9}, {0, 10, 19, 19}}};
  for (int layout = 1; layout <= 4; ++layout) {
    for (int half = 0; half < 2; ++half) {
      const int* r = cases[layout - 1][half];
      EXPECT_EQ(HalfRect(layout, half, 20, 20), QRect(QPoint(r[0], r[1]), QPoint(r[2], r[3])))
          << layout << half;
    }
  }
  EXPECT_TRUE(HalfRect(0, 0, 20, 20).isEmpty());
  EXPECT_EQ(HalfRect(1, 1, 21, 20).width(), 11) << "an odd width leaves no column out";
}

TEST(PaintersTest, CutsAndPagesNameTheirSpaces) {
  const Catalog& c = Small();
  EXPECT_EQ(SpaceLabel(c, c.circles[0]), QString::fromUtf8("金 東Ａ01a"));
  EXPECT_EQ(SpaceLabel(c, c.circles[c.special.halfWidthGakkou]), QString::fromUtf8("抽選漏れ"));
  const QString caption = PageCaption(c, c.pages.front());
  EXPECT_TRUE(caption.startsWith(QString::fromUtf8("30日（金）東1 Ａ1～")))
      << caption.toStdString();
}

TEST(PaintersTest, MapsDrawEveryDeskAndTheGenreLayerColoursOnlyOccupiedHalves) {
  const Catalog& c = Small();
  const QImage layer = DrawGenreMap(c, c.maps[0], DayOccupancy(c, 1), 1);
  ASSERT_EQ(layer.size(), QSize(c.maps[0].width, c.maps[0].height));
  const Circle& circle = c.circles[0];
  const QRgb inside = layer.pixel(
      HalfOnMap(*c.FindDesk(circle.blockId, circle.spaceNo), circle.spaceNoSub).center());
  EXPECT_EQ(qAlpha(inside), 255);
  EXPECT_EQ(inside & 0xFFFFFF, c.GenreById(circle.genreId).rgb);
  EXPECT_EQ(qAlpha(layer.pixel(2, 2)), 0);
  // Block 2 space 3b is vacant on every day.
  EXPECT_EQ(qAlpha(layer.pixel(HalfOnMap(*c.FindDesk(2, 3), 1).center())), 0);

  const HallMap& map = c.maps[1];
  const QImage image = DrawHallMap(c, map, 2, 1);
  const QImage high = DrawHallMap(c, map, 2, 2);
  for (const Desk& desk : c.desks) {
    if (desk.mapId != map.id) continue;
    // The desk's outline is black, its inside white beside the space number.
    EXPECT_LT(qGray(image.pixel(desk.x, desk.y + 1)), 80) << desk.blockId << "/" << desk.spaceNo;
    EXPECT_EQ(qGray(image.pixel(desk.x + 2, desk.y + 2)), 255)
        << desk.blockId << "/" << desk.spaceNo;
    EXPECT_LT(qGray(high.pixel(2 * desk.x, 2 * desk.y + 2)), 80);
  }
}

TEST(ZipWriterTest, EntriesCarryOneFixedDateAndFailuresAreReported) {
  vxtest::TempDir dir;
  ZipWriter zip(dir / "a.zip");
  ASSERT_TRUE(zip.Add("INIT.TXT", "vqnum\t96\r\n", true) && zip.Add("000001.PNG", "x", false) &&
              zip.Close());
  unzFile file = unzOpen64((dir / "a.zip").c_str());
  ASSERT_NE(file, nullptr);
  std::vector<unsigned long> found;  // method and DOS date of each entry
  for (int r = unzGoToFirstFile(file); r == UNZ_OK; r = unzGoToNextFile(file)) {
    unz_file_info64 info;
    unzGetCurrentFileInfo64(file, &info, nullptr, 0, nullptr, 0, nullptr, 0);
    found.insert(found.end(), {info.compression_method, info.dosDate});
  }
  unzClose(file);
  const unsigned long fixed = (44UL << 25) | (1UL << 21) | (1UL << 16) | (9UL << 11);
  EXPECT_EQ(found, (std::vector<unsigned long>{8, fixed, 0, fixed}));

  ZipWriter missing(dir / "missing" / "a.zip");
  EXPECT_FALSE(missing.Ok() || missing.Add("INIT.TXT", "x", true) || missing.Close());
  EXPECT_NE(missing.Error().find("missing"), std::string::npos) << missing.Error();
}

}  // namespace
}  // namespace vx::sampledisc
