// The checklist window over the circle list's catalogue, registered with the controller and
// shown, with the checklist order unlocked.
#pragma once

#include <QTest>

#include <gtest/gtest.h>

#include <memory>

#include "tests/ui/CircleCatalogFixture.h"
#include "ui/checklist/ChecklistWindow.h"

namespace vxtest {

class ChecklistWindowFixture : public CircleCatalogTest {
 protected:
  void SetUp() override {
    CircleCatalogTest::SetUp();
    values.sortEnable = 1;
    window = std::make_unique<vx::ChecklistWindow>(controller);
    ASSERT_TRUE(controller.RegisterWindow(vx::kChecklistWindowId, window.get(), "checklist"));
    window->resize(1200, 400);
    Reopen();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  }
  // What the main window's window menu does.
  void Reopen() {
    ASSERT_TRUE(controller.ShowRegisteredWindow(window.get()));
    window->show();
  }

  std::unique_ptr<vx::ChecklistWindow> window;
};

}  // namespace vxtest
