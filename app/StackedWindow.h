// A top-level window whose place in the desktop's z-order the controller arranges.
#pragma once

namespace vx {

class StackedWindow {
 public:
  virtual ~StackedWindow() = default;
  // Puts the window, with the windows it owns, at the top of the z-order without moving,
  // resizing or activating it.
  virtual void BringToTop() = 0;
};

}  // namespace vx
