// The frame's part for a picture view under test: every application message goes on to the
// view.
#pragma once

#include "app/AppMessageSink.h"
#include "app/ControllerWindow.h"

namespace vxtest {

class ForwardingFrame : public vx::ControllerWindow {
 public:
  void OnAppMessage(unsigned message, vx::WParam wParam, vx::LParam lParam) override {
    if (view) view->OnAppMessage(message, wParam, lParam);
  }
  vx::WindowRect ScreenRect() const override { return {0, 0, 1024, 768}; }
  void Minimize() override {}
  void Restore() override {}
  void BringToTop() override {}

  vx::AppMessageSink* view = nullptr;
};

}  // namespace vxtest
