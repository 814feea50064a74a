#include "data/ImageCopyJob.h"

#include "platform/CodePage.h"
#include "tests/data/DiscTextFiles.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
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
    for (const char* name : {"PDATA/0001.PNG", "PDATA/0002.png", "MDATA/MAP1.PNG", "V096CUTL.CCZ",
                             "readme.txt", "PDATA/notes.txt"}) {
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

  // Begin, then `fault`, then the copy and the move into place, as the dialog drives the job.
  int RunWithFault(ImageCopyJob& job, const std::function<void()>& fault) {
    if (job.Begin()) {
      fault();
      while (job.Step() == 0) {
      }
    }
    return job.Finish();
  }

  // A copy that failed left the earlier installation as it was, and nothing beside it.
  void ExpectEarlierInstallationAlone(const ImageCopyJob& job) {
    EXPECT_EQ(job.State(), ImageCopyState::kStopped);
    for (const char* name : {"PDATA/0001.PNG", "MDATA/MAP1.PNG", "V096CUTL.CCZ", "mine.txt"}) {
      EXPECT_EQ(ReadFileBytes(installed / name), std::string("old ") + name);
    }
    EXPECT_FALSE(fs::exists(installed / "PDATA/0002.png"));
    EXPECT_EQ(Names(dir / "images"), std::set<std::string>{"VQ96"});
  }

  vxtest::TempDir dir;
  fs::path disc = dir / "disc";
  fs::path installed = dir / "images" / "VQ96";
};

// A file that cannot be opened, on either side, stops the copy with the message of its side.
TEST_F(ImageCopyJobTest, AFileThatCannotBeOpenedStopsTheCopyAndSaysWhichSide) {
  struct Case {
    const char* what;
    std::function<void(const ImageCopyJob&)> fault;
    const char* text;
  };
  const Case cases[] = {
      {"the disc's file has gone",
       [&](const ImageCopyJob&) { fs::remove(disc / "PDATA/0002.png"); },
       "読み込み側ファイルが開けません."},
      {"a folder where the copy goes",
       [&](const ImageCopyJob& job) {
         fs::create_directory(job.StagingFolder() / "MDATA/MAP1.PNG");
       },
       "書き込みファイルが開けません.\nアクセス権限が無いか、ファイルが使用中か、もしくは同名の"
       "書込み禁止ファイルがあります."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ImageCopyJob job(disc, installed);
    EXPECT_EQ(RunWithFault(job, [&] { c.fault(job); }), ImageCopyJob::kResultStopped);
    EXPECT_EQ(job.ErrorText(), vx::Sjis(c.text));
    ExpectEarlierInstallationAlone(job);
  }
}

// The disc's file turns out to be unreadable (a folder now stands in its place).
TEST_F(ImageCopyJobTest, AReadErrorStopsTheCopy) {
  ImageCopyJob job(disc, installed);
  const int result = RunWithFault(job, [&] {
    fs::remove(disc / "MDATA/MAP1.PNG");
    fs::create_directory(disc / "MDATA/MAP1.PNG");
  });
  EXPECT_EQ(result, ImageCopyJob::kResultStopped);
  EXPECT_EQ(job.ErrorText(), vx::Sjis("ファイルの読み取り中にエラーが発生しました."));
  EXPECT_EQ(job.Copied(), 2);
  ExpectEarlierInstallationAlone(job);
}

// The disk fills up: in the middle of a file larger than a chunk, and on the last bytes of a
// small file, which reach the disk only when the file is flushed.
TEST_F(ImageCopyJobTest, AFullDiskStopsTheCopyAndKeepsTheInstallation) {
  WriteFileBytes(disc / "V096CUTL.CCZ", std::string(300000, 'c'));
  const struct {
    const char* what;
    std::uint64_t room;
    int copied;
  } cases[] = {{"in a large file", 100000, 3}, {"on the flush of a small file", 10, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ImageCopyJob job(disc, installed);
    int result = -1;
    {
      vxtest::FileSizeLimit full(c.room);
      result = job.Run();
    }
    EXPECT_EQ(result, ImageCopyJob::kResultStopped);
    EXPECT_EQ(job.Copied(), c.copied);
    EXPECT_EQ(job.ErrorText(),
              vx::Sjis("ファイルの書き込み中にエラーが発生しました.\nハードディスクの"
                       "容量が足らない恐れがあります."));
    ExpectEarlierInstallationAlone(job);
  }
}

// The new map cannot be moved in after the earlier one was moved aside: the earlier one goes
// back, and so do the pages already replaced.
TEST_F(ImageCopyJobTest, AFailedMoveBringsBackTheFileItWasToReplace) {
  ImageCopyJob job(disc, installed);
  ASSERT_TRUE(job.Begin());
  while (job.Step() == 0) {
  }
  ASSERT_EQ(job.State(), ImageCopyState::kFinished);
  fs::remove(job.StagingFolder() / "MDATA/MAP1.PNG");
  EXPECT_EQ(job.Finish(), ImageCopyJob::kResultStopped);
  EXPECT_FALSE(job.ErrorText().empty());
  ExpectEarlierInstallationAlone(job);
}

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
