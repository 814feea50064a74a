// Keeps every registered frame inert while a dialog or message box of the program runs, so that
// no second command starts beside a modal one. Guards nest: each Begin remembers the window that
// was active, and the matching End activates it again; the frames take input only after the
// outermost End.
#pragma once

#include <atomic>
#include <memory>
#include <vector>

#include "app/ActiveWindowTracker.h"

namespace vx {

// The kinds of input a frame receives, as the guard tells them apart.
enum class ModalInput {
  kMouseMove,
  kMouseButton,  // presses, releases and double clicks of any button
  kMouseWheel,
  kKeyDown,
  kKeyUp,
  kClose,
  kCommand,        // menu, accelerator and tool-bar commands
  kHitTest,        // which part of the frame lies under the pointer
  kActivate,       // activation or deactivation of the frame
  kMouseActivate,  // activation by a click
  kOther,
};

// What the frame does with the input: `handled` input is not processed further and `result` is
// the frame's answer to it.
struct ModalInputAnswer {
  static constexpr int kNoActivateAndEat = 4;  // a click neither activates the frame nor acts

  bool handled = false;
  int result = 0;
  friend bool operator==(const ModalInputAnswer&, const ModalInputAnswer&) = default;
};

class ModalGuard {
 public:
  explicit ModalGuard(ActiveWindowTracker* tracker = nullptr) : tracker_(tracker) {}
  ModalGuard(const ModalGuard&) = delete;
  ModalGuard& operator=(const ModalGuard&) = delete;

  // UI thread. An End without a Begin changes nothing.
  void Begin();
  void End();

  bool IsRaised() const { return depth_.load() > 0; }
  int Depth() const { return depth_.load(); }

  // While the guard is raised: pointer, keyboard, close, command and hit-test input and an
  // activation are swallowed (result 0), an activating click is eaten without activating;
  // everything else, and everything while the guard is down, passes.
  ModalInputAnswer FilterInput(ModalInput input, bool activating = false) const;

  // Begin on construction, End on destruction.
  class Scope {
   public:
    explicit Scope(ModalGuard& guard) : guard_(guard) { guard_.Begin(); }
    ~Scope() { guard_.End(); }
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;

   private:
    ModalGuard& guard_;
  };

 private:
  bool Decrement();

  ActiveWindowTracker* tracker_;
  std::atomic<int> depth_{0};
  std::vector<std::unique_ptr<RememberedWindow>> remembered_;  // UI thread only
};

}  // namespace vx
