// Closing the main window through the window manager while work runs in a modal dialog: the
// close reaches the program although the dialog blocks the window, ends the work as the dialog's
// Cancel does and ends the program. Needs an X display (the tests run under xvfb-run).
#include <gtest/gtest.h>

#include <QGuiApplication>

#include "tests/program/QuitFixture.h"

namespace vxtest {
namespace {

class WindowCloseWhileWorkTest : public QuitTest, public ::testing::WithParamInterface<Work> {
 protected:
  void SetUp() override {
    if (QGuiApplication::platformName() != QStringLiteral("xcb")) {
      GTEST_SKIP() << "the window manager's close needs an X display (xvfb-run), not "
                   << QGuiApplication::platformName().toStdString();
    }
    QuitTest::SetUp();
  }
};

TEST_P(WindowCloseWhileWorkTest, EndsTheWorkAndTheProgram) {
  QuitWhileWorkRuns(GetParam(), Trigger::kWindowClose);
}

INSTANTIATE_TEST_SUITE_P(WhileWorkRuns, WindowCloseWhileWorkTest,
                         ::testing::Values(Work::kInstall, Work::kChecklistLoad, Work::kPreview,
                                           Work::kPrint, Work::kUpdate));

}  // namespace
}  // namespace vxtest
