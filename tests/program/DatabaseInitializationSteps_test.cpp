// The database initialisation's steps as the program runs them: the merge and the file copy in
// their progress dialogs. A merge whose COMMIT fails and a copy on a full disk leave the user's
// database as it was; the copy's failure is in the result box.
#include "program/DatabaseInitializationSteps.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/DatabaseInitializer.h"
#include "data/PavorunDatabase.h"
#include "platform/CodePage.h"
#include "tests/app/InitializerFolders.h"
#include "tests/data/CommitBreaker.h"
#include "tests/data/DiscTextFiles.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/ScriptedUiServices.h"
#include "tests/support/TempDir.h"
#include "tests/ui/dialogs/DialogTestSupport.h"
#include "ui/widgets/ProgressDialogRunner.h"

namespace {

namespace fs = std::filesystem;
using vx::DatabaseInitializer;
using vx::PavorunDatabase;

class DatabaseInitializationStepsTest : public vxtest::InitializerFolders {
 protected:
  DatabaseInitializationStepsTest() { BuildProgramCatalog(); }
  // The user's database holds event `event` alone.
  void BuildUserDatabase(int event) {
    PavorunDatabase db(User());
    vxtest::BuildSampleCatalog(db, event);
  }
  // Runs the initialisation; the user's database afterwards.
  std::unique_ptr<PavorunDatabase> Run(int expected) {
    vxtest::Watchdog watchdog;
    auto db = std::make_unique<PavorunDatabase>(User());
    DatabaseInitializer initializer(Program(), User(), 96, &ui,
                                    vx::DatabaseInitializationSteps(ui, progress));
    EXPECT_EQ(initializer.Run(db), expected);
    return db;
  }
  // The one box of the run: the failure, and after it `detail`.
  void ExpectFailureBox(const std::string& detail) const {
    const std::vector<std::string> boxes = vxtest::Boxes(ui);
    ASSERT_EQ(boxes.size(), 1u);
    const std::string failed =
        "データベースの初期化|データベースの初期化中にエラーが生じました. \nDBファイルまたは定義"
        "ファイルが参照不可能か、アクセス権限が無い可能性があります.";
    EXPECT_EQ(boxes[0].substr(0, failed.size()), failed);
    EXPECT_NE(boxes[0].find(detail, failed.size()), std::string::npos) << boxes[0];
  }

  vx::ProgressDialogRunner progress;
};

// The user's database holds another event: the program folder's events are merged in, and the
// COMMIT fails (a deferred foreign key the merge breaks). The merge answers failed, for the
// initialisation's box, and the database holds what it held.
TEST_F(DatabaseInitializationStepsTest, AMergeThatCannotBeCommittedFailsAndChangesNothing) {
  BuildUserDatabase(95);
  PavorunDatabase db(User());
  vxtest::BreakCommitsAfterInsertsInto(db, "PavorunCircle");
  vx::SqliteDatabase source(Program(), PavorunDatabase::kFileName, vx::SqliteDatabase::kReadOnly);
  vxtest::Watchdog watchdog;
  EXPECT_EQ(vx::DatabaseInitializationSteps(ui, progress).merge(db, source, 97),
            DatabaseInitializer::kFailed);
  std::vector<int> events;
  db.ListEventNumbers(events);
  EXPECT_EQ(events, std::vector<int>{95});
  EXPECT_EQ(vxtest::CountRows(db, "PavorunCircle", 96), 0);
  EXPECT_NE(sqlite3_get_autocommit(db.Connection()), 0) << "no transaction left open";
}

// The user's database holds this event alone and is replaced by a copy, which fills the disk.
TEST_F(DatabaseInitializationStepsTest, ACopyOnAFullDiskLeavesTheDatabaseAsItWas) {
  BuildUserDatabase(96);
  const std::string before = vxtest::ReadFileBytes(User() / "vindaxel96.db");
  std::unique_ptr<PavorunDatabase> db;
  {
    vxtest::FileSizeLimit full(4096);
    db = Run(DatabaseInitializer::kFailed);
  }
  ASSERT_TRUE(db && db->IsOpen());
  EXPECT_EQ(vxtest::ReadFileBytes(User() / "vindaxel96.db"), before);
  EXPECT_EQ(std::distance(fs::directory_iterator(User()), fs::directory_iterator()), 1);
  ExpectFailureBox("\n\n" + (User() / "vindaxel96.db.tmp").string());
  ExpectFailureBox("に書き込めません. (File too large)");
}

}  // namespace
