// Runs the controller's long jobs in the shared progress dialog.
#pragma once

#include <utility>

#include "app/CSThread.h"
#include "app/ProgressJobRunner.h"

namespace vx {

class ProgressDialogRunner : public ProgressJobRunner {
 public:
  explicit ProgressDialogRunner(ThreadStarter starter = StartThread)
      : starter_(std::move(starter)) {}

  // `owner` is the QWidget the dialog is centred on, or null.
  int Run(ProgressJob& job, std::string_view caption, OwnerWindow owner) override;

 private:
  ThreadStarter starter_;
};

}  // namespace vx
