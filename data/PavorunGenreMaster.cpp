#include "data/PavorunGenreMaster.h"

#include "data/RowColumns.h"
#include "data/SqlText.h"
#include "platform/CodePage.h"
#include "platform/Sjis.h"

namespace vx {

const std::string& PavorunGenreMaster::CreateText() const {
  static const std::string text = Sjis(
      "create table PavorunGenre (\n"
      "  pavorunNo INTEGER not null, -- パヴォ番号\n"
      "  id INTEGER not null, -- ジャンルID\n"
      "  name VARCHAR(10), -- ジャンル名\n"
      "  code INTEGER, -- ジャンルコード\n"
      "  primary key (pavorunNo,id)\n"
      ");");
  return text;
}

void PavorunGenreMaster::DropRows() {
  PavorunRowMaster::DropRows();
  codeIndex_.clear();
}

void PavorunGenreMaster::AddRow(int position, int n, char** columns) {
  GenreRow& row = RowAt(position);
  row.name = SjisTruncate(ColumnString(n, columns, 2), 41);
  row.code = ColumnInt(n, columns, 3);
  RememberName(row.name, position);
  codeIndex_[row.code] = position + 1;
}

const std::string& PavorunGenreMaster::GetRow(int id) const {
  return InRange(id) ? rows_[Index(id)].name : EmptyText();
}

int PavorunGenreMaster::GetCode(int id) const { return InRange(id) ? rows_[Index(id)].code : 0; }

int PavorunGenreMaster::FindIdByCode(int code) const {
  const auto found = codeIndex_.find(code);
  return found == codeIndex_.end() ? 0 : found->second;
}

int PavorunGenreMaster::InsertRow(int id, std::string_view name, int code) {
  std::string sql = StartInsert(id);
  AppendSqlQuotedField(sql, name);
  AppendSqlInt(sql, code);
  CloseSqlValues(sql);
  return ExecWrite(sql);
}

}  // namespace vx
