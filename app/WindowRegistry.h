// The registered top-level frames in registration order: where application messages go, how the
// tool windows are stacked above the main window, and their shared minimise and restore.
// Records are never removed one by one; Clear empties the registry at shut-down.
#pragma once

#include <array>
#include <span>
#include <string_view>
#include <vector>

#include "app/AppMessageSink.h"
#include "app/WindowRecord.h"

namespace vx {

class StackedWindow;

class WindowRegistry {
 public:
  static constexpr int kCapacity = 16;

  // False when the registry is full or the window is null. Only the main window starts shown.
  // The name is cut to 63 bytes without splitting a double-byte character.
  bool Register(int id, ControllerWindow* window, std::string_view name);
  void Clear() { count_ = 0; }

  int Count() const { return count_; }
  std::span<const WindowRecord> Records() const { return {records_.data(), Size()}; }
  WindowRecord* Find(const ControllerWindow* window);
  const WindowRecord* Find(const ControllerWindow* window) const;
  const WindowRecord* FindMain() const;

  // Messages UM_WINDOW_REGISTERED..UM_WINDOW_HIDDEN reach the main window only; the location,
  // checklist and option messages reach every window; the others reach nobody.
  static bool IsMainWindowMessage(unsigned message);
  static bool IsBroadcastMessage(unsigned message);
  // Sends the message to its receivers in registration order and returns after the last one.
  void Deliver(unsigned message, WParam wParam, LParam lParam) const;
  // The messages of single checklist entries (checked, unchecked, colour changed, entry changed),
  // which every window takes as they come, one run of them at a time.
  static bool IsRunMessage(unsigned message);
  // Each window in registration order takes the whole run (any other message left out of it).
  void DeliverRun(std::span<const AppMessage> run) const;
  void DeliverRunsEnded() const;

  // Makes a tool window the most recently raised (rank 0) and restacks: the owner on top and,
  // with `childWndTop`, the shown tool windows below it by recency, then the main window.
  // False when the window is not registered.
  bool Raise(const ControllerWindow* window, StackedWindow* owner, bool childWndTop);
  // The windows that the restack puts on top of each other, topmost first (owner excluded).
  std::vector<ControllerWindow*> StackingOrder() const;
  // Whether a shown window raised after this shown one lies over part of it; with
  // `childWndTop` the main window lies below every tool window.
  bool IsCovered(const ControllerWindow* window, bool childWndTop) const;

  void MinimizeShown() const;
  void RestoreShown() const;

 private:
  std::size_t Size() const { return static_cast<std::size_t>(count_); }
  void Promote(WindowRecord& raised);
  void Restack(StackedWindow* owner, bool childWndTop) const;

  std::array<WindowRecord, kCapacity> records_{};
  int count_ = 0;
  unsigned raiseCount_ = 0;
};

}  // namespace vx
