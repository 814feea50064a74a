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
  void ClickBox(QAbstractButton* button) const {
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
  }
  void ClickOk(const SettingsSheet& sheet) const {
    QTest::mouseClick(vxtest::Control<QPushButton>(&sheet, IDOK), Qt::LeftButton);
  }
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
    guarded = controller.Guard().IsRaised();
    ClickBox(vxtest::Control<QCheckBox>(sheet.Page(0), IDC_CFG_SYNC_ICONIC));
    ClickBox(vxtest::Control<QRadioButton>(sheet.Page(1), IDC_CFG_IMG_FIXED));
    QTest::mouseClick(static_cast<vx::CheckColorPage*>(sheet.Page(3))->Button(0, false),
                      Qt::LeftButton);
    QTest::keyClick(&sheet, Qt::Key_Escape);
  });
  EXPECT_EQ(result, IDCANCEL);
  EXPECT_TRUE(guarded);
  EXPECT_FALSE(controller.Guard().IsRaised());
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
    ClickBox(box);
    EXPECT_TRUE(apply->isEnabled());
    QTest::mouseClick(apply, Qt::LeftButton);
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
    QTest::mouseClick(vxtest::Control<QPushButton>(s.Page(3), IDC_CFG_COLOR_RESET_SECOND),
                      Qt::LeftButton);
  };
  const struct {
    const char* page;
    std::function<void(SettingsSheet&)> change;
    std::vector<unsigned> messages;
  } cases[] = {
      {"general",
       [this](SettingsSheet& s) {
         ClickBox(vxtest::Control<QCheckBox>(s.Page(0), IDC_CFG_LIST_SYNC));
       },
       {UM_OPTIONS_CHANGED}},
      {"paths",
       [this](SettingsSheet& s) {
         ClickBox(vxtest::Control<QRadioButton>(s.Page(1), IDC_CFG_BROWSER_CHOSEN));
       },
       {}},
      {"list",
       [](SettingsSheet& s) {
         s.findChild<QTabWidget*>()->setCurrentIndex(2);
         auto* list = vxtest::Control<QListWidget>(s.Page(2), IDC_CFG_LIST_COLUMNS);
         list->setCurrentRow(1);
         QTest::mouseClick(vxtest::Control<QPushButton>(s.Page(2), IDC_CFG_LIST_COLUMN_DOWN),
                           Qt::LeftButton);
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
