#include "ui/print/ImageOutputDialog.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "app/PrintSettings.h"
#include "app/SettingsPath.h"
#include "tests/support/TempDir.h"
#include "tests/ui/dialogs/DialogTestSupport.h"
#include "tests/ui/print/PrintUiTestSupport.h"
#include "tests/ui/widgets/ScreenPlacementChecks.h"
#include "ui/print/PrintControlIds.h"
#include "ui/print/PrintDialogServices.h"
#include "ui/widgets/QtUiServices.h"

namespace vxtest {
namespace {

namespace ids = vx::print_controls;

class ImageOutputDialogTest : public PrintUiTest {
 protected:
  void SetUp() override {
    PrintUiTest::SetUp();
    units_ = 10;
    pages_ = 3;
    std::strcpy(settings.bmpOutFile, "BMPOUT");
    settings.bmpOutSize = 1024;
    settings.mode = 2;
    services.ui = &ui;
  }

  // Clicks OK and answers what it asks; true when the dialog ended with 1.
  bool Ok(vx::ImageOutputDialog& dialog) {
    QTimer::singleShot(0, [&] {
      Control<QPushButton>(&dialog, IDOK)->click();
      if (dialog.isVisible()) Control<QPushButton>(&dialog, IDCANCEL)->click();
    });
    return dialog.DoModal() == 1;
  }
  void SetText(vx::ImageOutputDialog& dialog, int id, const std::string& utf8) {
    Control<QLineEdit>(&dialog, id)->setText(QString::fromStdString(utf8));
  }

  vx::PrintSettings settings{};
  vx::ScriptedUiServices ui;
  vx::PrintDialogServices services;
  TempDir dir;
  Watchdog watchdog;
};

TEST_F(ImageOutputDialogTest, OkChecksFolderNameAndSizeInTurn) {
  vx::ImageOutputDialog dialog(nullptr, settings, services);
  EXPECT_TRUE(Control<QRadioButton>(&dialog, ids::kKindMap)->isChecked());
  EXPECT_EQ(Control<QLabel>(&dialog, ids::kRangeNote)->text().toStdString(), "(有効範囲 : 1-3)");
  EXPECT_EQ(Control<QLabel>(&dialog, ids::kFormatHint)->text().toStdString(),
            "※ ページ番号と拡張子\".bmp\"が付加されます。");

  EXPECT_FALSE(Ok(dialog));
  const std::string deep = (dir / "表" / "two").string();  // "表" ends in the byte 0x5C
  SetText(dialog, ids::kOutputFolder, deep);
  ui.QueueAnswer(IDNO);
  EXPECT_FALSE(Ok(dialog));
  EXPECT_FALSE(std::filesystem::exists(deep));
  ui.QueueAnswer(IDYES);
  SetText(dialog, ids::kBaseName, "");
  EXPECT_FALSE(Ok(dialog));
  EXPECT_TRUE(std::filesystem::is_directory(deep)) << "created with its parent";
  SetText(dialog, ids::kBaseName, "p.1_");
  SetText(dialog, ids::kLongSide, "65536");
  EXPECT_FALSE(Ok(dialog));
  SetText(dialog, ids::kLongSide, "0");
  EXPECT_TRUE(Ok(dialog));
  EXPECT_EQ(Boxes(ui), (std::vector<std::string>{
                           "BMP出力|出力先パスを指定してください.",
                           "確認|" + deep + "/ は存在しません.\n新規に作成してよろしいですか？",
                           "確認|" + deep + "/ は存在しません.\n新規に作成してよろしいですか？",
                           "BMP出力|ベースファイル名を入力してください.",
                           "BMP出力|長辺のサイズは0～65535の範囲内で指定してください."}));
  EXPECT_EQ(vx::PathOfSettingsText(settings.bmpOutPath).string(), deep + "/");
  EXPECT_STREQ(settings.bmpOutFile, "p.1_");
  EXPECT_EQ(settings.bmpOutSize, 0);
  EXPECT_TRUE(dialog.AllPages());
  EXPECT_EQ(dialog.PageRange(), "1-");
}

TEST_F(ImageOutputDialogTest, AKindWithoutPagesRefusesOkAndCancelKeepsWhatWasTyped) {
  vx::ImageOutputDialog dialog(nullptr, settings, services);
  pages_ = 0;
  Control<QRadioButton>(&dialog, ids::kKindList)->click();
  EXPECT_EQ(settings.mode, 0);
  EXPECT_EQ(Control<QLabel>(&dialog, ids::kRangeNote)->text().toStdString(), "(印刷データ無し)");
  SetText(dialog, ids::kOutputFolder, dir.Path().string());
  EXPECT_FALSE(Ok(dialog));
  EXPECT_EQ(Boxes(ui),
            std::vector<std::string>{"印刷|指定された印刷範囲内には、登録データがありません"});
  EXPECT_EQ(vx::PathOfSettingsText(settings.bmpOutPath).string(), dir.Path().string());
  auto* format = Control<QComboBox>(&dialog, ids::kImageFormat);
  format->setCurrentIndex(2);
  format->activated(2);
  EXPECT_EQ(settings.bmpOutFormat, 2);
  EXPECT_EQ(Control<QLabel>(&dialog, ids::kFormatHint)->text().toStdString(),
            "※ ページ番号と拡張子\".jpg\"が付加されます。");
}

TEST_F(ImageOutputDialogTest, TheDetailedSettingsMayChangeTheKindAndTheRangeMayBeTyped) {
  services.runSettingsSheet = [](QWidget*, vx::PrintSettings& s) { s.mode = 1; };
  vx::ImageOutputDialog dialog(nullptr, settings, services);
  Control<QPushButton>(&dialog, ids::kDetails)->click();
  EXPECT_TRUE(Control<QRadioButton>(&dialog, ids::kKindCut)->isChecked());
  auto* range = Control<QLineEdit>(&dialog, ids::kPageRange);
  EXPECT_FALSE(range->isEnabled());
  Control<QRadioButton>(&dialog, ids::kPageRangeChoice)->click();
  EXPECT_TRUE(range->isEnabled());
  range->setText(QStringLiteral("2-3"));
  ui.QueuePath(dir / "missing");
  ui.QueueAnswer(IDOK);
  ui.QueuePath(dir.Path());
  Control<QPushButton>(&dialog, ids::kBrowseFolder)->click();
  EXPECT_EQ(Boxes(ui), std::vector<std::string>{"エラー|有効なパスではありません."});
  EXPECT_TRUE(Ok(dialog));
  EXPECT_FALSE(dialog.AllPages());
  EXPECT_EQ(dialog.PageRange(), "2-3");
  EXPECT_EQ(vx::PathOfSettingsText(settings.bmpOutPath).string(), dir.Path().string() + "/");
}

// A kind's mnemonic clicks its button a moment after the key: landing in the box that OK opens,
// the click may not change the kind the images are written with.
TEST_F(ImageOutputDialogTest, AKindClickedWhileOkAsksLeavesTheKind) {
  vx::QtUiServices boxes;
  services.ui = &boxes;
  vx::ImageOutputDialog dialog(nullptr, settings, services);
  SetText(dialog, ids::kOutputFolder, (dir / "new").string());
  QTimer::singleShot(0, [&] { Control<QPushButton>(&dialog, IDOK)->click(); });
  QTimer::singleShot(0, [&] {  // in the box asking to create the folder
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_TRUE(box);
    Control<QRadioButton>(&dialog, ids::kKindList)->click();
    box->defaultButton()->click();
  });
  ASSERT_EQ(dialog.DoModal(), 1);
  EXPECT_EQ(settings.mode, 2);
}

// On a small screen the kind's description was cut to a strip that "詳細設定" covered; the dialog
// opened over the hidden window that owns it instead of the window the user works in; a kind
// whose description takes another line grew it past the screen's bottom.
TEST_F(ImageOutputDialogTest, OpensOverTheWindowTheUserWorksInWithItsTextsWhole) {
  OwnerAndWorkWindow windows;
  ASSERT_TRUE(windows.Active());
  settings.mode = 3;  // a description of one line: the others take two
  vx::ImageOutputDialog dialog(&windows.owner, settings, services);
  ShowOnScreenOver(dialog, windows.work);
  ExpectWrappedTextsWhole(dialog);
  for (const int kind : {ids::kKindList, ids::kKindBlankMap, ids::kKindCut}) {
    Control<QRadioButton>(&dialog, kind)->click();
    ExpectWrappedTextsWhole(dialog);
    ExpectFrameOnScreen(dialog);
  }
}

TEST_F(ImageOutputDialogTest, EveryMnemonicIsUniqueAndReachesItsControl) {
  vx::ImageOutputDialog dialog(nullptr, settings, services);
  ExpectMnemonicsReachTheirControls(dialog);
}

// A folder typed relative to nothing lies in the profile, not wherever the program started.
TEST_F(ImageOutputDialogTest, ARelativeFolderLiesInTheProfile) {
  services.profileFolder = dir.Path();
  vx::ImageOutputDialog dialog(nullptr, settings, services);
  SetText(dialog, ids::kOutputFolder, "pages");
  ui.QueueAnswer(IDYES);
  EXPECT_TRUE(Ok(dialog));
  EXPECT_TRUE(std::filesystem::is_directory(dir / "pages"));
  EXPECT_EQ(vx::PathOfSettingsText(settings.bmpOutPath).string(), (dir / "pages").string() + "/");
}

// The folder and the base name are used exactly as typed, also with characters the settings'
// Shift-JIS cannot hold: a wave dash typed as U+301C used to become the full-width tilde U+FF5E,
// and the images went into that other folder.
TEST_F(ImageOutputDialogTest, FolderAndNameAreUsedExactlyAsTyped) {
  const std::filesystem::path folder = dir / "出力〜テスト";
  {
    vx::ImageOutputDialog dialog(nullptr, settings, services);
    SetText(dialog, ids::kOutputFolder, folder.string());
    SetText(dialog, ids::kBaseName, "Café");
    ui.QueueAnswer(IDYES);
    EXPECT_TRUE(Ok(dialog));
  }
  EXPECT_TRUE(std::filesystem::is_directory(folder));
  EXPECT_FALSE(std::filesystem::exists(dir / "出力～テスト"));
  EXPECT_EQ(vx::PathOfSettingsText(settings.bmpOutPath), folder.string() + "/");
  EXPECT_EQ(vx::PathOfSettingsText(settings.bmpOutFile), "Café");
  vx::ImageOutputDialog again(nullptr, settings, services);
  EXPECT_EQ(Control<QLineEdit>(&again, ids::kOutputFolder)->text().toStdString(),
            folder.string() + "/");
  EXPECT_EQ(Control<QLineEdit>(&again, ids::kBaseName)->text().toStdString(), "Café");
}

}  // namespace
}  // namespace vxtest
