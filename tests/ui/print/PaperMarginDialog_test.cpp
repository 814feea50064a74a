#include "ui/print/PaperMarginDialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cstring>

#include "print/PrintPaper.h"
#include "tests/ui/dialogs/DialogTestSupport.h"
#include "tests/ui/print/PrintUiTestSupport.h"
#include "ui/print/PaperPreview.h"
#include "ui/print/PrintControlIds.h"

namespace vxtest {
namespace {

namespace ids = vx::print_controls;

vx::PrintSettings A4() {
  vx::PrintSettings s{};
  s.paperType = vx::kPaperA4;
  s.paperSizeW = 1111;
  s.paperSizeH = 2222;
  s.keepMarginAspect = 0;
  for (vx::PrintMargins& m : s.margins) m = {283, 283, 200, 200};
  return s;
}

class PaperMarginDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  }

  // Types `text` into the edit and leaves it with Tab.
  void Type(int id, const char* text) {
    auto* edit = Control<QLineEdit>(&dialog, id);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, QString::fromUtf8(text));
    QTest::keyClick(edit, Qt::Key_Tab);
  }
  std::string Text(int id) { return Control<QLineEdit>(&dialog, id)->text().toStdString(); }

  vx::ScriptedUiServices ui;
  vx::PrintSettings settings = A4();
  vx::PaperMarginDialog dialog{nullptr, ui, settings};
};

TEST_F(PaperMarginDialogTest, LeavingAnEditChecksAndStoresItsValue) {
  EXPECT_EQ(Text(ids::kPaperWidth), "210.0");
  EXPECT_TRUE(Control<QLineEdit>(&dialog, ids::kPaperWidth)->isReadOnly());
  Type(ids::kMarginLeft, "5");
  EXPECT_EQ(settings.margins[vx::kPaperA4].left, 50);
  EXPECT_EQ(Text(ids::kMarginLeft), "5.0");
  Type(ids::kMarginRight, "12.34");
  EXPECT_EQ(settings.margins[vx::kPaperA4].right, 123);
  EXPECT_TRUE(Boxes(ui).empty());

  ui.QueueAnswer(IDOK);
  Type(ids::kMarginLeft, "1,5");
  EXPECT_EQ(Boxes(ui),
            std::vector<std::string>{
                "用紙サイズ/マージンの指定|値が不正です.\n0.0 ～ 209.9 の範囲で指定してください."});
  EXPECT_EQ(Text(ids::kMarginLeft), "");
  EXPECT_TRUE(Control<QLineEdit>(&dialog, ids::kMarginLeft)->hasFocus());
  EXPECT_EQ(settings.margins[vx::kPaperA4].left, 50);
}

TEST_F(PaperMarginDialogTest, CancelPutsEverySettingBack) {
  const vx::PrintSettings before = settings;
  Type(ids::kMarginTop, "10");
  Control<QComboBox>(&dialog, ids::kPaperKind)->setCurrentIndex(0);
  Control<QComboBox>(&dialog, ids::kPaperKind)->activated(0);
  EXPECT_EQ(Text(ids::kPaperWidth), "111.1") << "the free kind shows its own size and margins";
  EXPECT_FALSE(Control<QLineEdit>(&dialog, ids::kPaperWidth)->isReadOnly());
  Type(ids::kPaperWidth, "300");
  Control<QCheckBox>(&dialog, ids::kKeepAspect)->click();
  Watchdog watchdog;
  QTimer::singleShot(0, Control<QPushButton>(&dialog, IDCANCEL), &QPushButton::click);
  EXPECT_EQ(dialog.DoModal(), 0);
  EXPECT_EQ(std::memcmp(&settings, &before, sizeof settings), 0);
}

TEST_F(PaperMarginDialogTest, OkWithAStandardPaperKeepsTheFreeSizeAndRefusesABadValue) {
  Control<QComboBox>(&dialog, ids::kPaperKind)->setCurrentIndex(1);
  Control<QComboBox>(&dialog, ids::kPaperKind)->activated(1);
  EXPECT_EQ(Text(ids::kPaperHeight), "420.0");
  Control<QLineEdit>(&dialog, ids::kMarginTop)->setText(QStringLiteral("420"));
  Watchdog watchdog;
  QTimer::singleShot(0, [&] {
    Control<QPushButton>(&dialog, IDOK)->click();
    EXPECT_TRUE(dialog.isVisible()) << "a failing check keeps the dialog open";
    Control<QLineEdit>(&dialog, ids::kMarginTop)->setText(QStringLiteral("20"));
    Control<QPushButton>(&dialog, IDOK)->click();
  });
  EXPECT_EQ(dialog.DoModal(), 0);
  EXPECT_EQ(settings.paperType, 1);
  EXPECT_EQ(std::tuple(settings.paperSizeW, settings.paperSizeH), std::tuple(1111, 2222));
  EXPECT_EQ(settings.margins[1].top, 200);
}

TEST_F(PaperMarginDialogTest, ThePreviewShowsThePaperAndItsPrintableFrame) {
  auto* preview = Control<vx::PaperPreview>(&dialog, ids::kPaperPreview);
  preview->SetPaper(2000, 2000, {500, 500, 500, 500});  // a square paper, a quarter margin each
  const QImage picture = preview->grab().toImage();
  const QRect inside = preview->contentsRect();
  const QPoint centre = inside.center();
  EXPECT_EQ(picture.pixelColor(centre), QColor(Qt::white));
  EXPECT_NE(picture.pixelColor(inside.left() + 1, inside.top() + 1), QColor(Qt::white));
  // The dotted frame runs round the middle half of the page: none of it near the page's edge.
  int blue = 0;
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      if (picture.pixelColor(x, y) != QColor(0, 0, 255)) continue;
      ++blue;
      EXPECT_LT(std::abs(x - centre.x()), inside.width() / 4 + 2);
    }
  }
  EXPECT_GE(blue, 40);

  preview->SetPaper(0, 2970, {0, 0, 0, 0});  // no size: no page, nothing divided by it
  const QImage empty = preview->grab().toImage();
  EXPECT_NE(empty.pixelColor(centre), QColor(Qt::white));
}

TEST_F(PaperMarginDialogTest, EveryMnemonicIsUniqueAndReachesItsControl) {
  ExpectMnemonicsReachTheirControls(dialog);
  EXPECT_TRUE(ui.CallsOf(vx::UiCallKind::kMessageBox).empty());
}

}  // namespace
}  // namespace vxtest
