#include "data/SqliteConnection.h"

#include <sqlite3.h>

namespace vx {

SqliteConnection::~SqliteConnection() { sqlite3_close_v2(connection_); }

int SqliteConnection::QueryRows(const std::string& sql, const SqlRowHandler& onRow,
                                std::string* error) {
  return StepRows(connection_, sql, onRow, error);
}

}  // namespace vx
