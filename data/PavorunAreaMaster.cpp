#include "data/PavorunAreaMaster.h"

#include "data/CirclePlaces.h"
#include "data/PavorunBlockMaster.h"
#include "data/PavorunDatabase.h"
#include "data/RowColumns.h"
#include "data/SqlText.h"
#include "platform/CodePage.h"
#include "platform/Sjis.h"

#include <algorithm>
#include <climits>
#include <iterator>
#include <map>
#include <utility>

namespace vx {
namespace {

// Short-map stems of the first twelve areas of tables that predate the allFilename column.
constexpr const char* kDefaultAllFilenames[] = {"",   "E1", "E2", "E3", "",   "E6",
                                                "E5", "E4", "",   "W2", "W1", ""};

std::string DefaultAllFilename(int position) {
  if (position < 0 || position >= static_cast<int>(std::size(kDefaultAllFilenames))) return {};
  return kDefaultAllFilenames[position];
}

// Strictly inside the range; in 64 bits, as the file's numbers may lie anywhere in the int range.
bool Holds(const PrintRect& range, int x, int y) {
  const auto end = [](int start, int length) {
    return static_cast<long long>(start) + static_cast<long long>(length);
  };
  return x > range.x && x < end(range.x, range.w) && y > range.y && y < end(range.y, range.h);
}

}  // namespace

const std::string& PavorunAreaMaster::CreateText() const {
  static const std::string text = Sjis(
      "create table PavorunArea (\n"
      "  pavorunNo INTEGER not null, -- パヴォ番号\n"
      "  id INTEGER not null, -- 地区ID\n"
      "  name VARCHAR(20), -- 地区名\n"
      "  simpleName VARCHAR(20), -- 地区名(簡素版)\n"
      "  mapId INTEGER not null, -- 対応地図ID\n"
      "  x INTEGER, -- 印刷用範囲\n"
      "  y INTEGER, -- 印刷用範囲\n"
      "  w INTEGER, -- 印刷用範囲\n"
      "  h INTEGER, -- 印刷用範囲\n"
      "  allFilename VARCHAR(10), -- 略地図ファイル名基幹部\n"
      "  x2 INTEGER, -- 印刷用範囲ハイレゾ用\n"
      "  y2 INTEGER, -- 印刷用範囲ハイレゾ用\n"
      "  w2 INTEGER, -- 印刷用範囲ハイレゾ用\n"
      "  h2 INTEGER, -- 印刷用範囲ハイレゾ用\n"
      "  primary key (pavorunNo,id)\n"
      ");");
  return text;
}

void PavorunAreaMaster::AddRow(int position, int n, char** columns) {
  AreaRow& row = RowAt(position);
  row.name = SjisTruncate(ColumnString(n, columns, 2), 40);
  row.simpleName = SjisTruncate(ColumnString(n, columns, 3), 3);
  row.mapId = ColumnInt(n, columns, 4);
  ReadPrintColumns(n, columns, 5, DefaultAllFilename(position), row.print, row.allFilename,
                   row.hiResPrint);
  RememberName(row.name, position);
}

void PavorunAreaMaster::FindBlocksInPrintRanges(const std::vector<LayoutDesk>& desks,
                                                const PavorunBlockMaster& blocks) {
  for (AreaRow& row : rows_) {
    row.firstBlockName.clear();
    row.furtherBlockNames.clear();
    row.firstBlockSmallestSpace = row.firstBlockLargestSpace = 0;
    if (row.print.w != 0) FindBlocksInPrintRange(row, desks, blocks);
  }
}

void PavorunAreaMaster::FindBlocksInPrintRange(AreaRow& row, const std::vector<LayoutDesk>& desks,
                                               const PavorunBlockMaster& blocks) const {
  struct Found {
    int areaWidth = 0;
    int smallestSpace = INT_MAX;
    int largestSpace = INT_MIN;
  };
  std::map<int, Found> byBlock;
  for (const LayoutDesk& desk : desks) {
    if (!Holds(row.print, desk.x, desk.y)) continue;
    const int areaId = blocks.GetAreaId(desk.blockId);
    if (!InRange(areaId) || rows_[Index(areaId)].mapId != row.mapId) continue;
    Found& found = byBlock[desk.blockId];
    found.areaWidth = rows_[Index(areaId)].print.w;
    found.smallestSpace = std::min(found.smallestSpace, desk.spaceNo);
    found.largestSpace = std::max(found.largestSpace, desk.spaceNo);
  }
  std::vector<std::pair<int, int>> order;  // (area width, block id)
  for (const auto& [blockId, found] : byBlock) order.emplace_back(found.areaWidth, blockId);
  std::sort(order.begin(), order.end());
  for (const auto& [width, blockId] : order) {
    if (row.firstBlockName.empty()) {
      const Found& found = byBlock[blockId];
      row.firstBlockName = SjisTruncate(blocks.GetRow(blockId), 3);
      row.firstBlockSmallestSpace = found.smallestSpace;
      row.firstBlockLargestSpace = found.largestSpace;
    } else {
      row.furtherBlockNames += blocks.GetRow(blockId);
    }
  }
}

int PavorunAreaMaster::FindAreaHolding(int mapId, int x, int y) const {
  for (int id = Count(); id >= 1; --id) {
    const AreaRow& row = rows_[Index(id)];
    if (row.mapId == mapId && Holds(row.print, x, y)) return id;
  }
  return 0;
}

void PavorunAreaMaster::CountCircles(const CirclePlaces& places, const PavorunBlockMaster& blocks) {
  for (AreaRow& row : rows_) row.circleCount = 0;
  for (const CirclePlace& circle : places.All()) {
    const int areaId = blocks.GetAreaId(circle.blockId);
    if (InRange(areaId)) ++rows_[Index(areaId)].circleCount;
  }
}

const std::string& PavorunAreaMaster::GetRow(int id) const {
  return InRange(id) ? rows_[Index(id)].name : EmptyText();
}

const std::string& PavorunAreaMaster::GetSimpleName(int id) const {
  return InRange(id) ? rows_[Index(id)].simpleName : EmptyText();
}

const std::string& PavorunAreaMaster::GetAllFilename(int id) const {
  return InRange(id) ? rows_[Index(id)].allFilename : EmptyText();
}

int PavorunAreaMaster::GetMapId(int id) const { return InRange(id) ? rows_[Index(id)].mapId : 0; }

const std::string& PavorunAreaMaster::GetFurtherBlockNames(int id) const {
  return InRange(id) ? rows_[Index(id)].furtherBlockNames : EmptyText();
}

const std::string& PavorunAreaMaster::GetFirstBlock(int id, int& smallestSpace,
                                                    int& largestSpace) const {
  smallestSpace = 0;
  largestSpace = 0;
  if (!InRange(id)) return EmptyText();
  const AreaRow& row = rows_[Index(id)];
  smallestSpace = row.firstBlockSmallestSpace;
  largestSpace = row.firstBlockLargestSpace;
  return row.firstBlockName;
}

void PavorunAreaMaster::GetPrintRect(int id, PrintRect& rect) const {
  if (InRange(id)) rect = rows_[Index(id)].print;
}

void PavorunAreaMaster::GetHiResPrintRect(int id, PrintRect& rect) const {
  if (InRange(id)) rect = rows_[Index(id)].hiResPrint;
}

bool PavorunAreaMaster::HasPrintRect(int id) const {
  return InRange(id) && rows_[Index(id)].print.w != 0;
}

int PavorunAreaMaster::GetCircleCount(int id) const {
  return InRange(id) ? rows_[Index(id)].circleCount : 0;
}

int PavorunAreaMaster::InsertRow(int id, const AreaRow& row) {
  std::string sql = StartInsert(id);
  AppendSqlQuotedField(sql, row.name);
  AppendSqlQuotedField(sql, row.simpleName);
  AppendSqlInt(sql, row.mapId);
  AppendPrintColumns(sql, row.print, row.allFilename, row.hiResPrint);
  CloseSqlValues(sql);
  return ExecWrite(sql);
}

}  // namespace vx
