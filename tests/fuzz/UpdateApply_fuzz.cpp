// Update files applied to a small catalogue inside a transaction that is rolled back.
#include <cstdio>

#include "data/PavorunDatabase.h"
#include "tests/fuzz/FuzzCatalog.h"
#include "tests/fuzz/FuzzTarget.h"

VX_FUZZ_TARGET(UpdateApply) {
  vx::PavorunDatabase& db = vxfuzz::FuzzCatalog();
  std::FILE* file = fmemopen(const_cast<std::uint8_t*>(data), size, "rb");
  if (file == nullptr) return 0;  // an empty buffer
  vxfuzz::Check(db.BeginTransaction() == 0, "a transaction opens");
  db.ApplyUpdateFile(file, nullptr);
  std::fclose(file);
  vx::CircleRecord record;
  for (int id = 1; id <= db.GetMaxCircleId() && id < 64; ++id) db.SelectCircle(record, id);
  vxfuzz::Check(db.Rollback() == 0, "the update rolls back");
  return 0;
}
