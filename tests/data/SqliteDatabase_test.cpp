#include "data/SqliteDatabase.h"

#include "data/SqlText.h"

#include "platform/CodePage.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

using vx::Sjis;
using vx::SqliteDatabase;

// First column of every row as text ("<null>" for NULL).
int CollectTexts(void* context, int columnCount, char** columns, char**) {
  auto* out = static_cast<std::vector<std::string>*>(context);
  out->push_back(columnCount > 0 && columns[0] != nullptr ? columns[0] : "<null>");
  return 0;
}

std::string QueryText(SqliteDatabase& db, const std::string& sql) {
  std::vector<std::string> rows;
  EXPECT_EQ(db.Exec(CollectTexts, &rows, sql), 0) << db.LastError();
  return rows.empty() ? "<none>" : rows.back();
}

class SqliteDatabaseTest : public ::testing::Test {
 protected:
  vxtest::TempDir dir;
  SqliteDatabase db{dir.path(), "test.db"};

  void SetUp() override {
    ASSERT_TRUE(db.IsOpen()) << db.LastError();
    ASSERT_EQ(db.Exec(nullptr, nullptr, "create table t (k INTEGER, s VARCHAR(10));"), 0);
  }

  void InsertText(int k, const std::string& s) {
    ASSERT_EQ(db.ExecPrintf(nullptr, nullptr, "insert into t values(%d,'%q');", k, s.c_str()), 0)
        << db.LastError();
  }
};

TEST_F(SqliteDatabaseTest, NormalizeFoldsCp932Text) {
  InsertText(1, Sjis("Ａｂ１！"));
  InsertText(2, Sjis("パ"));
  InsertText(3, Sjis("゛゜"));
  EXPECT_EQ(QueryText(db, "select normalize(s) from t where k=1;"), "ab1!");
  EXPECT_EQ(QueryText(db, "select normalize(s) from t where k=2;"), Sjis("ﾊ"));
  EXPECT_EQ(QueryText(db, "select normalize(s) from t where k=3;"), "");
  EXPECT_EQ(QueryText(db, "select normalize(NULL);"), "<null>");
}

TEST_F(SqliteDatabaseTest, NcntMatchesTheFoldedTextAndCntTheBytes) {
  InsertText(1, Sjis("がっこう"));
  const std::string key = Sjis("ｶﾂｺｳ");
  EXPECT_EQ(QueryText(db, vx::FormatSql("select ncnt(s,'%q') from t;", key.c_str())), "1");
  EXPECT_EQ(QueryText(db, vx::FormatSql("select cnt(s,'%q') from t;", key.c_str())), "0");
  const std::string part = Sjis("っこ");
  EXPECT_EQ(QueryText(db, vx::FormatSql("select cnt(s,'%q') from t;", part.c_str())), "1");
  EXPECT_EQ(QueryText(db, "select cnt(s,'') from t;"), "1");
  EXPECT_EQ(QueryText(db, "select cnt(NULL,'a');"), "<null>");
  EXPECT_EQ(QueryText(db, "select ncnt('a',NULL);"), "<null>");
}

TEST_F(SqliteDatabaseTest, RowCallbackAbortGivesFourAndKeepsEarlierRows) {
  for (int k = 1; k <= 5; ++k) InsertText(k, "x");
  std::vector<int> seen;
  const int rc = db.ExecRows("select k from t order by k;", [&seen](int, char** columns) {
    seen.push_back(std::atoi(columns[0]));
    return seen.size() == 2 ? 1 : 0;
  });
  EXPECT_EQ(rc, 4);
  EXPECT_EQ(seen, (std::vector<int>{1, 2}));
}

TEST_F(SqliteDatabaseTest, FirstColumnIntKeepsTheCallersValueWithoutRowOrForNull) {
  int value = 77;
  EXPECT_EQ(db.Exec(vx::RowFirstColumnInt, &value, "select k from t;"), 0);
  EXPECT_EQ(value, 77);
  EXPECT_EQ(db.Exec(vx::RowFirstColumnInt, &value, "select MAX(k) from t;"), 0);
  EXPECT_EQ(value, 77);
  InsertText(3, "a");
  InsertText(9, "b");
  EXPECT_EQ(db.Exec(vx::RowFirstColumnInt, &value, "select k from t order by k;"), 0);
  EXPECT_EQ(value, 9);
  std::vector<int> all;
  EXPECT_EQ(db.Exec(vx::RowAppendInt, &all, "select k from t order by k;"), 0);
  EXPECT_EQ(all, (std::vector<int>{3, 9}));
}

TEST_F(SqliteDatabaseTest, ErrorsPassUpWithTheEngineText) {
  EXPECT_EQ(db.Exec(nullptr, nullptr, "select * from missing;"), 1);
  EXPECT_NE(db.LastError().find("no such table"), std::string::npos);
  EXPECT_EQ(db.Exec(nullptr, nullptr, "select 1;"), 0);
  EXPECT_EQ(db.LastError(), "");
}

TEST_F(SqliteDatabaseTest, QuotedValuesCannotBreakOutOfTheStatement) {
  InsertText(1, "x'); drop table t; --");
  EXPECT_EQ(QueryText(db, "select s from t;"), "x'); drop table t; --");
}

TEST_F(SqliteDatabaseTest, TransactionRollbackForgetsTheWrites) {
  ASSERT_EQ(db.BeginTransaction(), 0);
  InsertText(1, "gone");
  ASSERT_EQ(db.Rollback(), 0);
  EXPECT_EQ(QueryText(db, "select count(*) from t;"), "0");
  ASSERT_EQ(db.BeginTransaction(), 0);
  InsertText(2, "kept");
  ASSERT_EQ(db.Commit(), 0);
  EXPECT_EQ(QueryText(db, "select s from t;"), "kept");
}

TEST_F(SqliteDatabaseTest, SecondConnectionSeesCommittedRowsAndHasTheFunctions) {
  InsertText(1, Sjis("ガッコウ"));
  std::vector<std::string> rows;
  const int rc = db.ExecPrintfOnNewConnection(
      CollectTexts, &rows, "select normalize(s) from t where k=%d;", 1);
  EXPECT_EQ(rc, 0);
  EXPECT_EQ(rows, (std::vector<std::string>{Sjis("ｶﾂｺｳ")}));
}

TEST(SqliteDatabaseOpen, NoConnectionAnswersMinusOne) {
  vxtest::TempDir dir;
  SqliteDatabase db(dir.path() / "no" / "such" / "folder", "x.db");
  EXPECT_FALSE(db.IsOpen());
  EXPECT_FALSE(db.LastError().empty());
  EXPECT_EQ(db.Exec(nullptr, nullptr, "select 1;"), -1);
  EXPECT_EQ(db.ExecPrintf(nullptr, nullptr, "select %d;", 1), -1);
  EXPECT_EQ(db.BeginTransaction(), -1);
  EXPECT_EQ(db.Commit(), -1);
  EXPECT_EQ(db.Rollback(), -1);
  EXPECT_EQ(db.ExecPrintfOnNewConnection(nullptr, nullptr, "select 1;"), -1);
}

TEST(SqliteDatabaseOpen, ReadOnlyCreatesAMissingFileAndRefusesWrites) {
  vxtest::TempDir dir;
  SqliteDatabase db(dir.path(), "ro.db", SqliteDatabase::kReadOnly);
  ASSERT_TRUE(db.IsOpen()) << db.LastError();
  EXPECT_TRUE(std::filesystem::exists(dir / "ro.db"));
  EXPECT_EQ(QueryText(db, "select count(*) from sqlite_master;"), "0");
  EXPECT_NE(db.Exec(nullptr, nullptr, "create table t (k INTEGER);"), 0);
  EXPECT_EQ(db.LastError(), "attempt to write a readonly database");
  EXPECT_EQ(std::filesystem::file_size(dir / "ro.db"), 0u);
}

TEST(SqliteDatabaseOpen, ReadOnlyReadsAnExistingCatalogue) {
  vxtest::TempDir dir;
  {
    SqliteDatabase writer(dir.path(), "c.db");
    ASSERT_EQ(writer.Exec(nullptr, nullptr, "create table t (k INTEGER); insert into t values(5);"),
              0);
  }
  SqliteDatabase reader(dir.path(), "c.db", SqliteDatabase::kReadOnly);
  ASSERT_TRUE(reader.IsOpen()) << reader.LastError();
  EXPECT_TRUE(reader.IsScrambled());
  EXPECT_EQ(QueryText(reader, "select k from t;"), "5");
  EXPECT_NE(reader.Exec(nullptr, nullptr, "insert into t values(6);"), 0);
  EXPECT_EQ(reader.LastError(), "attempt to write a readonly database");
}

TEST(SqliteDatabaseOpen, PathIsTheFolderJoinedWithTheName) {
  vxtest::TempDir dir;
  SqliteDatabase db(dir.path(), "named.db");
  EXPECT_EQ(db.Path(), dir.path() / "named.db");
  EXPECT_EQ(db.Folder(), dir.path());
}

}  // namespace
