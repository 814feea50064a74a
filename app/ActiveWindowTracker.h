// Remembers which window was active when a modal interaction began, so that the same window can
// be activated again when it ends.
#pragma once

#include <memory>

namespace vx {

class RememberedWindow {
 public:
  virtual ~RememberedWindow() = default;
  // Activates the remembered window again; nothing when it has gone meanwhile or none was active.
  virtual void Reactivate() = 0;
};

class ActiveWindowTracker {
 public:
  virtual ~ActiveWindowTracker() = default;
  virtual std::unique_ptr<RememberedWindow> RememberActiveWindow() = 0;
};

}  // namespace vx
