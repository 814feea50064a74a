#include "data/ImportStatus.h"

#include "data/SqliteDatabase.h"

#include <sqlite3.h>

namespace vx {

bool ImportStatus::Record(int rc, const SqliteDatabase& db) {
  if (rc == SQLITE_OK || rc == SQLITE_CONSTRAINT) return true;
  if (code == 0) {
    code = rc;
    message = db.LastError().empty() ? std::string(sqlite3_errstr(rc)) : db.LastError();
  }
  return false;
}

}  // namespace vx
