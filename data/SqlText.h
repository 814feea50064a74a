// Building SQL text: appenders for values lists and a formatter using SQLite's own printf (with
// %q / %Q quoting). Formats are always program constants; values go in as arguments.
#pragma once

#include <string>
#include <string_view>

namespace vx {

// Appends `s` as it is.
void AppendSqlText(std::string& sql, std::string_view s);

// Appends `n` in decimal followed by ",".
void AppendSqlInt(std::string& sql, int n);

// Appends `s` as an SQL string literal (single quotes doubled).
void AppendSqlQuoted(std::string& sql, std::string_view s);

// AppendSqlQuoted followed by ",".
void AppendSqlQuotedField(std::string& sql, std::string_view s);

// Ends a values list built with the field appenders: drops the trailing "," and appends ");".
void CloseSqlValues(std::string& sql);

// sqlite3_mprintf into a std::string (empty when out of memory).
std::string FormatSql(const char* format, ...);

}  // namespace vx
