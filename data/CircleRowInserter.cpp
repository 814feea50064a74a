#include "data/CircleRowInserter.h"

#include "data/PavorunDatabase.h"

#include <sqlite3.h>

#include <string>

namespace vx {

CircleRowInserter::CircleRowInserter(PavorunDatabase& db)
    : db_(db),
      row_(db,
           "insert into PavorunCircle "
           "values(?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?);") {}

int CircleRowInserter::Insert(const CircleRecord& r) {
  if (const int rc = row_.Prepare(); rc != SQLITE_OK) return rc;
  int column = 1;
  for (int v : {db_.GetEventNo(), r.id, r.pageNo, r.cutIndex, r.day, r.blockId, r.spaceNo,
                r.spaceNoSub, r.genreId}) {
    row_.BindInt(column++, v);
  }
  for (const std::string* text : {&r.circleName, &r.circleKana, &r.penName, &r.bookName, &r.url,
                                  &r.mailAddr, &r.description}) {
    row_.BindText(column++, *text);
  }
  row_.BindText(column++, {});  // memo lives in the checklist
  row_.BindInt(column++, r.updateId);
  for (const std::string* text : {&r.updateData, &r.orbalink, &r.rss}) {
    row_.BindText(column++, *text);
  }
  row_.BindInt(column++, 0);
  row_.BindText(column++, r.twitter);
  row_.BindText(column++, r.pixiv);
  return row_.Run();
}

}  // namespace vx
