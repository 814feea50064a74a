#include "data/PavorunMaster.h"

#include "data/PavorunDatabase.h"
#include "data/SqlText.h"

namespace vx {

int PavorunMaster::Load(const std::string& where) {
  FreeRows();
  if (!HasDatabase()) return SqliteDatabase::kNoDatabase;
  PavorunDatabase& db = Owner();
  int count = 0;
  if (where.empty()) {
    db.ExecPrintf(RowFirstColumnInt, &count, "select count(*) from %s where pavorunNo=%d;",
                  TableName(), EventNo());
  } else {
    db.ExecPrintf(RowFirstColumnInt, &count, "select count(*) from %s where pavorunNo=%d AND %s;",
                  TableName(), EventNo(), where.c_str());
  }
  rowCount_ = count > 0 ? count : 0;
  AllocRows(rowCount_);
  int cursor = 0;
  const std::string sql =
      where.empty()
          ? FormatSql("select * from %s where pavorunNo=%d order by id;", TableName(), EventNo())
          : FormatSql("select * from %s where pavorunNo=%d AND %s order by id;", TableName(),
                      EventNo(), where.c_str());
  return db.ExecRows(sql, [&](int columnCount, char** columns) {
    if (cursor >= rowCount_) return -1;
    AddRow(cursor++, columnCount, columns);
    return 0;
  });
}

void PavorunMaster::FreeRows() {
  DropRows();
  nameIndex_.clear();
  rowCount_ = 0;
  ++generation_;
}

const std::string& PavorunMaster::GetRow(int) const { return EmptyText(); }

int PavorunMaster::FindIdByName(std::string_view name) const {
  const auto found = nameIndex_.find(std::string(name));
  return found == nameIndex_.end() ? 0 : found->second;
}

int PavorunMaster::FindIdByCode(int) const { return 0; }

void PavorunMaster::RememberName(const std::string& name, int position) {
  nameIndex_[name] = position + 1;
}

std::string PavorunMaster::StartInsert(int id) const {
  std::string sql = "insert into ";
  AppendSqlText(sql, TableName());
  AppendSqlText(sql, " values(");
  AppendSqlInt(sql, EventNo());
  AppendSqlInt(sql, id);
  return sql;
}

const std::string& PavorunMaster::EmptyText() {
  static const std::string empty;
  return empty;
}

}  // namespace vx
