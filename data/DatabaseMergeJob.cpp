#include "data/DatabaseMergeJob.h"

#include "data/ImportProgress.h"
#include "data/PavorunDatabase.h"
#include "data/SqlText.h"
#include "platform/CodePage.h"

#include <sqlite3.h>

#include <cstdlib>
#include <string_view>

namespace vx {

// One table of the merge: its columns in the target ('n' number, 't' text) and the fewest
// columns a row of the oldest schema has; shorter rows are not catalogue rows.
struct MergeTable {
  MergeState state;
  const char* name;
  const char* label;  // UTF-8
  std::string_view kinds;
  int minColumns;
  bool mayBeMissing;
};

namespace {

// Older databases have no errata table: for them there is nothing to copy.
constexpr MergeTable kTables[] = {
    {MergeState::kInfo, "PavorunInfo", "基本", "ntnnnnnnnnnn", 12, false},
    {MergeState::kDate, "PavorunDate", "日程", "nnnnnn", 6, false},
    {MergeState::kMap, "PavorunMap", "地図", "nnttnnnntnnnnn", 8, false},
    {MergeState::kArea, "PavorunArea", "地区", "nnttnnnnntnnnn", 9, false},
    {MergeState::kBlock, "PavorunBlock", "ブロック", "nntn", 4, false},
    {MergeState::kGenre, "PavorunGenre", "ジャンル", "nntn", 4, false},
    {MergeState::kLayout, "PavorunLayout", "レイアウト", "nnnnnnn", 7, false},
    {MergeState::kCircle, "PavorunCircle", "サークル", "nnnnnnnnnttttttttntttntt", 17, false},
    {MergeState::kJiko, "PavorunJiko", "事故", "nnnnnn", 6, true},
};

constexpr int kCircleIdColumn = 1;
constexpr int kCircleUpdateIdColumn = 17;

const MergeTable* FindTable(MergeState state) {
  for (const MergeTable& table : kTables) {
    if (table.state == state) return &table;
  }
  return nullptr;
}

bool IsEnd(MergeState state) {
  return state == MergeState::kFinished || state == MergeState::kCancelled ||
         state == MergeState::kFailed;
}

MergeState NextState(MergeState state) {
  return static_cast<MergeState>(static_cast<int>(state) + 1);
}

long long NumberOf(const char* text) {
  return text != nullptr ? std::strtoll(text, nullptr, 10) : 0;
}

// A number an older row lacks: the high-resolution print range of maps and areas is twice the
// print range; a circle's update id is its own id, as the day files' import numbers them.
long long MissingNumber(MergeState table, int column, char** columns) {
  const bool mapHiRes = table == MergeState::kMap && column >= 9 && column <= 12;
  const bool areaHiRes = table == MergeState::kArea && column >= 10 && column <= 13;
  if (mapHiRes || areaHiRes) return DoubledValue(NumberOf(columns[column - 5]));
  if (table == MergeState::kCircle && column == kCircleUpdateIdColumn) {
    return NumberOf(columns[kCircleIdColumn]);
  }
  return 0;
}

std::string TableError(const MergeTable& table, const std::string& what) {
  return std::string(table.name) + ": " + what;
}

}  // namespace

// "insert into <table> values(?,...)" prepared once per table, every value bound.
class DatabaseMergeJob::Insert {
 public:
  explicit Insert(sqlite3* connection) : connection_(connection) {}
  ~Insert() { sqlite3_finalize(statement_); }
  Insert(const Insert&) = delete;
  Insert& operator=(const Insert&) = delete;

  int Prepare(const MergeTable& table) {
    if (statement_ != nullptr) return SQLITE_OK;
    std::string sql = std::string("insert into ") + table.name + " values(";
    for (std::size_t i = 0; i < table.kinds.size(); ++i) sql += i == 0 ? "?" : ",?";
    sql += ");";
    return sqlite3_prepare_v2(connection_, sql.c_str(), -1, &statement_, nullptr);
  }
  // The row's texts live until the statement has run, so the engine need not copy them.
  void BindText(int column, const char* text) {
    sqlite3_bind_text(statement_, column + 1, text, -1, SQLITE_STATIC);
  }
  void BindNumber(int column, long long value) {
    sqlite3_bind_int64(statement_, column + 1, value);
  }
  void BindNull(int column) { sqlite3_bind_null(statement_, column + 1); }
  int Run() {
    int rc = sqlite3_step(statement_);
    if (rc == SQLITE_DONE) rc = SQLITE_OK;
    sqlite3_reset(statement_);
    sqlite3_clear_bindings(statement_);
    return rc;
  }
  std::string Error() const { return sqlite3_errmsg(connection_); }

 private:
  sqlite3* connection_;
  sqlite3_stmt* statement_ = nullptr;
};

DatabaseMergeJob::DatabaseMergeJob(PavorunDatabase& target, SqliteDatabase& source,
                                   int limitEventNo, ImportProgress* listener)
    : target_(target), source_(source), limit_(limitEventNo), listener_(listener) {}

std::string DatabaseMergeJob::TableLabel(MergeState state) {
  const MergeTable* table = FindTable(state);
  return table != nullptr ? Utf8ToCp932(table->label) : std::string();
}

int DatabaseMergeJob::Begin() {
  const int rc = target_.BeginTransaction();
  if (rc != 0) Fail(MergeState::kInfo, "BEGIN TRANSACTION: " + target_.LastError());
  return rc;
}

int DatabaseMergeJob::Step() {
  const MergeState state = State();
  if (IsEnd(state)) return 1;
  if (!target_.IsOpen() || !source_.IsOpen()) {
    Fail(state, "the database is not open");
    return 1;
  }
  CopyTable(*FindTable(state));
  MergeState expected = state;
  state_.compare_exchange_strong(expected, NextState(state));
  return IsEnd(State()) ? 1 : 0;
}

void DatabaseMergeJob::Cancel() {
  MergeState state = state_.load();
  while (!IsEnd(state) && !state_.compare_exchange_weak(state, MergeState::kCancelled)) {
  }
}

int DatabaseMergeJob::Finish() {
  if (State() == MergeState::kFinished) {
    if (target_.Commit() == 0) return kResultDone;
    Fail(MergeState::kFinished, "COMMIT: " + target_.LastError());
    target_.Rollback();
    return kResultFailed;
  }
  target_.Rollback();
  return State() == MergeState::kCancelled ? kResultCancelled : kResultFailed;
}

int DatabaseMergeJob::Run() {
  if (Begin() != 0) return Finish();
  while (Step() == 0) {
  }
  return Finish();
}

void DatabaseMergeJob::CopyTable(const MergeTable& table) {
  total_ = 0;
  position_ = 0;
  Report(0);
  if (table.mayBeMissing && !SourceHasTable(table.name)) return;
  int total = 0;
  int rc = source_.ExecPrintf(RowFirstColumnInt, &total,
                              "select count(*) from %s where pavorunNo < %d;", table.name, limit_);
  if (rc != 0) return Fail(table.state, TableError(table, source_.LastError()));
  total_ = total;
  if (total <= 0) return;
  Insert insert(target_.Connection());
  rc = source_.ExecRows(FormatSql("select * from %s where pavorunNo < %d;", table.name, limit_),
                        [&](int columnCount, char** columns) {
                          return CopyRow(table, insert, columnCount, columns);
                        });
  // A row that failed or a cancel has already set the state; anything else is the query's fault.
  if (rc != 0) Fail(table.state, TableError(table, source_.LastError()));
  Report(-1);
}

// Answers non-zero to stop the query: after a cancel, or when the row cannot be copied.
int DatabaseMergeJob::CopyRow(const MergeTable& table, Insert& insert, int columnCount,
                              char** columns) {
  if (State() != table.state) return 1;
  if (columnCount < table.minColumns) {
    Fail(table.state, TableError(table, "a row of " + std::to_string(columnCount) + " columns"));
    return 1;
  }
  if (table.state == MergeState::kInfo && !ReplaceEvent(table, columns[0])) return 1;
  if (insert.Prepare(table) != SQLITE_OK) {
    Fail(table.state, TableError(table, insert.Error()));
    return 1;
  }
  for (int i = 0; i < static_cast<int>(table.kinds.size()); ++i) {
    const bool text = table.kinds[i] == 't';
    if (i >= columnCount) {
      text ? insert.BindText(i, "") : insert.BindNumber(i, MissingNumber(table.state, i, columns));
    } else if (columns[i] == nullptr) {
      insert.BindNull(i);
    } else {
      text ? insert.BindText(i, columns[i]) : insert.BindNumber(i, NumberOf(columns[i]));
    }
  }
  if (insert.Run() != SQLITE_OK) {
    Fail(table.state, TableError(table, insert.Error()));
    return 1;
  }
  CountRow();
  return 0;
}

// The event of an information row is replaced as a whole.
bool DatabaseMergeJob::ReplaceEvent(const MergeTable& table, const char* eventText) {
  target_.SetEventNo(static_cast<int>(NumberOf(eventText)));
  if (target_.ClearEventTables() == 0) return true;
  Fail(table.state, TableError(table, target_.LastError()));
  return false;
}

bool DatabaseMergeJob::SourceHasTable(const char* name) {
  int count = 0;
  source_.ExecPrintf(RowFirstColumnInt, &count,
                     "select count(*) from sqlite_master where type='table' and name='%q';", name);
  return count > 0;
}

void DatabaseMergeJob::CountRow() {
  const int position = ++position_;
  if (position % 10 == 0 || position >= Total()) Report(position);
}

void DatabaseMergeJob::Report(int position) {
  if (listener_ != nullptr) listener_->ReportProgress(position);
}

void DatabaseMergeJob::Fail(MergeState from, const std::string& text) {
  if (state_.compare_exchange_strong(from, MergeState::kFailed)) errorText_ = text;
}

}  // namespace vx
