#include "ui/print/PrintDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>

#include "app/PrintSettings.h"
#include "platform/qt/QtStrings.h"
#include "print/PrintLayout.h"
#include "print/PrintPaper.h"
#include "tests/support/TempDir.h"
#include "tests/ui/dialogs/DialogTestSupport.h"
#include "tests/ui/print/PrintUiTestSupport.h"
#include "tests/ui/widgets/ScreenPlacementChecks.h"
#include "ui/print/PaperMarginDialog.h"
#include "ui/print/PrintControlIds.h"
#include "ui/print/PrintDialogServices.h"
#include "ui/widgets/QtUiServices.h"

namespace vxtest {
namespace {

namespace ids = vx::print_controls;

class PrintDialogTest : public PrintUiTest {
 protected:
  void SetUp() override {
    PrintUiTest::SetUp();
    units_ = 10;
    pages_ = 4;
    settings.mode = 0;
    settings.paperType = vx::kPaperFree;
    settings.paperSizeW = 2100;
    settings.paperSizeH = 2970;
    for (vx::PrintMargins& m : settings.margins) m = {283, 283, 200, 200};
    services.ui = &ui;
  }

  std::string Label(const QWidget& dialog, int id) {
    return Control<QLabel>(&dialog, id)->text().toStdString();
  }
  // Presses OK, then Cancel: true when OK left the dialog open.
  bool OkRefused(vx::PrintDialog& dialog) {
    bool open = false;
    QTimer::singleShot(0, [&] {
      Control<QPushButton>(&dialog, IDOK)->click();
      open = dialog.isVisible();
      Control<QPushButton>(&dialog, IDCANCEL)->click();
    });
    return dialog.DoModal() == 0 && open;
  }

  vx::PrintSettings settings{};
  vx::ScriptedUiServices ui;
  vx::PrintDialogServices services;
  vx::PrinterChoice choice;
  Watchdog watchdog;
};

TEST_F(PrintDialogTest, ShowsTheKindsPagesAndPaperAndRefusesOkWithoutData) {
  vx::PrintDialog dialog(nullptr, settings, services, choice);
  EXPECT_EQ(Label(dialog, ids::kPaperName), "フリー (縦297.0 x 横210.0 mm)");
  EXPECT_EQ(Label(dialog, ids::kRangeNote), "(有効範囲 : 1-4)");
  pages_ = 0;
  Control<QRadioButton>(&dialog, ids::kKindBlankMap)->click();
  EXPECT_EQ(Label(dialog, ids::kRangeNote), "(印刷データ無し)");
  EXPECT_EQ(Label(dialog, ids::kKindDescription), "会場マップのみを印刷します。");
  EXPECT_EQ(settings.mode, 3);
  ui.QueueAnswer(IDOK);
  Control<QPushButton>(&dialog, ids::kPreview)->click();
  ui.QueueAnswer(IDOK);
  EXPECT_TRUE(OkRefused(dialog));
  EXPECT_EQ(Boxes(ui),
            std::vector<std::string>(2, "印刷|指定された印刷範囲内には、登録データがありません"));
}

TEST_F(PrintDialogTest, APdfFilePrinterCopiesAndRangeGoToTheCaller) {
  TempDir dir;
  vx::PrintDialog dialog(nullptr, settings, services, choice);
  auto* printer = Control<QComboBox>(&dialog, ids::kPrinter);
  printer->setCurrentIndex(printer->findText(vx::PrintDialog::PdfEntry()));
  Control<QSpinBox>(&dialog, ids::kCopies)->setValue(3);
  Control<QCheckBox>(&dialog, ids::kCollate)->setChecked(true);
  Control<QRadioButton>(&dialog, ids::kPageRangeChoice)->click();
  Control<QLineEdit>(&dialog, ids::kPageRange)->setText(QStringLiteral("2,4"));
  ui.QueuePath(std::nullopt);  // the file choice cancelled: the dialog stays
  ui.QueuePath(dir / "out.pdf");
  QTimer::singleShot(0, [&] {
    Control<QPushButton>(&dialog, IDOK)->click();
    EXPECT_TRUE(dialog.isVisible());
    Control<QPushButton>(&dialog, IDOK)->click();
  });
  ASSERT_EQ(dialog.DoModal(), 1);
  EXPECT_EQ(choice.pdfFile, dir / "out.pdf");
  EXPECT_EQ(std::tuple(choice.paperWidth, choice.paperHeight), std::tuple(2100, 2970));
  EXPECT_EQ(std::tuple(dialog.Copies(), dialog.Collate(), dialog.AllPages(), dialog.PageRange()),
            std::tuple(3, true, false, std::string("2,4")));
  vx::PrintDialog again(nullptr, settings, services, choice);
  EXPECT_EQ(Control<QComboBox>(&again, ids::kPrinter)->currentText(), vx::PrintDialog::PdfEntry())
      << "the kept choice comes first";
}

// A print kind's mnemonic clicks its button a moment later: while the preview shows, while the
// PDF file is chosen, or after OK. The late click may neither change the kind printed nor set the
// job up again.
TEST_F(PrintDialogTest, AKindClickedAfterOkLeavesTheSettingsAndTheJob) {
  TempDir dir;
  vx::QtUiServices fileDialogs;
  services.ui = &fileDialogs;
  vx::PrintDialog dialog(nullptr, settings, services, choice);
  auto* map = Control<QRadioButton>(&dialog, ids::kKindMap);
  vx::PrintEngineServices engine = vx::PrintEngine_Services();
  engine.runPreview = [&](vx::OwnerWindow) { map->click(); };
  vx::PrintEngine_SetContext(engine, {}, {});
  const int countsBefore = counts;
  Control<QPushButton>(&dialog, ids::kPreview)->click();
  auto* printer = Control<QComboBox>(&dialog, ids::kPrinter);
  printer->setCurrentIndex(printer->findText(vx::PrintDialog::PdfEntry()));
  QTimer::singleShot(0, [&] { Control<QPushButton>(&dialog, IDOK)->click(); });
  QTimer::singleShot(0, [&] {  // in the file dialog that OK opened
    auto* files = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    ASSERT_TRUE(files);
    map->click();
    files->selectFile(vx::QtPath(dir / "out.pdf"));
    static_cast<QDialog*>(files)->accept();
  });
  ASSERT_EQ(dialog.DoModal(), 1);
  map->click();
  EXPECT_EQ(settings.mode, 0);
  EXPECT_EQ(counts, countsBefore);
  EXPECT_TRUE(Control<QRadioButton>(&dialog, ids::kKindList)->isChecked());
}

// A print server that does not answer is told apart from one without printers: the dialog
// says so beside the printer list, which offers the PDF file only.
TEST_F(PrintDialogTest, SaysWhenNoPrinterCanBeReached) {
  services.listPrinters = [] { return vx::PrinterList{false, {}, {}}; };
  {
    vx::PrintDialog dialog(nullptr, settings, services, choice);
    dialog.show();
    auto* printers = Control<QComboBox>(&dialog, ids::kPrinter);
    ASSERT_EQ(printers->count(), 1);
    EXPECT_EQ(printers->currentText(), vx::PrintDialog::PdfEntry());
    auto* note = Control<QLabel>(&dialog, ids::kNoPrinter);
    EXPECT_TRUE(note->isVisible());
    EXPECT_EQ(note->text().toStdString(),
              "プリンタに接続できません。印刷サーバー(CUPS)が応答しません。"
              "PDFファイルへの出力だけができます。");
  }
  services.listPrinters = [] { return vx::PrinterList{true, {"office", "hall"}, "hall"}; };
  vx::PrintDialog dialog(nullptr, settings, services, choice);
  dialog.show();
  EXPECT_FALSE(Control<QLabel>(&dialog, ids::kNoPrinter)->isVisible());
  EXPECT_EQ(Control<QComboBox>(&dialog, ids::kPrinter)->count(), 3);
  EXPECT_EQ(Control<QComboBox>(&dialog, ids::kPrinter)->currentText(), QStringLiteral("hall"));
}

// On a small screen the wrapped texts were cut to strips; the dialog opened over the hidden
// window that owns it instead of the window the user works in.
TEST_F(PrintDialogTest, OpensOverTheWindowTheUserWorksInWithItsTextsWhole) {
  services.listPrinters = [] { return vx::PrinterList{false, {}, {}}; };
  OwnerAndWorkWindow windows;
  ASSERT_TRUE(windows.Active());
  vx::PrintDialog dialog(&windows.owner, settings, services, choice);
  ShowOnScreenOver(dialog, windows.work);
  ASSERT_TRUE(Control<QLabel>(&dialog, ids::kNoPrinter)->isVisible());
  ExpectWrappedTextsWhole(dialog);
}

TEST_F(PrintDialogTest, ThePaperDialogAndThePreviewOpenFromIt) {
  vx::OwnerWindow previewOwner = nullptr;
  vx::PrintEngineServices engine = vx::PrintEngine_Services();
  engine.runPreview = [&](vx::OwnerWindow owner) { previewOwner = owner; };
  vx::PrintEngine_SetContext(engine, {}, {});
  vx::PrintDialog dialog(nullptr, settings, services, choice);
  Control<QPushButton>(&dialog, ids::kPreview)->click();
  EXPECT_EQ(previewOwner, static_cast<QWidget*>(&dialog));

  QTimer::singleShot(0, [] {
    auto* paper = qobject_cast<vx::PaperMarginDialog*>(QApplication::activeModalWidget());
    ASSERT_TRUE(paper);
    Control<QComboBox>(paper, ids::kPaperKind)->setCurrentIndex(1);
    Control<QComboBox>(paper, ids::kPaperKind)->activated(1);
    Control<QPushButton>(paper, IDOK)->click();
  });
  Control<QPushButton>(&dialog, ids::kPaperAndMargins)->click();
  EXPECT_EQ(Label(dialog, ids::kPaperName), "A3");
}

// A layout that cannot be read is not "no data": the range note and OK say the layout is broken.
TEST_F(PrintDialogTest, ABrokenLayoutIsToldApartFromNoData) {
  TempDir program;
  WriteFileBytes(program / "vpr.ini", "[DOCUMENT]\nDPI=0\n");
  vx::PrintEngineServices engine = vx::PrintEngine_Services();
  vx::PrintEngine_SetContext(engine, {}, program.Path());
  vx::PrintEngine_SetDocument(vx::kDocumentList, [](vx::PrintJob& job, int) {
    return vx::PrintLayout_ReadForDocument(job, vx::kDocumentList);
  });
  vx::PrintDialog dialog(nullptr, settings, services, choice);
  EXPECT_EQ(Label(dialog, ids::kRangeNote), "(印刷レイアウトエラー)");
  const std::pair<std::string, std::string> report{
      "Document_ReadLayoutParam: [DOCUMENT] のエントリ DPI は 1 ～ 1200 の範囲で指定してください",
      "LOG_Error_RegName"};
  EXPECT_EQ(reports.Shown(), std::vector{report});
  ui.QueueAnswer(IDOK);
  EXPECT_TRUE(OkRefused(dialog));
  EXPECT_EQ(Boxes(ui), std::vector<std::string>{
                           "印刷|印刷レイアウトファイル " + (program / "vpr.ini").string() +
                           " に誤りがあるため、印刷できません。\nファイルを直すか、削除して組み込み"
                           "のレイアウトを使ってください。"});
}

TEST_F(PrintDialogTest, EveryMnemonicIsUniqueAndReachesItsControl) {
  vx::PrintDialog dialog(nullptr, settings, services, choice);
  ExpectMnemonicsReachTheirControls(dialog);
  EXPECT_EQ(MnemonicOf(Control<QPushButton>(&dialog, ids::kDetails)->text()), QLatin1Char('N'));
}

}  // namespace
}  // namespace vxtest
