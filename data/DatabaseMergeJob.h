// Copies every event older than a limit from another catalogue database into the one in use, so
// that earlier events stay available after a new database was installed. One table per step, so
// that a worker thread can drive it under a progress dialog; the whole merge is one transaction of
// the target, so a cancelled or failed merge leaves it as it was.
//
// An event's information row replaces that event in the target: its rows are first deleted from
// all nine tables. Rows of an older schema (fewer columns) get the defaults of the columns they
// lack. Every value is bound to the insert, never pasted into SQL text.
//
// Threads: Begin, Finish and Cancel belong to the UI thread; Step runs on the worker and reports
// there. The state only moves by compare-and-swap, so a cancel is never overwritten.
#pragma once

#include <atomic>
#include <string>

namespace vx {

class ImportProgress;
class PavorunDatabase;
class SqliteDatabase;
struct MergeTable;

enum class MergeState : int {
  kInfo = 1,
  kDate = 2,
  kMap = 3,
  kArea = 4,
  kBlock = 5,
  kGenre = 6,
  kLayout = 7,
  kCircle = 8,
  kJiko = 9,
  kFinished = 10,
  kCancelled = 11,
  kFailed = 12,
};

class DatabaseMergeJob {
 public:
  static constexpr int kResultCancelled = 0;
  static constexpr int kResultDone = 1;
  static constexpr int kResultFailed = 2;

  // Events below `limitEventNo` are copied from `source` into `target`. `listener` may be null.
  DatabaseMergeJob(PavorunDatabase& target, SqliteDatabase& source, int limitEventNo,
                   ImportProgress* listener = nullptr);
  DatabaseMergeJob(const DatabaseMergeJob&) = delete;
  DatabaseMergeJob& operator=(const DatabaseMergeJob&) = delete;

  // Opens the target's transaction; a failure fails the job. A caller that keeps the transaction
  // itself skips Begin and Finish and commits only after kFinished.
  int Begin();
  // Copies one table: 0 to be called again, 1 when the job has ended.
  int Step();
  // Stops the copy before the next row; a job that has ended keeps its state.
  void Cancel();
  // Commits when the job finished (a failing commit fails it), otherwise rolls back; the result.
  int Finish();
  // Begin, Step until the end, Finish.
  int Run();

  MergeState State() const { return state_.load(); }
  // Rows of the table being copied, and rows copied of it.
  int Total() const { return total_.load(); }
  int Position() const { return position_.load(); }
  // Why the job failed, for a caller without message boxes; read once it has ended.
  const std::string& ErrorText() const { return errorText_; }

  // "基本", "日程", ... for the table a state copies (CP932); "" for the end states.
  static std::string TableLabel(MergeState state);

 private:
  class Insert;

  void CopyTable(const MergeTable& table);
  int CopyRow(const MergeTable& table, Insert& insert, int columnCount, char** columns);
  bool ReplaceEvent(const MergeTable& table, const char* eventText);
  bool SourceHasTable(const char* name);
  void CountRow();
  void Report(int position);
  void Fail(MergeState from, const std::string& text);

  PavorunDatabase& target_;
  SqliteDatabase& source_;
  int limit_;
  ImportProgress* listener_;
  std::atomic<MergeState> state_{MergeState::kInfo};
  std::atomic<int> total_{0};
  std::atomic<int> position_{0};
  std::string errorText_;
};

}  // namespace vx
