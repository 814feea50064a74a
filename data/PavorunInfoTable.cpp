#include "data/PavorunInfoTable.h"

#include "data/PavorunDatabase.h"
#include "data/RowColumns.h"
#include "data/SqlText.h"
#include "platform/CodePage.h"
#include "platform/Sjis.h"

namespace vx {

const std::string& PavorunInfoTable::CreateText() const {
  static const std::string text = Sjis(
      "create table PavorunInfo (\n"
      "  pavorunNo INTEGER not null, -- パヴォ番号\n"
      "  pavorunName VARCHAR(20), -- パヴォ名称\n"
      "  cutSizeW INTEGER, -- サークルカット幅\n"
      "  cutSizeH INTEGER, -- サークルカット高さ\n"
      "  cutOriginX INTEGER, -- サークルカット原点X\n"
      "  cutOriginY INTEGER, -- サークルカット原点Y\n"
      "  cutOffsetX INTEGER, -- サークルカットオフセット(X方向)\n"
      "  cutOffsetY INTEGER, -- サークルカットオフセット(Y方向)\n"
      "  mapSizeW INTEGER, -- マップ机サイズ幅\n"
      "  mapSizeH INTEGER, -- マップ机サイズ高さ\n"
      "  mapOriginX INTEGER, -- マップ机表示原点X\n"
      "  mapOriginY INTEGER, -- マップ机表示原点Y\n"
      "  primary key (pavorunNo)\n"
      ");");
  return text;
}

int PavorunInfoTable::ReadEventInfo(EventInfo& info) {
  if (!HasDatabase()) return SqliteDatabase::kNoDatabase;
  return Owner().ExecRows(
      FormatSql("select * from %s where pavorunNo=%d ", TableName(), EventNo()),
      [&info](int n, char** columns) {
        info.pavorunName = SjisTruncate(ColumnString(n, columns, 1), kEventNameMaxBytes);
        int* numbers[] = {&info.cutSizeW,   &info.cutSizeH,   &info.cutOriginX, &info.cutOriginY,
                          &info.cutOffsetX, &info.cutOffsetY, &info.mapSizeW,   &info.mapSizeH,
                          &info.mapOriginX, &info.mapOriginY};
        for (int i = 0; i < 10; ++i) *numbers[i] = ColumnInt(n, columns, 2 + i);
        return 0;
      });
}

int PavorunInfoTable::InsertRow(const EventInfo& info) {
  std::string sql = "insert into PavorunInfo values(";
  AppendSqlInt(sql, EventNo());
  AppendSqlQuotedField(sql, info.pavorunName);
  for (int v : {info.cutSizeW, info.cutSizeH, info.cutOriginX, info.cutOriginY, info.cutOffsetX,
                info.cutOffsetY, info.mapSizeW, info.mapSizeH, info.mapOriginX, info.mapOriginY}) {
    AppendSqlInt(sql, v);
  }
  CloseSqlValues(sql);
  return ExecWrite(sql);
}

}  // namespace vx
