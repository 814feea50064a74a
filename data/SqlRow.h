// The current row of a running statement, read in the types the engine holds, so that numbers
// need no round trip through text.
#pragma once

#include <string_view>

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

 private:
  sqlite3_stmt* statement_;
};

}  // namespace vx
