// Running a progress job the way the progress dialog does, on the test's thread, and watching its
// progress lines as the worker reports them.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/ProgressJob.h"
#include "platform/CodePage.h"

namespace vxtest {

// Begin, steps until the job ends, End: the dialog's result.
inline int RunJob(vx::ProgressJob& job) {
  if (job.Begin()) {
    while (job.RunStep() == 0) {
    }
  }
  return job.End();
}

// Keeps every progress line (UTF-8) the job reports; `onReport` may cancel the job.
class ProgressLines : public vx::ProgressListener {
 public:
  explicit ProgressLines(vx::ProgressJob& job, std::function<void(vx::ProgressJob&)> onReport = {})
      : job_(job), onReport_(std::move(onReport)) {
    job_.SetListener(this);
  }
  ~ProgressLines() override { job_.SetListener(nullptr); }

  void ProgressRedrawDue() override {
    lines.push_back(vx::Cp932ToUtf8(job_.ProgressText(job_.Position(), job_.Total())));
    if (onReport_) onReport_(job_);
  }

  std::vector<std::string> lines;

 private:
  vx::ProgressJob& job_;
  std::function<void(vx::ProgressJob&)> onReport_;
};

}  // namespace vxtest
