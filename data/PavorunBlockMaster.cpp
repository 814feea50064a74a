#include "data/PavorunBlockMaster.h"

#include "data/RowColumns.h"
#include "data/SqlText.h"
#include "platform/CodePage.h"
#include "platform/Sjis.h"

namespace vx {

const std::string& PavorunBlockMaster::CreateText() const {
  static const std::string text = Sjis(
      "create table PavorunBlock (\n"
      "  pavorunNo INTEGER not null, -- パヴォ番号\n"
      "  id INTEGER not null, -- ブロックID\n"
      "  name CHAR(2), -- ブロック名\n"
      "  areaId INTEGER not null, -- 対応地区ID\n"
      "  primary key (pavorunNo,id)\n"
      ");");
  return text;
}

void PavorunBlockMaster::AddRow(int position, int n, char** columns) {
  BlockRow& row = RowAt(position);
  row.name = SjisTruncate(ColumnString(n, columns, 2), 3);
  row.areaId = ColumnInt(n, columns, 3);
  RememberName(row.name, position);
}

const std::string& PavorunBlockMaster::GetRow(int id) const {
  return InRange(id) ? rows_[Index(id)].name : EmptyText();
}

int PavorunBlockMaster::GetAreaId(int id) const {
  return InRange(id) ? rows_[Index(id)].areaId : 0;
}

void PavorunBlockMaster::AppendBlockIdsOfArea(std::string& text, int areaId) const {
  for (std::size_t i = 0; i < rows_.size() && static_cast<int>(i) < Count(); ++i) {
    if (rows_[i].areaId != areaId) continue;
    if (!text.empty()) text.push_back(',');
    text += std::to_string(i + 1);
  }
}

int PavorunBlockMaster::InsertRow(int id, std::string_view name, int areaId) {
  std::string sql = StartInsert(id);
  AppendSqlQuotedField(sql, name);
  AppendSqlInt(sql, areaId);
  CloseSqlValues(sql);
  return ExecWrite(sql);
}

}  // namespace vx
