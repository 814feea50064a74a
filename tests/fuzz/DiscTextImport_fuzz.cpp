// The disc's catalogue text files: the first byte chooses the file (definition, layout, all
// circles, one day's circles), the rest is its text. Imported inside a transaction that is rolled
// back, then the event is selected and asked what the windows ask.
#include <cstdio>
#include <vector>

#include "data/PavorunDatabase.h"
#include "tests/fuzz/FuzzCatalog.h"
#include "tests/fuzz/FuzzTarget.h"

namespace {

void AskLikeTheWindows(vx::PavorunDatabase& db) {
  for (int d = 0; d <= db.GetDayCount() + 1; ++d) {
    int page = 0, cut = 0;
    db.GetDayFirstCut(d, page, cut);
    for (int k = 0; k <= db.GetDayBlockCount(d) + 1; ++k) db.GetDayBlockFirstCut(d, k, page, cut);
  }
  std::vector<vx::CircleRecord> rows(36);
  for (int page = db.GetFirstPage(), n = 0; page >= 1 && page <= db.GetLastPage() && n < 8;
       page = db.GetNextPage(page), ++n) {
    db.SelectPageCircles(page, rows);
  }
  for (int block = 0; block <= db.GetBlockMaster().Count(); ++block) {
    db.GetAreaNameOfBlock(block);
    db.GetSpaceX(block, 1);
  }
}

int Rows(vx::PavorunDatabase& db, const char* table) {
  int count = 0;
  db.ExecPrintf(vx::RowFirstColumnInt, &count, "select count(*) from %s where pavorunNo=%d;", table,
                db.GetEventNo());
  return count;
}

// A file cut short installed an event without maps, areas or genres.
void CheckDefinition(vx::PavorunDatabase& db, const vx::ImportStatus& status) {
  if (status.Failed()) return;
  for (const char* table :
       {"PavorunInfo", "PavorunDate", "PavorunMap", "PavorunArea", "PavorunGenre"}) {
    vxfuzz::Check(Rows(db, table) > 0, "an accepted definition fills the masters");
  }
}

}  // namespace

VX_FUZZ_TARGET(DiscTextImport) {
  if (size == 0) return 0;
  vx::PavorunDatabase& db = vxfuzz::FuzzCatalog();
  std::FILE* file = fmemopen(const_cast<std::uint8_t*>(data + 1), size - 1, "rb");
  if (file == nullptr) return 0;
  vxfuzz::Check(db.BeginTransaction() == 0, "a transaction opens");
  switch (data[0] % 4) {
    case 0:
      // As the installer does: the event's rows go first (the rollback brings them back).
      db.ClearEventTables();
      CheckDefinition(db, db.ImportDefinitionFile(file, nullptr));
      break;
    case 1:
      db.ImportLayoutFile(file, nullptr);
      break;
    case 2:
      db.BeginCircleImport();
      db.ImportCircleFile(file, nullptr);
      break;
    default:
      db.BeginCircleImport();
      db.ImportDayCircleFile(file, nullptr);
      break;
  }
  std::fclose(file);
  db.SelectEvent(96);
  AskLikeTheWindows(db);
  vxfuzz::Check(db.Rollback() == 0, "the import rolls back");
  db.SelectEvent(96);
  return 0;
}
