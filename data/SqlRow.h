// The current row of a running statement, read in the types the engine holds, so that numbers
// need no round trip through text.
#pragma once

#include <functional>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace vx {

class SqlRow {
 public:
  explicit SqlRow(sqlite3_stmt* statement) : statement_(statement) {}

  int ColumnCount() const;
  // The column's number, clamped to the int range; 0 for NULL or a column beyond the row.
  int Int(int i) const;
  // The column's bytes as stored, valid until the next row; empty for NULL or beyond the row.
  std::string_view Text(int i) const;
  bool IsNull(int i) const;

 private:
  sqlite3_stmt* statement_;
};

// A row handler: 0 to go on, non-zero to stop the statement (result 4, SQLITE_ABORT).
using SqlRowHandler = std::function<int(const SqlRow& row)>;

// Runs one statement on `connection`, handing each row to `onRow`; the engine's result code (0
// when done), and on failure its text in `error` (which may be null).
int StepRows(sqlite3* connection, const std::string& sql, const SqlRowHandler& onRow,
             std::string* error);

}  // namespace vx
