#include "data/ImageCopyJob.h"

#include "tests/data/DiscTextFiles.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

namespace {

namespace fs = std::filesystem;
using vx::ImageCopyJob;
using vx::ImageCopyState;
using vxtest::ReadFileBytes;
using vxtest::WriteFileBytes;

std::set<std::string> Names(const fs::path& folder) {
  std::set<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
    names.insert(entry.path().filename().string());
  }
  return names;
}

class ImageCopyJobTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"PDATA/0001.PNG", "PDATA/0002.png", "MDATA/MAP1.PNG",
                             "V096CUTL.CCZ", "readme.txt", "PDATA/notes.txt"}) {
      fs::create_directories((disc / name).parent_path());
      WriteFileBytes(disc / name, std::string("new ") + name);
    }
    fs::create_directories(disc / "PDATA" / "folder.PNG");
    // A complete earlier installation, with a file of the user's beside it.
    for (const char* name : {"PDATA/0001.PNG", "MDATA/MAP1.PNG", "V096CUTL.CCZ", "mine.txt"}) {
      fs::create_directories((installed / name).parent_path());
      WriteFileBytes(installed / name, std::string("old ") + name);
    }
  }

  vxtest::TempDir dir;
  fs::path disc = dir / "disc";
  fs::path installed = dir / "images" / "VQ96";
};

TEST_F(ImageCopyJobTest, CancelledCopyKeepsTheInstallationAndLeavesNoStagingFolder) {
  vxtest::RecordingProgress progress;
  ImageCopyJob job(disc, installed / "", &progress);
  progress.onReport = [&](int copied) {
    if (copied == 2) job.Cancel();
  };
  EXPECT_EQ(job.Run(), ImageCopyJob::kResultStopped);
  EXPECT_EQ(job.State(), ImageCopyState::kStopped);
  EXPECT_EQ(job.Total(), 4);
  EXPECT_EQ(job.Copied(), 2);
  EXPECT_TRUE(job.ErrorText().empty());
  EXPECT_EQ(job.StagingFolder(), dir / "images" / ".VQ96.installing");
  EXPECT_FALSE(fs::exists(job.StagingFolder()));
  EXPECT_EQ(ReadFileBytes(installed / "PDATA/0001.PNG"), "old PDATA/0001.PNG");
  EXPECT_FALSE(fs::exists(installed / "PDATA/0002.png"));
}

TEST_F(ImageCopyJobTest, FinishedCopyReplacesTheFilesAndKeepsOthers) {
  vxtest::RecordingProgress progress;
  ImageCopyJob job(disc, installed, &progress);
  EXPECT_EQ(job.Run(), ImageCopyJob::kResultDone) << job.ErrorText();
  EXPECT_EQ(progress.positions, (std::vector<int>{1, 2, 3, 4}));
  for (const char* name : {"PDATA/0001.PNG", "PDATA/0002.png", "MDATA/MAP1.PNG", "V096CUTL.CCZ"}) {
    EXPECT_EQ(ReadFileBytes(installed / name), std::string("new ") + name);
  }
  EXPECT_EQ(ReadFileBytes(installed / "mine.txt"), "old mine.txt");
  EXPECT_FALSE(fs::exists(installed / "readme.txt"));
  EXPECT_FALSE(fs::exists(installed / "PDATA/notes.txt"));
  EXPECT_FALSE(fs::exists(job.StagingFolder()));
}

// The destination holds a file where its map folder belongs: the page images are already
// replaced when the maps cannot go in, and must come back as they were.
TEST_F(ImageCopyJobTest, AMoveThatFailsHalfWayPutsTheEarlierInstallationBack) {
  fs::remove_all(installed / "MDATA");
  WriteFileBytes(installed / "MDATA", "a file, not a folder");
  ImageCopyJob job(disc, installed);
  EXPECT_EQ(job.Run(), ImageCopyJob::kResultStopped);
  EXPECT_EQ(job.State(), ImageCopyState::kStopped);
  EXPECT_FALSE(job.ErrorText().empty());
  EXPECT_EQ(ReadFileBytes(installed / "PDATA/0001.PNG"), "old PDATA/0001.PNG");
  EXPECT_FALSE(fs::exists(installed / "PDATA/0002.png"));
  EXPECT_EQ(ReadFileBytes(installed / "V096CUTL.CCZ"), "old V096CUTL.CCZ");
  EXPECT_EQ(ReadFileBytes(installed / "MDATA"), "a file, not a folder");
  EXPECT_EQ(Names(dir / "images"), std::set<std::string>{"VQ96"});  // no backup left behind

  // The folders made for the new files go too, so no empty installation is listed later.
  const fs::path other = dir / "images" / "VQ97";
  fs::create_directories(other);
  WriteFileBytes(other / "MDATA", "a file, not a folder");
  EXPECT_EQ(ImageCopyJob(disc, other).Run(), ImageCopyJob::kResultStopped);
  EXPECT_EQ(Names(other), std::set<std::string>{"MDATA"});
}

}  // namespace
