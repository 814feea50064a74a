#include "data/PavorunTable.h"

#include "data/PavorunDatabase.h"

namespace vx {

bool PavorunTable::HasDatabase() const { return owner_.IsOpen(); }

int PavorunTable::EventNo() const { return owner_.GetEventNo(); }

int PavorunTable::ClearEvent() {
  if (!HasDatabase()) return SqliteDatabase::kNoDatabase;
  const int rc = owner_.ExecPrintf(nullptr, nullptr, "delete from %s where pavorunNo=%d;",
                                   TableName(), EventNo());
  return rc == 1 ? CreateTable() : rc;
}

int PavorunTable::CreateTable() {
  if (!HasDatabase()) return SqliteDatabase::kNoDatabase;
  return owner_.Exec(nullptr, nullptr, CreateText());
}

int PavorunTable::ExecWrite(const std::string& sql) {
  if (!HasDatabase()) return SqliteDatabase::kNoDatabase;
  return owner_.Exec(nullptr, nullptr, sql);
}

}  // namespace vx
