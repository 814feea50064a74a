#include "data/CatalogJumpIndex.h"

#include "data/PavorunBlockMaster.h"
#include "data/RowColumns.h"
#include "data/SqlText.h"
#include "data/SqliteDatabase.h"

#include <algorithm>

namespace vx {
namespace {

const FirstCutEntry* At(const std::vector<FirstCutEntry>& entries, int oneBased) {
  if (oneBased < 1 || oneBased > static_cast<int>(entries.size())) return nullptr;
  return &entries[static_cast<std::size_t>(oneBased - 1)];
}

// The 1-based position of the entry with `id`; 0 when absent (ids start at 1).
int PositionOf(const std::vector<FirstCutEntry>& entries, int id) {
  if (id <= 0) return 0;
  const auto found = std::find_if(entries.begin(), entries.end(),
                                  [id](const FirstCutEntry& entry) { return entry.id == id; });
  return found == entries.end() ? 0 : static_cast<int>(found - entries.begin()) + 1;
}

}  // namespace

void CatalogJumpIndex::Clear() {
  days_.clear();
  genres_.clear();
  perDay_.clear();
}

void CatalogJumpIndex::Build(const Sources& sources) {
  Clear();
  if (sources.dayCount <= 0) return;
  days_.resize(static_cast<std::size_t>(sources.dayCount));
  BuildFirstCuts(sources, "day", days_);
  genres_.resize(static_cast<std::size_t>(std::max(sources.genreCount, 0)));
  BuildFirstCuts(sources, "genreId", genres_);
  perDay_.resize(days_.size());
  for (int d = 1; d <= sources.dayCount; ++d) {
    BuildDay(sources, d, perDay_[static_cast<std::size_t>(d - 1)]);
  }
}

// The smallest (pageNo, cutIndex) of each group, chosen explicitly: a bare column beside an
// aggregate would come from an arbitrary row of the group.
void CatalogJumpIndex::BuildFirstCuts(const Sources& sources, const char* groupColumn,
                                      std::vector<FirstCutEntry>& entries) {
  const std::string sql = FormatSql(
      "select c.%s,c.pageNo,MIN(c.cutIndex) from PavorunCircle c,"
      " (select %s g,MIN(pageNo) p from PavorunCircle where pavorunNo=%d and pageNo>0 group by %s) f"
      " where c.pavorunNo=%d and c.%s=f.g and c.pageNo=f.p group by c.%s order by c.%s;",
      groupColumn, groupColumn, sources.eventNo, groupColumn, sources.eventNo, groupColumn,
      groupColumn, groupColumn);
  sources.db.ExecRows(sql, [&entries](int n, char** columns) {
    const int id = ColumnInt(n, columns, 0);
    if (id >= 1 && id <= static_cast<int>(entries.size())) {
      entries[static_cast<std::size_t>(id - 1)] = {id, ColumnInt(n, columns, 1),
                                                    ColumnInt(n, columns, 2)};
    }
    return 0;
  });
}

void CatalogJumpIndex::BuildDay(const Sources& sources, int day, DayIndex& index) {
  int blockCount = 0;
  sources.db.ExecPrintf(RowFirstColumnInt, &blockCount,
                        "select count(blockId) from PavorunCircle where pavorunNo=%d and day=%d "
                        "and spaceNo=1 and spaceNoSub=0;",
                        sources.eventNo, day);
  index.blocks.assign(static_cast<std::size_t>(std::max(blockCount, 0)), FirstCutEntry{});
  std::vector<FirstCutEntry> areaSlots(static_cast<std::size_t>(std::max(sources.areaCount, 0)));
  std::size_t k = 0;
  sources.db.ExecRows(
      FormatSql("select blockId,pageNo,cutIndex from PavorunCircle where pavorunNo=%d and day=%d "
                "and spaceNo=1 and spaceNoSub=0 order by blockId;",
                sources.eventNo, day),
      [&](int n, char** columns) {
        const FirstCutEntry row{ColumnInt(n, columns, 0), ColumnInt(n, columns, 1),
                                ColumnInt(n, columns, 2)};
        const std::size_t position = k++;
        if (row.id <= 0 || position >= index.blocks.size()) return 0;
        index.blocks[position] = row;
        const int areaId = sources.blocks.GetAreaId(row.id);
        if (areaId < 1 || areaId > static_cast<int>(areaSlots.size())) return 0;
        FirstCutEntry& slot = areaSlots[static_cast<std::size_t>(areaId - 1)];
        if (slot.id == 0 || slot.pageNo > row.pageNo) slot = {areaId, row.pageNo, row.cutIndex};
        return 0;
      });
  for (const FirstCutEntry& slot : areaSlots) {
    if (slot.pageNo != 0) index.areas.push_back(slot);
  }
}

const FirstCutEntry* CatalogJumpIndex::Day(int d) const { return At(days_, d); }

const FirstCutEntry* CatalogJumpIndex::Genre(int g) const { return At(genres_, g); }

int CatalogJumpIndex::DayBlockCount(int d) const {
  return Day(d) != nullptr ? static_cast<int>(perDay_[static_cast<std::size_t>(d - 1)].blocks.size())
                           : 0;
}

const FirstCutEntry* CatalogJumpIndex::DayBlock(int d, int k) const {
  return Day(d) != nullptr ? At(perDay_[static_cast<std::size_t>(d - 1)].blocks, k) : nullptr;
}

int CatalogJumpIndex::FindDayBlockIndex(int d, int blockId) const {
  return Day(d) != nullptr ? PositionOf(perDay_[static_cast<std::size_t>(d - 1)].blocks, blockId)
                           : 0;
}

int CatalogJumpIndex::DayAreaCount(int d) const {
  return Day(d) != nullptr ? static_cast<int>(perDay_[static_cast<std::size_t>(d - 1)].areas.size())
                           : 0;
}

const FirstCutEntry* CatalogJumpIndex::DayArea(int d, int k) const {
  return Day(d) != nullptr ? At(perDay_[static_cast<std::size_t>(d - 1)].areas, k) : nullptr;
}

int CatalogJumpIndex::FindDayAreaIndex(int d, int areaId) const {
  return Day(d) != nullptr ? PositionOf(perDay_[static_cast<std::size_t>(d - 1)].areas, areaId)
                           : 0;
}

}  // namespace vx
