#include "data/PavorunJikoTable.h"

#include "data/PavorunDatabase.h"
#include "data/SqlText.h"
#include "platform/CodePage.h"

namespace vx {

const std::string& PavorunJikoTable::CreateText() const {
  static const std::string text = Sjis(
      "create table PavorunJiko (\n"
      "  pavorunNo INTEGER not null, -- パヴォ番号\n"
      "  day INTEGER, -- 参加日\n"
      "  blockId INTEGER, -- ブロックID\n"
      "  spaceNo INTEGER, -- スペース番号\n"
      "  spaceNoSub INTEGER, -- 0:a 1:b\n"
      "  jikoNo INTEGER, -- 事故画像番号\n"
      "  primary key (pavorunNo, day, blockId, spaceNo, spaceNoSub)\n"
      ");");
  return text;
}

int PavorunJikoTable::FindJikoNo(int day, int blockId, int spaceNo, int spaceNoSub) {
  if (!HasDatabase()) return -1;
  int jikoNo = -1;
  Owner().ExecPrintf(RowFirstColumnInt, &jikoNo,
                     "select jikoNo from %s where pavorunNo=%d and day=%d and blockId=%d and "
                     "spaceNo=%d and spaceNoSub=%d",
                     TableName(), EventNo(), day, blockId, spaceNo, spaceNoSub);
  return jikoNo;
}

int PavorunJikoTable::InsertRow(int day, int blockId, int spaceNo, int spaceNoSub, int jikoNo) {
  std::string sql = "insert into PavorunJiko values(";
  for (int v : {EventNo(), day, blockId, spaceNo, spaceNoSub, jikoNo}) AppendSqlInt(sql, v);
  CloseSqlValues(sql);
  return ExecWrite(sql);
}

}  // namespace vx
