#include "ui/menus/CommandActions.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QToolBar>

#include <vector>

#include "ui/menus/CommandMap.h"
#include "ui/menus/CommandRoute.h"

namespace {

using vx::CommandActions;
using vx::CommandState;

QAction* AddCommand(QWidget* widget, const char* text, int id) {
  auto* action = new QAction(QString::fromUtf8(text), widget);
  CommandActions::SetCommandId(action, id);
  widget->addAction(action);
  return action;
}

struct CommandActionsTest : ::testing::Test {
  void SetUp() override {
    view.On(1, [this] { ran.push_back(1); });
    frame.On(2, [this] { ran.push_back(2); }).OnUpdate(2, [this](int, CommandState& s) {
      s.checked = checked;
      s.enabled = enabled;
    });
    route.SetTargets({&view, &frame});
    menu = bar.addMenu(QStringLiteral("&File"));
    one = AddCommand(menu, "one", 1);
    two = AddCommand(menu, "two", 2);
    three = AddCommand(menu, "three", 3);  // nobody handles 3
    tools.addAction(two);
  }

  std::vector<int> ran;
  bool checked = false;
  bool enabled = true;
  vx::CommandMap view, frame;
  vx::CommandRoute route;
  QMenuBar bar;
  QToolBar tools;
  QMenu* menu = nullptr;
  QAction *one = nullptr, *two = nullptr, *three = nullptr;
};

TEST_F(CommandActionsTest, BoundActionsRunTheirCommandAndShowTheRouteStates) {
  CommandActions actions(route);
  actions.Bind(&bar);
  actions.Bind(&tools);
  EXPECT_TRUE(one->isEnabled());
  EXPECT_FALSE(three->isEnabled());  // nobody enables it
  EXPECT_TRUE(two->isCheckable());
  EXPECT_FALSE(two->isChecked());

  one->trigger();
  tools.actions().front()->trigger();  // the same action on the tool bar: still one command
  EXPECT_EQ(ran, (std::vector<int>{1, 2}));

  // Qt toggles a checkable action at once; the route's answer is shown after the command.
  EXPECT_TRUE(two->isChecked());
  EXPECT_TRUE(QTest::qWaitFor([&] { return !two->isChecked(); }, 5000));
  EXPECT_EQ(ran, (std::vector<int>{1, 2}));
}

TEST_F(CommandActionsTest, StatesFollowTheRouteWhenAMenuShowsOrTheOwnerAsks) {
  CommandActions actions(route);
  actions.Bind(&bar);
  QAction* later = AddCommand(menu, "later", 1);  // added after binding
  EXPECT_TRUE(later->isEnabled());
  auto* untagged = new QAction(QStringLiteral("untagged"), menu);
  menu->addAction(untagged);  // gets its id only after it was added
  CommandActions::SetCommandId(untagged, 4);

  checked = true;
  enabled = false;
  menu->popup(QPoint(0, 0));
  EXPECT_TRUE(two->isChecked());
  EXPECT_FALSE(two->isEnabled());
  EXPECT_FALSE(untagged->isEnabled());
  menu->hide();

  checked = false;
  enabled = true;
  actions.UpdateActions();
  EXPECT_FALSE(two->isChecked());
  EXPECT_TRUE(two->isEnabled());
}

TEST_F(CommandActionsTest, AnActionDisabledSinceItsLastUpdateRunsNothing) {
  CommandActions actions(route);
  actions.Bind(&bar);
  ASSERT_TRUE(two->isEnabled());
  enabled = false;  // e.g. an accelerator fires before the next update
  two->trigger();
  EXPECT_TRUE(ran.empty());
}

}  // namespace
