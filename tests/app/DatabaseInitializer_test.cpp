#include "app/DatabaseInitializer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "app/DatabaseFileCopyJob.h"
#include "data/PavorunDatabase.h"
#include "platform/CodePage.h"
#include "tests/app/ControllerCatalog.h"
#include "tests/app/InitializerFolders.h"
#include "tests/support/ScriptedUiServices.h"
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

// A program folder with the catalogue of event 96 and an empty user folder; the steps record how
// they were called and answer as told.
class DatabaseInitializerTest : public vxtest::InitializerFolders {
 protected:
  DatabaseInitializer::Steps Steps() {
    DatabaseInitializer::Steps steps;
    steps.importDisc = [this](PavorunDatabase& db, int event, const fs::path& folder,
                              bool& errorShown) {
      imported.emplace_back(db.Path(), event, folder);
      if (answer == 1) vxtest::BuildControllerCatalog(db);
      errorShown = answer == 2 && importErrorShown;
      return answer;
    };
    steps.merge = [this](PavorunDatabase& target, vx::SqliteDatabase& source, int limit) {
      merged.emplace_back(target.Path(), source.Path(), limit);
      return answer;
    };
    steps.runJob = [this](vx::ProgressJob& job, std::string_view) {
      if (cancelCopy) {
        job.Begin();
        job.RequestCancel();
        job.RunStep();
        return job.End();
      }
      return vxtest::RunJob(job);
    };
    steps.askForFile = [this](const std::string& fileName) {
      askedFor.push_back(fileName);
      return std::exchange(chosenFile, std::nullopt);
    };
    steps.discRoots = {root / "cdrom"};
    return steps;
  }
  int Run(std::unique_ptr<PavorunDatabase>& db) {
    return DatabaseInitializer(Program(), User(), 96, &ui, Steps()).Run(db);
  }
  // A catalogue database in `folder` whose pages after the first are garbage.
  static std::string BuildDamagedDatabase(const fs::path& folder) {
    {
      PavorunDatabase db(folder);
      vxtest::BuildControllerCatalog(db);
    }
    const fs::path file = folder / PavorunDatabase::kFileName;
    std::string bytes = vxtest::ReadFileBytes(file);
    for (std::size_t i = 1024; i < bytes.size(); ++i) bytes[i] = static_cast<char>(~bytes[i]);
    vxtest::WriteFileBytes(file, bytes);
    return bytes;
  }
  static std::vector<std::string> FileNames(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }
  std::vector<vx::UiCall> Boxes() const { return ui.CallsOf(vx::UiCallKind::kMessageBox); }

  int answer = 1;
  bool importErrorShown = false;
  bool cancelCopy = false;
  std::vector<std::string> askedFor;
  std::optional<fs::path> chosenFile;
  std::vector<std::tuple<fs::path, int, fs::path>> imported;
  std::vector<std::tuple<fs::path, fs::path, int>> merged;
};

TEST_F(DatabaseInitializerTest, NothingToInitialiseWithSaysNothing) {
  auto db = std::make_unique<PavorunDatabase>(User());
  EXPECT_EQ(Run(db), DatabaseInitializer::kNothingFound);
  EXPECT_TRUE(ui.Calls().empty());
}

// The marker of the event in the program folder imports the disc's text files from there, into
// the user folder's database even when the one in use was the program folder's, read-only.
TEST_F(DatabaseInitializerTest, MarkerFileImportsTheTextFilesAndTheResultIsShown) {
  BuildProgramCatalog();
  vxtest::WriteFileBytes(Program() / "V96.DEF", "");
  struct Case {
    int result;
    const char* text;
    unsigned icon;
  };
  const Case cases[] = {
      {0, "データベースの初期化がキャンセルされました.", vx::MB_ICONEXCLAMATION},
      {1, "データベースの初期化が完了しました.", vx::MB_ICONINFORMATION},
      {2,
       "データベースの初期化中にエラーが生じました. \nDBファイルまたは定義ファイルが参照不可能"
       "か、アクセス権限が無い可能性があります.",
       vx::MB_ICONHAND},
  };
  for (const Case& c : cases) {
    answer = c.result;
    ui.ClearCalls();
    imported.clear();
    auto db = std::make_unique<PavorunDatabase>(Program(), PavorunDatabase::kReadOnly);
    EXPECT_EQ(Run(db), c.result);
    EXPECT_EQ(db->Mode(), PavorunDatabase::kReadWrite);
    EXPECT_EQ(imported, (std::vector<std::tuple<fs::path, int, fs::path>>{
                            {User() / "vindaxel96.db", 96, Program()}}));
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(std::tie(Boxes()[0].text, Boxes()[0].caption, Boxes()[0].flags),
              std::make_tuple(vx::Sjis(c.text), vx::Sjis("データベースの初期化"), c.icon));
  }
}

// A user database that is empty or holds only this event is replaced by the program folder's.
TEST_F(DatabaseInitializerTest, UserDatabaseOfThisEventAloneIsReplacedByACopy) {
  BuildProgramCatalog();
  BuildUserEvent(96);
  auto db = std::make_unique<PavorunDatabase>(User());
  EXPECT_EQ(Run(db), DatabaseInitializer::kDone);
  ASSERT_TRUE(db && db->IsOpen());
  EXPECT_EQ(db->Path(), User() / "vindaxel96.db");
  EXPECT_TRUE(db->HasCircles(96));
  EXPECT_EQ(vxtest::ReadFileBytes(User() / "vindaxel96.db"),
            vxtest::ReadFileBytes(Program() / "vindaxel96.db"));
  EXPECT_TRUE(merged.empty());
  EXPECT_EQ(std::distance(fs::directory_iterator(User()), fs::directory_iterator()), 1);
}

// A cancelled copy leaves the old database as it was, open, and no copy beside it.
TEST_F(DatabaseInitializerTest, CancelledCopyKeepsTheOldDatabase) {
  BuildProgramCatalog();
  BuildUserEvent(96);
  const std::string before = vxtest::ReadFileBytes(User() / "vindaxel96.db");
  cancelCopy = true;
  auto db = std::make_unique<PavorunDatabase>(User());
  EXPECT_EQ(Run(db), DatabaseInitializer::kCancelled);
  EXPECT_EQ(vxtest::ReadFileBytes(User() / "vindaxel96.db"), before);
  ASSERT_TRUE(db && db->IsOpen());
  EXPECT_EQ(EventsOf(*db), std::vector<int>{96});
  EXPECT_EQ(std::distance(fs::directory_iterator(User()), fs::directory_iterator()), 1);
}

// Other events in the user database stay: the program folder's events up to this one are merged.
TEST_F(DatabaseInitializerTest, UserDatabaseWithOtherEventsGetsTheEventsMerged) {
  BuildProgramCatalog();
  BuildUserEvent(95);
  auto db = std::make_unique<PavorunDatabase>(User());
  EXPECT_EQ(Run(db), DatabaseInitializer::kDone);
  EXPECT_EQ(merged, (std::vector<std::tuple<fs::path, fs::path, int>>{
                        {User() / "vindaxel96.db", Program() / "vindaxel96.db", 97}}));
  EXPECT_EQ(EventsOf(*db), std::vector<int>{95});  // the merge step itself is the dialog's
}

// A damaged database where the user keeps the catalogue in the program folder: it was its own
// source ("done" with nothing done). The disc is found or asked for; the damaged file is moved
// aside for the new catalogue, and put back, as it was, when nothing could be installed.
TEST_F(DatabaseInitializerTest, DamagedDatabaseInTheProgramFolderIsInstalledFromTheDiscAndKept) {
  const std::string damaged = BuildDamagedDatabase(Program());
  const fs::path file = Program() / PavorunDatabase::kFileName;
  const auto run = [&] {
    auto db = std::make_unique<PavorunDatabase>(Program());
    EXPECT_TRUE(db->IsDamaged());
    const int result = DatabaseInitializer(Program(), Program(), 96, &ui, Steps()).Run(db);
    return std::make_pair(result, std::move(db));
  };
  // Nothing on a disc and the user gives up: nothing happens.
  EXPECT_EQ(run().first, DatabaseInitializer::kNothingFound);
  EXPECT_EQ(askedFor, std::vector<std::string>{"V96DEF.TXT"});
  // The disc's import fails (saying why itself), then is cancelled: the file is back as it was.
  fs::create_directories(root / "cdrom" / "DATA96N");
  vxtest::WriteFileBytes(root / "cdrom" / "DATA96N" / "v96def.txt", "");
  for (const int failure : {2, 0}) {
    answer = failure;
    importErrorShown = true;
    ui.ClearCalls();
    auto [result, db] = run();
    EXPECT_EQ(result, failure);
    EXPECT_EQ(FileNames(Program()), std::vector<std::string>{"vindaxel96.db"});
    EXPECT_TRUE(vxtest::ReadFileBytes(file) == damaged);
    // A failure the import showed is not shown again.
    EXPECT_EQ(Boxes().size(), failure == 2 ? 0u : 1u);
  }
  answer = 1;
  ui.ClearCalls();
  auto [result, db] = run();
  EXPECT_EQ(result, DatabaseInitializer::kDone);
  ASSERT_FALSE(imported.empty());
  EXPECT_EQ(std::get<2>(imported.back()), root / "cdrom" / "DATA96N");
  ASSERT_TRUE(db && db->IsOpen());
  EXPECT_FALSE(db->IsDamaged());
  EXPECT_TRUE(db->HasCircles(96));
  EXPECT_EQ(FileNames(Program()),
            (std::vector<std::string>{"vindaxel96.db", "vindaxel96.db.damaged"}));
  EXPECT_TRUE(vxtest::ReadFileBytes(Program() / "vindaxel96.db.damaged") == damaged);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(vx::Cp932ToUtf8(Boxes()[0].text),
            "データベースの初期化が完了しました.\n壊れていたデータベースファイルは\n" +
                (Program() / "vindaxel96.db.damaged").string() + "\nとして残してあります.");
}

// The copy of the program folder's catalogue was renamed over a damaged user database; a folder
// in its place failed the initialisation.
TEST_F(DatabaseInitializerTest, DamagedUserDatabaseIsMovedAsideForTheCopyAndBackWhenItFails) {
  BuildProgramCatalog();
  const fs::path file = User() / "vindaxel96.db";
  for (const bool folder : {false, true}) {
    SCOPED_TRACE(folder ? "folder" : "damaged file");
    fs::remove_all(file);
    fs::remove_all(file.string() + ".damaged");
    std::string damaged;
    if (folder) {
      fs::create_directories(file / "inside");
    } else {
      damaged = BuildDamagedDatabase(User());
    }
    const auto keptAt = [&](const fs::path& path) {
      return folder ? fs::is_directory(path / "inside") : vxtest::ReadFileBytes(path) == damaged;
    };
    auto readOnly = std::make_unique<PavorunDatabase>(Program(), PavorunDatabase::kReadOnly);
    cancelCopy = true;
    EXPECT_EQ(Run(readOnly), DatabaseInitializer::kCancelled);
    EXPECT_EQ(FileNames(User()), std::vector<std::string>{"vindaxel96.db"});
    EXPECT_TRUE(keptAt(file));
    cancelCopy = false;
    auto db = std::make_unique<PavorunDatabase>(User());
    EXPECT_EQ(Run(db), DatabaseInitializer::kDone);
    EXPECT_EQ(vxtest::ReadFileBytes(file), vxtest::ReadFileBytes(Program() / "vindaxel96.db"));
    EXPECT_TRUE(keptAt(file.string() + ".damaged"));
    EXPECT_TRUE(db->HasCircles(96));
  }
}

// Without the marker or a catalogue in the program folder the initialisation found nothing.
TEST_F(DatabaseInitializerTest, WithoutAnythingBesideTheProgramTheDiscIsAskedFor) {
  fs::create_directories(root / "chosen");
  vxtest::WriteFileBytes(root / "chosen" / "V96DEF.TXT", "");
  chosenFile = root / "chosen" / "V96DEF.TXT";
  auto db = std::make_unique<PavorunDatabase>(User());
  EXPECT_EQ(Run(db), DatabaseInitializer::kDone);
  EXPECT_EQ(askedFor, std::vector<std::string>{"V96DEF.TXT"});
  EXPECT_EQ(imported, (std::vector<std::tuple<fs::path, int, fs::path>>{
                          {User() / "vindaxel96.db", 96, root / "chosen"}}));
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
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 2);

  vx::DatabaseFileCopyJob missing(dir / "missing.db", dir / "target.db");
  EXPECT_EQ(vxtest::RunJob(missing), 2);
  EXPECT_FALSE(missing.Commit());
  EXPECT_NE(missing.ErrorText().find("missing.db"), std::string::npos);
  EXPECT_EQ(vxtest::ReadFileBytes(dir / "target.db"), bytes);
}

}  // namespace
