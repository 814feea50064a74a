#include "data/CatalogJumpIndex.h"

#include "data/CirclePlaces.h"
#include "data/PavorunBlockMaster.h"

#include <algorithm>
#include <utility>

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
  genres_.resize(static_cast<std::size_t>(std::max(sources.genreCount, 0)));
  BuildFirstCuts(sources);
  perDay_.resize(days_.size());
  BuildDays(sources);
}

// The smallest (pageNo, cutIndex) of the placed circles of each day and each genre.
void CatalogJumpIndex::BuildFirstCuts(const Sources& sources) {
  const auto keepFirst = [](std::vector<FirstCutEntry>& entries, int id, const CirclePlace& c) {
    if (id < 1 || id > static_cast<int>(entries.size())) return;
    FirstCutEntry& entry = entries[static_cast<std::size_t>(id - 1)];
    const bool earlier = std::pair(c.pageNo, c.cutIndex) < std::pair(entry.pageNo, entry.cutIndex);
    if (entry.id == 0 || earlier) entry = {id, c.pageNo, c.cutIndex};
  };
  for (const CirclePlace& c : sources.circles.All()) {
    if (c.pageNo <= 0) continue;
    keepFirst(days_, c.day, c);
    keepFirst(genres_, c.genreId, c);
  }
}

// Per day, the circles at space 1a in block order: a block entry each (an empty one for a circle
// without a block), and per area the one on the smallest page (the first in block order of equal
// pages).
void CatalogJumpIndex::BuildDays(const Sources& sources) {
  std::vector<std::vector<FirstCutEntry>> firstSpaces(perDay_.size());
  for (const CirclePlace& c : sources.circles.All()) {
    if (c.day < 1 || c.day > static_cast<int>(perDay_.size())) continue;
    if (c.spaceNo != 1 || c.spaceNoSub != 0) continue;
    firstSpaces[static_cast<std::size_t>(c.day - 1)].push_back({c.blockId, c.pageNo, c.cutIndex});
  }
  const std::size_t areaCount = static_cast<std::size_t>(std::max(sources.areaCount, 0));
  for (std::size_t d = 0; d < perDay_.size(); ++d) {
    std::vector<FirstCutEntry>& blocks = firstSpaces[d];
    std::stable_sort(blocks.begin(), blocks.end(),
                     [](const FirstCutEntry& a, const FirstCutEntry& b) { return a.id < b.id; });
    std::vector<FirstCutEntry> areaSlots(areaCount);
    for (FirstCutEntry& block : blocks) {
      if (block.id <= 0) {
        block = FirstCutEntry{};
        continue;
      }
      const int areaId = sources.blocks.GetAreaId(block.id);
      if (areaId < 1 || areaId > static_cast<int>(areaSlots.size())) continue;
      FirstCutEntry& slot = areaSlots[static_cast<std::size_t>(areaId - 1)];
      if (slot.id == 0 || slot.pageNo > block.pageNo) slot = {areaId, block.pageNo, block.cutIndex};
    }
    perDay_[d].blocks = std::move(blocks);
    for (const FirstCutEntry& slot : areaSlots) {
      if (slot.pageNo != 0) perDay_[d].areas.push_back(slot);
    }
  }
}

const FirstCutEntry* CatalogJumpIndex::Day(int d) const { return At(days_, d); }

const FirstCutEntry* CatalogJumpIndex::Genre(int g) const { return At(genres_, g); }

int CatalogJumpIndex::DayBlockCount(int d) const {
  return Day(d) != nullptr
             ? static_cast<int>(perDay_[static_cast<std::size_t>(d - 1)].blocks.size())
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
  return Day(d) != nullptr ? PositionOf(perDay_[static_cast<std::size_t>(d - 1)].areas, areaId) : 0;
}

}  // namespace vx
