#include "checklist/CircleSerialIndex.h"

#include "data/PavorunDatabase.h"
#include "data/SqlRow.h"
#include "data/SqlText.h"

namespace vx {

void CircleSerialIndex::Clear() {
  ids_.clear();
  state_ = State::kEmpty;
}

int CircleSerialIndex::Find(PavorunDatabase& database, int serial) {
  if (state_ == State::kEmpty) state_ = Build(database) ? State::kBuilt : State::kFailed;
  if (state_ == State::kFailed) return database.FindCircleIdByUpdateId(serial);
  const auto found = ids_.find(serial);
  return found == ids_.end() ? 0 : found->second;
}

// In table order the last of several circles with one serial wins, as in a lookup of the serial.
bool CircleSerialIndex::Build(PavorunDatabase& database) {
  ids_.clear();
  const int rc = database.QueryRows(
      FormatSql("select updateId,id from PavorunCircle where pavorunNo=%d order by rowid;",
                database.GetEventNo()),
      [this](const SqlRow& row) {
        ids_.insert_or_assign(row.Int(0), row.Int(1));
        return 0;
      });
  if (rc == 0) return true;
  ids_.clear();
  return false;
}

}  // namespace vx
