#include "app/WindowRegistry.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/CodePage.h"
#include "res/ResourceIds.h"
#include "tests/app/FakeWindows.h"

namespace {

using vx::WindowRecord;
using vx::WindowRegistry;
using vxtest::Delivery;
using vxtest::FakeBeacon;
using vxtest::FakeDesktop;
using vxtest::FakeFrame;

constexpr int kMain = 0x8001, kMap = 0x8002, kDetail = 0x8004, kChecklist = 0x8008,
              kList = 0x8010;

// The five frames registered in start-up order: main, checklist, detail, map, list.
class RegistryTest : public ::testing::Test {
 protected:
  RegistryTest() {
    registry.Register(kMain, &main, "main");
    registry.Register(kChecklist, &checklist, "checklist");
    registry.Register(kDetail, &detail, "detail");
    registry.Register(kMap, &map, "map");
    registry.Register(kList, &list, "list");
  }

  WindowRecord& Record(FakeFrame& frame) { return *registry.Find(&frame); }
  void ShowAll() {
    for (FakeFrame* f : {&checklist, &detail, &map, &list}) Record(*f).shown = 1;
  }

  std::vector<Delivery> log;
  FakeDesktop desktop;
  FakeBeacon beacon{&desktop};
  FakeFrame main{"main", &log, &desktop};
  FakeFrame checklist{"checklist", &log, &desktop};
  FakeFrame detail{"detail", &log, &desktop};
  FakeFrame map{"map", &log, &desktop};
  FakeFrame list{"list", &log, &desktop};
  WindowRegistry registry;
};

TEST_F(RegistryTest, RegistrationFillsTheRecord) {
  const WindowRecord& m = Record(main);
  EXPECT_EQ(m.id, kMain);
  EXPECT_EQ(m.shown, 1);
  EXPECT_EQ(m.rank, 100);
  EXPECT_EQ(m.rect.right, 300);
  EXPECT_STREQ(m.name, "main");
  EXPECT_TRUE(m.IsMain());
  EXPECT_EQ(Record(map).shown, 0);  // only the main window starts shown
  EXPECT_FALSE(Record(map).IsMain());
  EXPECT_EQ(registry.FindMain()->window, &main);
}

TEST(RegistryNames, LongNameIsCutBeforeADoubleByteCharacter) {
  WindowRegistry registry;
  FakeFrame frame("f");
  // 62 single bytes then a double-byte character: only 63 bytes fit, so the character goes.
  const std::string name = std::string(62, 'a') + vx::Sjis("表");
  ASSERT_TRUE(registry.Register(0x8002, &frame, name));
  EXPECT_EQ(std::strlen(registry.Find(&frame)->name), 62u);
  // 61 single bytes leave room for it.
  FakeFrame second("g");
  ASSERT_TRUE(registry.Register(0x8004, &second, std::string(61, 'a') + vx::Sjis("表表")));
  EXPECT_EQ(std::string(registry.Find(&second)->name), std::string(61, 'a') + vx::Sjis("表"));
}

TEST_F(RegistryTest, MessagesGoWhereTheirRangeSays) {
  struct Case {
    unsigned message;
    std::size_t receivers;
  };
  const Case cases[] = {
      {UM_WINDOW_REGISTERED, 1}, {UM_WINDOW_UNREGISTERED, 1}, {UM_WINDOW_SHOWN, 1},
      {UM_WINDOW_HIDDEN, 1},     {UM_CIRCLE_CHANGED, 5},      {UM_RESERVED_11, 5},
      {UM_RUN_SEARCH, 5},        {UM_LIST_NEXT_BLOCK, 0},     {UM_LIST_PREV_BLOCK, 0},
      {UM_CHECKLIST_ENTRY_CHANGED, 5}, {UM_LABEL_EDITED, 0},  {UM_CIRCLE_INFO_UPDATED, 5},
      {UM_LIST_COLUMNS_RESIZED, 0},    {WM_USER + 3, 0},      {WM_USER + 70, 0},
  };
  for (const Case& c : cases) {
    log.clear();
    registry.Deliver(c.message, 0, 0);
    EXPECT_EQ(log.size(), c.receivers) << "message " << c.message;
    if (c.receivers == 1) {
      EXPECT_EQ(log[0].receiver, &main) << "message " << c.message;
    }
  }
}

TEST_F(RegistryTest, WindowRegisteredDuringDeliveryAlsoReceivesTheMessage) {
  WindowRegistry small;
  FakeFrame first("first", &log);
  FakeFrame late("late", &log);
  small.Register(kMap, &first, "first");
  first.onMessage = [&](unsigned, vx::WParam, vx::LParam) {
    if (!small.Find(&late)) small.Register(kList, &late, "late");
  };
  small.Deliver(UM_OPTIONS_CHANGED, 0, 0);
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[1].receiver, &late);
}

TEST_F(RegistryTest, RaiseRanksFollowRecency) {
  ShowAll();
  EXPECT_TRUE(registry.Raise(&checklist, &beacon, false));
  EXPECT_TRUE(registry.Raise(&map, &beacon, false));
  EXPECT_TRUE(registry.Raise(&checklist, &beacon, false));
  EXPECT_EQ(Record(checklist).rank, 0);
  EXPECT_EQ(Record(map).rank, 1);
  EXPECT_EQ(Record(detail).rank, 100);
  EXPECT_EQ(Record(main).rank, 100);

  EXPECT_TRUE(registry.Raise(&detail, &beacon, false));
  EXPECT_EQ(Record(detail).rank, 0);
  EXPECT_EQ(Record(checklist).rank, 1);
  EXPECT_EQ(Record(map).rank, 2);
}

TEST_F(RegistryTest, WithoutChildWndTopOnlyTheOwnerComesUp) {
  ShowAll();
  const auto before = desktop.Order();
  ASSERT_TRUE(registry.Raise(&map, &beacon, false));
  EXPECT_EQ(beacon.raised, 1);
  for (FakeFrame* f : {&main, &checklist, &detail, &map, &list}) EXPECT_EQ(f->raised, 0);
  auto after = desktop.Order();
  EXPECT_EQ(after.front(), &beacon);
  after.erase(after.begin());
  auto framesBefore = before;
  std::erase(framesBefore, static_cast<const vx::StackedWindow*>(&beacon));
  EXPECT_EQ(after, framesBefore);
}

TEST_F(RegistryTest, ChildWndTopStacksShownToolWindowsByRecencyAboveTheMain) {
  Record(checklist).shown = 1;
  Record(map).shown = 1;
  Record(detail).shown = 0;  // raised but hidden
  Record(list).shown = 1;    // shown but never raised
  registry.Raise(&detail, &beacon, false);
  registry.Raise(&checklist, &beacon, false);
  registry.Raise(&map, &beacon, false);
  desktop.ToTop(&list);
  desktop.ToTop(&detail);
  list.raised = detail.raised = 0;

  ASSERT_TRUE(registry.Raise(&checklist, &beacon, true));
  const std::vector<const vx::StackedWindow*> top = {&beacon, &checklist, &map, &main};
  const auto order = desktop.Order();
  ASSERT_GE(order.size(), top.size());
  EXPECT_TRUE(std::equal(top.begin(), top.end(), order.begin()));
  EXPECT_EQ(detail.raised, 0);
  EXPECT_EQ(list.raised, 0);
  EXPECT_EQ(registry.StackingOrder(),
            (std::vector<vx::ControllerWindow*>{&checklist, &map, &main}));
}

TEST_F(RegistryTest, RaisingTheMainWindowRestacksWithoutChangingRanks) {
  ShowAll();
  registry.Raise(&map, &beacon, false);
  ASSERT_TRUE(registry.Raise(&main, &beacon, true));
  EXPECT_EQ(Record(map).rank, 0);
  EXPECT_EQ(Record(main).rank, 100);
  const auto order = desktop.Order();
  EXPECT_EQ(order[0], &beacon);
  EXPECT_EQ(order[1], &map);
  EXPECT_EQ(order[2], &main);
}

TEST_F(RegistryTest, UnregisteredWindowIsNotRaised) {
  FakeFrame stranger("stranger");
  EXPECT_FALSE(registry.Raise(&stranger, &beacon, true));
  EXPECT_FALSE(registry.Raise(nullptr, &beacon, true));
  EXPECT_EQ(beacon.raised, 0);
}

TEST_F(RegistryTest, MinimizeAndRestoreTouchOnlyShownWindows) {
  Record(detail).shown = 1;
  registry.MinimizeShown();
  registry.RestoreShown();
  EXPECT_EQ(main.minimized, 1);
  EXPECT_EQ(detail.minimized, 1);
  EXPECT_EQ(detail.restored, 1);
  EXPECT_EQ(map.minimized, 0);
  EXPECT_EQ(list.restored, 0);
}

}  // namespace
