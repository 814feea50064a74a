#include "ui/main/WebSearchSettingsDialog.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <tuple>

#include "res/ResourceIds.h"
#include "tests/ui/dialogs/DialogTestSupport.h"
#include "tests/ui/main/ControllerOnCatalog.h"

namespace {

using vxtest::Control;
using Values = std::tuple<int, int, int, int>;

class WebSearchSettingsDialogTest : public ::testing::Test {
 protected:
  WebSearchSettingsDialogTest() {
    auto& v = catalog.values;
    std::tie(v.googleType, v.googleItem1, v.googleItem2, v.googleCondition) = Values{1, 1, 3, 0};
  }
  Values Stored() const {
    const auto& v = catalog.values;
    return {v.googleType, v.googleItem1, v.googleItem2, v.googleCondition};
  }
  // A radio button takes clicks on its mark and text only, not on the rest of its row.
  static void ClickRadio(const QWidget& dialog, int id) {
    auto* radio = Control<QRadioButton>(&dialog, id);
    QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(4, radio->height() / 2));
  }
  static QComboBox* Box(const QWidget& dialog, int id) { return Control<QComboBox>(&dialog, id); }
  // Chooses a row with the keyboard, as a user would; every row passed on the way counts as
  // chosen, so a later row is reached from the end of the list.
  static void Choose(QComboBox* box, int row) {
    ASSERT_TRUE(box->isEnabled());
    box->setFocus();
    if (row > box->currentIndex()) QTest::keyClick(box, Qt::Key_End);
    for (int step = box->currentIndex(); step > row; --step) QTest::keyClick(box, Qt::Key_Up);
    ASSERT_EQ(box->currentIndex(), row);
  }

  vxtest::ControllerOnCatalog catalog;
};

TEST_F(WebSearchSettingsDialogTest, OpensOnTheStoredValuesWithTheCustomBoxesDisabled) {
  vx::WebSearchSettingsDialog dialog(nullptr, catalog.controller);
  EXPECT_EQ(dialog.windowTitle().toStdString(), "Google検索設定");
  EXPECT_TRUE(Control<QRadioButton>(&dialog, IDC_WEB_SEARCH_AND)->isChecked());
  EXPECT_EQ(Box(dialog, IDC_WEB_SEARCH_ITEM2)->currentText().toStdString(), "執筆者名");
  EXPECT_EQ(Box(dialog, IDC_WEB_SEARCH_ITEM1)->count(), 7);
  EXPECT_EQ(Box(dialog, IDC_WEB_SEARCH_CONDITION)->itemText(1).toStdString(), "両方を含む (AND)");
  for (int id : {IDC_WEB_SEARCH_ITEM1, IDC_WEB_SEARCH_ITEM2, IDC_WEB_SEARCH_CONDITION}) {
    EXPECT_FALSE(Box(dialog, id)->isEnabled()) << id;
  }
}

TEST_F(WebSearchSettingsDialogTest, SameFieldTwiceClearsTheOtherAndDisablesTheCondition) {
  vx::WebSearchSettingsDialog dialog(nullptr, catalog.controller);
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
  ClickRadio(dialog, IDC_WEB_SEARCH_CUSTOM);
  EXPECT_TRUE(Box(dialog, IDC_WEB_SEARCH_ITEM1)->isEnabled());
  EXPECT_TRUE(Box(dialog, IDC_WEB_SEARCH_CONDITION)->isEnabled());
  Choose(Box(dialog, IDC_WEB_SEARCH_ITEM2), 1);  // the circle name, already item 1
  EXPECT_EQ(Box(dialog, IDC_WEB_SEARCH_ITEM1)->currentText().toStdString(), "なし");
  EXPECT_FALSE(Box(dialog, IDC_WEB_SEARCH_CONDITION)->isEnabled());
  Choose(Box(dialog, IDC_WEB_SEARCH_ITEM1), 5);
  Choose(Box(dialog, IDC_WEB_SEARCH_CONDITION), 1);
  EXPECT_EQ(Stored(), Values(1, 1, 3, 0));  // nothing stored before OK
  QTest::mouseClick(Control<QPushButton>(&dialog, IDOK), Qt::LeftButton);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(Stored(), Values(2, 5, 1, 1));
}

TEST_F(WebSearchSettingsDialogTest, CancelStoresNothing) {
  vx::WebSearchSettingsDialog dialog(nullptr, catalog.controller);
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
  ClickRadio(dialog, IDC_WEB_SEARCH_OR);
  QTest::mouseClick(Control<QPushButton>(&dialog, IDCANCEL), Qt::LeftButton);
  EXPECT_EQ(dialog.Type(), 0);
  EXPECT_EQ(Stored(), Values(1, 1, 3, 0));
}

TEST_F(WebSearchSettingsDialogTest, UnknownTypeOrNegativeItemsOpenWithNothingChosen) {
  catalog.values.googleType = 5;
  catalog.values.googleItem1 = -2;
  vx::WebSearchSettingsDialog dialog(nullptr, catalog.controller);
  for (int id : {IDC_WEB_SEARCH_OR, IDC_WEB_SEARCH_AND, IDC_WEB_SEARCH_CUSTOM}) {
    EXPECT_FALSE(Control<QRadioButton>(&dialog, id)->isChecked()) << id;
  }
  EXPECT_FALSE(Box(dialog, IDC_WEB_SEARCH_ITEM1)->isEnabled());
  EXPECT_EQ(dialog.Item1(), 0);
}

}  // namespace
