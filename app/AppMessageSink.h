// What every frame and view offers the controller's broadcast: one entry point for the
// application messages (res/ResourceIds.h), called synchronously on the UI thread.
#pragma once

#include <cstdint>
#include <span>

namespace vx {

using WParam = std::uintptr_t;
using LParam = std::intptr_t;

struct AppMessage {
  unsigned message = 0;
  WParam wParam = 0;
  LParam lParam = 0;
  bool operator==(const AppMessage&) const = default;
};

class AppMessageSink {
 public:
  virtual ~AppMessageSink() = default;
  virtual void OnAppMessage(unsigned message, WParam wParam, LParam lParam) = 0;

  // Many messages of single checklist entries at once, in order (a checklist applied to the
  // windows): a sink may take them as one change and repaint once, and leave its command states
  // to OnAppMessageRunsEnded.
  virtual void OnAppMessageRun(std::span<const AppMessage> run) {
    for (const AppMessage& m : run) OnAppMessage(m.message, m.wParam, m.lParam);
  }
  // After the last run of a walk.
  virtual void OnAppMessageRunsEnded() {}
};

}  // namespace vx
