#include "data/images/ImageInstallFolders.h"

#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

namespace fs = std::filesystem;

void MakeImageFolder(const fs::path& folder) {
  fs::create_directories(folder / "PDATA");
  fs::create_directories(folder / "MDATA");
}

TEST(ImageInstallFoldersTest, OnlyEventFoldersHoldingImageDataAreListed) {
  vxtest::TempDir dir;
  for (const char* name :
       {"VQ96", "vq100", "VQ7", "VQ0", "VQ96x", "VQabc", "VQ", "VQ096", "VQ08"}) {
    MakeImageFolder(dir / name);
  }
  fs::create_directories(dir / "VQ95" / "PDATA");  // no map folder: not image data
  EXPECT_EQ(vx::ListInstalledImageEvents(dir.Path()), (std::vector<int>{7, 96, 100}));
  EXPECT_EQ(vx::InstalledImageFolder(dir.Path(), 100), dir / "vq100");
  EXPECT_EQ(vx::InstalledImageFolder(dir.Path(), 97), dir / "VQ97");
}

}  // namespace
