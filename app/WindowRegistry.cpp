#include "app/WindowRegistry.h"

#include <algorithm>
#include <iterator>
#include <string>

#include "app/ControllerWindow.h"
#include "platform/Sjis.h"
#include "res/ResourceIds.h"

namespace vx {

bool WindowRegistry::Register(int id, ControllerWindow* window, std::string_view name) {
  if (!window || count_ >= kCapacity) return false;
  WindowRecord& record = records_[Size()];
  record = WindowRecord{};
  record.window = window;
  record.rect = window->ScreenRect();
  record.id = id;
  record.shown = id & WindowRecord::kMainBit;
  const std::string terminated(name);
  SjisCopyBounded(record.name, terminated.c_str(), sizeof record.name);
  ++count_;
  return true;
}

WindowRecord* WindowRegistry::Find(const ControllerWindow* window) {
  if (!window) return nullptr;
  for (std::size_t i = 0; i < Size(); ++i) {
    if (records_[i].window == window) return &records_[i];
  }
  return nullptr;
}

const WindowRecord* WindowRegistry::Find(const ControllerWindow* window) const {
  return const_cast<WindowRegistry*>(this)->Find(window);
}

const WindowRecord* WindowRegistry::FindMain() const {
  for (const WindowRecord& record : Records()) {
    if (record.IsMain()) return &record;
  }
  return nullptr;
}

bool WindowRegistry::IsMainWindowMessage(unsigned message) {
  return message >= UM_WINDOW_REGISTERED && message <= UM_WINDOW_HIDDEN;
}

bool WindowRegistry::IsBroadcastMessage(unsigned message) {
  return (message >= UM_CIRCLE_CHANGED && message <= UM_RUN_SEARCH) ||
         message == UM_CHECKLIST_ENTRY_CHANGED || message == UM_CIRCLE_INFO_UPDATED ||
         message == UM_CHECKLIST_MARKS_CHANGED;
}

void WindowRegistry::Deliver(unsigned message, WParam wParam, LParam lParam) const {
  const bool mainOnly = IsMainWindowMessage(message);
  if (!mainOnly && !IsBroadcastMessage(message)) return;
  // By index: a receiver may register another window while it handles the message.
  for (int i = 0; i < count_; ++i) {
    const WindowRecord& record = records_[static_cast<std::size_t>(i)];
    if (mainOnly && !record.IsMain()) continue;
    record.window->OnAppMessage(message, wParam, lParam);
  }
}

bool WindowRegistry::IsRunMessage(unsigned message) {
  return message == UM_CIRCLE_CHECKED || message == UM_CIRCLE_UNCHECKED ||
         message == UM_CIRCLE_COLOR_CHANGED || message == UM_CHECKLIST_ENTRY_CHANGED;
}

void WindowRegistry::DeliverRun(std::span<const AppMessage> run) const {
  std::vector<AppMessage> kept;
  kept.reserve(run.size());
  std::copy_if(run.begin(), run.end(), std::back_inserter(kept),
               [](const AppMessage& m) { return IsRunMessage(m.message); });
  if (kept.empty()) return;
  // By index: a receiver may register another window while it handles the run.
  for (int i = 0; i < count_; ++i) {
    records_[static_cast<std::size_t>(i)].window->OnAppMessageRun(kept);
  }
}

void WindowRegistry::DeliverRunsEnded() const {
  for (int i = 0; i < count_; ++i) {
    records_[static_cast<std::size_t>(i)].window->OnAppMessageRunsEnded();
  }
}

bool WindowRegistry::Raise(const ControllerWindow* window, StackedWindow* owner, bool childWndTop) {
  WindowRecord* record = Find(window);
  if (!record) return false;
  record->raised = ++raiseCount_;
  if (!record->IsMain()) Promote(*record);
  Restack(owner, childWndTop);
  return true;
}

void WindowRegistry::Promote(WindowRecord& raised) {
  for (std::size_t i = 0; i < Size(); ++i) {
    WindowRecord& other = records_[i];
    if (&other != &raised && !other.IsMain() && other.rank < raised.rank) ++other.rank;
  }
  raised.rank = 0;
}

std::vector<ControllerWindow*> WindowRegistry::StackingOrder() const {
  std::vector<ControllerWindow*> order;
  const WindowRecord* main = FindMain();
  if (!main) return order;
  for (int rank = 0; rank < count_; ++rank) {
    for (const WindowRecord& record : Records()) {
      if (!record.IsMain() && record.shown && record.rank == rank) order.push_back(record.window);
    }
  }
  order.push_back(main->window);
  return order;
}

bool WindowRegistry::IsCovered(const ControllerWindow* window, bool childWndTop) const {
  const WindowRecord* below = Find(window);
  if (!below || !below->shown) return false;
  const WindowRect r = window->ScreenRect();
  for (const WindowRecord& above : Records()) {
    if (&above == below || !above.shown || above.raised <= below->raised) continue;
    if (childWndTop && above.IsMain()) continue;
    const WindowRect a = above.window->ScreenRect();
    if (a.left < r.right && r.left < a.right && a.top < r.bottom && r.top < a.bottom) return true;
  }
  return false;
}

// Raising from the bottom up leaves the owner on top, then the tool windows by recency, then the
// main window, all above every other window.
void WindowRegistry::Restack(StackedWindow* owner, bool childWndTop) const {
  if (childWndTop) {
    const std::vector<ControllerWindow*> order = StackingOrder();
    for (auto it = order.rbegin(); it != order.rend(); ++it) (*it)->BringToTop();
  }
  if (owner) owner->BringToTop();
}

void WindowRegistry::MinimizeShown() const {
  for (const WindowRecord& record : Records()) {
    if (record.shown) record.window->Minimize();
  }
}

void WindowRegistry::RestoreShown() const {
  for (const WindowRecord& record : Records()) {
    if (record.shown) record.window->Restore();
  }
}

}  // namespace vx
