// Makes a database's next COMMIT fail once rows went into a table: a foreign key that an insert
// there breaks, deferred to the commit. Stands in for a commit the disk refuses.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "data/SqliteDatabase.h"

namespace vxtest {

inline void BreakCommitsAfterInsertsInto(vx::SqliteDatabase& db, const std::string& table) {
  const std::string setup[] = {
      "pragma foreign_keys=on;",
      "create table Owner(id integer primary key);",
      "create table Owned(owner references Owner(id) deferrable initially deferred);",
      "create trigger orphan after insert on " + table + " begin insert into Owned values(1); end;",
  };
  for (const std::string& sql : setup) ASSERT_EQ(db.Exec(nullptr, nullptr, sql), 0) << sql;
}

}  // namespace vxtest
