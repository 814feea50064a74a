#include "data/CirclePlaces.h"

#include "data/SqlRow.h"
#include "data/SqlText.h"
#include "data/SqliteDatabase.h"

namespace vx {

int CirclePlaces::Read(SqliteDatabase& db, int eventNo) {
  places_.clear();
  const int rc = db.QueryRows(
      FormatSql("select id,pageNo,cutIndex,day,blockId,spaceNo,spaceNoSub,genreId from "
                "PavorunCircle where pavorunNo=%d;",
                eventNo),
      [this](const SqlRow& row) {
        places_.push_back({row.Int(0), row.Int(1), row.Int(2), row.Int(3), row.Int(4), row.Int(5),
                           row.Int(6), row.Int(7)});
        return 0;
      });
  if (rc != 0) places_.clear();
  return rc;
}

}  // namespace vx
