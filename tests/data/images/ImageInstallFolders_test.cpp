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
  for (const char* name : {"VQ96", "vq100", "VQ7", "VQ0", "VQ96x", "VQabc", "VQ"}) {
    MakeImageFolder(dir / name);
  }
  fs::create_directories(dir / "VQ95" / "PDATA");  // no map folder: not image data
  EXPECT_EQ(vx::ListInstalledImageEvents(dir.path()), (std::vector<int>{7, 96, 100}));
  EXPECT_EQ(vx::InstalledImageFolder(dir.path(), 100), dir / "vq100");
  EXPECT_EQ(vx::InstalledImageFolder(dir.path(), 97), dir / "VQ97");
}

TEST(ImageInstallFoldersTest, DiscDataIsFoundInTheFolderOrItsEventSubfolders) {
  vxtest::TempDir dir;
  MakeImageFolder(dir / "root");
  MakeImageFolder(dir / "subdir" / "data96n");
  MakeImageFolder(dir / "plain" / "DATA08");
  fs::create_directories(dir / "empty");
  EXPECT_EQ(vx::FindImageSource(dir / "root", 96), dir / "root");
  EXPECT_EQ(vx::FindImageSource(dir / "subdir", 96), dir / "subdir" / "data96n");
  EXPECT_EQ(vx::FindImageSource(dir / "plain", 8), dir / "plain" / "DATA08");
  EXPECT_EQ(vx::FindImageSource(dir / "subdir", 97), std::nullopt);
  EXPECT_EQ(vx::FindImageSource(dir / "empty", 96), std::nullopt);

  fs::create_directory_symlink(dir / "root", dir / "link");
  EXPECT_TRUE(vx::IsSameFolder(dir / "link", dir / "root"));
  EXPECT_TRUE(vx::IsSameFolder(dir / "plain" / ".." / "root", dir / "root"));
  EXPECT_FALSE(vx::IsSameFolder(dir / "root", dir / "empty"));
  EXPECT_FALSE(vx::IsSameFolder(dir / "missing", dir / "missing"));
}

}  // namespace
