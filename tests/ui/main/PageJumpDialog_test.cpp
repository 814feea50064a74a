#include "ui/main/PageJumpDialog.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>

#include "res/ResourceIds.h"
#include "tests/ui/dialogs/DialogTestSupport.h"
#include "tests/ui/main/ControllerOnCatalog.h"
#include "ui/main/BeaconWidget.h"

namespace {

class PageJumpDialogTest : public ::testing::Test {
 protected:
  PageJumpDialogTest() {
    dialog = static_cast<vx::PageJumpDialog*>(beacon.CreatePageJumpWindow(catalog.controller));
    catalog.controller.GoToPage(10);
    edit = vxtest::Control<QLineEdit>(dialog, IDC_PAGE_JUMP_EDIT);
  }

  // Types into the page box as the user would and presses Enter.
  void Type(const QString& text) {
    dialog->ShowPage(catalog.controller.GetCurrentPage());
    dialog->Show();
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
  }

  vxtest::ControllerOnCatalog catalog;
  vx::BeaconWidget beacon;
  vx::PageJumpDialog* dialog = nullptr;
  QLineEdit* edit = nullptr;
};

TEST_F(PageJumpDialogTest, ShowsTheCurrentPageSelected) {
  dialog->ShowPage(10);
  EXPECT_EQ(edit->text(), QStringLiteral("10"));
  EXPECT_EQ(edit->selectedText(), QStringLiteral("10"));
  EXPECT_EQ(dialog->windowTitle().toStdString(), "移動先ページの指定");
  EXPECT_EQ(dialog->parentWidget(), &beacon);
}

TEST_F(PageJumpDialogTest, LeadingDigitsChooseThePageAndTheDialogGoes) {
  const std::pair<QString, int> cases[] = {
      {QStringLiteral("11"), 11},
      {QStringLiteral("12abc"), 13},  // page 12 has no circle: the next one that has
      {QStringLiteral(""), 13},       // nothing typed: no move
      {QStringLiteral("abc10"), 13},
      {QStringLiteral("10"), 10},
      {QStringLiteral("99"), 10},  // beyond the last page
  };
  for (const auto& [text, page] : cases) {
    Type(text);
    EXPECT_EQ(catalog.controller.GetCurrentPage(), page) << text.toStdString();
    EXPECT_FALSE(dialog->isVisible());
  }
}

TEST_F(PageJumpDialogTest, ClosingOrTurningToAnotherWindowOnlyHidesIt) {
  dialog->Show();
  dialog->close();
  EXPECT_FALSE(dialog->isVisible());
  dialog->Show();
  QTest::keyClick(edit, Qt::Key_Escape);
  EXPECT_FALSE(dialog->isVisible());

  QWidget other;
  other.show();
  dialog->Show();
  QTRY_VERIFY_WITH_TIMEOUT(dialog->isActiveWindow(), 5000);
  other.activateWindow();
  QTRY_VERIFY_WITH_TIMEOUT(!dialog->isVisible(), 5000);
  EXPECT_EQ(catalog.controller.GetCurrentPage(), 10);
}

}  // namespace
