#include "ui/dialogs/ImagePathDialog.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <array>
#include <cstring>
#include <span>
#include <string>

#include "platform/CodePage.h"
#include "tests/ui/dialogs/DialogTestSupport.h"
#include "tests/support/TempDir.h"

namespace {

using vxtest::Control;

TEST(ImagePathDialogTest, BrowseAsksUntilAFolderAndOkNeverOverrunsTheField) {
  vxtest::TempDir dir;
  vx::ScriptedUiServices ui;
  std::array<char, 24> buffer;
  buffer.fill('#');  // what lies beyond the field must stay
  const std::span<char> field(buffer.data(), 16);
  std::strcpy(field.data(), "/old/");
  vx::ImagePathDialog dialog(nullptr, ui, field, 96);
  EXPECT_EQ(Control<QLabel>(&dialog, IDC_IMAGE_PATH_TEXT)->text().toStdString(),
            "ヴェラストレード96用の画像ファイルが見つかりません.");
  auto* edit = Control<QLineEdit>(&dialog, IDC_IMAGE_PATH_EDIT);
  EXPECT_EQ(edit->text().toStdString(), "/old/");

  ui.QueuePath(dir / "missing");
  ui.QueueAnswer(IDOK);
  ui.QueuePath(dir.Path());
  Control<QPushButton>(&dialog, IDC_IMAGE_PATH_BROWSE)->click();
  EXPECT_EQ(edit->text().toStdString(), dir.Path().string() + "/");
  EXPECT_EQ(vxtest::Boxes(ui),
            std::vector<std::string>{"エラー|有効なパス/ドライブではありません."});
  EXPECT_EQ(vx::Cp932ToUtf8(ui.CallsOf(vx::UiCallKind::kFolderDialog)[0].caption),
            "ヴェラストレード96のCD-ROM、もしくは画像データの場所を指定してください.");

  vxtest::Watchdog watchdog;
  QTimer::singleShot(0, Control<QPushButton>(&dialog, IDCANCEL), &QPushButton::click);
  EXPECT_EQ(dialog.DoModal(), 0);
  EXPECT_STREQ(field.data(), "/old/");

  // A path that does not fit is refused, not cut to another folder; the dialog stays open.
  ui.QueueAnswer(IDOK);
  edit->setText(QString::fromStdString("/media/disc/12" + std::string("あ") + "/more"));
  QTimer::singleShot(0, [&] {
    Control<QPushButton>(&dialog, IDOK)->click();
    EXPECT_TRUE(dialog.isVisible());
    Control<QPushButton>(&dialog, IDCANCEL)->click();
  });
  EXPECT_EQ(dialog.DoModal(), 0);
  EXPECT_STREQ(field.data(), "/old/");
  EXPECT_EQ(vxtest::Boxes(ui).back(),
            "エラー|画像データのパスが長すぎます.\n15バイト以内のパスを指定してください.");

  // Fourteen bytes and the final separator fill the field exactly.
  edit->setText(QStringLiteral("/media/disc/12"));
  QTimer::singleShot(0, Control<QPushButton>(&dialog, IDOK), &QPushButton::click);
  EXPECT_EQ(dialog.DoModal(), 1);
  EXPECT_STREQ(field.data(), "/media/disc/12/");
  EXPECT_EQ(std::string(buffer.data() + 16, 8), "########");

  EXPECT_TRUE(ui.UnexpectedCalls().empty());
}

TEST(ImagePathDialogTest, AFolderOutsideShiftJisIsKeptAsTyped) {
  vx::ScriptedUiServices ui;
  std::array<char, 64> field{};
  std::strcpy(field.data(), "\xEF\xBB\xBF/media/Café/");
  vx::ImagePathDialog dialog(nullptr, ui, field, 96);
  auto* edit = Control<QLineEdit>(&dialog, IDC_IMAGE_PATH_EDIT);
  EXPECT_EQ(edit->text().toStdString(), "/media/Café/");

  edit->setText(QString::fromStdString("/media/出力〜テスト"));
  vxtest::Watchdog watchdog;
  QTimer::singleShot(0, Control<QPushButton>(&dialog, IDOK), &QPushButton::click);
  EXPECT_EQ(dialog.DoModal(), 1);
  EXPECT_STREQ(field.data(), "\xEF\xBB\xBF/media/出力〜テスト/");
}

}  // namespace
