// What every frame and view offers the controller's broadcast: one entry point for the
// application messages (res/ResourceIds.h), called synchronously on the UI thread.
#pragma once

#include <cstdint>

namespace vx {

using WParam = std::uintptr_t;
using LParam = std::intptr_t;

class AppMessageSink {
 public:
  virtual ~AppMessageSink() = default;
  virtual void OnAppMessage(unsigned message, WParam wParam, LParam lParam) = 0;
};

}  // namespace vx
