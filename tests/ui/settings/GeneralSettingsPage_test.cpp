#include <gtest/gtest.h>

#include <QCheckBox>
#include <QRadioButton>

#include <string>
#include <vector>

#include "tests/ui/settings/SettingsFixture.h"

namespace {

using vx::SettingsSheet;

constexpr int kGeneral = 0;

class GeneralSettingsPageTest : public vxtest::SettingsFixture {
 protected:
  QCheckBox* Box(const SettingsSheet& sheet, int id) const {
    return PageControl<QCheckBox>(sheet, kGeneral, id);
  }
};

// What the two dependent boxes show: ticked and enabled, for "AutoSel" then "CursorInit".
std::vector<bool> Shown(QCheckBox* autoSel, QCheckBox* cursorInit) {
  return {autoSel->isChecked(), autoSel->isEnabled(), cursorInit->isChecked(),
          cursorInit->isEnabled()};
}

TEST_F(GeneralSettingsPageTest,
       OneClickSelHoldsAutoSelTickedAndCursorInitClearedWithoutTheirValues) {
  const struct {
    int oneClickSel, autoSel, cursorInit;
    std::vector<bool> shown;
  } cases[] = {
      {0, 0, 1, {false, true, true, true}},
      {1, 0, 1, {true, false, false, false}},
      {0, 1, 1, {true, true, false, false}},
      {1, 1, 0, {true, false, false, false}},
  };
  for (const auto& c : cases) {
    live.oneClickSel = c.oneClickSel;
    live.autoSel = c.autoSel;
    live.cursorInit = c.cursorInit;
    SettingsSheet sheet(SettingsSheet::Kind::kSettings, controller, live, ui);
    EXPECT_EQ(Shown(Box(sheet, IDC_CFG_AUTO_SEL), Box(sheet, IDC_CFG_CURSOR_INIT)), c.shown)
        << c.oneClickSel << c.autoSel << c.cursorInit;
  }
}

TEST_F(GeneralSettingsPageTest, TurningOneClickSelOnAndOffKeepsTheHeldValues) {
  live.autoSel = 0;
  live.cursorInit = 1;
  SettingsSheet sheet(SettingsSheet::Kind::kSettings, controller, live, ui);
  QCheckBox* autoSel = Box(sheet, IDC_CFG_AUTO_SEL);
  QCheckBox* cursorInit = Box(sheet, IDC_CFG_CURSOR_INIT);
  std::vector<bool> on, clickedWhileHeld, off;
  const int result = RunSheet(sheet, [&] {
    Click(sheet, kGeneral, IDC_CFG_ONE_CLICK_SEL);
    on = Shown(autoSel, cursorInit);
    Click(sheet, kGeneral, IDC_CFG_AUTO_SEL);  // disabled: nothing happens
    Click(sheet, kGeneral, IDC_CFG_CURSOR_INIT);
    clickedWhileHeld = Shown(autoSel, cursorInit);
    Click(sheet, kGeneral, IDC_CFG_ONE_CLICK_SEL);
    off = Shown(autoSel, cursorInit);
    Click(sheet, kGeneral, IDC_CFG_ONE_CLICK_SEL);
    ClickOk(sheet);
  });
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(on, (std::vector<bool>{true, false, false, false}));
  EXPECT_EQ(clickedWhileHeld, on);
  EXPECT_EQ(off, (std::vector<bool>{false, true, true, true}));
  EXPECT_EQ(live.oneClickSel, 1);
  EXPECT_EQ(live.autoSel, 0);
  EXPECT_EQ(live.cursorInit, 1);
  EXPECT_EQ(Messages(), std::vector<unsigned>{UM_OPTIONS_CHANGED});
}

TEST_F(GeneralSettingsPageTest, EveryBoxStoresItsKeyAndOnlyAChangeIsAnnounced) {
  const struct {
    int id;
    int vx::SettingsValues::*key;
  } boxes[] = {
      {IDC_CFG_AUTO_NEXT, &vx::SettingsValues::autoNext},
      {IDC_CFG_AUTO_NEXT2, &vx::SettingsValues::autoNext2},
      {IDC_CFG_LIST_SYNC, &vx::SettingsValues::listSync},
      {IDC_CFG_AUTO_SEL, &vx::SettingsValues::autoSel},
      {IDC_CFG_ONE_CLICK_SEL, &vx::SettingsValues::oneClickSel},
      {IDC_CFG_STRICT_LOAD, &vx::SettingsValues::strictLoad},
      {IDC_CFG_AUTO_LOAD, &vx::SettingsValues::autoLoad},
      {IDC_CFG_CURSOR_INIT, &vx::SettingsValues::cursorInit},
      {IDC_CFG_START_COVER, &vx::SettingsValues::startCover},
      {IDC_CFG_FVR_OVER, &vx::SettingsValues::fvrOver},
      {IDC_CFG_FVR_OVER_COLOR, &vx::SettingsValues::fvrOverColor},
      {IDC_CFG_SYNC_ICONIC, &vx::SettingsValues::syncIconic},
  };
  {
    SettingsSheet sheet(SettingsSheet::Kind::kSettings, controller, live, ui);
    EXPECT_EQ(RunSheet(sheet, [&] { ClickOk(sheet); }), IDOK);
    EXPECT_TRUE(Messages().empty());
  }
  for (const auto& box : boxes) {
    log.clear();
    const vx::SettingsValues before = live;
    SettingsSheet sheet(SettingsSheet::Kind::kSettings, controller, live, ui);
    RunSheet(sheet, [&] {
      Click(sheet, kGeneral, box.id);
      ClickOk(sheet);
    });
    EXPECT_EQ(live.*box.key, 1 - before.*box.key) << box.id;
    vx::SettingsValues expected = before;
    expected.*box.key = live.*box.key;
    EXPECT_EQ(std::memcmp(&expected, &live, sizeof live), 0) << box.id;
    EXPECT_EQ(Messages(), std::vector<unsigned>{UM_OPTIONS_CHANGED}) << box.id;
    live = before;
  }
}

TEST_F(GeneralSettingsPageTest, TheScrollModeIsOneOfThreeAndAnUnknownOneShowsAsTheFirst) {
  live.scrollMode = 7;
  SettingsSheet sheet(SettingsSheet::Kind::kSettings, controller, live, ui);
  const int ids[] = {IDC_CFG_SCROLL_ADOBE, IDC_CFG_SCROLL_IE, IDC_CFG_SCROLL_DRAG};
  std::vector<bool> checked;
  for (int id : ids) checked.push_back(PageControl<QRadioButton>(sheet, kGeneral, id)->isChecked());
  EXPECT_EQ(checked, (std::vector<bool>{true, false, false}));
  RunSheet(sheet, [&] {
    Click(sheet, kGeneral, IDC_CFG_SCROLL_DRAG);
    ClickOk(sheet);
  });
  EXPECT_EQ(live.scrollMode, 2);
  EXPECT_EQ(Messages(), std::vector<unsigned>{UM_OPTIONS_CHANGED});
}

TEST_F(GeneralSettingsPageTest, TheResetAsksAndOnYesPutsTheFirstValuesBack) {
  live.scrollMode = 1;
  live.autoNext = 0;
  live.oneClickSel = 1;
  live.startCover = 0;
  live.syncIconic = 1;
  live.fvrOver = 1;
  const vx::SettingsValues before = live;
  SettingsSheet sheet(SettingsSheet::Kind::kSettings, controller, live, ui);
  ui.QueueAnswer(IDNO);
  Click(sheet, kGeneral, IDC_CFG_RESET);
  EXPECT_FALSE(Box(sheet, IDC_CFG_AUTO_NEXT)->isChecked());
  EXPECT_FALSE(sheet.ApplyButton()->isEnabled());
  ui.QueueAnswer(IDYES);
  Click(sheet, kGeneral, IDC_CFG_RESET);
  EXPECT_TRUE(Box(sheet, IDC_CFG_AUTO_NEXT)->isChecked());
  EXPECT_TRUE(Box(sheet, IDC_CFG_AUTO_SEL)->isEnabled());
  EXPECT_TRUE(PageControl<QRadioButton>(sheet, kGeneral, IDC_CFG_SCROLL_ADOBE)->isChecked());
  EXPECT_TRUE(sheet.ApplyButton()->isEnabled());
  EXPECT_EQ(std::memcmp(&live, &before, sizeof live), 0) << "nothing stored before OK";

  const std::vector<vx::UiCall> boxes = ui.CallsOf(vx::UiCallKind::kMessageBox);
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(vx::Cp932ToUtf8(boxes[0].text), "設定を初期化してよろしいですか？");
  EXPECT_EQ(vx::Cp932ToUtf8(boxes[0].caption), "初期化の確認");
  EXPECT_EQ(boxes[0].flags, vx::MB_YESNO | vx::MB_ICONQUESTION);
  EXPECT_EQ(boxes[0].owner, sheet.Page(kGeneral));

  RunSheet(sheet, [&] { ClickOk(sheet); });
  const std::vector<int> stored = {
      live.scrollMode,  live.autoNext,     live.autoNext2, live.listSync,   live.autoSel,
      live.oneClickSel, live.strictLoad,   live.autoLoad,  live.cursorInit, live.startCover,
      live.fvrOver,     live.fvrOverColor, live.syncIconic};
  EXPECT_EQ(stored, (std::vector<int>{0, 1, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0}));
  EXPECT_EQ(Messages(), std::vector<unsigned>{UM_OPTIONS_CHANGED});
  EXPECT_TRUE(ui.UnexpectedCalls().empty());
}

}  // namespace
