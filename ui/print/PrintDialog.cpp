#include "ui/print/PrintDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPrinterInfo>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "app/PrintSettings.h"
#include "platform/CodePage.h"
#include "platform/UiServices.h"
#include "print/PrintPaper.h"
#include "ui/dialogs/DialogSupport.h"
#include "ui/print/BuddyLabel.h"
#include "ui/print/PaperMarginDialog.h"
#include "ui/print/PrintControlIds.h"
#include "ui/print/PrintDialogServices.h"
#include "ui/print/PrintKindPanel.h"
#include "ui/widgets/WindowPlacement.h"
#include "ui/widgets/WrappedLabel.h"

namespace vx {
namespace {

namespace ids = print_controls;

PrinterList QtPrinters() {
  PrinterList list;
  for (const QString& name : QPrinterInfo::availablePrinterNames()) {
    list.names.push_back(name.toStdString());
  }
  list.defaultName = QPrinterInfo::defaultPrinterName().toStdString();
  return list;
}

}  // namespace

PrintDialog::PrintDialog(QWidget* parent, PrintSettings& settings,
                         const PrintDialogServices& services, PrinterChoice& choice)
    : QDialog(parent), settings_(settings), services_(services), choice_(choice) {
  setWindowTitle(QtText(Sjis("印刷")));
  CreateControls();
  ArrangeControls();
  ConnectControls();
  FillPrinters();
  FillControls(settings_.mode);
  PlaceDialogOnScreen(*this);
}

QString PrintDialog::PdfEntry() { return QtText(Sjis("PDFファイルに出力")); }

void PrintDialog::CreateControls() {
  printer_ = new QComboBox(this);
  SetControlId(printer_, ids::kPrinter);
  copiesEdit_ = new QSpinBox(this);
  SetControlId(copiesEdit_, ids::kCopies);
  copiesEdit_->setRange(1, 9999);
  collateCheck_ = new QCheckBox(QtText(Sjis("部単位(&O)")), this);
  SetControlId(collateCheck_, ids::kCollate);
  kind_ = new PrintKindPanel(this, settings_, services_);
  paper_ = new QLabel(this);
  SetControlId(paper_, ids::kPaperName);
  noPrinter_ =
      new WrappedLabel(this, QtText(Sjis("プリンタに接続できません。印刷サーバー(CUPS)が"
                                         "応答しません。PDFファイルへの出力だけができます。")));
  SetControlId(noPrinter_, ids::kNoPrinter);
  noPrinter_->setStyleSheet(QStringLiteral("color: #b00000"));
  noPrinter_->hide();
  paperButton_ = new QPushButton(QtText(Sjis("用紙・余白の変更(&S)...")), this);
  SetControlId(paperButton_, ids::kPaperAndMargins);
  help_ = new QPushButton(QtText(Sjis("詳細説明(&D)...")), this);
  SetControlId(help_, ids::kHelp);
  const OkCancelButtons buttons = CreateOkCancelButtons(this);
  ok_ = buttons.ok;
  cancel_ = buttons.cancel;
}

void PrintDialog::ArrangeControls() {
  auto* printerBox = new QGroupBox(QtText(Sjis("プリンタ")), this);
  auto* printerForm = new QFormLayout(printerBox);
  // "詳細設定(&N)" has N: the printer takes P.
  printerForm->addRow(BuddyLabel(this, QtText(Sjis("プリンタ名(&P) :")), printer_), printer_);
  printerForm->addRow(noPrinter_);
  auto* copiesRow = new QHBoxLayout;
  copiesRow->addWidget(copiesEdit_);
  copiesRow->addWidget(collateCheck_);
  printerForm->addRow(BuddyLabel(this, QtText(Sjis("部数(&C) :")), copiesEdit_), copiesRow);
  auto* paperRow = new QHBoxLayout;
  paperRow->addWidget(new QLabel(QtText(Sjis("用紙 :")), this));
  paperRow->addWidget(paper_, 1);
  paperRow->addWidget(paperButton_);
  QHBoxLayout* buttons = OkCancelRow({ok_, cancel_});
  buttons->insertWidget(0, help_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(printerBox);
  layout->addWidget(kind_);
  layout->addLayout(paperRow);
  layout->addLayout(buttons);
}

void PrintDialog::ConnectControls() {
  connect(ok_, &QPushButton::clicked, this, &PrintDialog::accept);
  connect(cancel_, &QPushButton::clicked, this, &PrintDialog::reject);
  connect(paperButton_, &QPushButton::clicked, this, [this] { OnPaperAndMargins(); });
  connect(help_, &QPushButton::clicked, this, [this] {
    if (services_.showHelp) services_.showHelp(this, "/PRNSPOOL/PRINTER.HTM");
  });
}

// The printers CUPS knows and the PDF file; the kept choice first, else the default printer.
void PrintDialog::FillPrinters() {
  const PrinterList printers = services_.listPrinters ? services_.listPrinters() : QtPrinters();
  for (const std::string& name : printers.names) printer_->addItem(QString::fromStdString(name));
  printer_->addItem(PdfEntry());
  noPrinter_->setVisible(!printers.serverReached);
  QString current =
      choice_.pdfFile.empty() ? QString::fromStdString(choice_.printerName) : PdfEntry();
  if (current.isEmpty()) current = QString::fromStdString(printers.defaultName);
  const int index = printer_->findText(current);
  printer_->setCurrentIndex(index >= 0 ? index : 0);
}

void PrintDialog::FillControls(int kind) {
  kind_->SetKind(kind, false);
  paper_->setText(QtText(PrintPaper_Description(settings_)));
}

void PrintDialog::OnPaperAndMargins() {
  if (services_.ui) PaperMarginDialog(this, *services_.ui, settings_).DoModal();
  FillControls(settings_.mode);
}

int PrintDialog::DoModal() { return exec(); }

// A PDF file is asked for here, so that a cancelled file choice keeps the dialog open.
bool PrintDialog::ChoosePrinter() {
  PrinterChoice chosen;
  if (printer_->currentText() == PdfEntry()) {
    if (!services_.ui) return false;
    FileDialogRequest request;
    request.title = Sjis("PDFファイルの保存先");
    request.filter = Sjis("PDFファイル (*.pdf)|*.pdf|");
    request.defaultExtension = "pdf";
    request.initialPath = choice_.pdfFile;
    const std::optional<std::filesystem::path> file = services_.ui->SaveFileDialog(this, request);
    if (!file) return false;
    chosen.pdfFile = *file;
  } else {
    chosen.printerName = printer_->currentText().toStdString();
  }
  const PaperSize paper = PrintPaper_Size(settings_, PrintPaper_Kind(settings_));
  chosen.paperWidth = paper.width;
  chosen.paperHeight = paper.height;
  choice_ = chosen;
  return true;
}

// What the dialog shows at OK prints: the PDF file is chosen after it has been read.
void PrintDialog::accept() {
  const PrintKindPanel::KindFixed fixed(*kind_);
  if (!kind_->CheckHasPages()) return;
  pageRange_ = kind_->RangeText();
  copies_ = copiesEdit_->value();
  allPages_ = kind_->AllPages();
  collate_ = collateCheck_->isChecked();
  if (ChoosePrinter()) done(1);
}

}  // namespace vx
