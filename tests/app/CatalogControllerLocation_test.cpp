#include <gtest/gtest.h>

#include "checklist/FavoriteStore.h"
#include "tests/app/ControllerFixture.h"

namespace {

using vxtest::ControllerTest;
using vxtest::Message;
using vxtest::Messages;

using LocationTest = ControllerTest;

TEST_F(LocationTest, FirstLocationAnnouncesPageDayBlockSpaceGenreThenCircleToEveryWindow) {
  controller.SelectCircle(102, false);
  const Messages expected = {
      {UM_PAGE_CHANGED, 0, 10}, {UM_DAY_CHANGED, 0, 1},   {UM_BLOCK_CHANGED, 0, 1},
      {UM_SPACE_CHANGED, 1, 1}, {UM_GENRE_CHANGED, 0, 1}, {UM_CIRCLE_CHANGED, 0, 102},
  };
  for (const vxtest::FakeFrame* frame : {&main, &checklist, &detail, &map, &list}) {
    EXPECT_EQ(ReceivedBy(*frame), expected) << frame->name;
  }
  // Each message reaches the windows in registration order before the next message is sent.
  ASSERT_EQ(log.size(), 30u);
  EXPECT_EQ(log[0].receiver, &main);
  EXPECT_EQ(log[1].receiver, &checklist);
  EXPECT_EQ(log[2].receiver, &detail);
  EXPECT_EQ(log[3].receiver, &map);
  EXPECT_EQ(log[4].receiver, &list);
  EXPECT_EQ(log[5].message, UM_DAY_CHANGED);
}

TEST_F(LocationTest, ReceiversSeeTheNewCircleAlreadyCurrent) {
  std::vector<int> seen;
  map.onMessage = [&](unsigned, vx::WParam, vx::LParam) { seen.push_back(CurrentId()); };
  controller.SelectCircle(131, false);
  ASSERT_FALSE(seen.empty());
  for (int id : seen) EXPECT_EQ(id, 131);
}

TEST_F(LocationTest, OnlyWhatChangedIsAnnounced) {
  MoveTo(101);
  controller.SelectCircle(102, false);  // same page, day, block, space; another half and circle
  EXPECT_EQ(ReceivedBy(main), (Messages{{UM_SPACE_CHANGED, 1, 1}, {UM_CIRCLE_CHANGED, 0, 102}}));
  log.clear();
  controller.SelectCircle(112, false);  // another page and block, same day
  EXPECT_EQ(MessageIdsOf(main),
            (std::vector<unsigned>{UM_PAGE_CHANGED, UM_BLOCK_CHANGED, UM_SPACE_CHANGED,
                                   UM_GENRE_CHANGED, UM_CIRCLE_CHANGED}));
}

TEST_F(LocationTest, DayChangeAloneAnnouncesDayBlockAndSpace) {
  MoveTo(101);
  vx::CircleRecord record = controller.CurrentCircle();
  record.day = 2;
  controller.SetCurrentCircle(record);
  EXPECT_EQ(ReceivedBy(main), (Messages{{UM_DAY_CHANGED, 0, 2},
                                        {UM_BLOCK_CHANGED, 0, 1},
                                        {UM_SPACE_CHANGED, 0, 1}}));
}

TEST_F(LocationTest, PageZeroIsNotAnnounced) {
  MoveTo(101);
  vx::CircleRecord record = controller.CurrentCircle();
  record.pageNo = 0;
  controller.SetCurrentCircle(record);
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(CurrentPage(), 0);
}

TEST_F(LocationTest, JumpToTheCurrentPlaceSendsNothingAndRecordsNoHistory) {
  MoveTo(103);
  controller.JumpTo(10, 3, true);
  EXPECT_TRUE(log.empty());
  EXPECT_TRUE(controller.History().IsEmpty());
}

TEST_F(LocationTest, EmptyCutBecomesThePlaceWithCircleIdZero) {
  MoveTo(103);
  controller.JumpTo(10, 5, false);
  EXPECT_EQ(ReceivedBy(main), (Messages{{UM_CIRCLE_CHANGED, 0, 0}}));
  const vx::CircleRecord& place = controller.CurrentCircle();
  EXPECT_EQ(place.id, 0);
  EXPECT_EQ(place.pageNo, 10);
  EXPECT_EQ(place.cutIndex, 5);
  EXPECT_EQ(place.day, 1);
  EXPECT_EQ(place.circleName, "");  // no texts of the circle that was current before
}

TEST_F(LocationTest, JumpWithCutMinusOneLandsOnTheFirstOccupiedCut) {
  controller.JumpTo(11, -1, false);
  EXPECT_EQ(CurrentId(), 112);
  EXPECT_EQ(CurrentCut(), 2);
  controller.JumpTo(12, -1, false);  // a page without circles
  EXPECT_EQ(CurrentPage(), 12);
  EXPECT_EQ(CurrentCut(), 0);
  EXPECT_EQ(CurrentId(), 0);
}

TEST_F(LocationTest, RefusedPageKeepsTheOldPageAndItsSlots) {
  MoveTo(104);
  for (int page : {20, 9, -3}) {
    controller.JumpTo(page, 1, true);
    EXPECT_EQ(CurrentPage(), 10) << page;
    EXPECT_EQ(CurrentId(), 104) << page;
  }
  EXPECT_FALSE(controller.LoadPage(14));
  EXPECT_TRUE(log.empty());
  EXPECT_TRUE(controller.History().IsEmpty());
  EXPECT_EQ(controller.GetPageCutCircleId(1), 101);  // still page 10
  EXPECT_EQ(controller.FindCircleCut(104), 7);
}

TEST_F(LocationTest, PageSlotsDescribeTheCurrentPage) {
  MoveTo(113);
  EXPECT_EQ(controller.FirstOccupiedCut(), 2);
  EXPECT_EQ(controller.GetPageCutCircleId(3), 113);
  EXPECT_EQ(controller.GetPageCutCircleId(1), 0);
  EXPECT_EQ(controller.GetPageCutCircleId(0), 0);
  EXPECT_EQ(controller.GetPageCutCircleId(37), 0);
  EXPECT_EQ(controller.FindCircleCut(134), 34);
  EXPECT_EQ(controller.FindCircleCut(101), 0);  // another page
  EXPECT_EQ(controller.FindCircleCut(0), 0);
  vx::CircleRecord record;
  EXPECT_TRUE(controller.GetPageCircleByCut(5, &record));
  EXPECT_EQ(record.id, 115);
  EXPECT_FALSE(controller.GetPageCircleByCut(6, &record));
}

// The checklist's own record of a circle (with its memo) wins over the catalogue's row.
TEST_F(LocationTest, GetCircleTakesACheckedCirclesRecordFromTheChecklist) {
  vx::FavoriteStore* store = controller.GetFavoriteStore();
  ASSERT_NE(store, nullptr);
  ASSERT_TRUE(store->SetColor(113, 1));
  ASSERT_TRUE(store->SetMemo(113, "memo"));
  vx::CircleRecord record;
  record.memo = "left over";
  ASSERT_TRUE(controller.GetCircle(113, &record));
  EXPECT_EQ(record.memo, "memo");
  ASSERT_TRUE(controller.GetCircle(115, &record));
  EXPECT_EQ(record.circleName, "C115");
  EXPECT_EQ(record.memo, "");
  EXPECT_FALSE(controller.GetCircle(777, &record));
  EXPECT_EQ(record.id, 0);
}

TEST_F(LocationTest, DatabaseReadsTheControllersChecklistUntilExit) {
  EXPECT_EQ(db.GetFavoriteStore(), controller.GetFavoriteStore());
  controller.Exit();
  EXPECT_EQ(controller.GetFavoriteStore(), nullptr);
  EXPECT_EQ(db.GetFavoriteStore(), nullptr);  // no dangling store behind the memo function
  {
    vx::CatalogController other(nullptr, {});
    ASSERT_TRUE(other.Init(&db, &images, &values));
    EXPECT_EQ(db.GetFavoriteStore(), other.GetFavoriteStore());
  }  // destroyed without Exit
  EXPECT_EQ(db.GetFavoriteStore(), nullptr);
}

TEST_F(LocationTest, CircleWithoutAPlaceKeepsThePageWithCutMinusOne) {
  MoveTo(104);
  controller.SelectCircle(900, false);
  EXPECT_EQ(CurrentId(), 900);
  EXPECT_EQ(CurrentPage(), 10);
  EXPECT_EQ(CurrentCut(), -1);
  const std::vector<unsigned> ids = MessageIdsOf(main);
  EXPECT_EQ(std::count(ids.begin(), ids.end(), UM_PAGE_CHANGED), 0);
  EXPECT_EQ(ids.back(), UM_CIRCLE_CHANGED);
  EXPECT_EQ(controller.GetPageCutCircleId(7), 104);  // the slots still hold page 10
}

TEST_F(LocationTest, SelectingTheCurrentOrNoCircleDoesNothing) {
  MoveTo(101);
  controller.SelectCircle(101, true);
  controller.SelectCircle(0, true);
  controller.SelectCircle(4242, false);  // unknown: nothing found, nothing moves
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(CurrentId(), 101);
}

// --- Page history ----------------------------------------------------------------------------

TEST_F(LocationTest, ThreeMovesOnOnePageAndOneOnAnotherLeaveTwoEntries) {
  MoveTo(101);
  controller.SelectCut(2);
  controller.SelectCut(3);
  controller.SelectCut(7);
  controller.SelectCircle(131, true);
  const std::vector<vx::HistoryEntry> expected = {{10, 104}, {13, 131}};
  EXPECT_EQ(controller.History().Entries(), expected);

  controller.GoBack();
  EXPECT_EQ(CurrentId(), 104);  // the last circle visited on the first page
  EXPECT_EQ(CurrentPage(), 10);
  controller.GoBack();  // nothing further back
  EXPECT_EQ(CurrentId(), 104);
  controller.GoForward();
  EXPECT_EQ(CurrentId(), 131);
  controller.GoForward();
  EXPECT_EQ(CurrentId(), 131);
  EXPECT_EQ(controller.History().Entries(), expected);
}

TEST_F(LocationTest, BackFromAOneEntryHistoryRecordsTheCurrentPlaceFirst) {
  MoveTo(101);
  controller.RecordHistory();
  controller.JumpTo(13, 9, false);
  controller.GoBack();
  EXPECT_EQ(CurrentId(), 101);
  EXPECT_EQ(controller.History().Entries(),
            (std::vector<vx::HistoryEntry>{{10, 101}, {13, 132}}));
  EXPECT_EQ(controller.History().Index(), 0);
}

TEST_F(LocationTest, EntryOfAnEmptyCutLeadsNowhere) {
  controller.JumpTo(10, 5, false);  // empty cut, id 0
  controller.RecordHistory();
  controller.SelectCircle(131, true);
  controller.GoBack();
  EXPECT_EQ(controller.History().Index(), 0);
  EXPECT_EQ(CurrentId(), 131);
}

TEST_F(LocationTest, EmptyHistoryBackDoesNothing) {
  MoveTo(101);
  controller.GoBack();
  EXPECT_TRUE(log.empty());
  EXPECT_TRUE(controller.History().IsEmpty());
}

}  // namespace
