#include "app/WindowRegistry.h"

#include <gtest/gtest.h>

#include "res/ResourceIds.h"
#include "tests/app/FakeWindows.h"

namespace {

using vxtest::FakeFrame;

// The five frames registered in start-up order: main, checklist, detail, map, list.
class RegistryTest : public ::testing::Test {
 protected:
  RegistryTest() {
    const std::pair<int, FakeFrame*> order[] = {
        {0x8001, &main}, {0x8008, &checklist}, {0x8004, &detail}, {0x8002, &map}, {0x8010, &list}};
    for (auto [id, frame] : order) registry.Register(id, frame, "frame");
  }
  vx::WindowRecord& Record(FakeFrame& frame) { return *registry.Find(&frame); }

  std::vector<vxtest::Delivery> log;
  vxtest::Raises raises;
  vxtest::FakeBeacon beacon{&raises};
  FakeFrame main{&log, &raises}, checklist{&log, &raises}, detail{&log, &raises},
      map{&log, &raises}, list{&log, &raises};
  vx::WindowRegistry registry;
};

TEST_F(RegistryTest, MessagesGoWhereTheirRangeSays) {
  EXPECT_EQ(registry.FindMain(), &Record(main));
  // clang-format off
  const std::pair<unsigned, std::size_t> cases[] = {
      {UM_WINDOW_REGISTERED, 1},       {UM_WINDOW_HIDDEN, 1},   {UM_CIRCLE_CHANGED, 5},
      {UM_RUN_SEARCH, 5},              {UM_LIST_NEXT_BLOCK, 0}, {UM_LIST_PREV_BLOCK, 0},
      {UM_CHECKLIST_ENTRY_CHANGED, 5}, {UM_LABEL_EDITED, 0},    {UM_CIRCLE_INFO_UPDATED, 5},
      {UM_LIST_COLUMNS_RESIZED, 0},    {WM_USER + 3, 0},        {WM_USER + 70, 0},
      {UM_CHECKLIST_MARKS_CHANGED, 5},
  };
  // clang-format on
  for (const auto& [message, receivers] : cases) {
    log.clear();
    registry.Deliver(message, 0, 0);
    ASSERT_EQ(log.size(), receivers) << message;
    EXPECT_TRUE(receivers != 1 || log[0].receiver == &main) << message;
  }
}

TEST_F(RegistryTest, RaiseRanksFollowRecencyAndChildWndTopStacksShownWindowsByThem) {
  Record(checklist).shown = Record(map).shown = Record(list).shown = 1;  // detail stays hidden
  for (FakeFrame* f : {&checklist, &map, &checklist}) registry.Raise(f, &beacon, false);
  EXPECT_EQ(Record(checklist).rank, 0);
  EXPECT_EQ(Record(map).rank, 1);
  EXPECT_EQ(Record(detail).rank, 100);
  ASSERT_TRUE(registry.Raise(&detail, &beacon, false));
  EXPECT_EQ((std::vector<int>{Record(detail).rank, Record(checklist).rank, Record(map).rank,
                              Record(list).rank, Record(main).rank}),
            (std::vector<int>{0, 1, 2, 100, 100}));
  EXPECT_EQ(raises, (vxtest::Raises(4, &beacon)));  // without ChildWndTop only the owner

  // Raised from the bottom: the main window, the shown windows by recency, then the owner.
  raises.clear();
  ASSERT_TRUE(registry.Raise(&main, &beacon, true));  // ranks stay
  EXPECT_EQ(Record(detail).rank, 0);
  EXPECT_EQ(raises, (vxtest::Raises{&main, &map, &checklist, &beacon}));

  FakeFrame stranger;
  EXPECT_FALSE(registry.Raise(&stranger, &beacon, true));
  EXPECT_FALSE(registry.Raise(nullptr, &beacon, true));
  EXPECT_EQ(raises.size(), 4u);
}

// Whether a toggle of a shown window hides it or brings it to the front.
TEST_F(RegistryTest, AWindowIsCoveredByAnOverlappingWindowRaisedAfterIt) {
  Record(checklist).shown = Record(list).shown = 1;
  checklist.rect = {400, 20, 600, 400};  // beside the main window
  registry.Raise(&list, &beacon, false);
  registry.Raise(&checklist, &beacon, false);
  EXPECT_FALSE(registry.IsCovered(&list, false));
  registry.Raise(&main, &beacon, false);  // the user went back to the main window
  EXPECT_TRUE(registry.IsCovered(&list, false));
  EXPECT_FALSE(registry.IsCovered(&list, true)) << "tool windows stay above the main window";
  EXPECT_FALSE(registry.IsCovered(&checklist, false));
  Record(main).shown = 0;
  EXPECT_FALSE(registry.IsCovered(&list, false)) << "a hidden window covers nothing";
  Record(main).shown = 1;
  registry.Raise(&list, &beacon, false);
  EXPECT_FALSE(registry.IsCovered(&list, false));
  Record(list).shown = 0;
  EXPECT_FALSE(registry.IsCovered(&list, false));
}

}  // namespace
