#include "data/SqlText.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(SqlText, QuotedTextDoublesSingleQuotes) {
  std::string sql;
  vx::AppendSqlQuoted(sql, std::string("it's"));
  EXPECT_EQ(sql, "'it''s'");
}

TEST(SqlText, NullPointerIsABareNull) {
  std::string sql;
  vx::AppendSqlQuoted(sql, static_cast<const char*>(nullptr));
  EXPECT_EQ(sql, "null");
}

TEST(SqlText, ValuesListEndsWithoutTheTrailingComma) {
  std::string sql = "insert into T values(";
  vx::AppendSqlInt(sql, -3);
  vx::AppendSqlQuotedField(sql, "a'b");
  vx::AppendSqlQuotedField(sql, static_cast<const char*>(nullptr));
  vx::CloseSqlValues(sql);
  EXPECT_EQ(sql, "insert into T values(-3,'a''b',null);");
}

TEST(SqlText, GrowsBeyondAnyFixedBuffer) {
  const std::string longText(20000, '\'');
  std::string sql;
  vx::AppendSqlQuoted(sql, longText);
  EXPECT_EQ(sql.size(), 2 * longText.size() + 2);
}

TEST(SqlText, FormatSqlQuotesValuesWithQ) {
  EXPECT_EQ(vx::FormatSql("select '%q', %d;", "o'k", 7), "select 'o''k', 7;");
}

}  // namespace
