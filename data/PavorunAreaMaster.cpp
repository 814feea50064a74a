#include "data/PavorunAreaMaster.h"

#include "data/PavorunDatabase.h"
#include "data/RowColumns.h"
#include "data/SqlText.h"
#include "platform/CodePage.h"
#include "platform/Sjis.h"

#include <iterator>

namespace vx {
namespace {

// Short-map stems of the first twelve areas of tables that predate the allFilename column.
constexpr const char* kDefaultAllFilenames[] = {"",   "E1", "E2", "E3", "",   "E6",
                                                "E5", "E4", "",   "W2", "W1", ""};

std::string DefaultAllFilename(int position) {
  if (position < 0 || position >= static_cast<int>(std::size(kDefaultAllFilenames))) return {};
  return kDefaultAllFilenames[position];
}

// The end of a print range; the file's numbers may lie anywhere in the int range.
long long RangeEnd(int start, int length) {
  return static_cast<long long>(start) + static_cast<long long>(length);
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

int PavorunAreaMaster::Load(const std::string& where) {
  const int rc = PavorunMaster::Load(where);
  if (!HasDatabase()) return rc;
  for (int id = 1; id <= Count(); ++id) {
    AreaRow& row = rows_[Index(id)];
    if (row.print.w != 0) LoadBlocksInPrintRange(row);
    LoadCircleCount(id, row);
  }
  return rc;
}

void PavorunAreaMaster::LoadBlocksInPrintRange(AreaRow& row) {
  const int event = EventNo();
  bool first = true;
  Owner().ExecRows(
      FormatSql("select b.name,MIN(l.spaceNo),MAX(l.spaceNo) from PavorunBlock b, PavorunArea a, "
                "PavorunLayout l where b.pavorunNo=%d AND a.pavorunNo=%d AND l.pavorunNo=%d AND "
                "b.areaId=a.id AND a.mapId=%d AND l.blockId=b.id AND l.xpos > %d AND l.xpos < %lld "
                "AND l.ypos > %d and l.ypos < %lld group by l.blockId order by a.w,l.blockId;",
                event, event, event, row.mapId, row.print.x, RangeEnd(row.print.x, row.print.w),
                row.print.y, RangeEnd(row.print.y, row.print.h)),
      [&](int n, char** columns) {
        if (first) {
          row.firstBlockName = SjisTruncate(ColumnString(n, columns, 0), 3);
          row.firstBlockSmallestSpace = ColumnInt(n, columns, 1);
          row.firstBlockLargestSpace = ColumnInt(n, columns, 2);
          first = false;
        } else {
          row.furtherBlockNames += ColumnString(n, columns, 0);
        }
        return 0;
      });
}

void PavorunAreaMaster::LoadCircleCount(int id, AreaRow& row) {
  int count = 0;
  Owner().ExecPrintf(RowFirstColumnInt, &count,
                     "select count(*) from PavorunCircle c, PavorunBlock b WHERE c.pavorunNo=%d "
                     "AND b.pavorunNo=%d AND c.blockId=b.id AND b.areaId=%d;",
                     EventNo(), EventNo(), id);
  row.circleCount = count;
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
