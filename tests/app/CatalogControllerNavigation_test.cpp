#include <gtest/gtest.h>

#include "tests/app/ControllerFixture.h"

namespace {

using vxtest::Place;
using NavigationTest = vxtest::ControllerTest;
using C = vx::CatalogController;

// How the cursor rule (a page move lands on the page's first circle) is set.
enum Rule { kOff, kOn, kAuto, kOneClick, kUnplaced };  // kAuto, kOneClick: on, but overridden

TEST_F(NavigationTest, CursorMovesFromEveryKindOfPlace) {
  struct Case {
    int page, cut;
    Rule rule;
    void (C::*move)();
    Place expected;
  };
  const auto next = &C::SelectNextCut, prev = &C::SelectPrevCut, below = &C::SelectCutBelow,
             above = &C::SelectCutAbove;
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

TEST_F(NavigationTest, PagesDaysBlocksAndGenresGoToTheirFirstCut) {
  controller.JumpTo(10, 7, false);
  controller.GoToPage(12);  // the first page with circles from there
  EXPECT_EQ(Here(), (Place{13, 7, 0}));
  controller.GoToPage(14);  // nothing at or after it
  EXPECT_EQ(Here(), (Place{13, 7, 0}));
  controller.GoToPage(1);
  EXPECT_EQ(Here(), (Place{10, 7, 104}));
  controller.SelectDay(2);
  EXPECT_EQ(Here(), (Place{13, 4, 131}));
  controller.SelectBlock(2, 1);
  EXPECT_EQ(Here(), (Place{11, 2, 112}));
  controller.SelectArea(1, 1);
  EXPECT_EQ(Here(), (Place{10, 1, 101}));
  controller.SelectGenre(3);
  EXPECT_EQ(Here(), (Place{11, 5, 115}));
  values.cursorInit = 1;
  controller.GoToPage(11);  // the current page: the cut stays
  EXPECT_EQ(Here(), (Place{11, 5, 115}));
  controller.SelectCut(37);
  controller.SelectCut(34);
  EXPECT_EQ(Here(), (Place{11, 34, 134}));
}

}  // namespace
