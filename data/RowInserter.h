// One insert statement compiled once and run for row after row: an import writes thousands of
// rows, and compiling a statement per row costs more than writing it.
#pragma once

#include <string>
#include <string_view>

struct sqlite3_stmt;

namespace vx {

class SqliteDatabase;

class RowInserter {
 public:
  RowInserter(SqliteDatabase& db, std::string sql) : db_(db), sql_(std::move(sql)) {}
  ~RowInserter();
  RowInserter(const RowInserter&) = delete;
  RowInserter& operator=(const RowInserter&) = delete;

  // Compiles the statement on first use: SQLITE_OK when the values may be bound,
  // SqliteDatabase::kNoDatabase without an open database.
  int Prepare();
  // Values of the columns, counted from 1, for the next Run.
  void BindInt(int column, int value);
  // The text must live until Run returns; the engine does not copy it. Empty is stored as ''.
  void BindText(int column, std::string_view text);
  // Writes the row; the engine's result code (SQLITE_OK when written). Error() tells why not.
  int Run();
  const std::string& Error() const { return error_; }

 private:
  SqliteDatabase& db_;
  const std::string sql_;
  sqlite3_stmt* statement_ = nullptr;
  std::string error_;
};

}  // namespace vx
