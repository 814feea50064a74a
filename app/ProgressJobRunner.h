// Runs a long job in the modal progress dialog (text, bar, Cancel) and answers the dialog's
// result. The controller raises its modal guard around every run.
#pragma once

#include <string_view>

#include "platform/UiServices.h"

namespace vx {

class ProgressJob;

class ProgressJobRunner {
 public:
  virtual ~ProgressJobRunner() = default;
  // `caption` is CP932; `owner` may be null.
  virtual int Run(ProgressJob& job, std::string_view caption, OwnerWindow owner) = 0;
};

}  // namespace vx
