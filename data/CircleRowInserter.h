// Writes circle rows through one prepared statement, the same rows as
// PavorunCircleTable::InsertRow: the disc import inserts tens of thousands of them, and compiling
// a statement per row would cost more than writing it.
#pragma once

#include "data/CircleRecord.h"
#include "data/RowInserter.h"

#include <string>

namespace vx {

class PavorunDatabase;

class CircleRowInserter {
 public:
  explicit CircleRowInserter(PavorunDatabase& db);

  // Inserts the record into the current event (memo written empty, updateFlag 0); the engine's
  // result code, -1 without a database. Error() tells why a row was refused.
  int Insert(const CircleRecord& record);
  const std::string& Error() const { return row_.Error(); }

 private:
  PavorunDatabase& db_;
  RowInserter row_;
};

}  // namespace vx
