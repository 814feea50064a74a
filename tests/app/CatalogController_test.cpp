#include <gtest/gtest.h>

#include <QImage>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <thread>

#include "app/ProgressJob.h"
#include "tests/app/ControllerFixture.h"

namespace {

using vxtest::FakeFrame;
using vxtest::Messages;
using ControllerTest = vxtest::ControllerTest;

TEST_F(ControllerTest, RegistrationIsAnnouncedToTheMainWindowAndTheSeventeenthIsRefused) {
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
}

TEST_F(ControllerTest, ShowAndHideGoIntoTheSettingsSlotAndTellTheMainWindow) {
  ASSERT_TRUE(controller.ShowRegisteredWindow(&map));
  EXPECT_EQ(values.windowShown[1], 1);                      // the map's settings slot
  EXPECT_EQ(controller.GetRegistry().Find(&map)->rank, 0);  // shown windows are raised
  ASSERT_TRUE(controller.HideRegisteredWindow(&map));
  EXPECT_EQ(values.windowShown[1], 0);
  EXPECT_EQ(ReceivedBy(main), (Messages{{UM_WINDOW_SHOWN, 0, vx::WindowParam(&map)},
                                        {UM_WINDOW_HIDDEN, 0, vx::WindowParam(&map)}}));
  EXPECT_EQ(log.size(), 2u);
}

// Without an application object the controller's own thread is the UI thread: a worker's
// broadcast cannot be carried there and is refused rather than run window code on the worker.
TEST_F(ControllerTest, AWorkersBroadcastWithNoWayToTheUiThreadIsRefused) {
  bool delivered = true;
  std::thread([&] { delivered = controller.Broadcast(UM_IMAGES_CHANGED, 0, 0); }).join();
  EXPECT_FALSE(delivered);
  EXPECT_TRUE(log.empty());
  EXPECT_TRUE(controller.Broadcast(UM_IMAGES_CHANGED, 0, 0));
  EXPECT_EQ(log.size(), frames.size());
}

TEST_F(ControllerTest, MessageBoxRunsUnderTheModalGuardOwnedByTheBeacon) {
  std::vector<std::size_t> boxesSeen;  // when a window is remembered, then reactivated
  activeWindows.probe = [&] { boxesSeen.push_back(ui.Calls().size()); };
  ui.QueueAnswer(IDNO);
  EXPECT_EQ(controller.ShowMessageBox(vx::MB_YESNO, "text", "title"), IDNO);
  EXPECT_EQ(boxesSeen, (std::vector<std::size_t>{0, 1}));
  EXPECT_EQ(activeWindows.reactivated, std::vector<std::string>{"main"});
  EXPECT_EQ(ui.Calls().at(0).owner, &beacon);
  EXPECT_FALSE(controller.GetGuard().IsRaised());
  controller.BeginModal();
  EXPECT_EQ(controller.FilterModalInput(vx::ModalInput::kCommand), (vx::ModalInputAnswer{true, 0}));
  controller.EndModal();
  EXPECT_EQ(controller.FilterModalInput(vx::ModalInput::kCommand), vx::ModalInputAnswer{});
}

// The image folder's name holds a printf directive of its own.
TEST_F(ControllerTest, ImageFolderSetsTheMapTemplatesReloadsThePageAndTellsEveryWindow) {
  const std::filesystem::path folder = dir / "VQ96%d";
  std::filesystem::create_directories(folder / "PDATA");
  QImage page(120, 90, QImage::Format_RGB32);
  page.fill(Qt::white);
  ASSERT_TRUE(page.save(QString::fromStdString((folder / "PDATA" / "0010.PNG").string())));
  std::snprintf(values.mdataFile, sizeof values.mdataFile, "MDATA/MAP%%1d%%s.PNG");
  controller.JumpTo(10, 1, false);
  EXPECT_FALSE(controller.HasPageImage());
  log.clear();
  images.Open(folder, 96);
  controller.SetImageFolder(folder);
  EXPECT_EQ(controller.GetPageImageWidth(), 120);
  for (const vxtest::FakeFrame* frame : frames) {
    EXPECT_EQ(ReceivedBy(*frame), (vxtest::Messages{{UM_IMAGES_CHANGED, 0, 0}}));
  }
  char path[512];
  std::snprintf(path, sizeof path, controller.GetMapImagePathFormat().c_str(), 2, "e123");
  EXPECT_EQ(std::filesystem::path(path), folder / "MDATA" / "MAP2e123.PNG");
}

// Without a database (or when Init was refused) every question has its neutral answer and no
// move announces anything.
class NeutralTest : public ::testing::TestWithParam<bool> {};

TEST_P(NeutralTest, ControllerWithoutDataAnswersNeutrally) {
  vxtest::TempDir dir;
  vx::PavorunDatabase db(dir.Path());
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
  EXPECT_TRUE(c.GetSearchCondition() == nullptr && c.GetFavoriteStore() == nullptr);
  EXPECT_EQ((std::vector<int>{c.GetFirstPage(), c.GetLastPage(), c.GetEventNumber(),
                              c.GetDayCount(), c.GetSpaceX(1, 1), c.HitTestCut(10, 10),
                              c.GetCutWidth(), c.FirstOccupiedCut()}),
            (std::vector<int>{-1, -1, 0, 0, vx::CatalogController::kNoSpace, 0, 0, 0}));
  EXPECT_EQ(c.GetEventName() + c.GetDayBlockName(1, 1), "");
  vx::CircleRecord record;
  EXPECT_FALSE(c.GetCircle(101, &record) || c.HasPageImage() || c.LoadPage(10));
  c.SelectCircle(101, true);
  c.JumpTo(10, 1, true);
  c.SelectNextCut();
  c.SelectDay(1);
  c.GoBack();
  c.SetImageFolder("/nowhere");
  EXPECT_TRUE(c.GetCurrentCircle().id == 0 && c.GetHistory().IsEmpty() && log.empty());
  EXPECT_EQ(c.ShowMessageBox(vx::MB_OK, "t", "c"), IDCANCEL);  // no UI services
  class Job : public vx::ProgressJob {
    vx::StepResult Step() override { return vx::StepResult::kFinished; }
    std::string ProgressText(int, int) const override { return {}; }
  } job;
  EXPECT_EQ(c.RunProgressJob(job, "x"), 2);  // no runner
  EXPECT_EQ(job.State(), vx::JobState::kIdle);
  EXPECT_FALSE(c.GetGuard().IsRaised());
}

INSTANTIATE_TEST_SUITE_P(NoInitAndRefusedInit, NeutralTest, ::testing::Bool());

}  // namespace
