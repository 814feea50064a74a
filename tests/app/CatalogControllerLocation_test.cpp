#include <gtest/gtest.h>

#include "checklist/FavoriteStore.h"
#include "tests/app/ControllerFixture.h"

namespace {

using vxtest::Messages;
using vxtest::Place;
using LocationTest = vxtest::ControllerTest;

TEST_F(LocationTest, FirstLocationAnnouncesPageDayBlockSpaceGenreThenCircleToEveryWindow) {
  std::vector<int> currentWhileReceived;
  map.onMessage = [&] { currentWhileReceived.push_back(controller.GetCurrentCircle().id); };
  controller.SelectCircle(102, false);
  const Messages expected = {
      {UM_PAGE_CHANGED, 0, 10}, {UM_DAY_CHANGED, 0, 1},   {UM_BLOCK_CHANGED, 0, 1},
      {UM_SPACE_CHANGED, 1, 1}, {UM_GENRE_CHANGED, 0, 1}, {UM_CIRCLE_CHANGED, 0, 102},
  };
  // Each message reaches the windows in registration order before the next message is sent.
  ASSERT_EQ(log.size(), 30u);
  for (std::size_t i = 0; i < log.size(); ++i) {
    EXPECT_EQ(log[i].receiver, frames[i % 5]) << i;
    EXPECT_EQ(log[i].message, std::get<0>(expected[i / 5])) << i;
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
  vx::CircleRecord record = controller.GetCurrentCircle();
  record.day = 2;  // a day change alone announces block and space too
  controller.SetCurrentCircle(record);
  EXPECT_EQ(ReceivedBy(main),
            (Messages{{UM_DAY_CHANGED, 0, 2}, {UM_BLOCK_CHANGED, 0, 1}, {UM_SPACE_CHANGED, 1, 1}}));
  log.clear();
  controller.JumpTo(10, 5, false);  // an empty cut: a place without a circle
  EXPECT_EQ(ReceivedBy(main), (Messages{{UM_CIRCLE_CHANGED, 0, 0}}));
  EXPECT_EQ(controller.GetCurrentCircle().circleName, "");
}

TEST_F(LocationTest, RefusedPageKeepsTheOldPageAndItsSlots) {
  MoveTo(104);
  for (int page : {20, 9, -3}) {
    controller.JumpTo(page, 1, true);
    EXPECT_EQ(Here(), (Place{10, 7, 104})) << page;
  }
  EXPECT_FALSE(controller.LoadPage(14));
  EXPECT_TRUE(log.empty());
  EXPECT_TRUE(controller.GetHistory().IsEmpty());
  EXPECT_EQ(controller.GetPageCutCircleId(1), 101);  // still page 10
  EXPECT_EQ(controller.FindCircleCut(104), 7);
}

TEST_F(LocationTest, CircleWithoutAPlaceKeepsThePageWithCutMinusOne) {
  MoveTo(104);
  controller.SelectCircle(900, false);
  EXPECT_EQ(Here(), (Place{10, -1, 900}));
  EXPECT_EQ(ReceivedBy(main), (Messages{{UM_DAY_CHANGED, 0, 0},
                                        {UM_BLOCK_CHANGED, 0, 0},
                                        {UM_SPACE_CHANGED, 0, 0},
                                        {UM_GENRE_CHANGED, 0, 1},
                                        {UM_CIRCLE_CHANGED, 0, 900}}));  // no page change
  EXPECT_EQ(controller.GetPageCutCircleId(7), 104);  // the slots still hold page 10
}

// The database reads the controller's checklist until the controller lets it go at its exit.
TEST_F(LocationTest, TheChecklistStoreIsTakenBackFromTheDatabase) {
  EXPECT_EQ(db.GetFavoriteStore(), controller.GetFavoriteStore());
  controller.Exit();
  EXPECT_EQ(db.GetFavoriteStore(), nullptr);
  // Nor does it keep the beacon, which goes before the controller: a late box has no owner.
  EXPECT_EQ(controller.GetDialogOwner(), nullptr);
  controller.ShowMessageBox(vx::MB_OK, "late", "box");
  EXPECT_EQ(ui.CallsOf(vx::UiCallKind::kMessageBox).back().owner, nullptr);
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
  EXPECT_EQ(controller.GetHistory().Entries(), expected);
  controller.GoBack();
  controller.GoBack();
  EXPECT_EQ(Here(), (Place{10, 7, 104}));  // the last circle visited on the first page
  controller.GoForward();
  controller.GoForward();
  EXPECT_EQ(Here(), (Place{13, 4, 131}));
  EXPECT_EQ(controller.GetHistory().Entries(), expected);

  controller.GoBack();
  controller.JumpTo(11, 2, true);  // recording after going back drops what lay ahead
  EXPECT_EQ(controller.GetHistory().Entries(),
            (std::vector<vx::HistoryEntry>{{10, 104}, {11, 112}}));
  controller.JumpTo(11, 5, false);  // from a one-entry history back records the place first
  controller.ClearHistory();
  controller.RecordHistory();
  controller.JumpTo(13, 9, false);
  controller.GoBack();
  EXPECT_EQ(Here(), (Place{11, 5, 115}));
  EXPECT_EQ(controller.GetHistory().Entries(),
            (std::vector<vx::HistoryEntry>{{11, 115}, {13, 132}}));
}

using C = vx::CatalogController;

// How the cursor rule (a page move lands on the page's first circle) is set.
enum Rule { kOff, kOn, kAuto, kOneClick, kUnplaced };  // kAuto, kOneClick: on, but overridden

TEST_F(LocationTest, CursorMovesFromEveryKindOfPlace) {
  struct Case {
    int page, cut;
    Rule rule;
    void (C::*move)();
    Place expected;
  };
  const auto next = &C::SelectNextCut, prev = &C::SelectPrevCut, below = &C::SelectCutBelow,
             above = &C::SelectCutAbove;
  // clang-format off
  const Case cases[] = {
      {10, 1, kOff, next, {10, 2, 102}},             {10, 36, kOff, next, {11, 1, 0}},
      {11, 36, kOff, next, {13, 1, 0}},              {13, 36, kOff, next, {13, 36, 0}},
      {10, 36, kOn, next, {11, 1, 0}},               {10, 3, kOff, prev, {10, 2, 102}},
      {11, 1, kOff, prev, {10, 36, 136}},            {13, 1, kOff, prev, {11, 36, 0}},
      {10, 1, kOff, prev, {10, 1, 101}},             {13, 1, kOn, prev, {11, 2, 112}},
      {10, 1, kOff, below, {10, 7, 104}},            {10, 30, kOff, below, {10, 36, 136}},
      {10, 33, kOff, below, {11, 3, 113}},           {13, 33, kOff, below, {13, 33, 135}},
      {10, 33, kOn, below, {11, 2, 112}},            {10, 9, kOff, above, {10, 3, 103}},
      {11, 4, kOff, above, {10, 34, 0}},             {10, 4, kOff, above, {10, 4, 0}},
      {13, 3, kOn, above, {11, 2, 112}},             {10, 7, kOff, &C::NextPage, {11, 7, 0}},
      {13, 7, kOff, &C::NextPage, {13, 7, 0}},       {13, 7, kOn, &C::PrevPage, {11, 2, 112}},
      {10, 1, kOn, &C::PrevPage, {10, 1, 101}},      {10, 7, kAuto, &C::NextPage, {11, 7, 0}},
      {11, 7, kOneClick, &C::NextPage, {13, 7, 0}},  {10, 7, kOff, &C::NextBlock, {11, 2, 112}},
      {11, 2, kOff, &C::NextBlock, {11, 2, 112}},    {11, 2, kOff, &C::PrevBlock, {10, 1, 101}},
      {10, 1, kOff, &C::PrevBlock, {10, 1, 101}},
      // Without a current cut, or on a circle without a place (cut -1), the cursor starts at
      // cut 1 of the same page, never at cut 0 or on another page.
      {11, 0, kOff, next, {11, 1, 0}},               {11, 0, kOff, prev, {11, 1, 0}},
      {11, 0, kOff, below, {11, 1, 0}},              {11, 0, kOff, above, {11, 1, 0}},
      {11, 5, kUnplaced, next, {11, 1, 0}},          {11, 5, kUnplaced, prev, {11, 1, 0}},
      {11, 5, kUnplaced, below, {11, 1, 0}},         {11, 5, kUnplaced, above, {11, 1, 0}},
  };
  // clang-format on

  for (const Case& c : cases) {
    values.cursorInit = c.rule == kOff || c.rule == kUnplaced ? 0 : 1;
    values.autoSel = c.rule == kAuto;
    values.oneClickSel = c.rule == kOneClick;
    controller.JumpTo(c.page, c.cut, false);
    if (c.rule == kUnplaced) {
      controller.SelectCircle(900, false);
      ASSERT_EQ(Here(), (Place{c.page, -1, 900}));
    }
    (controller.*c.move)();
    EXPECT_EQ(Here(), c.expected) << "from page " << c.page << " cut " << c.cut;
  }
}

TEST_F(LocationTest, PagesDaysAndGenresGoToTheirFirstCut) {
  controller.JumpTo(10, 7, false);
  controller.GoToPage(12);  // the first page with circles from there
  EXPECT_EQ(Here(), (Place{13, 7, 0}));
  controller.GoToPage(14);  // nothing at or after it
  controller.SelectCut(37);
  EXPECT_EQ(Here(), (Place{13, 7, 0}));
  controller.SelectDay(2);
  EXPECT_EQ(Here(), (Place{13, 4, 131}));
  controller.SelectGenre(2);
  EXPECT_EQ(Here(), (Place{10, 7, 104}));
}

// Moving back a page must not land on the page the move started from.
TEST_F(LocationTest, BackwardPageSearchSkipsEmptyPagesDownwards) {
  controller.JumpTo(13, 4, false);
  controller.GoToPage(12);  // searches forward: back on page 13
  EXPECT_EQ(controller.GetCurrentPage(), 13);
  controller.GoToPageOrBefore(12);
  EXPECT_EQ(controller.GetCurrentPage(), 11);
  controller.GoToPageOrBefore(9);  // nothing at or before it
  EXPECT_EQ(controller.GetCurrentPage(), 11);
  controller.GoToPageOrBefore(40);
  EXPECT_EQ(controller.GetCurrentPage(), 13);
}

TEST_F(LocationTest, HallIndexIsThePositionInTheDaysOwnAreaList) {
  // Day 2 has only area 2: its first (and only) hall.
  EXPECT_EQ((std::vector<int>{controller.FindDayAreaIndex(1, 1), controller.FindDayAreaIndex(2, 2),
                              controller.FindDayAreaIndex(2, 1), controller.FindDayAreaIndex(3, 1),
                              controller.FindDayAreaIndex(1, 0)}),
            (std::vector<int>{1, 1, 0, 0, 0}));
}

TEST_F(LocationTest, WeekdayNamesLongForWindowsShortForLists) {
  EXPECT_EQ((std::vector<std::string>{
                controller.GetWeekdayLongName(1), controller.GetWeekdayShortName(1),
                controller.GetWeekdayLongName(2), controller.GetWeekdayShortName(9)}),
            (std::vector<std::string>{vx::Sjis("土曜日"), vx::Sjis("土"), vx::Sjis("日曜日"), ""}));
}

}  // namespace
