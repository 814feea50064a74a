#include <gtest/gtest.h>

#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include <iterator>
#include <string>
#include <vector>

#include "tests/ui/settings/SettingsFixture.h"

namespace {

using vx::SettingsSheet;

constexpr int kList = 2;

std::vector<int> Slots(const int (&slots)[vx::kColumnSlotCount]) {
  return std::vector<int>(std::begin(slots), std::end(slots));
}

std::vector<std::string> Captions(const QListWidget* list) {
  std::vector<std::string> captions;
  for (int i = 0; i < list->count(); ++i) captions.push_back(list->item(i)->text().toStdString());
  return captions;
}

class ListColumnsPageTest : public vxtest::SettingsFixture {
 protected:
  QListWidget* List(const SettingsSheet& sheet, int id) const {
    return PageControl<QListWidget>(sheet, kList, id);
  }
  // Selects the row and toggles its box with the space bar.
  void Toggle(QListWidget* list, int row) const {
    list->setFocus();
    list->setCurrentRow(row);
    QTest::keyClick(list, Qt::Key_Space);
  }
};

TEST_F(ListColumnsPageTest, EachViewListsItsColumnsWithItsOwnCaptions) {
  std::fill(std::begin(live.checkColumns), std::end(live.checkColumns), 0);
  std::fill(std::begin(live.listColumns), std::end(live.listColumns), 0);
  const int columns[] = {0x101, 0x004, 0, 0x10D, 0x00E, 20, 0x200 | 2};
  std::copy(std::begin(columns), std::end(columns), live.checkColumns);
  std::copy(std::begin(columns), std::end(columns), live.listColumns);
  for (const auto& [event, linkCaptions] :
       {std::pair{89, std::vector<std::string>{"Orbalink", "RSS"}},
        std::pair{96, std::vector<std::string>{"Netherfold", "Orbalink"}}}) {
    live.eventNumber = event;
    SettingsSheet sheet(SettingsSheet::Kind::kSettings, controller, live, ui);
    QListWidget* check = List(sheet, IDC_CFG_CHECK_COLUMNS);
    QListWidget* circle = List(sheet, IDC_CFG_LIST_COLUMNS);
    // Empty slots and kinds the program does not know are left out.
    EXPECT_EQ(Captions(check), (std::vector<std::string>{"印刷順", "サークル名", linkCaptions[0],
                                                         linkCaptions[1], "スペース"}));
    EXPECT_EQ(Captions(circle), (std::vector<std::string>{"参加日", "サークル名", linkCaptions[0],
                                                          linkCaptions[1], "スペース"}));
    std::vector<bool> ticked;
    for (int i = 0; i < circle->count(); ++i) {
      ticked.push_back(circle->item(i)->checkState() == Qt::Checked);
    }
    EXPECT_EQ(ticked, (std::vector<bool>{true, false, true, false, false}));
  }
}

TEST_F(ListColumnsPageTest, TheCircleNameColumnCannotBeHiddenButTheSpaceColumnCan) {
  SettingsSheet sheet(SettingsSheet::Kind::kSettings, controller, live, ui);
  QListWidget* list = List(sheet, IDC_CFG_LIST_COLUMNS);
  // The defaults: day, space, genre, cut, circle name, ...
  ASSERT_EQ(list->item(4)->data(Qt::UserRole).toInt(), vx::ColumnIdCircleName);
  ASSERT_EQ(list->item(1)->data(Qt::UserRole).toInt(), 2);
  const int result = RunSheet(sheet, [&] {
    ShowPage(sheet, kList);
    Toggle(list, 4);
    EXPECT_EQ(list->item(4)->checkState(), Qt::Checked);
    EXPECT_FALSE(sheet.ApplyButton()->isEnabled());
    Toggle(list, 1);
    EXPECT_EQ(list->item(1)->checkState(), Qt::Unchecked);
    EXPECT_TRUE(sheet.ApplyButton()->isEnabled());
    ClickOk(sheet);
  });
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(live.listColumns[4], 0x100 | vx::ColumnIdCircleName);
  EXPECT_EQ(live.listColumns[1], 2);
  EXPECT_EQ(Messages(), std::vector<unsigned>{UM_OPTIONS_CHANGED});
}

TEST_F(ListColumnsPageTest, MovingAColumnSwapsTwoSlotsAndIsAnnouncedOnce) {
  const std::vector<int> before = Slots(live.checkColumns);
  SettingsSheet sheet(SettingsSheet::Kind::kSettings, controller, live, ui);
  QListWidget* check = List(sheet, IDC_CFG_CHECK_COLUMNS);
  const int last = check->count() - 1;
  RunSheet(sheet, [&] {
    ShowPage(sheet, kList);
    Click(sheet, kList, IDC_CFG_CHECK_COLUMN_UP);  // nothing selected: nothing moves
    check->setCurrentRow(0);
    Click(sheet, kList, IDC_CFG_CHECK_COLUMN_UP);  // already first
    check->setCurrentRow(last);
    Click(sheet, kList, IDC_CFG_CHECK_COLUMN_DOWN);  // already last
    EXPECT_FALSE(sheet.ApplyButton()->isEnabled());
    check->setCurrentRow(3);
    Click(sheet, kList, IDC_CFG_CHECK_COLUMN_UP);
    EXPECT_EQ(check->currentRow(), 2);
    EXPECT_EQ(sheet.focusWidget(), check);
    EXPECT_TRUE(sheet.ApplyButton()->isEnabled());
    ClickOk(sheet);
  });
  std::vector<int> expected = before;
  std::swap(expected[2], expected[3]);
  EXPECT_EQ(Slots(live.checkColumns), expected);
  EXPECT_EQ(Messages(), std::vector<unsigned>{UM_OPTIONS_CHANGED});
}

TEST_F(ListColumnsPageTest, MovingDownAndBackAgainChangesNothing) {
  const vx::SettingsValues before = live;
  SettingsSheet sheet(SettingsSheet::Kind::kSettings, controller, live, ui);
  QListWidget* circle = List(sheet, IDC_CFG_LIST_COLUMNS);
  RunSheet(sheet, [&] {
    circle->setCurrentRow(5);
    Click(sheet, kList, IDC_CFG_LIST_COLUMN_DOWN);
    Click(sheet, kList, IDC_CFG_LIST_COLUMN_UP);
    ClickOk(sheet);
  });
  EXPECT_EQ(Slots(live.listColumns), Slots(before.listColumns));
  EXPECT_TRUE(Messages().empty());
}

TEST_F(ListColumnsPageTest, TheDefaultsComeBackForTheEventWithTheirWidths) {
  live.eventNumber = 89;
  std::fill(std::begin(live.listColumns), std::end(live.listColumns), 0);
  live.listColumns[0] = 0x104;
  live.checkColumnWidths[4] = 999;
  SettingsSheet sheet(SettingsSheet::Kind::kSettings, controller, live, ui);
  EXPECT_EQ(List(sheet, IDC_CFG_LIST_COLUMNS)->count(), 1);
  RunSheet(sheet, [&] {
    Click(sheet, kList, IDC_CFG_COLUMNS_DEFAULT);
    EXPECT_EQ(List(sheet, IDC_CFG_LIST_COLUMNS)->count(), 19);
    ClickOk(sheet);
  });
  vx::SettingsValues defaults{};
  vx::ResetListColumns(defaults, 89);
  EXPECT_EQ(Slots(live.listColumns), Slots(defaults.listColumns));
  EXPECT_EQ(Slots(live.checkColumns), Slots(defaults.checkColumns));
  EXPECT_EQ(Slots(live.checkColumnWidths), Slots(defaults.checkColumnWidths));
  EXPECT_EQ(Messages(), std::vector<unsigned>{UM_OPTIONS_CHANGED});
}

}  // namespace
