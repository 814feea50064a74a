// A controller over the test catalogue with the five frames registered in start-up order (main,
// checklist, detail, map, list), a recording log of every message they receive, scripted UI
// services and a recording active-window query.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/CatalogController.h"
#include "app/SettingsValues.h"
#include "data/PavorunDatabase.h"
#include "data/images/CatalogImages.h"
#include "platform/ScriptedUiServices.h"
#include "res/ResourceIds.h"
#include "tests/app/ControllerCatalog.h"
#include "tests/app/FakeWindows.h"
#include "tests/support/TempDir.h"

namespace vxtest {

struct Message {
  unsigned message;
  vx::WParam wParam;
  vx::LParam lParam;
  friend bool operator==(const Message&, const Message&) = default;
};
using Messages = std::vector<Message>;

class ControllerTest : public ::testing::Test {
 protected:
  static constexpr int kMain = vx::kMainWindowId, kMap = vx::kMapWindowId,
                       kDetail = vx::kDetailWindowId, kChecklist = vx::kChecklistWindowId,
                       kList = vx::kListWindowId;

  ControllerTest() : controller(nullptr, Services()) {}

  void SetUp() override {
    BuildControllerCatalog(db);
    const int ids[] = {kMain, kMap, kChecklist, kDetail, kList};
    for (int slot = 0; slot < 5; ++slot) values.windowIds[slot] = ids[slot];
    values.eventNumber = kControllerEvent;
    ASSERT_TRUE(controller.Init(&db, &images, &values));
    controller.AttachOwnerWindow(&beacon);
    controller.RegisterWindow(kMain, &main, "main");
    controller.RegisterWindow(kChecklist, &checklist, "checklist");
    controller.RegisterWindow(kDetail, &detail, "detail");
    controller.RegisterWindow(kMap, &map, "map");
    controller.RegisterWindow(kList, &list, "list");
    log.clear();
  }

  vx::ControllerServices Services() {
    vx::ControllerServices services;
    services.ui = &ui;
    services.activeWindows = &activeWindows;
    return services;
  }

  // What one window received, in order.
  Messages ReceivedBy(const FakeFrame& frame) const {
    Messages received;
    for (const Delivery& d : log) {
      if (d.receiver == &frame) received.push_back({d.message, d.wParam, d.lParam});
    }
    return received;
  }
  std::vector<unsigned> MessageIdsOf(const FakeFrame& frame) const {
    std::vector<unsigned> ids;
    for (const Message& m : ReceivedBy(frame)) ids.push_back(m.message);
    return ids;
  }
  void MoveTo(int circleId) {
    controller.SelectCircle(circleId, false);
    log.clear();
  }
  int CurrentId() const { return controller.CurrentCircle().id; }
  int CurrentPage() const { return controller.GetCurrentPage(); }
  int CurrentCut() const { return controller.GetCurrentCut(); }
  void SetCursorRule(bool on) { values.cursorInit = on ? 1 : 0; }

  TempDir dir;
  vx::PavorunDatabase db{dir.path()};
  vx::CatalogImages images;
  vx::SettingsValues values{};
  vx::ScriptedUiServices ui;
  FakeActiveWindows activeWindows;
  std::vector<Delivery> log;
  FakeDesktop desktop;
  FakeBeacon beacon{&desktop};
  FakeFrame main{"main", &log, &desktop};
  FakeFrame checklist{"checklist", &log, &desktop};
  FakeFrame detail{"detail", &log, &desktop};
  FakeFrame map{"map", &log, &desktop};
  FakeFrame list{"list", &log, &desktop};
  vx::CatalogController controller;
};

}  // namespace vxtest
