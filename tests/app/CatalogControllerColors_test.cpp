#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "checklist/FavoriteStore.h"
#include "platform/Sjis.h"
#include "tests/app/ControllerFixture.h"

namespace {

using vxtest::Messages;

class ControllerColorsTest : public vxtest::ControllerTest {
 protected:
  void SetUp() override {
    ControllerTest::SetUp();
    values.fvrColorNum = 9;
    for (int i = 0; i < vx::kMaxCheckColors; ++i) {
      values.fvrColors[i] = 0x100u + i;
      values.fvrPrintColors[i] = 0x200u + i;
    }
    std::snprintf(values.fvrColorNames[0], vx::kColorNameSize, "%s", vx::Sjis("赤").c_str());
    values.fvrColorDef = 2;
    controller.LoadColorTable();
  }
  vx::FavoriteStore& Store() { return *controller.GetFavoriteStore(); }
};

TEST_F(ControllerColorsTest, PaletteAndChecklistKindsAnswerFromTheirOwnTables) {
  EXPECT_EQ(controller.GetColorValue(0, vx::CatalogController::kPaletteColor), 0x100u);
  EXPECT_EQ(controller.GetColorValue(8, vx::CatalogController::kPalettePrint), 0x208u);
  EXPECT_EQ(controller.GetColorValue(9, vx::CatalogController::kPaletteColor), 0u);  // beyond 9
  EXPECT_EQ(controller.GetColorValue(-1, 0), 0u);
  EXPECT_EQ(controller.GetColorValue(0, 4), 0u);
  EXPECT_EQ(controller.GetColorName(0, 0), vx::Sjis("赤"));
  EXPECT_EQ(controller.GetColorName(0, 4), nullptr);

  controller.SetColorDef(vx::CatalogController::kChecklistColor, 1, 0xABCDEF, 0x123456, "x");
  EXPECT_TRUE(controller.IsChecklistModified());
  EXPECT_EQ(controller.GetColorValue(1, vx::CatalogController::kChecklistColor), 0xABCDEFu);
  EXPECT_EQ(controller.GetColorValue(1, vx::CatalogController::kChecklistPrint), 0x123456u);
  EXPECT_EQ(controller.GetColorValue(1, vx::CatalogController::kPaletteColor), 0x101u);
  EXPECT_STREQ(controller.GetColorName(1, vx::CatalogController::kChecklistColor), "x");

  // A long palette name is cut at 32 bytes without splitting a character.
  controller.SetColorDef(vx::CatalogController::kPaletteColor, 3, 1, 2,
                         vx::Sjis("あいうえおかきくけこさしすせそたちつてと"));
  EXPECT_EQ(std::string(controller.GetColorName(3, 0)),
            vx::Sjis("あいうえおかきくけこさしすせそた"));
}

TEST_F(ControllerColorsTest, ColorCountIsOneToSixteenWhateverTheSettingsSay) {
  values.fvrColorNum = 40;
  EXPECT_EQ(controller.GetColorCount(), 16);
  values.fvrColorNum = 0;
  EXPECT_EQ(controller.GetColorCount(), 1);
  controller.SetCircleColor(2, 101);  // colour 2 does not exist with one colour
  EXPECT_EQ(controller.GetCircleColor(101), -1);
  EXPECT_TRUE(log.empty());
}

TEST_F(ControllerColorsTest, CurrentColorChangeIsAnnouncedOnceWithOldAndNewIndex) {
  controller.SetCurrentColor(5);
  controller.SetCurrentColor(5);
  controller.SetCurrentColor(9);  // beyond the count
  EXPECT_EQ(ReceivedBy(main), (Messages{{UM_CURRENT_COLOR_CHANGED, 2, 5}}));
  EXPECT_EQ(controller.GetCurrentColor(), 5);
}

TEST_F(ControllerColorsTest, CheckingAnnouncesCheckedOrColourChangedByTheOldColour) {
  controller.SetCircleMemo("memo", 101);  // memo only
  log.clear();
  controller.SetCircleColor(3, 101);   // memo-only circle: checked, not a colour change
  controller.SetCircleColor(4, 101);   // colour change
  controller.SetCircleColor(4, 101);   // same colour: nothing
  controller.SetCircleColor(-1, 102);  // current colour (index 2 -> colour 3)
  EXPECT_EQ(ReceivedBy(main), (Messages{{UM_CIRCLE_CHECKED, 3, 101},
                                        {UM_CIRCLE_COLOR_CHANGED, 4, 101},
                                        {UM_CIRCLE_CHECKED, 3, 102}}));
  EXPECT_EQ(log.size(), 15u);  // every frame hears each
  EXPECT_TRUE(controller.IsChecklistModified());
}

// Many changed circles are one message for every window; one alone keeps its own.
TEST_F(ControllerColorsTest, SettingManyIsOneAnnouncementUnlessOnlyOneCircleChanged) {
  controller.SetCircleColor(2, 103);
  const struct {
    std::vector<int> ids;
    Messages expected;
  } cases[] = {
      {{101, 103, 104}, {{UM_CHECKLIST_MARKS_CHANGED, 0, 0}}},
      {{101, 103, 102}, {{UM_CIRCLE_CHECKED, 2, 102}}},
      {{101, 103, 102}, {}},
  };
  for (const auto& c : cases) {
    log.clear();
    ASSERT_TRUE(controller.SetCirclesColor(c.ids, 2));
    EXPECT_EQ(ReceivedBy(main), c.expected) << c.ids[2];
  }
  for (int id : {101, 102, 103, 104}) EXPECT_EQ(controller.GetCircleColor(id), 2) << id;
  EXPECT_FALSE(controller.SetCirclesColor({}, 2));
}

TEST_F(ControllerColorsTest, UncheckingIsAnnouncedEvenForACircleNotInTheChecklist) {
  controller.UncheckCircle(104);
  EXPECT_EQ(ReceivedBy(main),
            (Messages{{UM_CHECKLIST_ENTRY_CHANGED, 0, 104}, {UM_CIRCLE_UNCHECKED, 0, 104}}));
  EXPECT_TRUE(controller.IsChecklistModified());

  controller.SetCircleMemo("keep", 101);
  controller.SetCircleColor(1, 101);
  log.clear();
  const int ids[] = {101, 102};
  ASSERT_TRUE(controller.UncheckCircles(ids));
  EXPECT_EQ(ReceivedBy(main), (Messages{{UM_CHECKLIST_MARKS_CHANGED, 0, 0}}));
  EXPECT_EQ(controller.GetCircleColor(101), 0);  // its memo keeps it as memo only
  EXPECT_EQ(controller.GetCircleColor(102), -1);
}

// Checking every circle and unchecking them again leaves the checklist as it was: no record of an
// unchecked circle is kept, cycle after cycle.
TEST_F(ControllerColorsTest, UncheckedCirclesLeaveNoEntryBehind) {
  controller.SetCircleMemo("kept", 103);
  const int ids[] = {101, 102, 103, 104};
  for (int cycle = 0; cycle < 2; ++cycle) {
    ASSERT_TRUE(controller.SetCirclesColor(ids, 2));
    EXPECT_EQ(Store().GetEntryCount(), 4);
    ASSERT_TRUE(controller.UncheckCircles(ids));
    EXPECT_EQ(Store().GetEntryCount(), 1) << cycle;  // the memo keeps 103
    EXPECT_EQ(Store().FindCircle(101), nullptr);
  }
  controller.SetCircleColor(1, 102);
  controller.UncheckCircle(102);
  EXPECT_EQ(Store().FindCircle(102), nullptr);
  EXPECT_EQ(controller.GetCircleColor(102), -1);
  controller.SetCircleMemo("", 103);  // a memo-only circle without its memo leaves too
  EXPECT_EQ(Store().GetEntryCount(), 0);
  vx::CircleRecord record;
  ASSERT_TRUE(controller.GetCircle(101, &record));  // from the catalogue again
  EXPECT_EQ(record.id, 101);
}

TEST_F(ControllerColorsTest, MemoRulesAddRemoveAndCutAtTheLimit) {
  controller.SetCircleMemo("", 101);  // no entry, empty memo: nothing at all
  EXPECT_TRUE(log.empty());
  EXPECT_FALSE(controller.IsChecklistModified());

  controller.SetCircleMemo("hello", 101);
  EXPECT_EQ(ReceivedBy(main),
            (Messages{{UM_CIRCLE_CHECKED, 0, 101}, {UM_CHECKLIST_ENTRY_CHANGED, 0, 101}}));
  EXPECT_EQ(controller.GetCircleColor(101), 0);
  EXPECT_EQ(controller.GetCircleMemo(101), "hello");

  controller.SetCircleMemo("", 101);  // emptying a memo-only circle takes it out
  EXPECT_EQ(controller.GetCircleColor(101), -1);
  EXPECT_EQ(controller.GetCircleMemo(101), "");

  std::string huge(vx::CatalogController::kMaxMemoBytes - 1, 'a');
  huge += vx::Sjis("漢");  // the double-byte character would end one byte past the limit
  controller.SetCircleMemo(huge, 102);
  EXPECT_EQ(controller.GetCircleMemo(102).size(), vx::CatalogController::kMaxMemoBytes - 1);
}

TEST_F(ControllerColorsTest, PrintOrderAndReplayWalkTheStoreInPrintOrder) {
  for (int id : {101, 102, 103}) controller.SetCircleColor(1, id);
  const int order[] = {103, 101, 102};
  controller.SetPrintOrderList(order);
  log.clear();
  std::vector<int> walked;
  controller.ForEachInPrintOrder([&](const vx::FavoriteEntry& entry) {
    walked.push_back(entry.record.id);
    return true;
  });
  EXPECT_EQ(walked, (std::vector<int>{103, 101, 102}));
  controller.RefreshChecklistViews();
  EXPECT_EQ(ReceivedBy(main), (Messages{{UM_CHECKLIST_RESET, 0, 0},
                                        {UM_CIRCLE_CHECKED, 1, 103},
                                        {UM_CHECKLIST_ENTRY_CHANGED, 0, 103},
                                        {UM_CIRCLE_CHECKED, 1, 101},
                                        {UM_CHECKLIST_ENTRY_CHANGED, 0, 101},
                                        {UM_CIRCLE_CHECKED, 1, 102},
                                        {UM_CHECKLIST_ENTRY_CHANGED, 0, 102}}));
}

}  // namespace
