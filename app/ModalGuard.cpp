#include "app/ModalGuard.h"

namespace vx {

void ModalGuard::Begin() {
  depth_.fetch_add(1);
  // Taken after the guard is up, as the window it remembers may react to being left.
  remembered_.push_back(tracker_ ? tracker_->RememberActiveWindow() : nullptr);
}

void ModalGuard::End() {
  if (!Decrement() || remembered_.empty()) return;
  std::unique_ptr<RememberedWindow> window = std::move(remembered_.back());
  remembered_.pop_back();
  if (window) window->Reactivate();
}

// Never below zero, also when an End without a Begin races another End.
bool ModalGuard::Decrement() {
  int depth = depth_.load();
  while (depth > 0) {
    if (depth_.compare_exchange_weak(depth, depth - 1)) return true;
  }
  return false;
}

ModalInputAnswer ModalGuard::FilterInput(ModalInput input, bool activating) const {
  if (!IsRaised()) return {};
  switch (input) {
    case ModalInput::kMouseMove:
    case ModalInput::kMouseButton:
    case ModalInput::kMouseWheel:
    case ModalInput::kKeyDown:
    case ModalInput::kKeyUp:
    case ModalInput::kClose:
    case ModalInput::kCommand:
    case ModalInput::kHitTest:
      return {true, 0};
    case ModalInput::kActivate:
      return activating ? ModalInputAnswer{true, 0} : ModalInputAnswer{};
    case ModalInput::kMouseActivate:
      return {true, ModalInputAnswer::kNoActivateAndEat};
    case ModalInput::kOther:
      break;
  }
  return {};
}

}  // namespace vx
