#include <gtest/gtest.h>

#include "tests/app/ControllerFixture.h"

namespace {

using vxtest::ControllerTest;

using NavigationTest = ControllerTest;

struct Place {
  int page;
  int cut;
  int id;
  friend bool operator==(const Place&, const Place&) = default;
  friend std::ostream& operator<<(std::ostream& out, const Place& p) {
    return out << "page " << p.page << " cut " << p.cut << " id " << p.id;
  }
};

class CursorTest : public ControllerTest {
 protected:
  Place Here() const { return {CurrentPage(), CurrentCut(), CurrentId()}; }
  Place After(int page, int cut, void (vx::CatalogController::*move)()) {
    controller.JumpTo(page, cut, false);
    (controller.*move)();
    return Here();
  }
};

TEST_F(CursorTest, NextCutStepsThroughThePageThenToCutOneOfTheNextPage) {
  using C = vx::CatalogController;
  EXPECT_EQ(After(10, 1, &C::SelectNextCut), (Place{10, 2, 102}));
  EXPECT_EQ(After(10, 36, &C::SelectNextCut), (Place{11, 1, 0}));
  EXPECT_EQ(After(11, 36, &C::SelectNextCut), (Place{13, 1, 0}));  // page 12 has no circle
  EXPECT_EQ(After(13, 36, &C::SelectNextCut), (Place{13, 36, 0}));  // the last page
  SetCursorRule(true);
  EXPECT_EQ(After(10, 36, &C::SelectNextCut), (Place{11, 1, 0}));
}

TEST_F(CursorTest, PrevCutGoesToTheLastCutOfThePreviousPageOrItsFirstCircle) {
  using C = vx::CatalogController;
  EXPECT_EQ(After(10, 3, &C::SelectPrevCut), (Place{10, 2, 102}));
  EXPECT_EQ(After(11, 1, &C::SelectPrevCut), (Place{10, 36, 136}));
  EXPECT_EQ(After(13, 1, &C::SelectPrevCut), (Place{11, 36, 0}));
  EXPECT_EQ(After(10, 1, &C::SelectPrevCut), (Place{10, 1, 101}));  // the first page
  SetCursorRule(true);
  EXPECT_EQ(After(13, 1, &C::SelectPrevCut), (Place{11, 2, 112}));
}

TEST_F(CursorTest, CutBelowKeepsTheColumnOnTheNextPage) {
  using C = vx::CatalogController;
  EXPECT_EQ(After(10, 1, &C::SelectCutBelow), (Place{10, 7, 104}));
  EXPECT_EQ(After(10, 30, &C::SelectCutBelow), (Place{10, 36, 136}));
  EXPECT_EQ(After(10, 33, &C::SelectCutBelow), (Place{11, 3, 113}));
  EXPECT_EQ(After(13, 33, &C::SelectCutBelow), (Place{13, 33, 135}));  // the last page
  SetCursorRule(true);
  EXPECT_EQ(After(10, 33, &C::SelectCutBelow), (Place{11, 2, 112}));
}

TEST_F(CursorTest, CutAboveKeepsTheColumnOnThePreviousPage) {
  using C = vx::CatalogController;
  EXPECT_EQ(After(10, 9, &C::SelectCutAbove), (Place{10, 3, 103}));
  EXPECT_EQ(After(11, 4, &C::SelectCutAbove), (Place{10, 34, 0}));
  EXPECT_EQ(After(10, 4, &C::SelectCutAbove), (Place{10, 4, 0}));  // the first page
  SetCursorRule(true);
  EXPECT_EQ(After(13, 3, &C::SelectCutAbove), (Place{11, 2, 112}));
}

TEST_F(CursorTest, NoCurrentCutStartsAtCutOne) {
  using C = vx::CatalogController;
  for (auto move : {&C::SelectNextCut, &C::SelectPrevCut, &C::SelectCutBelow,
                    &C::SelectCutAbove}) {
    EXPECT_EQ(After(11, 0, move), (Place{11, 1, 0}));
  }
}

// A circle without a place is current at cut -1: the cursor starts at cut 1 of the same page
// instead of stepping from -1 (to cut 0, cut 5 or the previous page).
TEST_F(CursorTest, CircleWithoutAPlaceStartsTheCursorAtCutOneOfTheSamePage) {
  using C = vx::CatalogController;
  for (auto move : {&C::SelectNextCut, &C::SelectPrevCut, &C::SelectCutBelow,
                    &C::SelectCutAbove}) {
    controller.JumpTo(11, 5, false);
    controller.SelectCircle(900, false);
    ASSERT_EQ(Here(), (Place{11, -1, 900}));
    (controller.*move)();
    EXPECT_EQ(Here(), (Place{11, 1, 0}));
  }
}

TEST_F(CursorTest, PageMovesKeepTheCutUnlessTheCursorRuleHolds) {
  controller.JumpTo(10, 7, false);
  controller.NextPage();
  EXPECT_EQ(Here(), (Place{11, 7, 0}));
  controller.NextPage();
  EXPECT_EQ(Here(), (Place{13, 7, 0}));
  controller.NextPage();  // none after the last
  EXPECT_EQ(Here(), (Place{13, 7, 0}));

  SetCursorRule(true);
  controller.PrevPage();
  EXPECT_EQ(Here(), (Place{11, 2, 112}));
  controller.PrevPage();
  EXPECT_EQ(Here(), (Place{10, 1, 101}));
  controller.PrevPage();  // none before the first
  EXPECT_EQ(Here(), (Place{10, 1, 101}));
}

TEST_F(CursorTest, AutomaticSelectionSwitchesTheCursorRuleOff) {
  SetCursorRule(true);
  values.autoSel = 1;
  controller.JumpTo(10, 7, false);
  controller.NextPage();
  EXPECT_EQ(Here(), (Place{11, 7, 0}));
  values.autoSel = 0;
  values.oneClickSel = 1;
  controller.NextPage();
  EXPECT_EQ(Here(), (Place{13, 7, 0}));
}

TEST_F(CursorTest, GoToPageFindsTheFirstPageWithCirclesFromThere) {
  controller.JumpTo(10, 7, false);
  controller.GoToPage(12);
  EXPECT_EQ(Here(), (Place{13, 7, 0}));
  controller.GoToPage(0);
  controller.GoToPage(14);  // nothing at or after it
  EXPECT_EQ(Here(), (Place{13, 7, 0}));
  controller.GoToPage(1);
  EXPECT_EQ(Here(), (Place{10, 7, 104}));

  SetCursorRule(true);
  controller.GoToPage(10);  // the current page: the cut stays
  EXPECT_EQ(Here(), (Place{10, 7, 104}));
  controller.GoToPage(11);
  EXPECT_EQ(Here(), (Place{11, 2, 112}));
}

TEST_F(CursorTest, SelectCutStaysOnTheCurrentPageAndRecordsHistory) {
  controller.JumpTo(11, 2, false);
  controller.SelectCut(5);
  EXPECT_EQ(Here(), (Place{11, 5, 115}));
  EXPECT_EQ(controller.History().Entries(), (std::vector<vx::HistoryEntry>{{11, 115}}));
  controller.SelectCut(0);
  controller.SelectCut(37);
  EXPECT_EQ(Here(), (Place{11, 5, 115}));
}

TEST_F(CursorTest, DayAreaBlockAndGenreGoToTheirFirstCut) {
  controller.JumpTo(11, 34, false);
  controller.SelectDay(2);
  EXPECT_EQ(Here(), (Place{13, 4, 131}));
  controller.SelectDay(2);  // already the current day
  EXPECT_EQ(Here(), (Place{13, 4, 131}));
  controller.SelectBlock(2, 1);
  EXPECT_EQ(Here(), (Place{11, 2, 112}));
  controller.SelectArea(1, 1);
  EXPECT_EQ(Here(), (Place{10, 1, 101}));
  controller.SelectGenre(3);
  EXPECT_EQ(Here(), (Place{11, 5, 115}));
}

TEST_F(CursorTest, BlockMovesFollowTheDaysBlockIndex) {
  controller.JumpTo(10, 7, false);  // day 1, block 1
  controller.NextBlock();
  EXPECT_EQ(Here(), (Place{11, 2, 112}));
  controller.NextBlock();  // block 2 is the day's last
  EXPECT_EQ(Here(), (Place{11, 2, 112}));
  controller.PrevBlock();
  EXPECT_EQ(Here(), (Place{10, 1, 101}));
  controller.PrevBlock();
  EXPECT_EQ(Here(), (Place{10, 1, 101}));
}

TEST_F(NavigationTest, PageJumpDialogOpensBesideTheMainWindowWithTheCurrentPage) {
  ASSERT_EQ(beacon.creator, &controller);
  main.rect = {100, 50, 900, 700};
  controller.JumpTo(11, 3, false);
  controller.ShowPageJumpDialog();
  EXPECT_TRUE(beacon.pageJump.shown);
  EXPECT_EQ(beacon.pageJump.left, 132);
  EXPECT_EQ(beacon.pageJump.top, 82);
  EXPECT_EQ(beacon.pageJump.page, 11);

  main.rect = {0, 0, 10, 10};
  controller.JumpTo(13, 4, false);
  controller.ShowPageJumpDialog();  // already shown: it stays where the user put it
  EXPECT_EQ(beacon.pageJump.moves, 1);
  EXPECT_EQ(beacon.pageJump.page, 13);
}

}  // namespace
