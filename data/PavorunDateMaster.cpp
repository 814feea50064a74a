#include "data/PavorunDateMaster.h"

#include "data/PavorunDatabase.h"
#include "data/RowColumns.h"
#include "platform/CodePage.h"

namespace vx {

const std::string& PavorunDateMaster::CreateText() const {
  static const std::string text = Sjis(
      "create table PavorunDate (\n"
      "  pavorunNo INTEGER not null, -- パヴォ番号\n"
      "  id INTEGER not null, -- 日程ID(初日が1)\n"
      "  year INTEGER, -- 年\n"
      "  month INTEGER, -- 月\n"
      "  day INTEGER, -- 日\n"
      "  weekday INTEGER, -- 曜日\n"
      "  primary key (pavorunNo,id)\n"
      ");");
  return text;
}

void PavorunDateMaster::AddRow(int position, int n, char** columns) {
  DateRow& row = RowAt(position);
  row.year = ColumnInt(n, columns, 2);
  row.month = ColumnInt(n, columns, 3);
  row.day = ColumnInt(n, columns, 4);
  row.weekday = ColumnInt(n, columns, 5);
}

int PavorunDateMaster::GetDayOfMonth(int id) const {
  return InRange(id) ? rows_[Index(id)].day : id;
}

int PavorunDateMaster::GetWeekday(int id) const {
  return InRange(id) ? rows_[Index(id)].weekday : id;
}

int PavorunDateMaster::FindDayByWeekday(int weekday) const {
  for (int id = 1; id <= Count(); ++id) {
    if (rows_[Index(id)].weekday == weekday) return id;
  }
  return 0;
}

int PavorunDateMaster::InsertRow(int id, int year, int month, int day, int weekday) {
  if (!HasDatabase()) return SqliteDatabase::kNoDatabase;
  return Owner().ExecPrintf(nullptr, nullptr, "insert into %s values (%d,%d,%d,%d,%d,%d);",
                            TableName(), EventNo(), id, year, month, day, weekday);
}

}  // namespace vx
