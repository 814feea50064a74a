#include "data/SqlText.h"

#include <sqlite3.h>

#include <cstdarg>

namespace vx {

void AppendSqlText(std::string& sql, std::string_view s) { sql.append(s); }

void AppendSqlInt(std::string& sql, int n) {
  sql.append(std::to_string(n));
  sql.push_back(',');
}

void AppendSqlQuoted(std::string& sql, std::string_view s) {
  sql.push_back('\'');
  for (const char c : s) {
    if (c == '\'') sql.push_back('\'');
    sql.push_back(c);
  }
  sql.push_back('\'');
}

void AppendSqlQuotedField(std::string& sql, std::string_view s) {
  AppendSqlQuoted(sql, s);
  sql.push_back(',');
}

void CloseSqlValues(std::string& sql) {
  if (!sql.empty() && sql.back() == ',') sql.pop_back();
  sql.append(");");
}

std::string FormatSql(const char* format, ...) {
  va_list args;
  va_start(args, format);
  char* text = sqlite3_vmprintf(format, args);
  va_end(args);
  if (text == nullptr) return {};
  std::string result(text);
  sqlite3_free(text);
  return result;
}

}  // namespace vx
