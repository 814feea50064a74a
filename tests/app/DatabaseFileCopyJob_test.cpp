// The copy of the program folder's catalogue over the user's database when it fails: on a full
// disk, when the copy cannot take the database's name, when the old database's journal cannot be
// removed. The old database is kept, and the initialisation's box says what failed.
#include "app/DatabaseFileCopyJob.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/DatabaseInitializer.h"
#include "data/PavorunDatabase.h"
#include "platform/CodePage.h"
#include "tests/app/InitializerFolders.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/ScriptedUiServices.h"
#include "tests/support/TempDir.h"
#include "tests/web/JobRunning.h"

namespace {

namespace fs = std::filesystem;
using vx::DatabaseInitializer;
using vx::PavorunDatabase;

std::vector<std::string> Names(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

// The copy a job writes beside `target` until its commit.
fs::path CopyBeside(const fs::path& target) {
  for (const auto& entry : fs::directory_iterator(target.parent_path())) {
    if (entry.path().filename().string().rfind(target.filename().string() + ".tmp", 0) == 0) {
      return entry.path();
    }
  }
  return {};
}

// What a failed step of the copy says: the file, what could not be done and the system's reason.
std::string CopyErrorText(const fs::path& file, const char* what, int error) {
  return file.string() + "\n" + vx::Sjis(what) + " (" + std::strerror(error) + ")";
}

// A stale journal of the old database that cannot be removed would be played back onto the copy:
// the copy does not replace the database then.
TEST(DatabaseFileCopyJobTest, AJournalThatCannotBeRemovedKeepsTheTarget) {
  vxtest::TempDir dir;
  vxtest::WriteFileBytes(dir / "source.db", "new");
  vxtest::WriteFileBytes(dir / "target.db", "old");
  fs::create_directories(dir / "target.db-journal" / "held");
  {
    vx::DatabaseFileCopyJob job(dir / "source.db", dir / "target.db");
    ASSERT_EQ(vxtest::RunJob(job), 1);
    EXPECT_FALSE(job.Commit());
    EXPECT_EQ(job.ErrorText(),
              CopyErrorText(dir / "target.db-journal", "を削除できません.", ENOTEMPTY));
  }
  EXPECT_EQ(vxtest::ReadFileBytes(dir / "target.db"), "old");
  EXPECT_EQ(Names(dir.Path()),
            (std::vector<std::string>{"source.db", "target.db", "target.db-journal"}));
}

// The program folder holds the catalogue of event 96, the user folder a database of that event
// alone: the initialisation copies the one over the other, the copy run by `runCopy`.
class FailedCopyTest : public vxtest::InitializerFolders {
 protected:
  FailedCopyTest() { BuildProgramCatalog(); }
  int Run(std::unique_ptr<PavorunDatabase>& db,
          const std::function<int(vx::ProgressJob&)>& runCopy) {
    DatabaseInitializer::Steps steps;
    steps.runJob = [&](vx::ProgressJob& job, std::string_view) { return runCopy(job); };
    return DatabaseInitializer(Program(), User(), 96, &ui, steps).Run(db);
  }
};

// The copy fails on a full disk, or cannot take the user database's name: the old database is
// kept, open again, nothing is left beside it, and the result box says which file failed how.
TEST_F(FailedCopyTest, ACopyThatFailsKeepsTheOldDatabaseAndSaysWhy) {
  const fs::path target = User() / "vindaxel96.db";
  struct Case {
    const char* what;
    std::function<int(vx::ProgressJob&)> run;
    std::string file;  // the failed file's path, or how it begins (the copy's name is unique)
    std::string says;
  };
  const Case cases[] = {
      {"the disk fills up",
       [](vx::ProgressJob& job) {
         vxtest::FileSizeLimit full(4096);
         return vxtest::RunJob(job);
       },
       target.string() + ".tmp", CopyErrorText("", "に書き込めません.", EFBIG)},
      {"the copy cannot take the name",
       [&](vx::ProgressJob& job) {
         const int result = vxtest::RunJob(job);
         fs::remove(CopyBeside(target));
         return result;
       },
       target.string(), CopyErrorText("", "を置き換えられません.", ENOENT)},
  };
  const std::string failed = vx::Sjis(
      "データベースの初期化中にエラーが生じました. \nDBファイルまたは定義ファイルが参照不可能か、"
      "アクセス権限が無い可能性があります.\n\n");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    BuildUserEvent(96);
    const std::string before = vxtest::ReadFileBytes(target);
    ui.ClearCalls();
    auto db = std::make_unique<PavorunDatabase>(User());
    EXPECT_EQ(Run(db, c.run), DatabaseInitializer::kFailed);
    EXPECT_EQ(vxtest::ReadFileBytes(target), before);
    ASSERT_TRUE(db && db->IsOpen());
    std::vector<int> events;
    db->ListEventNumbers(events);
    EXPECT_EQ(events, std::vector<int>{96});
    EXPECT_EQ(Names(User()), std::vector<std::string>{"vindaxel96.db"});
    const std::vector<vx::UiCall> boxes = ui.CallsOf(vx::UiCallKind::kMessageBox);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].flags, vx::MB_ICONHAND);
    const std::string& text = boxes[0].text;
    const std::string file =
        text.substr(failed.size(), text.find('\n', failed.size()) - failed.size());
    EXPECT_EQ(text, failed + file + c.says);
    EXPECT_EQ(file.rfind(c.file, 0), 0u) << file;
  }
}

}  // namespace
