// A connection of its own to a catalogue file, opened by SqliteDatabase::OpenConnection for one
// thread at a time and closed with the object. Kept open, its page cache serves the next statement.
#pragma once

#include "data/SqlRow.h"

#include <string>

struct sqlite3;

namespace vx {

class SqliteConnection {
 public:
  explicit SqliteConnection(sqlite3* connection) : connection_(connection) {}
  ~SqliteConnection();
  SqliteConnection(const SqliteConnection&) = delete;
  SqliteConnection& operator=(const SqliteConnection&) = delete;

  // One statement, its rows read in the engine's types; the engine's result code, its text in
  // `error` (which may be null).
  int QueryRows(const std::string& sql, const SqlRowHandler& onRow, std::string* error);
  // For SQL functions of the connection's own.
  sqlite3* Handle() const { return connection_; }

 private:
  sqlite3* connection_;
};

}  // namespace vx
