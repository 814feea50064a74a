// One frame in the controller's window registry.
#pragma once

#include <cstddef>

#include "app/SettingsValues.h"

namespace vx {

class ControllerWindow;

struct WindowRecord {
  static constexpr int kRegisteredBit = 0x8000;  // set on every registered window id
  static constexpr int kMainBit = 0x0001;        // the main window
  static constexpr int kUnraisedRank = 100;
  static constexpr std::size_t kNameSize = 64;

  ControllerWindow* window = nullptr;
  WindowRect rect{};          // screen rectangle at registration and at the last SaveWindowRect
  int shown = 0;              // 1 while the controller regards the window as shown
  int id = 0;                 // window id with the flag bits
  int rank = kUnraisedRank;   // 0 for the tool window raised last, counting up by recency
  unsigned raised = 0;        // when it was raised last (shown or activated); later is higher
  char name[kNameSize] = {};  // window-menu text, CP932

  bool IsMain() const { return (id & (kRegisteredBit | kMainBit)) == (kRegisteredBit | kMainBit); }
};

}  // namespace vx
