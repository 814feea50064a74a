// A controller on an empty catalogue with the settings the program starts from (event 96, nine
// standard colours), one recording frame, scripted boxes and a scripted colour chooser; helpers
// to run a sheet and to reach a page's controls.
#pragma once

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <cstdint>
#include <cstring>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "app/CatalogController.h"
#include "app/CheckColorTables.h"
#include "app/ListColumns.h"
#include "app/SettingsValues.h"
#include "data/PavorunDatabase.h"
#include "data/images/CatalogImages.h"
#include "res/ResourceIds.h"
#include "tests/app/FakeWindows.h"
#include "tests/support/ScriptedUiServices.h"
#include "tests/support/TempDir.h"
#include "tests/ui/dialogs/DialogTestSupport.h"
#include "ui/settings/SettingsPage.h"
#include "ui/settings/SettingsSheet.h"

namespace vxtest {

class SettingsFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    live.eventNumber = 96;
    vx::ResetListColumns(live, 96);
    live.fvrColorNum = 9;
    for (int i = 0; i < vx::kMaxCheckColors; ++i) {
      live.fvrColors[i] = vx::kStandardCheckColors[i];
      live.fvrPrintColors[i] = vx::kStandardCheckColors[i];
    }
    live.autoNext = 1;
    live.startCover = 1;
    ASSERT_TRUE(controller.Init(&db, &images, &live));
    ASSERT_TRUE(controller.RegisterWindow(0x8001, &frame, "main"));
    log.clear();
  }

  // Builds the colours of the settings and of the checklist from `count` colours.
  void UseColorCount(int count) {
    live.fvrColorNum = count;
    controller.LoadColorTable();
  }

  // The application messages the frame received, in order.
  std::vector<unsigned> Messages() const {
    std::vector<unsigned> messages;
    for (const Delivery& d : log) messages.push_back(d.message);
    return messages;
  }

  // Runs the sheet modal; `act` runs once it is up and must end it. Answers Run's result.
  int RunSheet(vx::SettingsSheet& sheet, const std::function<void()>& act) {
    Watchdog watchdog;
    QTimer::singleShot(0, &sheet, act);
    return sheet.Run(nullptr);
  }

  // A click on the button; on a check box or a radio button, on the box itself, since the
  // widget is wider than its text.
  static void Click(QAbstractButton* button) {
    const bool box = qobject_cast<QCheckBox*>(button) != nullptr ||
                     qobject_cast<QRadioButton*>(button) != nullptr;
    QTest::mouseClick(button, Qt::LeftButton, {},
                      box ? QPoint(6, button->height() / 2) : button->rect().center());
  }
  void Click(const vx::SettingsSheet& sheet, int page, int id) const {
    Click(PageControl<QAbstractButton>(sheet, page, id));
  }
  static void ClickOk(const vx::SettingsSheet& sheet) { Click(Control<QPushButton>(&sheet, IDOK)); }
  static void ShowPage(const vx::SettingsSheet& sheet, int page) {
    sheet.findChild<QTabWidget*>()->setCurrentWidget(sheet.Page(page));
  }

  template <class T>
  T* PageControl(const vx::SettingsSheet& sheet, int page, int id) const {
    T* control = Control<T>(sheet.Page(page), id);
    EXPECT_NE(control, nullptr) << "control " << id << " of page " << page;
    return control;
  }

  // The chooser answers from `chosenColors` (nothing queued: cancelled) and records its starts.
  vx::ColorChooser Chooser() {
    return [this](QWidget*, std::uint32_t start) -> std::optional<std::uint32_t> {
      chooserStarts.push_back(start);
      if (chosenColors.empty()) return std::nullopt;
      const std::optional<std::uint32_t> chosen = chosenColors.front();
      chosenColors.pop_front();
      return chosen;
    };
  }

  TempDir dir;
  vx::PavorunDatabase db{dir.Path()};
  vx::CatalogImages images;
  vx::SettingsValues live{};
  vx::CatalogController controller{nullptr, {}};
  std::vector<Delivery> log;
  FakeFrame frame{&log};
  vx::ScriptedUiServices ui;
  std::deque<std::optional<std::uint32_t>> chosenColors;
  std::vector<std::uint32_t> chooserStarts;
};

}  // namespace vxtest
