#include "data/CircleRowInserter.h"

#include "data/PavorunDatabase.h"

#include <sqlite3.h>

#include <string_view>

namespace vx {
namespace {

constexpr const char* kInsertSql =
    "insert into PavorunCircle values(?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?);";

void BindText(sqlite3_stmt* statement, int index, std::string_view text) {
  // The record outlives the step, so the engine need not copy the text. An empty text is stored
  // as '' (a null pointer would store NULL).
  const char* bytes = text.empty() ? "" : text.data();
  sqlite3_bind_text(statement, index, bytes, static_cast<int>(text.size()), SQLITE_STATIC);
}

}  // namespace

CircleRowInserter::~CircleRowInserter() { sqlite3_finalize(statement_); }

int CircleRowInserter::Prepare() {
  if (statement_ != nullptr) return SQLITE_OK;
  const int rc = sqlite3_prepare_v2(db_.Connection(), kInsertSql, -1, &statement_, nullptr);
  if (rc != SQLITE_OK) error_ = sqlite3_errmsg(db_.Connection());
  return rc;
}

int CircleRowInserter::Insert(const CircleRecord& r) {
  if (!db_.IsOpen()) return SqliteDatabase::kNoDatabase;
  if (const int rc = Prepare(); rc != SQLITE_OK) return rc;
  int index = 1;
  for (int v : {db_.GetEventNo(), r.id, r.pageNo, r.cutIndex, r.day, r.blockId, r.spaceNo,
                r.spaceNoSub, r.genreId}) {
    sqlite3_bind_int(statement_, index++, v);
  }
  for (const std::string* text : {&r.circleName, &r.circleKana, &r.penName, &r.bookName, &r.url,
                                  &r.mailAddr, &r.description}) {
    BindText(statement_, index++, *text);
  }
  BindText(statement_, index++, {});  // memo lives in the checklist
  sqlite3_bind_int(statement_, index++, r.updateId);
  for (const std::string* text : {&r.updateData, &r.orbalink, &r.rss}) {
    BindText(statement_, index++, *text);
  }
  sqlite3_bind_int(statement_, index++, 0);
  BindText(statement_, index++, r.twitter);
  BindText(statement_, index++, r.pixiv);
  int rc = sqlite3_step(statement_);
  if (rc == SQLITE_DONE) {
    rc = SQLITE_OK;
  } else {
    error_ = sqlite3_errmsg(db_.Connection());
  }
  sqlite3_reset(statement_);
  return rc;
}

}  // namespace vx
