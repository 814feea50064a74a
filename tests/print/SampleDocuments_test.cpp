// The five documents over the sample catalogue with a fixed checklist: what their first pages
// hold, and the first page of each compared with its reference picture (A4 at 72 DPI, made by
// the program and checked by eye). VX_UPDATE_PRINT_REFERENCES=folder writes the pictures there
// instead of comparing.
#include <gtest/gtest.h>

#include <QImage>
#include <cstdlib>

#include "print/DibImageQt.h"
#include "tests/print/SampleDocumentsFixture.h"

namespace vxtest {
namespace {

namespace fs = std::filesystem;

constexpr int kReferenceLongSide = 842;  // A4 at 72 DPI

fs::path ReferenceFolder() { return fs::path(std::getenv("VX_TEST_DATA")) / "print"; }

class SampleDocumentsTest : public SampleDocumentsFixture {
 protected:
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
      if (Db().SelectCircle(c, id) && c.day == 1 && Db().GetMapIdOfBlock(c.blockId) == mapId) {
        ++count;
      }
    }
    return count;
  }
};

TEST_F(SampleDocumentsTest, FirstPagesHoldTheirShareOfTheChecklist) {
  const int onFirstMap = [&] {
    SetUpJob(kSampleDocuments[2]);
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
  for (std::size_t i = 0; i < std::size(kSampleDocuments); ++i) {
    SetUpJob(kSampleDocuments[i]);
    const vx::PrintJob& job = vx::PrintEngine_Job();
    EXPECT_EQ(job.linesPerPageTable[1], expected[i].lines) << kSampleDocuments[i].name;
    EXPECT_EQ(job.linesPerPage, expected[i].perPage) << kSampleDocuments[i].name;
  }
  EXPECT_TRUE(reports.Shown().empty());
}

TEST_F(SampleDocumentsTest, FirstPagesMatchTheirReferencePictures) {
  const char* update = std::getenv("VX_UPDATE_PRINT_REFERENCES");
  for (const DocumentCase& c : kSampleDocuments) {
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
