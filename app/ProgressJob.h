// The part of a progress dialog that knows nothing of widgets: the job's state shared between the
// UI thread and the worker, the progress position with its redraw rule, the transaction around a
// job that writes the database, and the dialog result. Each long job derives from ProgressJob and
// supplies its step, its progress text and, where it differs, its result.
#pragma once

#include <atomic>
#include <chrono>
#include <string>
#include <string_view>

namespace vx {

// Whatever runs SQL on the catalogue database; 0 means success (the engine's result codes).
class TransactionTarget {
 public:
  virtual ~TransactionTarget() = default;
  virtual int Execute(const std::string& sql) = 0;
};

// Told on the worker thread that the shown progress should be redrawn.
class ProgressListener {
 public:
  virtual ~ProgressListener() = default;
  virtual void ProgressRedrawDue() = 0;
};

enum class JobState : int { kIdle = 0, kRunning = 1, kDone = 2, kCancelled = 3, kError = 4 };

enum class StepResult { kContinue, kFinished, kFailed };

// Every 10th position and from the total on; a negative position means finished.
bool IsProgressRedrawDue(int position, int total);
// The position as shown: a negative (finished) position shows as the total.
int ShownProgressPosition(int position, int total);
// "<text>...(<position>/<total>)", the checklist dialogs' progress line; `text` is CP932.
std::string FormatProgressText(std::string_view text, int position, int total);
// 1 done, 0 cancelled, 2 error or never run.
int DefaultProgressResult(JobState state);

class ProgressJob {
 public:
  struct Options {
    TransactionTarget* database = nullptr;     // set for jobs that write the database
    bool redrawEveryReport = false;            // the checklist dialogs redraw on every report
    std::chrono::milliseconds reportPause{1};  // lets the UI thread in after every report

    // Every report redrawn and no pause: the dialog coalesces the queued redraws, so a fast
    // worker need not wait for the UI thread.
    static Options EveryReportRedrawn() { return {nullptr, true, std::chrono::milliseconds(0)}; }
  };

  ProgressJob();
  explicit ProgressJob(Options options);
  virtual ~ProgressJob() = default;
  ProgressJob(const ProgressJob&) = delete;
  ProgressJob& operator=(const ProgressJob&) = delete;

  // --- Supplied by each job ---
  // One step on the worker thread. After a cancel the step should end soon (StopRequested()).
  virtual StepResult Step() = 0;
  // The progress line for the dialog, CP932; called on the UI thread.
  virtual std::string ProgressText(int position, int total) const = 0;
  // The dialog result for the final state.
  virtual int Result(JobState finalState) const { return DefaultProgressResult(finalState); }
  // Raises the job's own stop flags (the parsers' flags, a task's flag); UI thread, at most once.
  virtual void OnCancel() {}

  // --- The protocol, driven by the dialog ---
  // UI thread, before the worker starts: running, and the transaction opened. False when the job
  // must not run (already run, or the transaction could not be opened: the state is then error).
  bool Begin();
  // The worker's work function: one step; 0 = call again, 1 = the job has ended.
  int RunStep();
  // Ends a running job with kDone or kError; false when it is no longer running (a cancel won).
  bool Finish(JobState outcome);
  // Running -> cancelled and the stop flags raised; false when there was nothing to cancel.
  bool RequestCancel();
  // UI thread, after the worker's last step: COMMIT when done, ROLLBACK otherwise; the result.
  int End();

  // --- Progress, reported by the work on the worker thread ---
  void SetTotal(int total);
  void ReportProgress(int position);
  void ReportProgress(int position, int total);
  // Set and cleared on the UI thread while no worker runs.
  void SetListener(ProgressListener* listener) { listener_ = listener; }

  int Position() const { return position_.load(); }
  int Total() const { return total_.load(); }
  JobState State() const { return state_.load(); }
  bool StopRequested() const { return stop_.load(); }

 private:
  bool MoveState(JobState from, JobState to);
  bool OpenTransaction();
  bool CloseTransaction();

  Options options_;
  std::atomic<JobState> state_{JobState::kIdle};
  std::atomic<bool> stop_{false};
  std::atomic<int> position_{0};
  std::atomic<int> total_{0};
  ProgressListener* listener_ = nullptr;
  bool transactionOpen_ = false;  // UI thread only
};

}  // namespace vx
