// How print runs tell their message window about progress and their end: the messages
// UM_PRINT_PROGRESS to UM_PRINT_PAGE, posted, so that a document thread never waits for the UI.
#pragma once

#include <cstdint>

#include "platform/UiServices.h"

namespace vx {

class PrintEventSink {
 public:
  virtual ~PrintEventSink() = default;
  // Queues the message for `window` and returns at once; any thread. wParam is always 0.
  virtual void Post(OwnerWindow window, unsigned message, std::intptr_t lParam) = 0;
};

}  // namespace vx
