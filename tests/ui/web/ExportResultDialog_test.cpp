// The export result: the refused favourites line by line, read-only, and the ways it ends.
#include "ui/web/ExportResultDialog.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "platform/CodePage.h"
#include "res/ResourceIds.h"
#include "tests/ui/dialogs/DialogTestSupport.h"
#include "web/FavoriteExportJob.h"

namespace {

int RunDialog(vx::ExportResultDialog& dialog, const std::function<void()>& whileOpen) {
  QTimer::singleShot(0, &dialog, whileOpen);
  vxtest::Watchdog watchdog;
  return dialog.exec();
}

// The number of dark pixels (text) in the widget as drawn.
int DarkPixels(QWidget& widget) {
  const QImage image = widget.grab().toImage();
  int dark = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (image.pixelColor(x, y).lightness() < 80) ++dark;
    }
  }
  return dark;
}

const std::string kText =
    vx::FavoriteExportJob::ResultText(vx::Sjis("Alpha:closed\r\nがっこう:gone\r\n"));

TEST(ExportResultDialog, ShowsTheRefusedFavouritesLineByLineReadOnly) {
  vx::ExportResultDialog dialog(kText, nullptr);
  int darkWithText = 0;
  const int result = RunDialog(dialog, [&] {
    QPlainTextEdit* edit = dialog.TextEdit();
    EXPECT_EQ(vxtest::Control<QPlainTextEdit>(&dialog, IDC_EXPORT_RESULT_TEXT), edit);
    EXPECT_EQ(edit->toPlainText().toStdString(),
              "エクスポート結果\n\n以下のサークルのエクスポートは失敗しました\n\nAlpha:closed\n"
              "がっこう:gone\n\n");
    EXPECT_TRUE(edit->isReadOnly());
    QTest::keyClicks(edit, QStringLiteral("typed"));
    EXPECT_EQ(edit->toPlainText().indexOf(QStringLiteral("typed")), -1);
    darkWithText = DarkPixels(*edit->viewport());
    QTest::mouseClick(vxtest::Control<QPushButton>(&dialog, IDOK), Qt::LeftButton);
  });
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(dialog.windowTitle().toStdString(), "エクスポート結果表示");
  vx::ExportResultDialog empty("", nullptr);
  empty.resize(dialog.size());
  EXPECT_GT(darkWithText, DarkPixels(*empty.TextEdit()->viewport()) + 50);
}

TEST(ExportResultDialog, EscapeAndEnterEndIt) {
  vx::ExportResultDialog byEscape(kText, nullptr);
  EXPECT_EQ(RunDialog(byEscape, [&] { QTest::keyClick(&byEscape, Qt::Key_Escape); }),
            QDialog::Rejected);
  vx::ExportResultDialog byEnter(kText, nullptr);
  EXPECT_EQ(RunDialog(byEnter, [&] { QTest::keyClick(byEnter.TextEdit(), Qt::Key_Return); }), IDOK);
}

}  // namespace
