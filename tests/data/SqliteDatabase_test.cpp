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
};

TEST_F(SqliteDatabaseTest, NormalizeNcntAndCntOnCp932Text) {
  const auto lit = [](const char* utf8) { return vx::FormatSql("%Q", Sjis(utf8).c_str()); };
  const std::pair<std::string, std::string> cases[] = {
      {"normalize(" + lit("Ａｂ１！") + ")", "ab1!"},
      {"normalize(" + lit("がっこう") + ")", Sjis("ｶﾂｺｳ")},
      {"normalize(" + lit("ガッコウ") + ")", Sjis("ｶﾂｺｳ")},
      {"normalize(" + lit("ｶﾞｯｺｳ") + ")", Sjis("ｶﾂｺｳ")},
      {"normalize(" + lit("パ") + ")", Sjis("ﾊ")},
      {"normalize(" + lit("゛゜") + ")", ""},
      {"ncnt(" + lit("xガッコウy") + "," + lit("ｶﾂｺｳ") + ")", "1"},
      {"cnt(" + lit("がっこう") + "," + lit("ｶﾂｺｳ") + ")", "0"},
      {"cnt(" + lit("がっこう") + "," + lit("っこ") + ")", "1"},
      {"cnt('a','')", "1"},
      {"normalize(NULL)", "<null>"},
      {"cnt(NULL,'a')", "<null>"},
      {"ncnt('a',NULL)", "<null>"},
  };
  for (const auto& [expression, expected] : cases) {
    EXPECT_EQ(QueryText(db, "select " + expression + ";"), expected) << expression;
  }
  std::vector<std::string> rows;  // a worker's connection has the functions too
  EXPECT_EQ(db.ExecPrintfOnNewConnection(CollectTexts, &rows, "select normalize(%Q);",
                                         Sjis("ガッコウ").c_str()),
            0);
  EXPECT_EQ(rows, (std::vector<std::string>{Sjis("ｶﾂｺｳ")}));
}

TEST_F(SqliteDatabaseTest, RowCallbacksErrorsAndTransactions) {
  ASSERT_EQ(db.Exec(nullptr, nullptr, "insert into t values(3,'a'); insert into t values(9,'b');"),
            0);
  std::vector<int> seen;
  EXPECT_EQ(db.ExecRows("select k from t order by k;",
                        [&seen](int, char** columns) {
                          seen.push_back(std::atoi(columns[0]));
                          return 1;  // abort after the first row
                        }),
            4);
  EXPECT_EQ(seen, (std::vector<int>{3}));
  int value = 77;
  EXPECT_EQ(db.Exec(vx::RowFirstColumnInt, &value, "select MAX(k) from t where k>9;"), 0);
  EXPECT_EQ(value, 77);  // NULL keeps the caller's value
  EXPECT_EQ(db.Exec(vx::RowFirstColumnInt, &value, "select k from t order by k;"), 0);
  EXPECT_EQ(value, 9);
  EXPECT_EQ(db.Exec(vx::RowAppendInt, &seen, "select k from t order by k;"), 0);
  EXPECT_EQ(seen, (std::vector<int>{3, 3, 9}));

  EXPECT_EQ(db.Exec(nullptr, nullptr, "select * from missing;"), 1);
  EXPECT_NE(db.LastError().find("no such table"), std::string::npos);
  EXPECT_EQ(db.Exec(nullptr, nullptr, "select 1;"), 0);
  EXPECT_EQ(db.LastError(), "");
}

// Reading an existing catalogue read-only is in PavorunDatabase_test.
TEST(SqliteDatabaseOpen, ReadOnlyCreatesAMissingFileAndRefusesWrites) {
  vxtest::TempDir dir;
  {
    SqliteDatabase db(dir.path(), "ro.db", SqliteDatabase::kReadOnly);
    ASSERT_TRUE(db.IsOpen()) << db.LastError();
    EXPECT_NE(db.Exec(nullptr, nullptr, "create table t (k INTEGER);"), 0);
    EXPECT_EQ(db.LastError(), "attempt to write a readonly database");
  }
  EXPECT_EQ(std::filesystem::file_size(dir / "ro.db"), 0u);
}

}  // namespace
