#include "ui/dialogs/EventSwitchDialog.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include "res/ResourceIds.h"
#include "tests/ui/dialogs/DialogTestSupport.h"

namespace {

using vxtest::Control;

TEST(EventSwitchDialogTest, ListsTheEventsAndSwitchesOnlyToAnotherOne) {
  vx::EventSwitchDialog dialog(nullptr, {94, 96, 97}, 96);
  EXPECT_EQ(dialog.windowTitle().toStdString(), "ヴェラストレード回数切り替え");
  EXPECT_EQ(Control<QLabel>(&dialog, IDC_SWITCH_CURRENT_TEXT)->text().toStdString(),
            "現在参照中のデータ : ヴェラストレード96");
  auto* list = Control<QTreeWidget>(&dialog, IDC_SWITCH_EVENT_LIST);
  ASSERT_EQ(list->topLevelItemCount(), 3);
  EXPECT_EQ(list->topLevelItem(2)->text(0).toStdString(), "ヴェラストレード97");
  QPushButton* switchButton = Control<QPushButton>(&dialog, IDOK);
  EXPECT_FALSE(switchButton->isEnabled());
  list->setCurrentItem(list->topLevelItem(1));
  EXPECT_FALSE(switchButton->isEnabled()) << "the event already shown";
  list->setCurrentItem(list->topLevelItem(2));
  EXPECT_TRUE(switchButton->isEnabled());

  vxtest::Watchdog watchdog;
  QTimer::singleShot(0, switchButton, &QPushButton::click);
  EXPECT_EQ(dialog.DoModal(), 97);
  QTimer::singleShot(0, Control<QPushButton>(&dialog, IDCANCEL), &QPushButton::click);
  EXPECT_EQ(dialog.DoModal(), 0);
}

// A keyboard user: Alt+L reaches the list with its first event chosen, Return switches to it.
TEST(EventSwitchDialogTest, AltLChoosesTheFirstEventAndReturnSwitches) {
  vx::EventSwitchDialog dialog(nullptr, {94, 96, 97}, 96);
  auto* list = Control<QTreeWidget>(&dialog, IDC_SWITCH_EVENT_LIST);
  vxtest::Watchdog watchdog;
  QTimer::singleShot(0, &dialog, [&] {
    EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
    QTest::keyClick(&dialog, Qt::Key_L, Qt::AltModifier);
    EXPECT_EQ(dialog.focusWidget(), list);
    EXPECT_EQ(list->selectedItems().size(), 1);
    QTest::keyClick(list, Qt::Key_Return);
    if (dialog.isVisible()) dialog.reject();
  });
  EXPECT_EQ(dialog.DoModal(), 94);
}

}  // namespace
