#include <gtest/gtest.h>

#include <memory>
#include <thread>

#include "app/ProgressJob.h"
#include "tests/app/ControllerFixture.h"

namespace {

using vxtest::FakeFrame;
using vxtest::Messages;
using WindowsTest = vxtest::ControllerTest;

TEST_F(WindowsTest, RegistrationIsAnnouncedToTheMainWindowAndTheSeventeenthIsRefused) {
  std::vector<std::unique_ptr<FakeFrame>> extra;
  for (int i = 5; i < 16; ++i) {
    extra.push_back(std::make_unique<FakeFrame>(&log));
    ASSERT_TRUE(controller.RegisterWindow(0x8100 + 2 * i, extra.back().get(), "x"));
  }
  EXPECT_EQ(log.size(), 11u);
  EXPECT_EQ(ReceivedBy(main).back(),
            (vxtest::Message{UM_WINDOW_REGISTERED, 0, vx::WindowParam(extra.back().get())}));
  FakeFrame late(&log);
  log.clear();
  EXPECT_FALSE(controller.RegisterWindow(0x8200, &late, "late"));
  controller.SelectCircle(101, false);
  EXPECT_TRUE(ReceivedBy(late).empty());
  EXPECT_EQ(ReceivedBy(*extra.back()).size(), 6u);
  EXPECT_FALSE(controller.ShowRegisteredWindow(&late));
}

TEST_F(WindowsTest, ShowAndHideGoIntoTheSettingsSlotAndTellTheMainWindow) {
  ASSERT_TRUE(controller.ShowRegisteredWindow(&map));
  EXPECT_EQ(values.windowShown[1], 1);  // the map's settings slot
  EXPECT_EQ(controller.Registry().Find(&map)->rank, 0);  // shown windows are raised
  ASSERT_TRUE(controller.HideRegisteredWindow(&map));
  EXPECT_EQ(values.windowShown[1], 0);
  EXPECT_EQ(ReceivedBy(main), (Messages{{UM_WINDOW_SHOWN, 0, vx::WindowParam(&map)},
                                        {UM_WINDOW_HIDDEN, 0, vx::WindowParam(&map)}}));
  EXPECT_EQ(log.size(), 2u);
  controller.MinimizeAllWindows();
  EXPECT_EQ(main.minimized, 0);  // not without SyncIconic
  values.syncIconic = 1;
  controller.MinimizeAllWindows();
  EXPECT_EQ(main.minimized + map.minimized, 1);  // only shown windows
}

TEST_F(WindowsTest, BroadcastFromAWorkerRunsOnTheUiThread) {
  std::thread::id uiThread;
  std::vector<std::thread::id> deliveredOn;
  vx::ControllerServices services;
  services.runOnUiThread = [&](std::function<void()> work) {
    // Stands in for the UI thread's event loop: the worker waits until the work has run.
    std::thread ui([&] { work(); });
    uiThread = ui.get_id();
    ui.join();
  };
  vx::CatalogController worker(nullptr, services);
  FakeFrame frame;
  frame.onMessage = [&] { deliveredOn.push_back(std::this_thread::get_id()); };
  worker.RegisterWindow(vx::kMainWindowId, &frame, "main");
  std::thread([&] { worker.Broadcast(UM_CIRCLE_CHECKED, 1, 101); }).join();
  ASSERT_EQ(deliveredOn.size(), 2u);  // the registration message and the broadcast
  EXPECT_EQ(deliveredOn[1], uiThread);
}

TEST_F(WindowsTest, MessageBoxRunsUnderTheModalGuardOwnedByTheBeacon) {
  std::vector<std::size_t> boxesSeen;  // when a window is remembered, then reactivated
  activeWindows.probe = [&] { boxesSeen.push_back(ui.Calls().size()); };
  ui.QueueAnswer(IDNO);
  EXPECT_EQ(controller.ShowMessageBox(vx::MB_YESNO, "text", "title"), IDNO);
  EXPECT_EQ(boxesSeen, (std::vector<std::size_t>{0, 1}));
  EXPECT_EQ(activeWindows.reactivated, std::vector<std::string>{"main"});
  EXPECT_EQ(ui.Calls().at(0).owner, &beacon);
  EXPECT_FALSE(controller.Guard().IsRaised());
  controller.BeginModal();
  EXPECT_EQ(controller.FilterModalInput(vx::ModalInput::kCommand), (vx::ModalInputAnswer{true, 0}));
  controller.EndModal();
  EXPECT_EQ(controller.FilterModalInput(vx::ModalInput::kCommand), vx::ModalInputAnswer{});
}

// Without a database (or when Init was refused) every question has its neutral answer and no
// move announces anything.
class NeutralTest : public ::testing::TestWithParam<bool> {};

TEST_P(NeutralTest, ControllerWithoutDataAnswersNeutrally) {
  vxtest::TempDir dir;
  vx::PavorunDatabase db(dir.path());
  vx::CatalogImages images;
  vx::SettingsValues values{};
  vx::CatalogController c(nullptr, {});
  if (GetParam()) {
    vxtest::BuildControllerCatalog(db);
    EXPECT_FALSE(c.Init(&db, nullptr, &values));
    EXPECT_FALSE(c.Init(&db, &images, nullptr));
    EXPECT_FALSE(c.Init(nullptr, &images, &values));
  }
  std::vector<vxtest::Delivery> log;
  FakeFrame main{&log};
  ASSERT_TRUE(c.RegisterWindow(vx::kMainWindowId, &main, "main"));
  log.clear();
  EXPECT_EQ(c.GetSearchCondition(), nullptr);
  EXPECT_EQ(c.GetFavoriteStore(), nullptr);
  EXPECT_EQ((std::vector<int>{c.GetFirstPage(), c.GetLastPage(), c.GetEventNumber(),
                              c.GetDayCount(), c.GetSpaceX(1, 1), c.HitTestCut(10, 10),
                              c.GetCutWidth(), c.FirstOccupiedCut()}),
            (std::vector<int>{-1, -1, 0, 0, vx::CatalogController::kNoSpace, 0, 0, 0}));
  EXPECT_EQ(c.GetEventName() + c.GetDayBlockName(1, 1), "");
  EXPECT_FALSE(c.HasPageImage() || c.LoadPage(10));
  vx::CircleRecord record;
  EXPECT_FALSE(c.GetCircle(101, &record));
  c.SelectCircle(101, true);
  c.JumpTo(10, 1, true);
  c.GoToPage(10);
  c.SelectNextCut();
  c.SelectDay(1);
  c.NextBlock();
  c.GoBack();
  c.SetImageFolder("/nowhere");
  EXPECT_EQ(c.CurrentCircle().id, 0);
  EXPECT_TRUE(c.History().IsEmpty());
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(c.ShowMessageBox(vx::MB_OK, "t", "c"), IDCANCEL);  // no UI services
  class Job : public vx::ProgressJob {
    vx::StepResult Step() override { return vx::StepResult::kFinished; }
    std::string ProgressText(int, int) const override { return {}; }
  } job;
  EXPECT_EQ(c.RunProgressJob(job, "x"), 2);  // no runner
  EXPECT_EQ(job.State(), vx::JobState::kIdle);
  EXPECT_FALSE(c.Guard().IsRaised());
}

INSTANTIATE_TEST_SUITE_P(NoInitAndRefusedInit, NeutralTest, ::testing::Bool());

}  // namespace
