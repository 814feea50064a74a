#include "data/StoredEventDeletion.h"

#include "data/PavorunDatabase.h"

namespace vx {

int DeleteStoredEvent(PavorunDatabase& db, int eventNo) {
  if (!db.IsOpen()) return SqliteDatabase::kNoDatabase;
  db.SetEventNo(eventNo);
  if (const int rc = db.BeginTransaction(); rc != 0) return rc;
  int rc = db.ClearEventTables();
  if (rc == 0) rc = db.Commit();
  if (rc != 0) db.Rollback();
  return rc;
}

}  // namespace vx
