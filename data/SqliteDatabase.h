// The gateway to a catalogue database file: one SQLite connection, opened in the form the file has
// (scrambled or plain), with the CP932 text functions registered, running SQL with row callbacks.
//
// Result codes are SQLite's: 0 success, 1 SQL error or missing table, 4 aborted because a row
// callback answered non-zero, other engine codes as they come; -1 when no database is open.
#pragma once

#include "data/SqlRow.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

struct sqlite3;

namespace vx {

class SqliteConnection;

// SQLite's row callback: (context, column count, column texts, column names) -> 0 to go on,
// non-zero to abort the statement. A NULL value arrives as a null pointer.
using RowCallback = int (*)(void* context, int columnCount, char** columns, char** names);

// The same contract for code that prefers a closure.
using RowHandler = std::function<int(int columnCount, char** columns)>;

// Stores the first column's decimal value of each row into the int that `context` points to (the
// last row wins; without a row or with a NULL value the int keeps what it held). Answers 0.
int RowFirstColumnInt(void* context, int columnCount, char** columns, char** names);

// Appends the first column's decimal value of each row to the std::vector<int> at `context`.
int RowAppendInt(void* context, int columnCount, char** columns, char** names);

class SqliteDatabase {
 public:
  static constexpr int kNoDatabase = -1;
  static constexpr int kReadWrite = 0;
  static constexpr int kReadOnly = 1;

  // Opens `folder`/`fileName` (an empty folder means the working folder); mode 0 is read-write,
  // any other value read-only. A missing file is created, also in read-only mode, and is written
  // scrambled. Whether a connection resulted is seen by IsOpen(); LastError() tells why not.
  SqliteDatabase(const std::filesystem::path& folder, const std::string& fileName = "database.db",
                 int mode = kReadWrite);
  virtual ~SqliteDatabase();
  SqliteDatabase(const SqliteDatabase&) = delete;
  SqliteDatabase& operator=(const SqliteDatabase&) = delete;

  bool IsOpen() const { return connection_ != nullptr; }
  sqlite3* Connection() const { return connection_; }
  int Mode() const { return mode_; }
  bool IsScrambled() const { return scrambled_; }
  const std::filesystem::path& Folder() const { return folder_; }
  const std::filesystem::path& Path() const { return path_; }
  // The engine's text for the last statement or open that failed; empty after a success.
  const std::string& LastError() const { return lastError_; }
  // The file is no sound database, whatever it holds: not a database at all, a header that does
  // not match the file, or damaged pages that a statement on this connection met. An empty or
  // missing file is a new database, not a damaged one.
  bool IsDamaged() const { return damaged_; }
  // The path names a folder, a pipe or a device: nothing was opened, and it counts as damaged.
  bool IsNotRegularFile() const { return notRegularFile_; }

  int Exec(RowCallback callback, void* context, const std::string& sql);
  // `format` is a program constant for sqlite3_mprintf (%d, %s, %q, %Q); values are arguments.
  int ExecPrintf(RowCallback callback, void* context, const char* format, ...);
  int ExecRows(const std::string& sql, const RowHandler& onRow);
  // One statement, its rows read in the engine's types; the same result codes as Exec.
  int QueryRows(const std::string& sql, const SqlRowHandler& onRow);

  // Runs the statement on a connection of its own, opened on the same file in the same mode and
  // form with the same SQL functions, then closed; for a worker thread that must not share the
  // main connection. -1 when that connection cannot be opened. LastError() is left alone.
  int ExecPrintfOnNewConnection(RowCallback callback, void* context, const char* format, ...);
  // QueryRows on a connection of its own, as ExecPrintfOnNewConnection; the engine's text of a
  // failure goes to `error` (which may be null).
  int QueryRowsOnNewConnection(const std::string& sql, const SqlRowHandler& onRow,
                               std::string* error);
  // A connection of its own on the same file, in the same mode and form with the same SQL
  // functions, for one thread at a time, kept open as long as its holder wants; null, with why in
  // `error` (which may be null), when it cannot be opened.
  std::unique_ptr<SqliteConnection> OpenConnection(std::string* error);

  int BeginTransaction();
  int Commit();
  int Rollback();

 protected:
  // Registers the SQL functions on a connection this object opened; derived classes add theirs
  // after calling this one. Also called for the connections of ExecPrintfOnNewConnection.
  virtual void RegisterFunctions(sqlite3* connection);

 private:
  void OpenInDetectedForm();
  bool Open(bool scramble);
  // Passes `rc` on, remembering damage it reports.
  int NoteDamage(int rc);

  int mode_;
  std::filesystem::path folder_;
  std::filesystem::path path_;
  bool scrambled_ = false;
  bool damaged_ = false;
  bool notRegularFile_ = false;
  sqlite3* connection_ = nullptr;
  std::string lastError_;
};

}  // namespace vx
