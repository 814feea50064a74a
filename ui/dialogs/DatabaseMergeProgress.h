// Merges the events older than a limit from another catalogue database into the one in use under
// the progress dialog, inside one transaction of the target.
#pragma once

#include <memory>
#include <string>

class QWidget;

namespace vx {

class PavorunDatabase;
class ProgressDialog;
class SqliteDatabase;

class DatabaseMergeProgress {
 public:
  DatabaseMergeProgress(QWidget* parent, PavorunDatabase& target, SqliteDatabase& source,
                        int limitEventNo);
  ~DatabaseMergeProgress();
  DatabaseMergeProgress(const DatabaseMergeProgress&) = delete;
  DatabaseMergeProgress& operator=(const DatabaseMergeProgress&) = delete;

  // 1 done (committed), 0 cancelled, 2 failed (rolled back either way).
  int DoModal();
  // Why the merge failed; empty when the transaction itself could not be ended.
  const std::string& ErrorText() const;
  ProgressDialog& Dialog() { return *dialog_; }

 private:
  class Job;

  std::unique_ptr<Job> job_;
  std::unique_ptr<ProgressDialog> dialog_;
};

}  // namespace vx
