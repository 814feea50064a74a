#include "data/images/CatalogImages.h"

#include <gtest/gtest.h>

#include <QPainter>

#include "tests/data/images/TestDisc.h"

namespace vx {
namespace {

using vxtest::SolidPng;
using vxtest::WriteCutArchive;

constexpr int kEvent = 96;
const QColor kRed(220, 0, 0), kBlue(0, 0, 220), kGreen(0, 200, 0), kGrey(90, 90, 90);

QImage WhiteCanvas(int w, int h) {
  QImage canvas(w, h, QImage::Format_RGB32);
  canvas.fill(Qt::white);
  return canvas;
}

class CatalogImagesTest : public testing::Test {
 protected:
  std::filesystem::path Folder() const { return dir_.path(); }
  void MakeFolders() {
    std::filesystem::create_directories(dir_ / "PDATA");
    std::filesystem::create_directories(dir_ / "MDATA");
  }
  void WriteLowRes(const std::map<int, QColor>& cuts,
                   const std::map<std::string, std::string>& extra = {}) {
    WriteCutArchive(dir_ / "V096CUTL.CCZ", kEvent, 178, 255, cuts, extra);
  }
  void WriteHighRes(const std::map<int, QColor>& cuts,
                    const std::map<std::string, std::string>& extra = {}) {
    WriteCutArchive(dir_ / "V096CUTH.CCZ", kEvent, 356, 510, cuts, extra);
  }
  vxtest::TempDir dir_;
  CatalogImages images_;
};

TEST(CutMarkRectTest, MarkScalesWithTheCutWidth) {
  CutRect rect{0, 0, 178, 255};
  CutMarkRect(rect);
  EXPECT_EQ(rect, (CutRect{6, 6, 42, 42}));
  rect = {100, 300, 356, 510};
  CutMarkRect(rect);
  EXPECT_EQ(rect, (CutRect{112, 312, 84, 84}));
  rect = {0, 0, 100, 143};  // truncating: 600/178 = 3, 4200/178 = 23
  CutMarkRect(rect);
  EXPECT_EQ(rect, (CutRect{3, 3, 23, 23}));
}

TEST_F(CatalogImagesTest, PageFileGeometryWithoutArchives) {
  images_.SetCutGeometry(10, 66, 178, 255, 3, 4);
  images_.Open(Folder(), kEvent);
  EXPECT_FALSE(images_.HasLowResArchive());
  EXPECT_EQ(images_.GetCutOriginX(), 10);
  EXPECT_EQ(images_.GetCutOriginY(false), 66);
  EXPECT_EQ(images_.GetCutRect(0, false), (CutRect{10, 66, 178, 255}));
  EXPECT_EQ(images_.GetCutRect(7, true), (CutRect{188, 321, 178, 255}));
  EXPECT_EQ(images_.GetCutRect(35, false), (CutRect{900, 1341, 178, 255}));
}

TEST_F(CatalogImagesTest, ComposedGeometryFollowsTheArchivesOpen) {
  images_.SetCutGeometry(10, 66, 150, 200, 0, 0);
  WriteLowRes({});
  WriteHighRes({});
  images_.Open(Folder(), kEvent);
  ASSERT_TRUE(images_.HasLowResArchive());
  ASSERT_TRUE(images_.HasHighResArchive());
  EXPECT_EQ(images_.GetCutOriginX(), 0);
  EXPECT_EQ(images_.GetCutRect(7, false), (CutRect{178, 295, 178, 255}));
  EXPECT_EQ(images_.GetCutRect(7, true), (CutRect{356, 590, 356, 510}));
  EXPECT_EQ(images_.GetCutWidth(true), 356);
  EXPECT_EQ(images_.GetCutHeight(false), 255);

  // With the high-resolution archive alone, both choices use it.
  std::filesystem::remove(dir_ / "V096CUTL.CCZ");
  images_.Close();
  images_.Open(Folder(), kEvent);
  EXPECT_EQ(images_.GetCutRect(1, false), (CutRect{356, 80, 356, 510}));
}

TEST_F(CatalogImagesTest, HitTestFindsCellsAndRefusesTheEdges) {
  WriteLowRes({});
  images_.Open(Folder(), kEvent);
  // Grid: origin (0, 40), cells 178 x 255, six by six.
  EXPECT_EQ(images_.HitTestCut(0, 40, false), 0);
  EXPECT_EQ(images_.HitTestCut(100, 39, false), -1);  // inside the grid's width, above it
  EXPECT_EQ(images_.HitTestCut(6 * 178, 100, false), -1);
  EXPECT_EQ(images_.HitTestCut(6 * 178 - 1, 100, false), 5);
  EXPECT_EQ(images_.HitTestCut(178, 40 + 255, false), 7);
  EXPECT_EQ(images_.HitTestCut(6 * 178 - 1, 40 + 6 * 255 - 1, false), 35);
  EXPECT_EQ(images_.HitTestCut(10, 40 + 6 * 255, false), -1);
  EXPECT_EQ(images_.HitTestCut(-1, 50, false), -1);
}

TEST_F(CatalogImagesTest, HitTestWithoutAnyCutSizeFindsNothing) {
  images_.Open(Folder(), kEvent);
  EXPECT_EQ(images_.GetCutWidth(false), 0);
  EXPECT_EQ(images_.HitTestCut(0, 0, false), -1);
  EXPECT_EQ(images_.HitTestCut(500, 500, true), -1);
}

TEST_F(CatalogImagesTest, HasImageDataNeedsPicturesAndMaps) {
  EXPECT_FALSE(HasImageData(Folder(), kEvent));
  std::filesystem::create_directories(dir_ / "MDATA");
  EXPECT_FALSE(HasImageData(Folder(), kEvent));  // maps alone
  std::filesystem::create_directories(dir_ / "PDATA");
  EXPECT_TRUE(HasImageData(Folder(), kEvent));
  std::filesystem::remove(dir_ / "MDATA");
  EXPECT_FALSE(HasImageData(Folder(), kEvent));  // pages alone
  EXPECT_FALSE(HasImageData(dir_ / "absent", kEvent));
}

TEST_F(CatalogImagesTest, HasImageDataAcceptsEitherMainArchive) {
  std::filesystem::create_directories(dir_ / "mdata");  // a disc mounted in lower case
  vxtest::WriteFileBytes(dir_ / "v096cuth.ccz", "x");
  EXPECT_TRUE(HasImageData(Folder(), kEvent));
  EXPECT_FALSE(HasImageData(Folder(), 95));  // another event's archive name
  std::filesystem::remove(dir_ / "v096cuth.ccz");
  vxtest::WriteFileBytes(dir_ / "V096CUTLP.CCZ", "x");  // an override alone is not enough
  EXPECT_FALSE(HasImageData(Folder(), kEvent));
  std::filesystem::create_directories(dir_ / "V096CUTL.CCZ");  // a folder, not a file
  EXPECT_FALSE(HasImageData(Folder(), kEvent));
  std::filesystem::remove(dir_ / "V096CUTL.CCZ");
  vxtest::WriteFileBytes(dir_ / "V096CUTL.CCZ", "x");
  EXPECT_TRUE(HasImageData(Folder(), kEvent));
}

TEST_F(CatalogImagesTest, OpenFindsLowerCaseArchivesAndKeepsAnOpenEvent) {
  WriteCutArchive(dir_ / "v096cutl.ccz", kEvent, 178, 255, {{5, kRed}});
  images_.Open(Folder(), kEvent);
  ASSERT_TRUE(images_.HasLowResArchive());
  EXPECT_EQ(images_.event(), kEvent);
  std::filesystem::remove(dir_ / "v096cutl.ccz");
  images_.Open(Folder(), kEvent);  // same folder and event: nothing reopened
  EXPECT_TRUE(images_.HasLowResArchive());
  images_.Open(Folder(), 95);
  EXPECT_FALSE(images_.HasLowResArchive());
  EXPECT_EQ(images_.event(), 95);
  images_.Close();
  EXPECT_EQ(images_.event(), 0);
  EXPECT_TRUE(images_.folder().empty());
}

TEST_F(CatalogImagesTest, PageFilesAreCachedForOnePage) {
  MakeFolders();
  vxtest::WriteFileBytes(dir_ / "PDATA" / "0003.PNG", SolidPng(20, 10, kGreen));
  images_.Open(Folder(), kEvent);
  ASSERT_EQ(images_.LoadPageFile(3).size(), QSize(20, 10));
  std::filesystem::remove(dir_ / "PDATA" / "0003.PNG");
  EXPECT_EQ(images_.LoadPageFile(3).size(), QSize(20, 10));
  EXPECT_TRUE(images_.LoadPageFile(4).isNull());
  EXPECT_TRUE(images_.LoadPageFile(3).isNull());
}

TEST_F(CatalogImagesTest, CoverComesFromTheHighThenLowArchiveThenPageFile) {
  MakeFolders();
  vxtest::WriteFileBytes(dir_ / "PDATA" / "0001.png", SolidPng(7, 7, kGreen));
  images_.Open(Folder(), kEvent);
  EXPECT_EQ(images_.LoadCoverImage().pixelColor(0, 0), kGreen);
  images_.Close();
  WriteLowRes({}, {{"0001.PNG", SolidPng(5, 5, kBlue)}});
  images_.Open(Folder(), kEvent);
  EXPECT_EQ(images_.LoadCoverImage().pixelColor(0, 0), kBlue);
  images_.Close();
  WriteHighRes({}, {{"0001.PNG", SolidPng(5, 5, kRed)}});
  images_.Open(Folder(), kEvent);
  EXPECT_EQ(images_.LoadCoverImage().pixelColor(0, 0), kRed);
}

class DrawCutTest : public CatalogImagesTest {
 protected:
  QImage Draw(CutRect rect, int page, int cutIndex, int cutNumber, std::uint32_t colour = 0,
              int number = 0) {
    QImage canvas = WhiteCanvas(rect.x + rect.w + 4, rect.y + rect.h + 4);
    QPainter painter(&canvas);
    images_.DrawCut(painter, rect, page, cutIndex, cutNumber, colour, number);
    return canvas;
  }
};

TEST_F(DrawCutTest, CellWidthChoosesTheArchive) {
  WriteLowRes({{12, kRed}});
  WriteHighRes({{12, kBlue}});
  images_.Open(Folder(), kEvent);
  EXPECT_EQ(Draw({0, 0, 100, 143}, 1, 1, 12).pixelColor(50, 100), kRed);
  EXPECT_EQ(Draw({0, 0, 178, 255}, 1, 1, 12).pixelColor(100, 200), kRed);
  EXPECT_EQ(Draw({0, 0, 400, 573}, 1, 1, 12).pixelColor(200, 400), kBlue);
}

TEST_F(DrawCutTest, MissingHighResolutionCutFallsBackToLowResolution) {
  WriteLowRes({{12, kRed}});
  WriteHighRes({});
  images_.Open(Folder(), kEvent);
  EXPECT_EQ(Draw({0, 0, 400, 573}, 1, 1, 12).pixelColor(200, 400), kRed);
}

TEST_F(DrawCutTest, OverrideArchiveWinsOverItsMainArchive) {
  WriteLowRes({{12, kRed}, {13, kRed}});
  WriteCutArchive(dir_ / "V096CUTLP.CCZ", kEvent, 178, 255, {{12, kGreen}});
  images_.Open(Folder(), kEvent);
  EXPECT_EQ(Draw({0, 0, 178, 255}, 1, 1, 12).pixelColor(90, 200), kGreen);
  EXPECT_EQ(Draw({0, 0, 178, 255}, 1, 1, 13).pixelColor(90, 200), kRed);
}

TEST_F(DrawCutTest, CircleWithoutNameDrawsTheGenericPicture) {
  WriteLowRes({{12, kRed}}, {{"JIKO.PNG", SolidPng(178, 255, kGrey)}});
  images_.Open(Folder(), kEvent);
  EXPECT_EQ(Draw({0, 0, 178, 255}, 1, 1, -1).pixelColor(90, 200), kGrey);
}

TEST_F(DrawCutTest, PageFileCellIsCroppedWhenNoArchiveHasTheCut) {
  MakeFolders();
  // A page file whose cells (30 x 40 from (5, 8)) are coloured by position.
  QImage page = WhiteCanvas(5 + 6 * 30, 8 + 6 * 40);
  page.fill(Qt::black);
  {
    QPainter painter(&page);
    painter.fillRect(QRect(5 + 2 * 30, 8 + 1 * 40, 30, 40), kBlue);  // cutIndex 9
  }
  ASSERT_TRUE(page.save(QString::fromStdString((dir_ / "PDATA" / "0004.PNG").string())));
  images_.SetCutGeometry(5, 8, 30, 40, 0, 0);
  images_.Open(Folder(), kEvent);
  QImage same = Draw({10, 10, 30, 40}, 4, 9, 77);
  EXPECT_EQ(same.pixelColor(10, 10), kBlue);
  EXPECT_EQ(same.pixelColor(39, 49), kBlue);
  EXPECT_EQ(same.pixelColor(40, 50), Qt::white);
  QImage scaled = Draw({0, 0, 60, 80}, 4, 9, 77);
  EXPECT_EQ(scaled.pixelColor(30, 40), kBlue);
  // No page, no cut: a white cell.
  EXPECT_EQ(Draw({0, 0, 30, 40}, 5, 9, 77).pixelColor(15, 20), Qt::white);
  EXPECT_EQ(Draw({0, 0, 30, 40}, 4, 0, 77).pixelColor(15, 20), Qt::white);
}

TEST_F(DrawCutTest, MarkIsFilledUnlessUncolouredOrWhite) {
  WriteLowRes({{12, kRed}});
  images_.Open(Folder(), kEvent);
  const std::uint32_t greenRef = 0x00C000;  // COLORREF 0x00BBGGRR: green 0xC0
  const QImage marked = Draw({0, 0, 178, 255}, 1, 1, 12, greenRef);
  EXPECT_EQ(marked.pixelColor(6, 6), QColor(0, 0xC0, 0));
  EXPECT_EQ(marked.pixelColor(47, 47), QColor(0, 0xC0, 0));
  EXPECT_EQ(marked.pixelColor(48, 48), kRed);
  EXPECT_EQ(marked.pixelColor(5, 5), kRed);
  EXPECT_EQ(Draw({0, 0, 178, 255}, 1, 1, 12, 0x0000FF).pixelColor(20, 20), QColor(255, 0, 0));
  for (std::uint32_t none : {0u, 0xFFFFFFu}) {
    EXPECT_EQ(Draw({0, 0, 178, 255}, 1, 1, 12, none).pixelColor(20, 20), kRed) << none;
  }
}

int CountDarkPixels(const QImage& image, QRect area) {
  int dark = 0;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      if (qGray(image.pixel(x, y)) < 60) ++dark;
    }
  }
  return dark;
}

TEST_F(DrawCutTest, NumberIsDrawnInsideTheMarkOnlyWhenGiven) {
  WriteLowRes({{12, Qt::white}});
  images_.Open(Folder(), kEvent);
  const QRect square(6, 6, 42, 42);
  EXPECT_EQ(CountDarkPixels(Draw({0, 0, 178, 255}, 1, 1, 12, 0, 0), square), 0);
  const QImage numbered = Draw({0, 0, 178, 255}, 1, 1, 12, 0, 7);
  EXPECT_GT(CountDarkPixels(numbered, square), 20);
  EXPECT_EQ(CountDarkPixels(numbered, QRect(0, 60, 178, 190)), 0);  // nothing outside the mark
}

}  // namespace
}  // namespace vx
