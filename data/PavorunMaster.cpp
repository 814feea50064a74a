#include "data/PavorunMaster.h"

#include "data/PavorunDatabase.h"
#include "data/RowColumns.h"
#include "data/SqlText.h"
#include "platform/Sjis.h"

#include <algorithm>
#include <climits>

namespace vx {
namespace {

PrintRect ReadRect(int n, char** columns, int first) {
  return {ColumnInt(n, columns, first), ColumnInt(n, columns, first + 1),
          ColumnInt(n, columns, first + 2), ColumnInt(n, columns, first + 3)};
}

void AppendRect(std::string& sql, const PrintRect& r) {
  for (int v : {r.x, r.y, r.w, r.h}) AppendSqlInt(sql, v);
}

}  // namespace

int DoubledValue(long long value) {
  return static_cast<int>(std::clamp<long long>(value, INT_MIN / 2, INT_MAX / 2) * 2);
}

PrintRect DoubledRect(const PrintRect& rect) {
  return {DoubledValue(rect.x), DoubledValue(rect.y), DoubledValue(rect.w), DoubledValue(rect.h)};
}

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

void PavorunMaster::ReadPrintColumns(int n, char** columns, int first,
                                     const std::string& defaultStem, PrintRect& print,
                                     std::string& stem, PrintRect& hiResPrint) {
  if (n < first + 4) return;
  print = ReadRect(n, columns, first);
  const std::string stored = ColumnString(n, columns, first + 4);
  stem = SjisTruncate(!stored.empty() ? stored : defaultStem, 11);
  hiResPrint = n >= first + 9 ? ReadRect(n, columns, first + 5) : DoubledRect(print);
}

void PavorunMaster::AppendPrintColumns(std::string& sql, const PrintRect& print,
                                       std::string_view stem, const PrintRect& hiResPrint) {
  AppendRect(sql, print);
  AppendSqlQuotedField(sql, stem);
  AppendRect(sql, hiResPrint);
}

const std::string& PavorunMaster::EmptyText() {
  static const std::string empty;
  return empty;
}

}  // namespace vx
