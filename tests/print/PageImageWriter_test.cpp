// Page images written on a disk that fills up: the encoders' write errors and the last bytes that
// fail only when the file is closed. Either way no partial file stays and the reason is given.
#include "print/PageImageWriter.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>

#include "platform/CodePage.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/TempDir.h"

namespace {

namespace fs = std::filesystem;

// Noise, so that the encoded file is about as large as the pixels.
vx::DibImagePtr NoisyPage(int width, int height) {
  vx::DibImagePtr image = vx::DibImage_Create(24, width, height);
  std::mt19937 random(7);
  for (int y = 0; y < height; ++y) {
    std::uint8_t* row = vx::DibImage_GetRow(*image, y);
    for (int x = 0; x < 3 * width; ++x) row[x] = static_cast<std::uint8_t>(random());
  }
  return image;
}

TEST(PageImageWriterTest, AFullDiskLeavesNoFileAndSaysWhy) {
  vxtest::TempDir dir;
  const vx::DibImagePtr page = NoisyPage(200, 200);
  const vx::DibImagePtr stamp = NoisyPage(4, 4);  // its PNG stays in the buffer until the close
  const std::string closeFailed =
      vx::Sjis("ファイルを書き終えられません (") + std::strerror(EFBIG) + ")";
  const struct {
    const char* name;
    const vx::DibImage& image;
    std::uint64_t room;
    std::string failure;
  } cases[] = {
      {"page.png", *page, 1000, "ERROR PNG = Write Error"},
      {"page.jpg", *page, 1000, "ERROR JPEG = Output file write error --- out of disk space?"},
      {"stamp.png", *stamp, 10, closeFailed},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const fs::path file = dir / c.name;
    std::string failure;
    int result = 0;
    {
      vxtest::FileSizeLimit full(c.room);
      result = fs::path(c.name).extension() == ".png"
                   ? vx::PageImage_WritePng(file, c.image, &failure)
                   : vx::PageImage_WriteJpeg(file, c.image, 95, &failure);
    }
    EXPECT_LT(result, 0);
    EXPECT_EQ(failure, c.failure);
    EXPECT_FALSE(fs::exists(file));
  }
  // With room, the same pictures are written.
  std::string failure;
  EXPECT_EQ(vx::PageImage_WritePng(dir / "page.png", *page, &failure), 0) << failure;
  EXPECT_EQ(vx::PageImage_WriteJpeg(dir / "page.jpg", *page, 95, &failure), 0) << failure;
  EXPECT_EQ(vx::PageImage_WritePng(dir / "stamp.png", *stamp, &failure), 0) << failure;
}

}  // namespace
