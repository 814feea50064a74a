#include "data/EventCircleTexts.h"

#include "data/CircleRecord.h"
#include "data/SearchCondition.h"
#include "data/SqliteConnection.h"
#include "tests/data/TestCatalog.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <atomic>
#include <memory>
#include <string_view>

namespace {

// Refuses "PRAGMA data_version" on the connection it is set on, as a failed read of it would.
int RefuseDataVersion(void*, int action, const char* pragma, const char*, const char*,
                      const char*) {
  const bool version =
      action == SQLITE_PRAGMA && pragma != nullptr && std::string_view(pragma) == "data_version";
  return version ? SQLITE_DENY : SQLITE_OK;
}

// Two failed version reads counted as "unchanged", so a copy read while the version could not be
// read was kept after another connection changed the circles.
TEST(EventCircleTexts, AVersionThatCannotBeReadMeansTheCopyIsReadAgain) {
  vxtest::TempDir dir;
  vx::PavorunDatabase db{dir.Path()};
  ASSERT_TRUE(db.IsOpen()) << db.LastError();
  vxtest::BuildSampleCatalog(db, 90);
  const std::unique_ptr<vx::SqliteConnection> connection = db.OpenConnection(nullptr);
  ASSERT_TRUE(connection);
  sqlite3_set_authorizer(connection->Handle(), RefuseDataVersion, nullptr);
  vx::EventCircleTexts texts(db);
  const std::atomic<bool> noStop{false};
  constexpr int kName = vx::SearchCondition::kFieldCircleName;

  ASSERT_EQ(texts.Prepare(*connection, 90, noStop, nullptr), 0);
  EXPECT_EQ(texts.Match(4, kName, "delta", std::nullopt), 1);
  ASSERT_EQ(db.Exec(nullptr, nullptr, "update PavorunCircle set circleName='Epsilon' where id=4;"),
            0);
  ASSERT_EQ(texts.Prepare(*connection, 90, noStop, nullptr), 0);
  EXPECT_EQ(texts.Match(4, kName, "delta", std::nullopt), 0);
  EXPECT_EQ(texts.Match(4, kName, "epsilon", std::nullopt), 1);
  vx::CircleRecord record;
  ASSERT_TRUE(texts.FillRecord(4, record));
  EXPECT_EQ(record.circleName, "Epsilon");
}

}  // namespace
