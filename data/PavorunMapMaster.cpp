#include "data/PavorunMapMaster.h"

#include "data/PavorunDatabase.h"
#include "data/RowColumns.h"
#include "data/SqlText.h"
#include "platform/CodePage.h"
#include "platform/Sjis.h"

#include <iterator>

namespace vx {
namespace {

// Short-map stems of the first three maps of tables that predate the allfilename column.
constexpr const char* kDefaultAllFilenames[] = {"A1", "A2", "A3"};

std::string DefaultAllFilename(int position) {
  if (position < 0 || position >= static_cast<int>(std::size(kDefaultAllFilenames))) return {};
  return kDefaultAllFilenames[position];
}

}  // namespace

const std::string& PavorunMapMaster::CreateText() const {
  static const std::string text = Sjis(
      "create table PavorunMap (\n"
      "  pavorunNo INTEGER not null, -- パヴォ番号\n"
      "  id INTEGER not null, -- 地図ID\n"
      "  name VARCHAR(10), -- 地図名\n"
      "  filename VARCHAR(10), -- 地図ファイル名基幹部\n"
      "  x INTEGER, -- 印刷用範囲\n"
      "  y INTEGER, -- 印刷用範囲\n"
      "  w INTEGER, -- 印刷用範囲\n"
      "  h INTEGER, -- 印刷用範囲\n"
      "  allfilename VARCHAR(10), -- 略地図ファイル名基幹部\n"
      "  x2 INTEGER, -- 印刷用範囲ハイレゾ用\n"
      "  y2 INTEGER, -- 印刷用範囲ハイレゾ用\n"
      "  w2 INTEGER, -- 印刷用範囲ハイレゾ用\n"
      "  h2 INTEGER, -- 印刷用範囲ハイレゾ用\n"
      "  rotate INTEGER, -- 配置に対する回転方向 0:正 1:逆\n"
      "  primary key (pavorunNo,id)\n"
      ")");
  return text;
}

void PavorunMapMaster::AddRow(int position, int n, char** columns) {
  MapRow& row = RowAt(position);
  row.name = SjisTruncate(ColumnString(n, columns, 2), 21);
  row.filename = SjisTruncate(ColumnString(n, columns, 3), 11);
  ReadPrintColumns(n, columns, 4, DefaultAllFilename(position), row.print, row.allfilename,
                   row.hiResPrint);
  row.rotate = ColumnInt(n, columns, 13);  // 0 in tables older than the column
  // Area lines name their map in full, however long the name is; the name as kept finds it too.
  RememberName(row.name, position);
  RememberName(ColumnString(n, columns, 2), position);
}

int PavorunMapMaster::Load(const std::string& where) {
  const int rc = PavorunMaster::Load(where);
  if (!HasDatabase()) return rc;
  for (int id = 1; id <= Count(); ++id) {
    std::string& names = rows_[Index(id)].blockNames;
    Owner().ExecRows(FormatSql("select b.name from PavorunBlock b, PavorunArea a where "
                               "b.pavorunNo=%d AND a.pavorunNo=%d AND b.areaId=a.id AND "
                               "a.mapId=%d;",
                               EventNo(), EventNo(), id),
                     [&names](int n, char** columns) {
                       names += ColumnString(n, columns, 0);
                       return 0;
                     });
  }
  return rc;
}

const std::string& PavorunMapMaster::GetRow(int id) const {
  return InRange(id) ? rows_[Index(id)].name : EmptyText();
}

const std::string& PavorunMapMaster::GetFilename(int id) const {
  return InRange(id) ? rows_[Index(id)].filename : EmptyText();
}

const std::string& PavorunMapMaster::GetAllFilename(int id) const {
  return InRange(id) ? rows_[Index(id)].allfilename : EmptyText();
}

const std::string& PavorunMapMaster::GetBlockNames(int id) const {
  return InRange(id) ? rows_[Index(id)].blockNames : EmptyText();
}

void PavorunMapMaster::GetPrintRect(int id, PrintRect& rect) const {
  if (InRange(id)) rect = rows_[Index(id)].print;
}

void PavorunMapMaster::GetHiResPrintRect(int id, PrintRect& rect) const {
  if (InRange(id)) rect = rows_[Index(id)].hiResPrint;
}

int PavorunMapMaster::GetRotate(int id) const { return InRange(id) ? rows_[Index(id)].rotate : 0; }

int PavorunMapMaster::InsertRow(int id, const MapRow& row) {
  std::string sql = StartInsert(id);
  AppendSqlQuotedField(sql, row.name);
  AppendSqlQuotedField(sql, row.filename);
  AppendPrintColumns(sql, row.print, row.allfilename, row.hiResPrint);
  AppendSqlInt(sql, row.rotate);
  CloseSqlValues(sql);
  return ExecWrite(sql);
}

}  // namespace vx
