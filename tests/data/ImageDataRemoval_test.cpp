#include "data/ImageDataRemoval.h"

#include "platform/CodePage.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using vx::Sjis;

TEST(ImageDataRemovalTest, DeletesTheImageFilesAndReportsAFolderThatStillHoldsOthers) {
  vxtest::TempDir dir;
  const fs::path folder = dir / "VQ96";
  for (const char* name : {"pdata/0001.png", "PDATA2/keep.PNG", "MDATA/MAP1.PNG",
                           "V096CUTL.CCZ", "v096cuth.ccz", "mine.txt"}) {
    fs::create_directories((folder / name).parent_path());
    vxtest::WriteFileBytes(folder / name, "x");
  }
  std::vector<std::string> boxes;
  EXPECT_FALSE(vx::RemoveInstalledImageData(
      folder, [&](const std::string& text, const std::string& title) {
        boxes.push_back(title + "|" + text);
      }));
  EXPECT_EQ(boxes, (std::vector<std::string>{
                       Sjis("フォルダ削除エラー|フォルダ") + folder.string() +
                       Sjis("を\n削除できませんでした.")}));
  EXPECT_FALSE(fs::exists(folder / "pdata"));
  EXPECT_FALSE(fs::exists(folder / "MDATA"));
  EXPECT_FALSE(fs::exists(folder / "V096CUTL.CCZ"));
  EXPECT_FALSE(fs::exists(folder / "v096cuth.ccz"));
  EXPECT_TRUE(fs::exists(folder / "mine.txt"));
  EXPECT_TRUE(fs::exists(folder / "PDATA2/keep.PNG"));
}

}  // namespace
