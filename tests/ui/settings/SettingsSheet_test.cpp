#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

#include <functional>
#include <string>
#include <vector>

#include "tests/ui/settings/SettingsFixture.h"
#include "ui/settings/CheckColorPage.h"
#include "ui/settings/ColorButton.h"

namespace {

using vx::SettingsSheet;

class SettingsSheetTest : public vxtest::SettingsFixture {
 protected:
};

std::vector<std::string> TabTitles(const SettingsSheet& sheet) {
  const auto* tabs = sheet.findChild<QTabWidget*>();
  std::vector<std::string> titles;
  for (int i = 0; i < tabs->count(); ++i) titles.push_back(tabs->tabText(i).toStdString());
  return titles;
}

TEST_F(SettingsSheetTest, TheSettingsSheetHoldsFourPagesTheColourSheetOne) {
  SettingsSheet settings(SettingsSheet::Kind::kSettings, controller, live, ui);
  EXPECT_EQ(TabTitles(settings),
            (std::vector<std::string>{"動作オプション", "パス設定", "リスト表示", "チェック色"}));
  EXPECT_EQ(settings.CurrentPage(), settings.Page(0));
  SettingsSheet colors(SettingsSheet::Kind::kCheckColors, controller, live, ui);
  EXPECT_EQ(colors.windowTitle().toStdString(), "チェック色の編集");
  EXPECT_EQ(TabTitles(colors), std::vector<std::string>{"チェック色"});
  EXPECT_EQ(colors.Page(1), nullptr);
}

TEST_F(SettingsSheetTest, ItRunsUnderTheModalGuardAndCancelDropsEveryEdit) {
  chosenColors = {0x000001};
  const vx::SettingsValues before = live;
  SettingsSheet sheet(SettingsSheet::Kind::kSettings, controller, live, ui, Chooser());
  bool guarded = false;
  const int result = RunSheet(sheet, [&] {
    guarded = controller.GetGuard().IsRaised();
    Click(vxtest::Control<QCheckBox>(sheet.Page(0), IDC_CFG_SYNC_ICONIC));
    Click(vxtest::Control<QRadioButton>(sheet.Page(1), IDC_CFG_IMG_FIXED));
    Click(static_cast<vx::CheckColorPage*>(sheet.Page(3))->Button(0, false));
    QTest::keyClick(&sheet, Qt::Key_Escape);
  });
  EXPECT_EQ(result, IDCANCEL);
  EXPECT_TRUE(guarded);
  EXPECT_FALSE(controller.GetGuard().IsRaised());
  EXPECT_EQ(std::memcmp(&live, &before, sizeof live), 0);
  EXPECT_TRUE(Messages().empty());
}

TEST_F(SettingsSheetTest, ApplyStoresWhatWasChangedAndWaitsForTheNextChange) {
  SettingsSheet sheet(SettingsSheet::Kind::kSettings, controller, live, ui);
  QPushButton* apply = sheet.ApplyButton();
  EXPECT_EQ(apply->text().toStdString(), "適用(&A)");
  auto* box = vxtest::Control<QCheckBox>(sheet.Page(0), IDC_CFG_FVR_OVER);
  const int result = RunSheet(sheet, [&] {
    EXPECT_FALSE(apply->isEnabled());
    Click(box);
    EXPECT_TRUE(apply->isEnabled());
    Click(apply);
    EXPECT_EQ(live.fvrOver, 1);
    EXPECT_FALSE(apply->isEnabled());
    EXPECT_TRUE(sheet.isVisible());
    ClickOk(sheet);
  });
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(Messages(), std::vector<unsigned>{UM_OPTIONS_CHANGED}) << "once, by Apply";
}

// What each page's changes announce when OK stores them.
TEST_F(SettingsSheetTest, EachPageAnnouncesWhatTheWindowsMustRedraw) {
  const auto resetSecond = [](SettingsSheet& s) {
    Click(vxtest::Control<QPushButton>(s.Page(3), IDC_CFG_COLOR_RESET_SECOND));
  };
  const struct {
    const char* page;
    std::function<void(SettingsSheet&)> change;
    std::vector<unsigned> messages;
  } cases[] = {
      {"general",
       [this](SettingsSheet& s) {
         Click(vxtest::Control<QCheckBox>(s.Page(0), IDC_CFG_LIST_SYNC));
       },
       {UM_OPTIONS_CHANGED}},
      {"paths",
       [this](SettingsSheet& s) {
         Click(vxtest::Control<QRadioButton>(s.Page(1), IDC_CFG_BROWSER_CHOSEN));
       },
       {}},
      {"list",
       [](SettingsSheet& s) {
         ShowPage(s, 2);
         auto* list = vxtest::Control<QListWidget>(s.Page(2), IDC_CFG_LIST_COLUMNS);
         list->setCurrentRow(1);
         Click(vxtest::Control<QPushButton>(s.Page(2), IDC_CFG_LIST_COLUMN_DOWN));
       },
       {UM_OPTIONS_CHANGED}},
      {"palette", resetSecond, {}},
      {"checklist colours",
       [&](SettingsSheet& s) {
         resetSecond(s);
         auto* sets = vxtest::Control<QComboBox>(s.Page(3), IDC_CFG_COLOR_SET);
         sets->setFocus();
         QTest::keyClick(sets, Qt::Key_Down);
         resetSecond(s);  // the checklist takes the palette just reset
       },
       {UM_COLORS_CHANGED}},
  };
  for (const auto& c : cases) {
    log.clear();
    const vx::SettingsValues before = live;
    SettingsSheet sheet(SettingsSheet::Kind::kSettings, controller, live, ui);
    RunSheet(sheet, [&] {
      c.change(sheet);
      EXPECT_TRUE(sheet.ApplyButton()->isEnabled()) << c.page;
      ClickOk(sheet);
    });
    EXPECT_EQ(Messages(), c.messages) << c.page;
    EXPECT_NE(std::memcmp(&live, &before, sizeof live), 0) << c.page << ": stored";
    live = before;
    controller.LoadColorTable();
  }
}

}  // namespace
