#include "data/ImportStatus.h"

#include "data/SqliteDatabase.h"

#include <sqlite3.h>

namespace vx {

bool ImportStatus::Record(int rc, const SqliteDatabase& db) { return Record(rc, db.LastError()); }

bool ImportStatus::Record(int rc, const std::string& engineMessage) {
  if (rc == SQLITE_OK || rc == SQLITE_CONSTRAINT) return true;
  if (code == 0) {
    code = rc;
    message = engineMessage.empty() ? std::string(sqlite3_errstr(rc)) : engineMessage;
  }
  return false;
}

void ImportStatus::Refuse(const std::string& why) {
  if (code != 0) return;
  code = kBadFile;
  message = why;
}

}  // namespace vx
