// The five documents over the sample catalogue with a fixed checklist: what their first pages
// hold, and the first page of each compared with its reference picture (A4 at 72 DPI, made by
// the program and checked by eye). VX_UPDATE_PRINT_REFERENCES=folder writes the pictures there
// instead of comparing.
#include <gtest/gtest.h>

#include <QImage>
#include <cstdlib>

#include "print/DibImageQt.h"
#include "print/PrintDocuments.h"
#include "print/PrintSelection.h"
#include "tests/print/SampleCatalogFixture.h"

namespace vxtest {
namespace {

namespace fs = std::filesystem;

constexpr int kReferenceLongSide = 842;  // A4 at 72 DPI

struct DocumentCase {
  const char* name;
  int family;
  int layout;
};

constexpr DocumentCase kDocuments[] = {
    {"list", vx::PrintSelection::kFamilyList, 1},           // LIST_0V
    {"circlelist", vx::PrintSelection::kFamilyCutList, 1},  // CIRCLELIST_3H
    {"map", vx::PrintSelection::kFamilyMaps, 2},            // MAP_0H
    {"listmap", vx::PrintSelection::kFamilyMaps, 3},        // LISTMAP_0H
    {"listmap2", vx::PrintSelection::kFamilyMaps, 4},       // LISTMAP2_0H
};

// How far two pictures of a page may differ: font rendering may move a few edge pixels.
struct Difference {
  double meanChannel = 0;  // mean absolute difference per channel
  double farPixels = 0;    // share of pixels with a channel off by more than 48
};

Difference Compare(const QImage& a, const QImage& b) {
  Difference d;
  long long sum = 0;
  long long far = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y);
      const QRgb q = b.pixel(x, y);
      const int dr = std::abs(qRed(p) - qRed(q));
      const int dg = std::abs(qGreen(p) - qGreen(q));
      const int db = std::abs(qBlue(p) - qBlue(q));
      sum += dr + dg + db;
      far += std::max({dr, dg, db}) > 48;
    }
  }
  const double pixels = static_cast<double>(a.width()) * a.height();
  d.meanChannel = static_cast<double>(sum) / (3 * pixels);
  d.farPixels = static_cast<double>(far) / pixels;
  return d;
}

fs::path ReferenceFolder() { return fs::path(std::getenv("VX_TEST_DATA")) / "print"; }

class SampleDocumentsTest : public SampleCatalogFixture {
 protected:
  void SetUp() override {
    SampleCatalogFixture::SetUp();
    if (IsSkipped()) return;
    vx::PrintDocuments_Register();
    // Print colours that tell the marks apart (0x00BBGGRR).
    const vx::ColorRef colors[] = {0x3030FF, 0x0080FF, 0x00D0E0, 0x30C030, 0xD0C000,
                                   0xFF6000, 0xC040A0, 0x9070FF, 0x808080};
    for (int i = 0; i < 9; ++i) {
      store().SetColorDef(i, colors[i], colors[i], vx::Sjis("色") + std::to_string(i + 1));
    }
    CheckFixedCircles();
  }

  // Every seventh circle, colours 1..9 in turn.
  void CheckFixedCircles() {
    int n = 0;
    for (int id = 1; id <= db().GetMaxCircleId(); id += 7) {
      ASSERT_TRUE(store().SetColor(id, 1 + n++ % 9));
      checked.push_back(id);
    }
  }

  void SetUpJob(const DocumentCase& c) {
    vx::PrintSelection request;
    request.Reset();
    request.family = c.family;
    request.layout = c.layout;
    for (int g = 1; g <= 7; ++g) request.AddHallGroup(g);
    for (int color = 1; color <= 9; ++color) request.AddLineColor(color);
    request.mapLine = true;
    request.smallMap = true;
    request.colorList = true;
    request.mapPosition = 5;
    vx::PrintEngine_SetupJob(request);
  }

  // The first page of the set-up job scaled to `longSide`, through the preview target.
  QImage FirstPage(int longSide) {
    vx::PrintJob& job = vx::PrintEngine_Job();
    vx::PrintEngine_SetPageRange("1", 1, 0);
    job.longSide = longSide;
    EXPECT_EQ(vx::PrintDocuments_Run(vx::PrintEngine_DocumentKind(), job, vx::kTargetPreview), 0);
    return job.scaledPageImage ? vx::DibImage_ToQImage(*job.scaledPageImage) : QImage();
  }

  // The checked circles of day 1 on the map of the first hall group.
  int CheckedOnFirstMap() {
    const int mapId = Tables().days[0].groups[0].mapId;
    int count = 0;
    for (const int id : checked) {
      vx::CircleRecord c;
      if (db().SelectCircle(c, id) && c.day == 1 && db().GetMapIdOfBlock(c.blockId) == mapId) {
        ++count;
      }
    }
    return count;
  }

  std::vector<int> checked;
};

TEST_F(SampleDocumentsTest, FirstPagesHoldTheirShareOfTheChecklist) {
  const int onFirstMap = [&] {
    SetUpJob(kDocuments[2]);
    return CheckedOnFirstMap();
  }();
  ASSERT_GT(onFirstMap, 4);
  const int total = static_cast<int>(checked.size());
  struct Expected {
    int lines;    // list lines, cut cells or map marks of page 1
    int perPage;  // the page's slots (0: no limit)
  };
  const Expected expected[] = {
      {std::min(total, 50), 50},       // LIST_0V: one column of 50 rows
      {std::min(total, 16), 16},       // CIRCLELIST_3H: 4 x 4 cells
      {onFirstMap, 0},                 // MAP: every circle of the map
      {std::min(onFirstMap, 37), 37},  // LISTMAP_0H: 37 rows beside the map
      {std::min(onFirstMap, 18), 18},  // LISTMAP2_0H: 3 x 6 cells
  };
  for (std::size_t i = 0; i < std::size(kDocuments); ++i) {
    SetUpJob(kDocuments[i]);
    const vx::PrintJob& job = vx::PrintEngine_Job();
    EXPECT_EQ(job.linesPerPageTable[1], expected[i].lines) << kDocuments[i].name;
    EXPECT_EQ(job.linesPerPage, expected[i].perPage) << kDocuments[i].name;
  }
  EXPECT_TRUE(reports.Shown().empty());
}

TEST_F(SampleDocumentsTest, FirstPagesMatchTheirReferencePictures) {
  const char* update = std::getenv("VX_UPDATE_PRINT_REFERENCES");
  for (const DocumentCase& c : kDocuments) {
    SetUpJob(c);
    const QImage page = FirstPage(kReferenceLongSide);
    ASSERT_FALSE(page.isNull()) << c.name;
    const std::string file = std::string(c.name) + ".png";
    if (update) {
      EXPECT_TRUE(page.save(QString::fromStdString((fs::path(update) / file).string()), "PNG", 0));
      continue;
    }
    const QImage reference(QString::fromStdString((ReferenceFolder() / file).string()));
    ASSERT_FALSE(reference.isNull()) << file;
    ASSERT_EQ(page.size(), reference.size()) << file;
    const Difference d = Compare(page, reference.convertToFormat(QImage::Format_RGB32));
    const bool close = d.meanChannel <= 1.5 && d.farPixels <= 0.005;
    if (!close) {
      const fs::path actual = fs::temp_directory_path() / file;
      page.save(QString::fromStdString(actual.string()));
      ADD_FAILURE() << file << " differs from its reference (mean " << d.meanChannel << ", "
                    << 100 * d.farPixels << "% far pixels); the page is in " << actual;
    }
  }
  EXPECT_TRUE(reports.Shown().empty());
}

}  // namespace
}  // namespace vxtest
