#include "data/images/CatalogPageFacts.h"

#include <cstdio>

#include "data/PavorunDatabase.h"
#include "data/RowColumns.h"

namespace vx {

std::shared_ptr<const CatalogPageFacts> CatalogPageFacts::Read(PavorunDatabase& database) {
  auto facts = std::make_shared<CatalogPageFacts>();
  facts->event_ = database.GetEventNo();
  for (int d = 1; d <= database.GetDateCount(); ++d) {
    facts->days_.push_back({database.GetDateOfDay(d), database.GetWeekdayOfDay(d)});
  }
  for (int b = 1; b <= database.GetBlockMaster().Count(); ++b) {
    facts->blocks_.push_back({database.GetBlockName(b), database.GetAreaNameOfBlock(b)});
  }
  facts->ReadMaxSpaces(database);
  facts->ReadErrata(database);
  return facts;
}

std::uint64_t CatalogPageFacts::DeskKey(int a, int b) {
  return std::uint64_t{static_cast<std::uint32_t>(a)} << 32 | static_cast<std::uint32_t>(b);
}

namespace {

// Each row of a statement about one event (`format` takes the event number).
void ForEachEventRow(PavorunDatabase& database, const char* format, int event,
                     const RowHandler& onRow) {
  if (!database.IsOpen()) return;
  char sql[192];
  std::snprintf(sql, sizeof sql, format, event);
  database.ExecRows(sql, onRow);
}

}  // namespace

// Selecting the event took them from its one pass over the circles.
void CatalogPageFacts::ReadMaxSpaces(PavorunDatabase& database) {
  for (const auto& [desk, maxSpace] : database.GetCircleTable().GetMaxSpaces()) {
    maxSpaces_[DeskKey(desk.first, desk.second)] = maxSpace;
  }
}

// A missing table (an older catalogue) leaves no errata, as the per-desk query answers then.
void CatalogPageFacts::ReadErrata(PavorunDatabase& database) {
  ForEachEventRow(database,
                  "select day, blockId, spaceNo, spaceNoSub, jikoNo from PavorunJiko "
                  "where pavorunNo=%d;",
                  event_, [this](int n, char** columns) {
                    if (ColumnText(n, columns, 4) != nullptr) {
                      errata_[DeskKey(ColumnInt(n, columns, 0), ColumnInt(n, columns, 1))]
                             [DeskKey(ColumnInt(n, columns, 2), ColumnInt(n, columns, 3))] =
                                 ColumnInt(n, columns, 4);
                    }
                    return 0;
                  });
}

// Days the master does not hold answer their own number, as the master does.
int CatalogPageFacts::GetDateOfDay(int day) const {
  return day >= 1 && day <= static_cast<int>(days_.size()) ? days_[day - 1].dayOfMonth : day;
}

int CatalogPageFacts::GetWeekdayOfDay(int day) const {
  return day >= 1 && day <= static_cast<int>(days_.size()) ? days_[day - 1].weekday : day;
}

std::string CatalogPageFacts::GetAreaNameOfBlock(int blockId) const {
  return blockId >= 1 && blockId <= static_cast<int>(blocks_.size()) ? blocks_[blockId - 1].areaName
                                                                     : std::string();
}

std::string CatalogPageFacts::GetBlockName(int blockId) const {
  return blockId >= 1 && blockId <= static_cast<int>(blocks_.size()) ? blocks_[blockId - 1].name
                                                                     : std::string();
}

int CatalogPageFacts::GetMaxSpaceNo(int day, int blockId) const {
  const auto found = maxSpaces_.find(DeskKey(day, blockId));
  return found == maxSpaces_.end() ? 0 : found->second;
}

int CatalogPageFacts::GetJikoNo(int day, int blockId, int spaceNo, int spaceNoSub) const {
  const auto block = errata_.find(DeskKey(day, blockId));
  if (block == errata_.end()) return -1;
  const auto desk = block->second.find(DeskKey(spaceNo, spaceNoSub));
  return desk == block->second.end() ? -1 : desk->second;
}

}  // namespace vx
