// The controller's portal commands through the web layer's jobs and the fake portal: what is
// committed, what is marked changed, what the jobs are called.
#include "web/WebChecklistJobs.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "app/AppSettings.h"
#include "app/CatalogController.h"
#include "app/ChecklistDialogs.h"
#include "app/ProgressJobRunner.h"
#include "app/SettingsValues.h"
#include "checklist/FavoriteEntry.h"
#include "data/PavorunDatabase.h"
#include "data/images/CatalogImages.h"
#include "platform/CodePage.h"
#include "res/ResourceIds.h"
#include "tests/app/ControllerCatalog.h"
#include "tests/app/FakeWindows.h"
#include "tests/support/ScriptedUiServices.h"
#include "tests/support/TempDir.h"
#include "tests/web/ScriptedPortalDialogs.h"
#include "tests/web/support/FakePortal.h"

namespace {

using vxtest::Favorite;
using vxtest::UnknownFavorite;

// Runs each job to its end on the test's thread and keeps the captions.
class DirectRunner : public vx::ProgressJobRunner {
 public:
  int Run(vx::ProgressJob& job, std::string_view caption, vx::OwnerWindow owner) override {
    captions.push_back(vx::Cp932ToUtf8(caption));
    owners.push_back(owner);
    return vx::RunJobWithoutDialog(job);
  }
  std::vector<std::string> captions;
  std::vector<vx::OwnerWindow> owners;
};

// (id, colour, memo UTF-8) in print order.
using Entries = std::vector<std::tuple<int, int, std::string>>;

class PortalCommandTest : public testing::Test {
 protected:
  void SetUp() override {
    vxtest::BuildControllerCatalog(db);
    values.eventNumber = vxtest::kControllerEvent;
    values.fvrColorNum = 9;
    ASSERT_TRUE(controller.Init(&db, &images, &values));
    controller.AttachOwnerWindow(&beacon);
    controller.RegisterWindow(vx::kMainWindowId, &main, "main");
    ASSERT_TRUE(settings.WriteProtectedString("authAccessToken", ""));
    log.clear();
  }

  Entries CurrentEntries() {
    Entries entries;
    controller.ForEachInPrintOrder([&](const vx::FavoriteEntry& e) {
      entries.emplace_back(e.record.id, e.color, vx::Cp932ToUtf8(e.record.memo));
      return true;
    });
    return entries;
  }

  bool Received(unsigned message) const {
    for (const vxtest::Delivery& d : log) {
      if (d.message == message) return true;
    }
    return false;
  }

  vxtest::TempDir dir;
  vx::PavorunDatabase db{dir.Path()};
  vx::CatalogImages images;
  vx::SettingsValues values{};
  vx::AppSettings settings{dir.Path()};
  vx::ScriptedUiServices ui;
  vxtest::ScriptedPortalDialogs portalDialogs;
  vxtest::FakePortal portal;
  DirectRunner runner;
  vx::WebChecklistJobs jobs{runner, &ui, &portalDialogs, [this] { return portal.Config(); }};
  std::vector<vxtest::Delivery> log;
  vxtest::FakeBeacon beacon;
  vxtest::FakeFrame main{&log};
  vx::CatalogController controller{&settings, {&ui, &runner, nullptr, nullptr, {}, nullptr, &jobs}};
};

constexpr int kFirstUnknown = INT_MIN + 1;

TEST_F(PortalCommandTest, AnImportIsCommittedAndMarksTheChecklistChanged) {
  portal.AddFavorite(Favorite(1101, 2, "ポータル"));
  portal.AddFavorite(Favorite(1131, 0, "memo"));
  portal.AddFavorite(UnknownFavorite(9001, "Unknown", "unknown", 3, ""));
  controller.SetCircleColor(1, 102);
  log.clear();
  ui.QueueAnswer(IDOK);
  EXPECT_EQ(controller.ImportChecklistFromPortal(), IDYES);
  EXPECT_EQ(runner.captions, (std::vector<std::string>{"チェックリストのインポート"}));
  EXPECT_EQ(runner.owners.at(0), controller.GetDialogOwner());
  EXPECT_EQ(portalDialogs.loginAddresses.size(), 1u);
  EXPECT_EQ(
      CurrentEntries(),
      (Entries{{102, 1, ""}, {101, 2, "ポータル"}, {131, 0, "memo"}, {kFirstUnknown, 3, ""}}));
  EXPECT_TRUE(controller.IsChecklistModified());
  EXPECT_TRUE(Received(UM_CHECKLIST_RESET));
  EXPECT_TRUE(ui.UnexpectedCalls().empty());
}

TEST_F(PortalCommandTest, AnImportOfOnlyUnknownCirclesIsKeptAndMarked) {
  portal.AddFavorite(UnknownFavorite(9001, "Unknown", "unknown", 3, "m"));
  ui.QueueAnswer(IDOK);
  controller.ImportChecklistFromPortal();
  EXPECT_EQ(CurrentEntries(), (Entries{{kFirstUnknown, 3, "m"}}));
  EXPECT_TRUE(controller.IsChecklistModified());
}

TEST_F(PortalCommandTest, AnExportSendsTheChecklistAndLeavesItAsItWas) {
  controller.SetCircleColor(2, 101);
  controller.SetCircleMemo("memo", 131);
  controller.SetCircleColor(1, 900);  // no space: not sent
  const Entries before = CurrentEntries();
  ui.QueueAnswer(IDOK);
  EXPECT_EQ(controller.ExportChecklistToPortal(), IDYES);
  EXPECT_EQ(runner.captions.back(), "チェックリストのエクスポート");
  EXPECT_EQ(portal.Stored(),
            (std::map<int, vxtest::StoredFavorite>{{1101, {2, ""}}, {1131, {0, "memo"}}}));
  EXPECT_EQ(CurrentEntries(), before);
  EXPECT_TRUE(ui.UnexpectedCalls().empty());
  const auto boxes = ui.CallsOf(vx::UiCallKind::kMessageBox);
  ASSERT_FALSE(boxes.empty());
  EXPECT_EQ(vx::Cp932ToUtf8(boxes.back().text), "エクスポート完了しました");
}

// A login the key file does not let the program keep holds for every later command: the box that
// says so comes at the first only.
TEST_F(PortalCommandTest, AKeyFileThatCannotBeUsedIsNamedAtTheFirstCommandOnly) {
  const char* const savedHome = std::getenv("XDG_DATA_HOME");
  const std::string home = savedHome != nullptr ? savedHome : "";
  const vxtest::TempDir data;
  ::setenv("XDG_DATA_HOME", data.Path().c_str(), 1);
  std::filesystem::create_directories(data / "vindaxel" / "protect.key");  // a folder: no key
  portal.AddFavorite(Favorite(1101, 2, ""));
  for (int i = 0; i < 4; ++i) ui.QueueAnswer(IDOK);
  controller.ImportChecklistFromPortal();
  controller.ImportChecklistFromPortal();
  controller.ExportChecklistToPortal();
  ::setenv("XDG_DATA_HOME", home.c_str(), 1);
  EXPECT_EQ(portalDialogs.loginAddresses.size(), 3u);  // nothing kept: a login every time
  std::vector<std::string> captions;
  for (const vx::UiCall& box : ui.CallsOf(vx::UiCallKind::kMessageBox)) {
    captions.push_back(vx::Cp932ToUtf8(box.caption));
  }
  EXPECT_EQ(captions, (std::vector<std::string>{"ログインの記憶", "インポート完了",
                                                "インポート完了", "エクスポート完了"}));
}

}  // namespace
