#include "app/DatabaseInitializer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "app/DatabaseFileCopyJob.h"
#include "data/PavorunDatabase.h"
#include "platform/CodePage.h"
#include "platform/ScriptedUiServices.h"
#include "tests/app/ControllerCatalog.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/TempDir.h"
#include "tests/web/JobRunning.h"

namespace {

namespace fs = std::filesystem;
using vx::DatabaseInitializer;
using vx::PavorunDatabase;

std::vector<int> EventsOf(PavorunDatabase& db) {
  std::vector<int> events;
  db.ListEventNumbers(events);
  return events;
}

std::vector<std::string> Names(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

// The copy a file copy job writes beside `target` until its commit.
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

// A program folder with the catalogue of event 96 and an empty user folder; the steps record how
// they were called and answer as told.
class DatabaseInitializerTest : public ::testing::Test {
 protected:
  DatabaseInitializerTest() {
    fs::create_directories(program());
    fs::create_directories(user());
  }
  fs::path program() const { return root / "program"; }
  fs::path user() const { return root / "user"; }
  void BuildProgramCatalog() {
    PavorunDatabase db(program());
    vxtest::BuildControllerCatalog(db);
  }
  // A user database holding only event `event` (its information row).
  void BuildUserEvent(int event) {
    PavorunDatabase db(user());
    db.SetEventNo(event);
    ASSERT_EQ(db.ClearEventTables(), 0);
    vx::EventInfo info;
    info.pavorunName = "user";
    ASSERT_EQ(db.InfoTable().InsertRow(info), 0);
  }
  DatabaseInitializer::Steps Steps() {
    DatabaseInitializer::Steps steps;
    steps.importDisc = [this](PavorunDatabase& db, int event, const fs::path& folder) {
      imported.emplace_back(db.Path(), event, folder);
      return answer;
    };
    steps.merge = [this](PavorunDatabase& target, vx::SqliteDatabase& source, int limit) {
      merged.emplace_back(target.Path(), source.Path(), limit);
      return answer;
    };
    steps.runJob = [this](vx::ProgressJob& job, std::string_view) {
      if (runCopy) return runCopy(job);
      if (cancelCopy) {
        job.Begin();
        job.RequestCancel();
        job.RunStep();
        return job.End();
      }
      return vxtest::RunJob(job);
    };
    return steps;
  }
  int Run(std::unique_ptr<PavorunDatabase>& db) {
    return DatabaseInitializer(program(), user(), 96, &ui, Steps()).Run(db);
  }
  std::vector<vx::UiCall> Boxes() const { return ui.CallsOf(vx::UiCallKind::kMessageBox); }

  vxtest::TempDir root;
  vx::ScriptedUiServices ui;
  int answer = 1;
  bool cancelCopy = false;
  std::function<int(vx::ProgressJob&)> runCopy;  // the copy's run, when not the plain one
  std::vector<std::tuple<fs::path, int, fs::path>> imported;
  std::vector<std::tuple<fs::path, fs::path, int>> merged;
};

TEST_F(DatabaseInitializerTest, NothingToInitialiseWithSaysNothing) {
  auto db = std::make_unique<PavorunDatabase>(user());
  EXPECT_EQ(Run(db), DatabaseInitializer::kNothingFound);
  EXPECT_TRUE(ui.Calls().empty());
}

// The marker of the event in the program folder imports the disc's text files from there, into
// the user folder's database even when the one in use was the program folder's, read-only.
TEST_F(DatabaseInitializerTest, MarkerFileImportsTheTextFilesAndTheResultIsShown) {
  BuildProgramCatalog();
  vxtest::WriteFileBytes(program() / "V96.DEF", "");
  struct Case {
    int result;
    const char* text;
    unsigned icon;
  };
  const Case cases[] = {
      {0, "データベースの初期化がキャンセルされました.", vx::MB_ICONEXCLAMATION},
      {1, "データベースの初期化が完了しました.", vx::MB_ICONINFORMATION},
      {2, "データベースの初期化中にエラーが生じました. \nDBファイルまたは定義ファイルが参照不可能"
          "か、アクセス権限が無い可能性があります.", vx::MB_ICONHAND},
  };
  for (const Case& c : cases) {
    answer = c.result;
    ui.ClearCalls();
    imported.clear();
    auto db = std::make_unique<PavorunDatabase>(program(), PavorunDatabase::kReadOnly);
    EXPECT_EQ(Run(db), c.result);
    EXPECT_EQ(db->Mode(), PavorunDatabase::kReadWrite);
    EXPECT_EQ(imported, (std::vector<std::tuple<fs::path, int, fs::path>>{
                            {user() / "vindaxel96.db", 96, program()}}));
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(std::tie(Boxes()[0].text, Boxes()[0].caption, Boxes()[0].flags),
              std::make_tuple(vx::Sjis(c.text), vx::Sjis("データベースの初期化"), c.icon));
  }
}

// A user database that is empty or holds only this event is replaced by the program folder's.
TEST_F(DatabaseInitializerTest, UserDatabaseOfThisEventAloneIsReplacedByACopy) {
  BuildProgramCatalog();
  BuildUserEvent(96);
  auto db = std::make_unique<PavorunDatabase>(user());
  EXPECT_EQ(Run(db), DatabaseInitializer::kDone);
  ASSERT_TRUE(db && db->IsOpen());
  EXPECT_EQ(db->Path(), user() / "vindaxel96.db");
  EXPECT_TRUE(db->HasCircles(96));
  EXPECT_EQ(vxtest::ReadFileBytes(user() / "vindaxel96.db"),
            vxtest::ReadFileBytes(program() / "vindaxel96.db"));
  EXPECT_TRUE(merged.empty());
  EXPECT_EQ(std::distance(fs::directory_iterator(user()), fs::directory_iterator()), 1);
}

// A cancelled copy leaves the old database as it was, open, and no copy beside it.
TEST_F(DatabaseInitializerTest, CancelledCopyKeepsTheOldDatabase) {
  BuildProgramCatalog();
  BuildUserEvent(96);
  const std::string before = vxtest::ReadFileBytes(user() / "vindaxel96.db");
  cancelCopy = true;
  auto db = std::make_unique<PavorunDatabase>(user());
  EXPECT_EQ(Run(db), DatabaseInitializer::kCancelled);
  EXPECT_EQ(vxtest::ReadFileBytes(user() / "vindaxel96.db"), before);
  ASSERT_TRUE(db && db->IsOpen());
  EXPECT_EQ(EventsOf(*db), std::vector<int>{96});
  EXPECT_EQ(std::distance(fs::directory_iterator(user()), fs::directory_iterator()), 1);
}

// Other events in the user database stay: the program folder's events up to this one are merged.
TEST_F(DatabaseInitializerTest, UserDatabaseWithOtherEventsGetsTheEventsMerged) {
  BuildProgramCatalog();
  BuildUserEvent(95);
  auto db = std::make_unique<PavorunDatabase>(user());
  EXPECT_EQ(Run(db), DatabaseInitializer::kDone);
  EXPECT_EQ(merged, (std::vector<std::tuple<fs::path, fs::path, int>>{
                        {user() / "vindaxel96.db", program() / "vindaxel96.db", 97}}));
  EXPECT_EQ(EventsOf(*db), std::vector<int>{95});  // the merge step itself is the dialog's
}

// The copy goes through a new file beside the target, renamed over it: a journal left by the old
// file goes first, so it can never be played back onto the copy.
TEST(DatabaseFileCopyJobTest, CopiesInChunksAndReplacesTheTargetOnlyOnCommit) {
  vxtest::TempDir dir;
  std::string bytes(2 * vx::DatabaseFileCopyJob::kChunkBytes + 5, '\0');
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7);
  vxtest::WriteFileBytes(dir / "source.db", bytes);
  vxtest::WriteFileBytes(dir / "target.db", "old");
  vxtest::WriteFileBytes(dir / "target.db-journal", "stale");
  {
    vx::DatabaseFileCopyJob job(dir / "source.db", dir / "target.db");
    vxtest::ProgressLines lines(job);
    ASSERT_EQ(vxtest::RunJob(job), 1);
    EXPECT_EQ(lines.lines.back(), "データベースファイルをコピーしています...(3/3)");
    EXPECT_EQ(vxtest::ReadFileBytes(dir / "target.db"), "old");
    ASSERT_TRUE(job.Commit());
  }
  EXPECT_EQ(vxtest::ReadFileBytes(dir / "target.db"), bytes);
  EXPECT_FALSE(fs::exists(dir / "target.db-journal"));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 2);

  vx::DatabaseFileCopyJob missing(dir / "missing.db", dir / "target.db");
  EXPECT_EQ(vxtest::RunJob(missing), 2);
  EXPECT_FALSE(missing.Commit());
  EXPECT_NE(missing.ErrorText().find("missing.db"), std::string::npos);
  EXPECT_EQ(vxtest::ReadFileBytes(dir / "target.db"), bytes);
}

// The copy fails on a full disk, or cannot take the user database's name: the old database is
// kept, open again, nothing is left beside it, and the result box says which file failed how.
TEST_F(DatabaseInitializerTest, ACopyThatFailsKeepsTheOldDatabaseAndSaysWhy) {
  BuildProgramCatalog();
  const fs::path target = user() / "vindaxel96.db";
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
    runCopy = c.run;
    auto db = std::make_unique<PavorunDatabase>(user());
    EXPECT_EQ(Run(db), DatabaseInitializer::kFailed);
    EXPECT_EQ(vxtest::ReadFileBytes(target), before);
    ASSERT_TRUE(db && db->IsOpen());
    EXPECT_EQ(EventsOf(*db), std::vector<int>{96});
    EXPECT_EQ(Names(user()), std::vector<std::string>{"vindaxel96.db"});
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].flags, vx::MB_ICONHAND);
    const std::string text = Boxes()[0].text;
    const std::string file = text.substr(failed.size(), text.find('\n', failed.size()) - failed.size());
    EXPECT_EQ(text, failed + file + c.says);
    EXPECT_EQ(file.rfind(c.file, 0), 0u) << file;
  }
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
    EXPECT_EQ(job.ErrorText(), CopyErrorText(dir / "target.db-journal", "を削除できません.", ENOTEMPTY));
  }
  EXPECT_EQ(vxtest::ReadFileBytes(dir / "target.db"), "old");
  EXPECT_EQ(Names(dir.path()), (std::vector<std::string>{"source.db", "target.db", "target.db-journal"}));
}

}  // namespace
