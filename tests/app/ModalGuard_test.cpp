#include "app/ModalGuard.h"

#include <gtest/gtest.h>

#include "tests/app/FakeWindows.h"

namespace {

using vx::ModalInput;
using vx::ModalInputAnswer;

TEST(FilterModalInput, RaisedGuardSwallowsInputAndEatsActivatingClicks) {
  vx::ModalGuard guard;
  const ModalInput swallowed[] = {
      ModalInput::kMouseMove, ModalInput::kMouseButton, ModalInput::kMouseWheel,
      ModalInput::kKeyDown,   ModalInput::kKeyUp,       ModalInput::kClose,
      ModalInput::kCommand,   ModalInput::kHitTest,     ModalInput::kMouseActivate};
  for (ModalInput input : swallowed) EXPECT_EQ(guard.FilterInput(input), ModalInputAnswer{});
  EXPECT_EQ(guard.FilterInput(ModalInput::kActivate, true), ModalInputAnswer{});

  guard.Begin();
  for (ModalInput input : swallowed) {
    const bool eat = input == ModalInput::kMouseActivate;
    EXPECT_EQ(guard.FilterInput(input),
              (ModalInputAnswer{true, eat ? ModalInputAnswer::kNoActivateAndEat : 0}));
  }
  EXPECT_EQ(guard.FilterInput(ModalInput::kActivate, true), (ModalInputAnswer{true, 0}));
  EXPECT_EQ(guard.FilterInput(ModalInput::kActivate, false), ModalInputAnswer{});  // deactivation
  EXPECT_EQ(guard.FilterInput(ModalInput::kOther), ModalInputAnswer{});
}

// A dialog opens over the main window and shows a message box: the guard counts, and each End
// activates again the window that was active at its Begin.
TEST(ModalGuardNesting, InnerEndKeepsTheGuardUpAndEachEndRestoresItsWindow) {
  vxtest::FakeActiveWindows windows;
  vx::ModalGuard guard(&windows);
  guard.End();  // unmatched: changes nothing
  guard.Begin();
  windows.active = "dialog";
  {
    vx::ModalGuard::Scope box(guard);
    windows.active = "box";
    EXPECT_EQ(guard.Depth(), 2);
  }
  EXPECT_TRUE(guard.IsRaised());
  EXPECT_EQ(guard.FilterInput(ModalInput::kMouseButton), (ModalInputAnswer{true, 0}));
  EXPECT_EQ(windows.active, "dialog");
  guard.End();
  guard.End();
  EXPECT_EQ(guard.Depth(), 0);
  EXPECT_EQ(windows.reactivated, (std::vector<std::string>{"dialog", "main"}));
  guard.Begin();
  EXPECT_TRUE(guard.IsRaised());  // extra Ends earlier do not cancel a later Begin
}

}  // namespace
