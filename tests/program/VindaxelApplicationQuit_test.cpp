// Quitting while work runs in a modal dialog, offscreen: SIGTERM and the program's own Close()
// end the program within seconds, with the worker stopped and joined and nothing half-done left
// behind. (The window manager's close is tested on a display: VindaxelApplicationWindowClose.)
#include <gtest/gtest.h>

#include <QMessageBox>
#include <QTimer>

#include <tuple>

#include "tests/program/QuitFixture.h"

namespace vxtest {
namespace {

class QuitWhileWorkTest : public QuitTest,
                          public ::testing::WithParamInterface<std::tuple<Work, Trigger>> {};

TEST_P(QuitWhileWorkTest, EndsWithinSecondsWithTheWorkerJoinedAndNothingHalfDone) {
  QuitWhileWorkRuns(std::get<0>(GetParam()), std::get<1>(GetParam()));
}

INSTANTIATE_TEST_SUITE_P(WhileWorkRuns, QuitWhileWorkTest,
                         ::testing::Combine(::testing::Values(Work::kInstall, Work::kChecklistLoad,
                                                              Work::kPreview, Work::kPrint,
                                                              Work::kUpdate),
                                            ::testing::Values(Trigger::kClose, Trigger::kSigterm)));

// A changed checklist is asked about once the work has stopped, as when the user closes the
// window; Cancel keeps the program running, and a later close asks again.
TEST_F(QuitTest, AChangedChecklistIsAskedAboutOnceTheWorkHasStopped) {
  vx::VindaxelApplication program({});
  program_ = &program;
  ASSERT_TRUE(program.Start());
  trigger_ = Trigger::kSigterm;
  vx::CatalogController& controller = *program.GetCore()->Controller();
  controller.SetCircleColor(2, controller.GetCurrentCircle().id);
  auto pages = std::make_shared<GatedPages>(gate_, [this] { Quit(); });
  PrepareImageOutput(program, pages);
  int questions = 0;
  OnShow<QMessageBox> answer([&](QMessageBox* box) {
    EXPECT_TRUE(pages->closed);  // the print has ended before the question
    const bool first = ++questions == 1;
    box->button(first ? QMessageBox::Cancel : QMessageBox::No)->click();
    if (first) QTimer::singleShot(0, &program, [&] { program.Close(); });
  });
  MainLoopDeadline deadline(std::chrono::seconds(15), [this] { gate_.Release(); });
  QTimer::singleShot(0, [&] { program.GetMainWindow()->RunCommand(ID_IMAGE_OUTPUT); });
  EXPECT_EQ(program.Run(), 0);
  EXPECT_EQ(questions, 2);
  EXPECT_FALSE(program.GetMainWindow()->isVisible());
  actors_.clear();
}

}  // namespace
}  // namespace vxtest
