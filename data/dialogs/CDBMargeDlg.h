// Merges the events older than a limit from another catalogue database into the one in use under
// the progress dialog, inside one transaction of the target.
#pragma once

#include <memory>

class QWidget;

namespace vx {

class PavorunDatabase;
class ProgressDialog;
class SqliteDatabase;

class CDBMargeDlg {
 public:
  CDBMargeDlg(QWidget* parent, PavorunDatabase& target, SqliteDatabase& source, int limitEventNo);
  ~CDBMargeDlg();
  CDBMargeDlg(const CDBMargeDlg&) = delete;
  CDBMargeDlg& operator=(const CDBMargeDlg&) = delete;

  // 1 done (committed), 0 cancelled, 2 failed (rolled back either way).
  int DoModal();
  ProgressDialog& Dialog() { return *dialog_; }

 private:
  class Job;

  std::unique_ptr<Job> job_;
  std::unique_ptr<ProgressDialog> dialog_;
};

}  // namespace vx
