// What the controller's window registry needs of a registered frame (main, map, checklist,
// detail, list): its messages, its rectangle, minimise and restore, and its z-order.
#pragma once

#include "app/AppMessageSink.h"
#include "app/SettingsValues.h"
#include "app/StackedWindow.h"

namespace vx {

class ControllerWindow : public AppMessageSink, public StackedWindow {
 public:
  // The frame's rectangle on the screen.
  virtual WindowRect ScreenRect() const = 0;
  virtual void Minimize() = 0;
  virtual void Restore() = 0;
};

// The window messages (UM_WINDOW_REGISTERED .. UM_WINDOW_HIDDEN) carry the registered frame
// object itself in lParam.
inline LParam WindowParam(const ControllerWindow* window) {
  return reinterpret_cast<LParam>(window);
}
inline ControllerWindow* WindowFromParam(LParam lParam) {
  return reinterpret_cast<ControllerWindow*>(lParam);
}

}  // namespace vx
