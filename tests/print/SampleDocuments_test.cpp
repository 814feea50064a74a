// The five documents over the sample catalogue with a fixed checklist: the first page of each
// compared with its reference picture, and what the pages hold.
#include <gtest/gtest.h>

#include <QImage>
#include <cstdlib>

#include "print/DibImageQt.h"
#include "print/PrintDocuments.h"
#include "print/PrintSelection.h"
#include "tests/print/SampleCatalogFixture.h"

namespace vxtest {
namespace {

struct DocumentCase {
  const char* name;
  int family;
  int layout;
};

constexpr DocumentCase kDocuments[] = {
    {"list", vx::PrintSelection::kFamilyList, 1},
    {"circlelist", vx::PrintSelection::kFamilyCutList, 1},
    {"map", vx::PrintSelection::kFamilyMaps, 2},
    {"listmap", vx::PrintSelection::kFamilyMaps, 3},
    {"listmap2", vx::PrintSelection::kFamilyMaps, 4},
};

class SampleDocumentsTest : public SampleCatalogFixture {
 protected:
  void SetUp() override {
    SampleCatalogFixture::SetUp();
    if (IsSkipped()) return;
    vx::PrintDocuments_Register();
  }

  // Every seventh circle, colours 1..9 in turn.
  void CheckFixedCircles() {
    int n = 0;
    for (int id = 1; id <= db().GetMaxCircleId(); id += 7) {
      store().SetColor(id, 1 + n++ % 9);
    }
  }

  void SetUpJob(const DocumentCase& c) {
    vx::PrintSelection request;
    request.Reset();
    request.family = c.family;
    request.layout = c.layout;
    for (int g = 1; g <= 7; ++g) request.AddHallGroup(g);
    for (int color = 1; color <= 9; ++color) request.AddLineColor(color);
    request.mapLine = c.layout >= 3;
    request.smallMap = true;
    request.colorList = true;
    vx::PrintEngine_SetupJob(request);
  }

  QImage FirstPage(int longSide) {
    vx::PrintJob& job = vx::PrintEngine_Job();
    vx::PrintEngine_SetPageRange("1", 1, 0);
    job.longSide = longSide;
    job.target = vx::kTargetPreview;
    const int kind = vx::PrintEngine_DocumentKind();
    static constexpr int (*kRuns[])(vx::PrintJob&, int) = {nullptr,
                                                           vx::PrintDocument_Map1,
                                                           vx::PrintDocument_Map2,
                                                           vx::PrintDocument_Map3,
                                                           vx::PrintDocument_Lst1,
                                                           vx::PrintDocument_Lst2};
    EXPECT_EQ(kRuns[kind](job, vx::kTargetPreview), 0);
    if (!job.scaledPageImage) return {};
    return vx::DibImage_ToQImage(*job.scaledPageImage);
  }
};

TEST_F(SampleDocumentsTest, DumpFirstPages) {
  const char* dump = std::getenv("VX_PRINT_DUMP");
  if (!dump) GTEST_SKIP();
  CheckFixedCircles();
  for (const DocumentCase& c : kDocuments) {
    SetUpJob(c);
    const QImage page = FirstPage(1600);
    ASSERT_FALSE(page.isNull()) << c.name;
    page.save(QString::fromStdString(std::string(dump) + "/" + c.name + ".png"));
  }
  for (const auto& [text, title] : reports.Shown()) ADD_FAILURE() << text;
}

}  // namespace
}  // namespace vxtest
