// The image data of the built-in sample disc ($VX_SAMPLE_DISC, written by the test fixture).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "data/images/CatalogImages.h"
#include "platform/Paths.h"
#include "tests/data/images/FakePageQueries.h"

namespace vx {
namespace {

constexpr int kSampleEvent = 96;

class SampleDiscImagesTest : public testing::Test {
 protected:
  void SetUp() override {
    const char* disc = std::getenv("VX_SAMPLE_DISC");
    if (!disc || !std::filesystem::is_directory(disc)) GTEST_SKIP() << "no sample disc";
    disc_ = disc;
    images_.Open(disc_, kSampleEvent);
  }

  std::filesystem::path disc_;
  CatalogImages images_;
};

TEST_F(SampleDiscImagesTest, DiscHasImageDataAndBothArchives) {
  EXPECT_TRUE(HasImageData(disc_, kSampleEvent));
  ASSERT_TRUE(images_.HasLowResArchive());
  ASSERT_TRUE(images_.HasHighResArchive());
  EXPECT_GT(images_.GetCutWidth(false), 0);
  EXPECT_GT(images_.GetCutWidth(true), images_.GetCutWidth(false));
  EXPECT_GT(images_.GetCutHeight(true), images_.GetCutHeight(false));
  EXPECT_FALSE(images_.LoadCoverImage().isNull());
  EXPECT_FALSE(images_.LoadPageFile(1).isNull());
}

TEST_F(SampleDiscImagesTest, ComposedPageSizesFollowTheArchives) {
  ASSERT_TRUE(images_.HasLowResArchive());
  const int w = images_.GetCutWidth(false), h = images_.GetCutHeight(false);
  const int hw = images_.GetCutWidth(true), hh = images_.GetCutHeight(true);
  vxtest::FakePageQueries queries;
  std::vector<CircleRecord> records(36);
  for (int i = 0; i < 36; ++i) records[i] = vxtest::Circle(i + 1, 3, 2 + i / 2, i % 2, i + 1);
  EXPECT_EQ(images_.GetPageImage(1, queries, records, false).size(),
            QSize(6 * w, 6 * h + CatalogImages::kHeaderBand));
  EXPECT_EQ(images_.GetPageImage(1, queries, records, true).size(),
            QSize(6 * hw, 6 * hh + 2 * CatalogImages::kHeaderBand));
}

TEST_F(SampleDiscImagesTest, EveryCutOfTheLowResolutionArchiveHasTheArchiveCutSize) {
  const auto path = ResolveCaseInsensitive(disc_, "V096CUTL.CCZ");
  ASSERT_TRUE(path);
  auto archive = CutArchive::Open(*path);
  ASSERT_TRUE(archive);
  const QSize cutSize(archive->cutWidth(), archive->cutHeight());
  int cuts = 0;
  for (int n = 1; n <= 1000; ++n) {
    const QImage cut = archive->LoadCut(n);
    if (cut.isNull()) continue;
    ++cuts;
    ASSERT_EQ(cut.size(), cutSize) << n;
  }
  EXPECT_GT(cuts, 100);
  EXPECT_FALSE(archive->LoadImage("JIKO.PNG").isNull());
}

}  // namespace
}  // namespace vx
