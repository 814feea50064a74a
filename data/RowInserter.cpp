#include "data/RowInserter.h"

#include "data/SqliteDatabase.h"

#include <sqlite3.h>

namespace vx {

RowInserter::~RowInserter() { sqlite3_finalize(statement_); }

int RowInserter::Prepare() {
  if (!db_.IsOpen()) return SqliteDatabase::kNoDatabase;
  if (statement_ != nullptr) return SQLITE_OK;
  const int rc = sqlite3_prepare_v2(db_.Connection(), sql_.c_str(), -1, &statement_, nullptr);
  if (rc != SQLITE_OK) error_ = sqlite3_errmsg(db_.Connection());
  return rc;
}

void RowInserter::BindInt(int column, int value) { sqlite3_bind_int(statement_, column, value); }

void RowInserter::BindText(int column, std::string_view text) {
  // A null pointer would store NULL.
  const char* bytes = text.empty() ? "" : text.data();
  sqlite3_bind_text(statement_, column, bytes, static_cast<int>(text.size()), SQLITE_STATIC);
}

int RowInserter::Run() {
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
