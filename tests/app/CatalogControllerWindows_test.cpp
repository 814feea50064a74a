#include <gtest/gtest.h>

#include <memory>
#include <thread>

#include "app/ProgressJob.h"
#include "app/SystemInfoSource.h"
#include "tests/app/ControllerFixture.h"

namespace {

using vxtest::ControllerTest;
using vxtest::FakeFrame;
using vxtest::Message;
using vxtest::Messages;

using WindowsTest = ControllerTest;

TEST_F(WindowsTest, RegistrationIsAnnouncedToTheMainWindowOnly) {
  FakeFrame extra("extra", &log);
  ASSERT_TRUE(controller.RegisterWindow(0x8020, &extra, "extra"));
  EXPECT_EQ(ReceivedBy(main), (Messages{{UM_WINDOW_REGISTERED, 0, vx::WindowParam(&extra)}}));
  EXPECT_EQ(log.size(), 1u);
}

TEST_F(WindowsTest, SeventeenthWindowIsRefusedAndHearsNothing) {
  std::vector<std::unique_ptr<FakeFrame>> extra;
  for (int i = 5; i < 16; ++i) {
    extra.push_back(std::make_unique<FakeFrame>("extra", &log));
    ASSERT_TRUE(controller.RegisterWindow(0x8100 + i, extra.back().get(), "x"));
  }
  FakeFrame late("late", &log);
  log.clear();
  EXPECT_FALSE(controller.RegisterWindow(0x8200, &late, "late"));
  EXPECT_TRUE(log.empty());  // no registration message either
  controller.SelectCircle(101, false);
  EXPECT_TRUE(ReceivedBy(late).empty());
  EXPECT_EQ(ReceivedBy(*extra.back()).size(), 6u);
  EXPECT_FALSE(controller.ShowRegisteredWindow(&late));
  EXPECT_FALSE(controller.SaveWindowRect(&late));
}

TEST_F(WindowsTest, ShowAndHideMarkTheWindowAndTellOnlyTheMainWindow) {
  ASSERT_TRUE(controller.ShowRegisteredWindow(&map));
  vx::WindowRecord record;
  ASSERT_TRUE(controller.GetWindowRecord(&map, &record));
  EXPECT_EQ(record.shown, 1);
  EXPECT_EQ(values.windowShown[1], 1);  // the map's settings slot
  EXPECT_EQ(record.rank, 0);            // shown windows are raised
  EXPECT_EQ(ReceivedBy(main), (Messages{{UM_WINDOW_SHOWN, 0, vx::WindowParam(&map)}}));
  EXPECT_TRUE(ReceivedBy(map).empty());

  log.clear();
  ASSERT_TRUE(controller.HideRegisteredWindow(&map));
  ASSERT_TRUE(controller.GetWindowRecord(&map, &record));
  EXPECT_EQ(record.shown, 0);
  EXPECT_EQ(values.windowShown[1], 0);
  EXPECT_EQ(ReceivedBy(main), (Messages{{UM_WINDOW_HIDDEN, 0, vx::WindowParam(&map)}}));
  EXPECT_FALSE(controller.GetWindowRecord(&map, nullptr));
}

TEST_F(WindowsTest, OwnerWindowComesUpForRegisteredWindowsOnly) {
  controller.RaiseOwnerWindow(&detail);
  EXPECT_EQ(beacon.raised, 1);
  FakeFrame stranger("stranger");
  controller.RaiseOwnerWindow(&stranger);
  EXPECT_EQ(beacon.raised, 1);
}

TEST_F(WindowsTest, SavedRectangleGoesIntoTheRecordAndTheSettingsSlot) {
  detail.rect = {5, 6, 700, 800};
  ASSERT_TRUE(controller.SaveWindowRect(&detail));
  vx::WindowRecord record;
  controller.GetWindowRecord(&detail, &record);
  EXPECT_EQ(record.rect.bottom, 800);
  EXPECT_EQ(values.windowRects[3].left, 5);  // the detail window's slot
  EXPECT_EQ(values.windowRects[3].bottom, 800);
  EXPECT_EQ(values.windowRects[1].bottom, 0);
}

TEST_F(WindowsTest, MinimiseAndRestoreFollowSyncIconic) {
  controller.ShowRegisteredWindow(&list);
  controller.MinimizeAllWindows();
  EXPECT_EQ(main.minimized, 0);
  values.syncIconic = 1;
  controller.MinimizeAllWindows();
  controller.RestoreAllWindows();
  EXPECT_EQ(main.minimized, 1);
  EXPECT_EQ(list.minimized, 1);
  EXPECT_EQ(list.restored, 1);
  EXPECT_EQ(map.minimized, 0);  // hidden
}

TEST_F(WindowsTest, ExitForgetsEveryWindowAndTheLocation) {
  controller.SelectCircle(101, false);
  controller.Exit();
  log.clear();
  controller.Broadcast(UM_OPTIONS_CHANGED, 0, 0);
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(CurrentId(), 0);
  EXPECT_EQ(controller.Registry().Count(), 0);
}

TEST_F(WindowsTest, RequestSearchReachesEveryWindow) {
  controller.RequestSearch();
  for (const FakeFrame* frame : {&main, &checklist, &detail, &map, &list}) {
    EXPECT_EQ(ReceivedBy(*frame), (Messages{{UM_RUN_SEARCH, 0, 0}}));
  }
}

TEST_F(WindowsTest, BroadcastFromAWorkerRunsOnTheUiThread) {
  std::thread::id uiThread = std::this_thread::get_id();
  std::vector<std::thread::id> deliveredOn;
  vx::ControllerServices services;
  services.runOnUiThread = [&](std::function<void()> work) {
    // Stands in for the UI thread's event loop: the worker waits until the work has run.
    std::thread ui([&] { work(); });
    uiThread = ui.get_id();
    ui.join();
  };
  vx::CatalogController worker(nullptr, services);
  FakeFrame frame("frame");
  frame.onMessage = [&](unsigned, vx::WParam, vx::LParam) {
    deliveredOn.push_back(std::this_thread::get_id());
  };
  worker.RegisterWindow(kMain, &frame, "main");
  std::thread([&] { worker.Broadcast(UM_CIRCLE_CHECKED, 1, 101); }).join();
  ASSERT_EQ(deliveredOn.size(), 2u);  // the registration message and the broadcast
  EXPECT_EQ(deliveredOn[1], uiThread);
}

// --- Modal interaction ---------------------------------------------------------------------------

// Scripted services whose message box first looks at how the frames would take input.
class ProbingUi : public vx::UiServices {
 public:
  int MessageBox(vx::OwnerWindow owner, std::string_view text, std::string_view caption,
                 unsigned flags) override {
    if (probe) probe();
    return script.MessageBox(owner, text, caption, flags);
  }
  std::optional<std::filesystem::path> OpenFileDialog(vx::OwnerWindow o,
                                                      const vx::FileDialogRequest& r) override {
    return script.OpenFileDialog(o, r);
  }
  std::optional<std::filesystem::path> SaveFileDialog(vx::OwnerWindow o,
                                                      const vx::FileDialogRequest& r) override {
    return script.SaveFileDialog(o, r);
  }
  std::optional<std::filesystem::path> FolderDialog(vx::OwnerWindow o, std::string_view t,
                                                    const std::filesystem::path& p) override {
    return script.FolderDialog(o, t, p);
  }
  bool HasClipboardText() override { return script.HasClipboardText(); }
  std::string ClipboardText() override { return script.ClipboardText(); }
  bool SetClipboardText(std::string_view t) override { return script.SetClipboardText(t); }
  bool OpenUrl(std::string_view url) override { return script.OpenUrl(url); }
  bool RunBrowser(const std::filesystem::path& p, std::string_view u) override {
    return script.RunBrowser(p, u);
  }
  void Beep() override { script.Beep(); }

  vx::ScriptedUiServices script;
  std::function<void()> probe;
};

TEST_F(WindowsTest, MessageBoxRunsUnderTheGuardOwnedByTheBeacon) {
  ProbingUi probing;
  vx::ControllerServices services = Services();
  services.ui = &probing;
  vx::CatalogController boxes(nullptr, services);
  boxes.AttachOwnerWindow(&beacon);
  std::vector<vx::ModalInputAnswer> whileOpen;
  probing.probe = [&] {
    for (auto input : {vx::ModalInput::kMouseButton, vx::ModalInput::kKeyDown,
                       vx::ModalInput::kClose, vx::ModalInput::kCommand,
                       vx::ModalInput::kMouseActivate}) {
      whileOpen.push_back(boxes.FilterModalInput(input));
    }
  };
  activeWindows.active = "main";
  probing.script.QueueAnswer(IDNO);
  EXPECT_EQ(boxes.ShowMessageBox(vx::MB_YESNO | vx::MB_ICONQUESTION, "text", "title"), IDNO);

  ASSERT_EQ(whileOpen.size(), 5u);
  for (std::size_t i = 0; i + 1 < whileOpen.size(); ++i) {
    EXPECT_EQ(whileOpen[i], (vx::ModalInputAnswer{true, 0}));
  }
  EXPECT_EQ(whileOpen.back().result, vx::ModalInputAnswer::kNoActivateAndEat);
  EXPECT_FALSE(boxes.Guard().IsRaised());
  EXPECT_EQ(activeWindows.reactivated, std::vector<std::string>{"main"});
  const auto calls = probing.script.CallsOf(vx::UiCallKind::kMessageBox);
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].owner, &beacon);
  EXPECT_EQ(calls[0].text, "text");
  EXPECT_EQ(calls[0].caption, "title");
  EXPECT_EQ(calls[0].flags, vx::MB_YESNO | vx::MB_ICONQUESTION);
  EXPECT_TRUE(probing.script.UnexpectedCalls().empty());
}

// --- Environment texts and missing objects -----------------------------------------------------

class FixedSystemInfo : public vx::SystemInfoSource {
 public:
  std::string OsName() const override { return "Debian 12 (Linux 6.1)"; }
  std::string GraphicsLibraryPath() const override { return "/usr/lib/libQt6Gui.so.6"; }
  std::string GraphicsLibraryVersion() const override { return ""; }
};

TEST(ControllerEnvironment, TextsStayUnknownUntilTheSystemTellsThem) {
  vx::CatalogController bare(nullptr, {});
  EXPECT_EQ(bare.OsName(), "Unknown");
  EXPECT_EQ(bare.GraphicsLibraryPath(), vx::Sjis("(不明)"));

  vxtest::TempDir dir;
  vx::PavorunDatabase db(dir.path());
  vx::CatalogImages images;
  vx::SettingsValues values{};
  FixedSystemInfo info;
  vx::ControllerServices services;
  services.systemInfo = &info;
  vx::CatalogController controller(nullptr, services);
  ASSERT_TRUE(controller.Init(&db, &images, &values));
  EXPECT_EQ(controller.OsName(), "Debian 12 (Linux 6.1)");
  EXPECT_EQ(controller.GraphicsLibraryPath(), "/usr/lib/libQt6Gui.so.6");
  EXPECT_EQ(controller.GraphicsLibraryVersion(), vx::Sjis("(不明)"));
}

// Without a database (or when Init was refused) every question has its neutral answer and no
// move announces anything.
class NeutralTest : public ::testing::Test {
 protected:
  void ExpectNeutral() {
    vx::CatalogController& c = controller;
    EXPECT_EQ(c.GetSearchCondition(), nullptr);
    EXPECT_EQ(c.GetFavoriteStore(), nullptr);
    EXPECT_EQ(c.GetFirstPage(), -1);
    EXPECT_EQ(c.GetLastPage(), -1);
    EXPECT_TRUE(c.ListEventNumbers().empty());
    EXPECT_EQ(c.GetEventNumber(), 0);
    EXPECT_EQ(c.GetEventName(), "");
    EXPECT_EQ(c.GetDayCount(), 0);
    EXPECT_EQ(c.GetDayBlockName(1, 1), "");
    EXPECT_EQ(c.GetWeekdayName(1), "");
    EXPECT_EQ(c.GetMapIdOfBlock(1), 0);
    int minId = 5, maxId = 5, genre = 5;
    c.GetPageInfo(10, &minId, &maxId, &genre);
    EXPECT_EQ(minId + maxId + genre, 15);  // untouched
    EXPECT_EQ(c.GetSpaceX(1, 1), vx::CatalogController::kNoSpace);
    EXPECT_EQ(c.GetSpaceLayout(1, 1), 0);
    EXPECT_EQ(c.HitTestCut(10, 10), 0);
    EXPECT_EQ(c.GetCutWidth(), 0);
    EXPECT_FALSE(c.HasPageImage());
    EXPECT_FALSE(c.IsListSortLocked());
    c.SetListColumnWidth(0, 50);
    EXPECT_EQ(c.GetListColumnWidth(0), 0);
    EXPECT_FALSE(c.LoadPage(10));
    EXPECT_EQ(c.FirstOccupiedCut(), 0);
    vx::CircleRecord record;
    EXPECT_FALSE(c.GetCircle(101, &record));

    c.SelectCircle(101, true);
    c.JumpTo(10, 1, true);
    c.GoToPage(10);
    c.NextPage();
    c.SelectNextCut();
    c.SelectCutBelow();
    c.SelectDay(1);
    c.SelectGenre(1);
    c.NextBlock();
    c.SelectCut(1);
    c.GoBack();
    c.SetImageFolder("/nowhere");
    EXPECT_EQ(c.CurrentCircle().id, 0);
    EXPECT_EQ(c.GetCurrentPage(), 0);
    EXPECT_TRUE(c.History().IsEmpty());
    EXPECT_TRUE(log.empty());
  }

  std::vector<vxtest::Delivery> log;
  FakeFrame main{"main", &log};
  vx::CatalogController controller{nullptr, {}};
};

TEST_F(NeutralTest, ControllerWithoutInitAnswersNeutrally) {
  ASSERT_TRUE(controller.RegisterWindow(vx::kMainWindowId, &main, "main"));
  log.clear();
  ExpectNeutral();
  EXPECT_EQ(controller.ShowMessageBox(vx::MB_OK, "t", "c"), IDCANCEL);  // no UI services
}

TEST_F(NeutralTest, RefusedInitLeavesTheControllerWithoutData) {
  vxtest::TempDir dir;
  vx::PavorunDatabase db(dir.path());
  vxtest::BuildControllerCatalog(db);
  vx::CatalogImages images;
  vx::SettingsValues values{};
  EXPECT_FALSE(controller.Init(&db, nullptr, &values));
  EXPECT_FALSE(controller.Init(&db, &images, nullptr));
  EXPECT_FALSE(controller.Init(nullptr, &images, &values));
  ASSERT_TRUE(controller.RegisterWindow(vx::kMainWindowId, &main, "main"));
  log.clear();
  ExpectNeutral();
}

TEST_F(NeutralTest, JobCannotRunWithoutARunner) {
  class Job : public vx::ProgressJob {
   public:
    vx::StepResult Step() override { return vx::StepResult::kFinished; }
    std::string ProgressText(int, int) const override { return {}; }
  } job;
  EXPECT_EQ(controller.RunProgressJob(job, "x"), 2);
  EXPECT_EQ(job.State(), vx::JobState::kIdle);
  EXPECT_FALSE(controller.Guard().IsRaised());
}

}  // namespace
