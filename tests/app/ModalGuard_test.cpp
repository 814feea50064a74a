#include "app/ModalGuard.h"

#include <gtest/gtest.h>

#include "tests/app/FakeWindows.h"

namespace {

using vx::ModalGuard;
using vx::ModalInput;
using vx::ModalInputAnswer;
using vxtest::FakeActiveWindows;

constexpr ModalInputAnswer kPass{false, 0};
constexpr ModalInputAnswer kSwallow{true, 0};

TEST(FilterModalInput, EverythingPassesWhileTheGuardIsDown) {
  ModalGuard guard;
  for (ModalInput input : {ModalInput::kMouseMove, ModalInput::kMouseButton, ModalInput::kKeyDown,
                           ModalInput::kClose, ModalInput::kCommand, ModalInput::kHitTest,
                           ModalInput::kMouseActivate, ModalInput::kOther}) {
    EXPECT_EQ(guard.FilterInput(input), kPass);
  }
  EXPECT_EQ(guard.FilterInput(ModalInput::kActivate, true), kPass);
}

TEST(FilterModalInput, RaisedGuardSwallowsInputAndEatsActivatingClicks) {
  ModalGuard guard;
  guard.Begin();
  for (ModalInput input : {ModalInput::kMouseMove, ModalInput::kMouseButton,
                           ModalInput::kMouseWheel, ModalInput::kKeyDown, ModalInput::kKeyUp,
                           ModalInput::kClose, ModalInput::kCommand, ModalInput::kHitTest}) {
    EXPECT_EQ(guard.FilterInput(input), kSwallow) << static_cast<int>(input);
  }
  EXPECT_EQ(guard.FilterInput(ModalInput::kActivate, true), kSwallow);
  EXPECT_EQ(guard.FilterInput(ModalInput::kActivate, false), kPass);  // deactivation passes
  EXPECT_EQ(guard.FilterInput(ModalInput::kMouseActivate),
            (ModalInputAnswer{true, ModalInputAnswer::kNoActivateAndEat}));
  EXPECT_EQ(guard.FilterInput(ModalInput::kOther), kPass);
}

TEST(ModalGuardNesting, InnerEndKeepsTheGuardUpAndEachEndRestoresItsWindow) {
  FakeActiveWindows windows;
  ModalGuard guard(&windows);
  windows.active = "main";
  guard.Begin();  // a dialog opens over the main window
  windows.active = "dialog";
  guard.Begin();  // the dialog shows a message box
  windows.active = "box";
  EXPECT_EQ(guard.Depth(), 2);

  guard.End();  // the box closes
  EXPECT_TRUE(guard.IsRaised());
  EXPECT_EQ(guard.FilterInput(ModalInput::kMouseButton), kSwallow);
  EXPECT_EQ(windows.active, "dialog");

  guard.End();  // the dialog closes
  EXPECT_FALSE(guard.IsRaised());
  EXPECT_EQ(windows.active, "main");
  EXPECT_EQ(windows.reactivated, (std::vector<std::string>{"dialog", "main"}));
}

TEST(ModalGuardNesting, UnmatchedEndChangesNothing) {
  FakeActiveWindows windows;
  ModalGuard guard(&windows);
  guard.End();
  EXPECT_EQ(guard.Depth(), 0);
  guard.Begin();
  guard.End();
  guard.End();
  EXPECT_EQ(guard.Depth(), 0);
  EXPECT_EQ(windows.reactivated.size(), 1u);
  guard.Begin();
  EXPECT_TRUE(guard.IsRaised());  // an extra End earlier does not cancel a later Begin
}

TEST(ModalGuardNesting, ScopeLowersTheGuardOnEveryWayOut) {
  ModalGuard guard;
  try {
    ModalGuard::Scope scope(guard);
    EXPECT_TRUE(guard.IsRaised());
    throw 1;
  } catch (int) {
  }
  EXPECT_FALSE(guard.IsRaised());
}

}  // namespace
