#include <gtest/gtest.h>

#include "checklist/FavoriteStore.h"
#include "tests/app/ControllerFixture.h"

namespace {

using vxtest::Messages;
using vxtest::Place;
using LocationTest = vxtest::ControllerTest;

TEST_F(LocationTest, FirstLocationAnnouncesPageDayBlockSpaceGenreThenCircleToEveryWindow) {
  std::vector<int> currentWhileReceived;
  map.onMessage = [&] { currentWhileReceived.push_back(controller.CurrentCircle().id); };
  controller.SelectCircle(102, false);
  const Messages expected = {
      {UM_PAGE_CHANGED, 0, 10}, {UM_DAY_CHANGED, 0, 1},   {UM_BLOCK_CHANGED, 0, 1},
      {UM_SPACE_CHANGED, 1, 1}, {UM_GENRE_CHANGED, 0, 1}, {UM_CIRCLE_CHANGED, 0, 102},
  };
  // Each message reaches the windows in registration order before the next message is sent.
  ASSERT_EQ(log.size(), 30u);
  for (std::size_t i = 0; i < log.size(); ++i) {
    EXPECT_EQ(log[i].receiver, frames[i % 5]) << i;
    EXPECT_EQ(log[i].message, expected[i / 5].message) << i;
  }
  for (const vxtest::FakeFrame* frame : frames) EXPECT_EQ(ReceivedBy(*frame), expected);
  EXPECT_EQ(currentWhileReceived, std::vector<int>(6, 102));  // already current
}

TEST_F(LocationTest, OnlyWhatChangedIsAnnounced) {
  MoveTo(101);
  controller.JumpTo(10, 1, true);  // the current place
  controller.SelectCircle(0, true);
  controller.SelectCircle(4242, true);  // unknown
  EXPECT_TRUE(log.empty());
  controller.SelectCircle(102, false);  // same page, day, block, space; another half and circle
  EXPECT_EQ(ReceivedBy(main), (Messages{{UM_SPACE_CHANGED, 1, 1}, {UM_CIRCLE_CHANGED, 0, 102}}));
  log.clear();
  controller.JumpTo(10, 5, false);  // an empty cut: a place without a circle
  EXPECT_EQ(ReceivedBy(main), (Messages{{UM_CIRCLE_CHANGED, 0, 0}}));
  EXPECT_EQ(controller.CurrentCircle().circleName, "");
}

TEST_F(LocationTest, RefusedPageKeepsTheOldPageAndItsSlots) {
  MoveTo(104);
  for (int page : {20, 9, -3}) {
    controller.JumpTo(page, 1, true);
    EXPECT_EQ(Here(), (Place{10, 7, 104})) << page;
  }
  EXPECT_FALSE(controller.LoadPage(14));
  EXPECT_TRUE(log.empty());
  EXPECT_TRUE(controller.History().IsEmpty());
  EXPECT_EQ(controller.GetPageCutCircleId(1), 101);  // still page 10
  EXPECT_EQ(controller.FindCircleCut(104), 7);
}

TEST_F(LocationTest, CircleWithoutAPlaceKeepsThePageWithCutMinusOne) {
  MoveTo(104);
  controller.SelectCircle(900, false);
  EXPECT_EQ(Here(), (Place{10, -1, 900}));
  EXPECT_EQ(ReceivedBy(main), (Messages{{UM_DAY_CHANGED, 0, 0}, {UM_BLOCK_CHANGED, 0, 0},
                                        {UM_SPACE_CHANGED, 0, 0}, {UM_GENRE_CHANGED, 0, 1},
                                        {UM_CIRCLE_CHANGED, 0, 900}}));  // no page change
  EXPECT_EQ(controller.GetPageCutCircleId(7), 104);  // the slots still hold page 10
}

// The database reads the controller's checklist until the controller lets it go.
TEST_F(LocationTest, TheChecklistStoreIsTakenBackFromTheDatabase) {
  EXPECT_EQ(db.GetFavoriteStore(), controller.GetFavoriteStore());
  controller.Exit();
  EXPECT_EQ(db.GetFavoriteStore(), nullptr);
  {
    vx::CatalogController other(nullptr, {});
    ASSERT_TRUE(other.Init(&db, &images, &values));
  }  // destroyed without Exit
  EXPECT_EQ(db.GetFavoriteStore(), nullptr);
}

TEST_F(LocationTest, ThreeMovesOnOnePageAndOneOnAnotherLeaveTwoEntries) {
  MoveTo(101);
  controller.GoBack();  // an empty history: nothing happens
  EXPECT_TRUE(log.empty());
  for (int cut : {2, 3, 7}) controller.SelectCut(cut);
  controller.SelectCircle(131, true);
  const std::vector<vx::HistoryEntry> expected = {{10, 104}, {13, 131}};
  EXPECT_EQ(controller.History().Entries(), expected);
  controller.GoBack();
  controller.GoBack();
  EXPECT_EQ(Here(), (Place{10, 7, 104}));  // the last circle visited on the first page
  controller.GoForward();
  controller.GoForward();
  EXPECT_EQ(Here(), (Place{13, 4, 131}));
  EXPECT_EQ(controller.History().Entries(), expected);

  controller.GoBack();
  controller.JumpTo(11, 2, true);  // recording after going back drops what lay ahead
  EXPECT_EQ(controller.History().Entries(), (std::vector<vx::HistoryEntry>{{10, 104}, {11, 112}}));
  controller.JumpTo(11, 5, false);  // from a one-entry history back records the place first
  controller.ClearHistory();
  controller.RecordHistory();
  controller.JumpTo(13, 9, false);
  controller.GoBack();
  EXPECT_EQ(Here(), (Place{11, 5, 115}));
  EXPECT_EQ(controller.History().Entries(), (std::vector<vx::HistoryEntry>{{11, 115}, {13, 132}}));
}

}  // namespace
