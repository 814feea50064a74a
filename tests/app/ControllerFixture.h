// A controller over the test catalogue with the five frames registered in start-up order (main,
// checklist, detail, map, list), a log of every message they receive, scripted UI services and a
// recording active-window query.
#pragma once

#include <gtest/gtest.h>

#include <tuple>
#include <utility>
#include <vector>

#include "app/CatalogController.h"
#include "app/SettingsValues.h"
#include "data/PavorunDatabase.h"
#include "data/images/CatalogImages.h"
#include "res/ResourceIds.h"
#include "tests/app/ControllerCatalog.h"
#include "tests/app/FakeChecklistDialogs.h"
#include "tests/app/FakeWindows.h"
#include "tests/support/ScriptedUiServices.h"
#include "tests/support/TempDir.h"

namespace vxtest {

// A message as a window received it: id, wParam, lParam.
using Message = std::tuple<unsigned, vx::WParam, vx::LParam>;
using Messages = std::vector<Message>;
// Where the controller stands: page, cut, circle id.
using Place = std::tuple<int, int, int>;

class ControllerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    BuildControllerCatalog(db);
    const int ids[] = {vx::kMainWindowId, vx::kMapWindowId, vx::kChecklistWindowId,
                       vx::kDetailWindowId, vx::kListWindowId};
    for (int slot = 0; slot < 5; ++slot) values.windowIds[slot] = ids[slot];
    values.eventNumber = kControllerEvent;
    ASSERT_TRUE(controller.Init(&db, &images, &values));
    controller.AttachOwnerWindow(&beacon);
    dialogs.guard = &controller.GetGuard();
    dialogs.expectedOwner = &beacon;
    const std::pair<int, FakeFrame*> order[] = {
        {ids[0], &main}, {ids[2], &checklist}, {ids[3], &detail}, {ids[1], &map}, {ids[4], &list}};
    for (auto [id, frame] : order) controller.RegisterWindow(id, frame, "frame");
    log.clear();
  }

  // What one window received, in order.
  Messages ReceivedBy(const FakeFrame& frame) const {
    Messages received;
    for (const Delivery& d : log) {
      if (d.receiver == &frame) received.push_back({d.message, d.wParam, d.lParam});
    }
    return received;
  }
  void MoveTo(int circleId) {
    controller.SelectCircle(circleId, false);
    log.clear();
  }
  Place Here() const {
    return {controller.GetCurrentPage(), controller.GetCurrentCut(),
            controller.GetCurrentCircle().id};
  }

  TempDir dir;
  vx::PavorunDatabase db{dir.Path()};
  vx::CatalogImages images;
  vx::SettingsValues values{};
  vx::ScriptedUiServices ui;
  FakeActiveWindows activeWindows;
  FakeChecklistDialogs dialogs;
  FakeWebJobs webJobs;
  std::vector<Delivery> log;
  FakeBeacon beacon;
  FakeFrame main{&log}, checklist{&log}, detail{&log}, map{&log}, list{&log};
  const std::vector<FakeFrame*> frames = {&main, &checklist, &detail, &map, &list};
  vx::CatalogController controller{
      nullptr, {&ui, nullptr, &activeWindows, nullptr, nullptr, &dialogs, &webJobs}};
};

}  // namespace vxtest
