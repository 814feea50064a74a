// The modal guard's view of the active window in a Qt application.
#pragma once

#include "app/ActiveWindowTracker.h"

namespace vx {

class QtActiveWindowTracker : public ActiveWindowTracker {
 public:
  // The application's active window, held so that a window destroyed meanwhile is not touched.
  std::unique_ptr<RememberedWindow> RememberActiveWindow() override;
};

}  // namespace vx
