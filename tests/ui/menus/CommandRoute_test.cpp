#include "ui/menus/CommandRoute.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "ui/menus/CommandMap.h"

namespace {

using vx::CommandMap;
using vx::CommandRoute;
using vx::CommandState;

// View, frame and application, each recording which commands reached it.
struct RouteTest : ::testing::Test {
  void SetUp() override {
    view.On(10, [this] { log.push_back("view 10"); }).OnRange(20, 29, [this](int id) {
      log.push_back("view " + std::to_string(id));
    });
    frame.On(10, [this] { log.push_back("frame 10"); })
        .On(30, [this] { log.push_back("frame 30"); })
        .OnUpdate(30, [this](int, CommandState& s) { s.checked = frameChecked; })
        .OnUpdate(40, [](int, CommandState& s) { s.enabled = false; });
    app.On(10, [this] { log.push_back("app 10"); })
        .On(40, [this] { log.push_back("app 40"); })
        .On(50, [this] { log.push_back("app 50"); })
        .OnUpdate(20, [](int, CommandState& s) { s.enabled = false; });
    route.SetTargets({&view, &frame, &app});
  }

  std::vector<std::string> log;
  bool frameChecked = true;
  CommandMap view, frame, app;
  CommandRoute route;
};

TEST_F(RouteTest, ACommandStopsAtTheFirstTargetThatHandlesIt) {
  const struct {
    int id;
    bool ran;
    std::vector<std::string> log;
  } cases[] = {
      {10, true, {"view 10"}},  // all three handle it: the view wins
      {20, false, {}},          // the view handles it, but the application's update disables it
      {25, true, {"view 25"}}, {30, true, {"frame 30"}}, {50, true, {"app 50"}},
      {40, false, {}},  // handled by the application, disabled by the frame's update
      {60, false, {}},  // nobody handles it
  };
  for (const auto& c : cases) {
    log.clear();
    EXPECT_EQ(route.Dispatch(c.id), c.ran) << c.id;
    EXPECT_EQ(log, c.log) << c.id;
  }
}

TEST_F(RouteTest, StatesAreAskedAlongTheSameRoad) {
  const struct {
    int id;
    bool enabled;
    std::optional<bool> checked;
  } cases[] = {
      {10, true, std::nullopt},   // handled, no update: enabled
      {20, false, std::nullopt},  // an update further on decides even over the view's handler
      {30, true, true},          {40, false, std::nullopt},
      {50, true, std::nullopt},  {60, false, std::nullopt},  // nobody enables it
  };
  for (const auto& c : cases) {
    const CommandState state = route.QueryState(c.id);
    EXPECT_EQ(state.enabled, c.enabled) << c.id;
    EXPECT_EQ(state.checked, c.checked) << c.id;
  }
  frameChecked = false;
  EXPECT_EQ(route.QueryState(30).checked, false);
}

TEST_F(RouteTest, MissingTargetsAreSkippedAndRoutesNest) {
  CommandRoute appRoute({&app});
  CommandRoute frameRoute({nullptr, &frame, &appRoute});  // the view does not exist yet
  EXPECT_TRUE(frameRoute.Dispatch(10));
  EXPECT_TRUE(frameRoute.Dispatch(50));
  EXPECT_FALSE(frameRoute.Dispatch(40));  // the frame disables what the application handles
  EXPECT_EQ(log, (std::vector<std::string>{"frame 10", "app 50"}));
  EXPECT_FALSE(CommandRoute().Dispatch(10));
  EXPECT_FALSE(CommandRoute().QueryState(10).enabled);
}

TEST(CommandMapTest, TheFirstRegisteredHandlerOfAnIdWins) {
  std::vector<int> ran;
  CommandMap map;
  map.OnRange(1, 5, [&](int id) { ran.push_back(id); }).On(3, [&] { ran.push_back(-3); });
  EXPECT_TRUE(map.OnCommand(3));
  EXPECT_TRUE(map.OnCommand(5));
  EXPECT_FALSE(map.OnCommand(6));
  EXPECT_EQ(ran, (std::vector<int>{3, 5}));
  CommandState state;
  EXPECT_FALSE(map.OnUpdateCommand(3, state));  // handlers alone do not decide a state
  EXPECT_TRUE(map.HandlesCommand(1));
  EXPECT_FALSE(map.HandlesCommand(0));
}

}  // namespace
