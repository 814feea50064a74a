#include "data/SqlRow.h"

#include <sqlite3.h>

#include <algorithm>
#include <climits>

namespace vx {

int SqlRow::ColumnCount() const { return sqlite3_data_count(statement_); }

int SqlRow::Int(int i) const {
  if (i < 0 || i >= ColumnCount()) return 0;
  const sqlite3_int64 value = sqlite3_column_int64(statement_, i);
  return static_cast<int>(std::clamp<sqlite3_int64>(value, INT_MIN, INT_MAX));
}

std::string_view SqlRow::Text(int i) const {
  if (i < 0 || i >= ColumnCount()) return {};
  const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement_, i));
  if (text == nullptr) return {};
  return {text, static_cast<std::size_t>(sqlite3_column_bytes(statement_, i))};
}

bool SqlRow::IsNull(int i) const {
  return i < 0 || i >= ColumnCount() || sqlite3_column_type(statement_, i) == SQLITE_NULL;
}

int StepRows(sqlite3* connection, const std::string& sql, const SqlRowHandler& onRow,
             std::string* error) {
  sqlite3_stmt* statement = nullptr;
  int rc = sqlite3_prepare_v2(connection, sql.c_str(), static_cast<int>(sql.size()), &statement,
                              nullptr);
  while (rc == SQLITE_OK || rc == SQLITE_ROW) {
    rc = sqlite3_step(statement);
    if (rc == SQLITE_ROW && onRow(SqlRow(statement)) != 0) rc = SQLITE_ABORT;
  }
  if (rc == SQLITE_DONE) rc = SQLITE_OK;
  if (rc != SQLITE_OK && error != nullptr) {
    *error = rc == SQLITE_ABORT ? sqlite3_errstr(rc) : sqlite3_errmsg(connection);
  }
  sqlite3_finalize(statement);
  return rc;
}

}  // namespace vx
