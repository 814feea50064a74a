#include "data/SqliteDatabase.h"

#include "data/RowColumns.h"
#include "data/ScrambleVfs.h"
#include "data/SqlRow.h"
#include "data/SqliteConnection.h"
#include "data/TextSqlFunctions.h"

#include <sqlite3.h>

#include <cstdarg>
#include <cstdint>
#include <fstream>
#include <mutex>

namespace vx {
namespace {

constexpr int kBusyTimeoutMs = 2000;

// SQLite opens lazily: a file in the other form, or not a database, only fails on first read.
constexpr const char* kProbeSql = "SELECT count(*) FROM sqlite_master;";
// Page size takes effect before the first write; no WAL and no memory mapping for our files.
constexpr const char* kWriterSetupSql = "PRAGMA page_size=1024; PRAGMA journal_mode=DELETE;";
constexpr const char* kSetupSql = "PRAGMA mmap_size=0;";

std::string ErrorOf(sqlite3* db, int rc) {
  return db != nullptr ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
}

bool RunSetup(sqlite3* db, const char* sql, std::string& error, int& code) {
  code = sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
  if (code == SQLITE_OK) return true;
  error = ErrorOf(db, code);
  return false;
}

bool IsDamageCode(int rc) { return rc == SQLITE_CORRUPT || rc == SQLITE_NOTADB; }

std::uint32_t BigEndian(const unsigned char* bytes, int count) {
  std::uint32_t value = 0;
  for (int i = 0; i < count; ++i) value = value << 8 | bytes[i];
  return value;
}

// What the 100-byte header of an opened file says must hold of it: a page size the engine
// writes, its fixed payload fractions, and the whole pages it counts (when that count is kept
// valid) present in the file. A file cut short or overwritten in part fails here before any of
// its missing pages is read.
bool HeaderMatchesFile(const std::filesystem::path& path, bool scrambled) {
  constexpr int kHeaderSize = 100;
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error) return false;
  if (size == 0) return true;  // a new database
  unsigned char head[kHeaderSize] = {};
  std::ifstream in(path, std::ios::binary);
  if (size < kHeaderSize || !in.read(reinterpret_cast<char*>(head), kHeaderSize)) return false;
  if (scrambled) ScrambleBytes(head, kHeaderSize, 0);
  std::uint32_t pageSize = BigEndian(head + 16, 2);
  if (pageSize == 1) pageSize = 65536;
  const bool powerOfTwo = pageSize >= 512 && pageSize <= 65536 && (pageSize & (pageSize - 1)) == 0;
  if (!powerOfTwo || head[21] != 64 || head[22] != 32 || head[23] != 32) return false;
  if (size % pageSize != 0) return false;
  const bool pageCountValid = BigEndian(head + 24, 4) == BigEndian(head + 92, 4);
  return !pageCountValid || size / pageSize >= BigEndian(head + 28, 4);
}

// Before the engine's first use: no allocation statistics, whose global mutex every allocation of
// every connection would take.
void ConfigureEngine() {
  static std::once_flag once;
  std::call_once(once, [] { sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0); });
}

// `code` gets the engine's code of what failed.
sqlite3* Connect(const std::filesystem::path& path, bool readOnly, bool scramble,
                 std::string& error, int& code, int extraFlags = 0) {
  ConfigureEngine();
  if (scramble && !RegisterScrambleVfs()) {
    error = "page scrambling is not available";
    code = SQLITE_ERROR;
    return nullptr;
  }
  const int flags =
      extraFlags | (readOnly ? SQLITE_OPEN_READONLY : (SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE));
  sqlite3* db = nullptr;
  code = sqlite3_open_v2(path.c_str(), &db, flags, scramble ? kScrambleVfsName : nullptr);
  if (code != SQLITE_OK) {
    error = ErrorOf(db, code);
    sqlite3_close(db);
    return nullptr;
  }
  sqlite3_busy_timeout(db, kBusyTimeoutMs);
  const bool ready = RunSetup(db, kProbeSql, error, code) && RunSetup(db, kSetupSql, error, code) &&
                     (readOnly || sqlite3_db_readonly(db, "main") == 1 ||
                      RunSetup(db, kWriterSetupSql, error, code));
  if (!ready) {
    sqlite3_close(db);
    return nullptr;
  }
  return db;
}

bool ExistsAsOtherThanFile(const std::filesystem::path& path) {
  std::error_code ec;
  const std::filesystem::file_status status = std::filesystem::status(path, ec);
  return std::filesystem::exists(status) && !std::filesystem::is_regular_file(status);
}

bool EnsureFileExists(const std::filesystem::path& path) {
  std::error_code ec;
  if (std::filesystem::exists(path, ec)) return true;
  std::ofstream create(path, std::ios::binary | std::ios::app);
  return static_cast<bool>(create);
}

bool HasPendingJournal(const std::filesystem::path& path) {
  std::error_code ec;
  const std::filesystem::path journal = path.string() + "-journal";
  return std::filesystem::exists(journal, ec) && std::filesystem::file_size(journal, ec) > 0;
}

int RunOn(sqlite3* db, RowCallback callback, void* context, const char* format, va_list args,
          std::string* error) {
  char* sql = sqlite3_vmprintf(format, args);
  if (sql == nullptr) return SQLITE_NOMEM;
  char* message = nullptr;
  const int rc = sqlite3_exec(db, sql, callback, context, &message);
  sqlite3_free(sql);
  if (message != nullptr && error != nullptr) *error = message;
  sqlite3_free(message);
  return rc;
}

int HandlerTrampoline(void* context, int columnCount, char** columns, char**) {
  return (*static_cast<const RowHandler*>(context))(columnCount, columns);
}

}  // namespace

int RowFirstColumnInt(void* context, int columnCount, char** columns, char**) {
  if (ColumnText(columnCount, columns, 0) != nullptr) {
    *static_cast<int*>(context) = ColumnInt(columnCount, columns, 0);
  }
  return 0;
}

int RowAppendInt(void* context, int columnCount, char** columns, char**) {
  static_cast<std::vector<int>*>(context)->push_back(ColumnInt(columnCount, columns, 0));
  return 0;
}

SqliteDatabase::SqliteDatabase(const std::filesystem::path& folder, const std::string& fileName,
                               int mode)
    : mode_(mode),
      folder_(folder.empty() ? std::filesystem::path(".") : folder),
      path_(folder_ / fileName) {
  OpenInDetectedForm();
}

SqliteDatabase::~SqliteDatabase() {
  if (connection_ != nullptr) sqlite3_close_v2(connection_);
}

void SqliteDatabase::OpenInDetectedForm() {
  // A folder cannot be opened and a pipe would block the first read: neither is a database, and
  // what stands there is left alone.
  if (ExistsAsOtherThanFile(path_)) {
    lastError_ = "not a regular file: " + path_.string();
    damaged_ = true;
    notRegularFile_ = true;
    return;
  }
  if (mode_ != kReadWrite && !EnsureFileExists(path_)) {
    lastError_ = "unable to open database: " + path_.string();
    return;
  }
  switch (DetectDatabaseForm(path_)) {
    case DatabaseForm::kScrambled:
      Open(true);
      return;
    case DatabaseForm::kPlain:
      Open(false);
      return;
    case DatabaseForm::kUnknown:
      // A trial open in the wrong form would replay the journal through the wrong layer.
      if (HasPendingJournal(path_)) {
        lastError_ = "file is not a database and has a pending journal: " + path_.string();
        damaged_ = true;
        return;
      }
      if (!Open(true)) Open(false);
      return;
  }
}

bool SqliteDatabase::Open(bool scramble) {
  lastError_.clear();
  scrambled_ = scramble;
  int code = SQLITE_OK;
  connection_ = Connect(path_, mode_ != kReadWrite, scramble, lastError_, code);
  damaged_ = connection_ == nullptr ? IsDamageCode(code) : !HeaderMatchesFile(path_, scramble);
  if (connection_ == nullptr) return false;
  if (damaged_) lastError_ = "database disk image is malformed: " + path_.string();
  RegisterFunctions(connection_);
  return true;
}

void SqliteDatabase::RegisterFunctions(sqlite3* connection) {
  if (connection != nullptr) RegisterTextFunctions(connection);
}

int SqliteDatabase::Exec(RowCallback callback, void* context, const std::string& sql) {
  lastError_.clear();
  if (connection_ == nullptr) return kNoDatabase;
  char* message = nullptr;
  const int rc = sqlite3_exec(connection_, sql.c_str(), callback, context, &message);
  if (message != nullptr) lastError_ = message;
  sqlite3_free(message);
  return NoteDamage(rc);
}

int SqliteDatabase::NoteDamage(int rc) {
  if (IsDamageCode(rc)) damaged_ = true;
  return rc;
}

int SqliteDatabase::ExecPrintf(RowCallback callback, void* context, const char* format, ...) {
  lastError_.clear();
  if (connection_ == nullptr) return kNoDatabase;
  va_list args;
  va_start(args, format);
  const int rc = RunOn(connection_, callback, context, format, args, &lastError_);
  va_end(args);
  return NoteDamage(rc);
}

int SqliteDatabase::ExecRows(const std::string& sql, const RowHandler& onRow) {
  return Exec(HandlerTrampoline, const_cast<RowHandler*>(&onRow), sql);
}

int SqliteDatabase::QueryRows(const std::string& sql, const SqlRowHandler& onRow) {
  lastError_.clear();
  if (connection_ == nullptr) return kNoDatabase;
  return NoteDamage(StepRows(connection_, sql, onRow, &lastError_));
}

int SqliteDatabase::QueryRowsOnNewConnection(const std::string& sql, const SqlRowHandler& onRow,
                                             std::string* error) {
  const std::unique_ptr<SqliteConnection> second = OpenConnection(error);
  return second ? second->QueryRows(sql, onRow, error) : kNoDatabase;
}

std::unique_ptr<SqliteConnection> SqliteDatabase::OpenConnection(std::string* error) {
  std::string openError = "no database is open";
  int code = SQLITE_OK;
  // Only one thread at a time uses the connection: the engine need not lock it on every call.
  sqlite3* second = connection_ == nullptr ? nullptr
                                           : Connect(path_, mode_ != kReadWrite, scrambled_,
                                                     openError, code, SQLITE_OPEN_NOMUTEX);
  if (second == nullptr) {
    if (error != nullptr) *error = openError;
    return nullptr;
  }
  RegisterFunctions(second);
  return std::make_unique<SqliteConnection>(second);
}

int SqliteDatabase::ExecPrintfOnNewConnection(RowCallback callback, void* context,
                                              const char* format, ...) {
  if (connection_ == nullptr) return kNoDatabase;
  std::string error;
  int code = SQLITE_OK;
  sqlite3* second = Connect(path_, mode_ != kReadWrite, scrambled_, error, code);
  if (second == nullptr) return kNoDatabase;
  RegisterFunctions(second);
  va_list args;
  va_start(args, format);
  const int rc = RunOn(second, callback, context, format, args, nullptr);
  va_end(args);
  sqlite3_close_v2(second);
  return rc;
}

int SqliteDatabase::BeginTransaction() { return Exec(nullptr, nullptr, "BEGIN TRANSACTION;"); }
int SqliteDatabase::Commit() { return Exec(nullptr, nullptr, "COMMIT;"); }
int SqliteDatabase::Rollback() { return Exec(nullptr, nullptr, "ROLLBACK;"); }

}  // namespace vx
