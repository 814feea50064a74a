// A detail window over the controller's test catalogue (tests/app/ControllerCatalog.h) with one
// more circle, 150, whose every text is filled, and the cut page view's cut archive (every cut
// 60 x 80, white with a black stripe). A recording frame registered beside it logs the messages.
#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <QTest>

#include <memory>
#include <string>

#include "app/CatalogController.h"
#include "app/SettingsValues.h"
#include "data/PavorunDatabase.h"
#include "data/images/CatalogImages.h"
#include "platform/CodePage.h"
#include "res/ResourceIds.h"
#include "tests/app/ControllerCatalog.h"
#include "tests/app/FakeWindows.h"
#include "tests/support/ScriptedUiServices.h"
#include "tests/support/TempDir.h"
#include "tests/ui/UiOnlyServices.h"
#include "tests/ui/views/CutPageFixture.h"
#include "ui/detail/DetailView.h"
#include "ui/detail/DetailWindow.h"

namespace vxtest {

constexpr int kDetailed = 150;
// COLORREF values of the three check colours.
constexpr std::uint32_t kRedRef = 0x0000FF, kBlueRef = 0xFF0000, kYellowRef = 0x00FFFF;

inline vx::CircleRecord DetailedCircle() {
  vx::CircleRecord r = MakeCircle(kDetailed, 11, 10, 1, 2, 5, 1, 3, vx::Sjis("詳細サークル"));
  r.circleKana = vx::Sjis("しょうさいさーくる");
  r.penName = vx::Sjis("作者");
  r.bookName = vx::Sjis("新刊");
  r.url = "https://example.com/c150";
  r.mailAddr = "c150@example.com";
  r.description = vx::Sjis("一行目\r\n二行目");
  r.updateData = vx::Sjis("更新あり");
  r.orbalink = "https://portal.example/150";
  r.rss = "https://example.com/feed150";
  r.twitter = "@circle150";
  r.pixiv = "150150";
  return r;
}

class DetailTest : public ::testing::Test {
 protected:
  void SetUp() override {
    BuildControllerCatalog(db);
    InsertCircle(db, DetailedCircle());
    db.SelectEvent(kControllerEvent);
    WriteCutArchive(dir.Path());
    images.Open(dir.Path(), kControllerEvent);
    values.eventNumber = kControllerEvent;
    values.fvrColorNum = 3;
    const std::uint32_t colors[] = {kRedRef, kBlueRef, kYellowRef};
    for (int i = 0; i < 3; ++i) values.fvrColors[i] = colors[i];
    values.fvrColorDef = 1;  // the current colour is colour 2
    values.windowIds[3] = vx::kDetailWindowId;
    ASSERT_TRUE(controller.Init(&db, &images, &values));
    window = std::make_unique<vx::DetailWindow>(controller);
    controller.RegisterWindow(vx::kDetailWindowId, window.get(), "detail");
    controller.RegisterWindow(vx::kListWindowId, &recorder, "recorder");
    window->resize(520, 560);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  }

  vx::DetailView& View() const { return *window->View(); }
  void Select(int circleId) {
    controller.SelectCircle(circleId, false);
    log.clear();
  }
  // How often the recorder heard `message` about `circleId`.
  int Heard(unsigned message, int circleId) const {
    int count = 0;
    for (const Delivery& d : log) count += d.message == message && d.lParam == circleId;
    return count;
  }
  QImage Shot() const {
    return View().viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
  }

  TempDir dir;
  vx::PavorunDatabase db{dir.Path()};
  vx::CatalogImages images;
  vx::SettingsValues values{};
  vx::ScriptedUiServices ui;
  std::vector<Delivery> log;
  FakeFrame recorder{&log};
  vx::CatalogController controller{nullptr, UiOnly(ui)};
  std::unique_ptr<vx::DetailWindow> window;
};

}  // namespace vxtest
