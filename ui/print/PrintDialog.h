// The print dialog: the printer (a CUPS printer or a PDF file), copies and collation, and the
// program's own part: print kind, page range, the paper in use and its margins, the detailed
// settings, the preview and help. OK is refused while the chosen kind yields no pages.
#pragma once

#include <QDialog>
#include <string>

#include "print/PrinterChoice.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;

namespace vx {

class PrintKindPanel;
struct PrintDialogServices;
struct PrintSettings;

class PrintDialog : public QDialog {
  Q_OBJECT

 public:
  // `choice` is the printer kept from the last print: shown first, and replaced on OK.
  PrintDialog(QWidget* parent, PrintSettings& settings, const PrintDialogServices& services,
              PrinterChoice& choice);

  // 1 when the user chose to print, else 0.
  int DoModal();
  int Copies() const { return copies_; }
  bool Collate() const { return collate_; }
  bool AllPages() const { return allPages_; }
  const std::string& PageRange() const { return pageRange_; }

  void accept() override;

  // The entry of the printer list that writes a PDF file instead of printing.
  static QString PdfEntry();

 private:
  void CreateControls();
  void ArrangeControls();
  void ConnectControls();
  void FillPrinters();
  void FillControls(int kind);
  void OnPaperAndMargins();
  bool ChoosePrinter();

  PrintSettings& settings_;
  const PrintDialogServices& services_;
  PrinterChoice& choice_;
  int copies_ = 1;
  bool collate_ = false;
  bool allPages_ = true;
  std::string pageRange_ = "1-";
  QComboBox* printer_ = nullptr;
  QSpinBox* copiesEdit_ = nullptr;
  QCheckBox* collateCheck_ = nullptr;
  PrintKindPanel* kind_ = nullptr;
  QLabel* paper_ = nullptr;
  QLabel* noPrinter_ = nullptr;  // the print server did not answer
  QPushButton* paperButton_ = nullptr;
  QPushButton* help_ = nullptr;
  QPushButton* ok_ = nullptr;
  QPushButton* cancel_ = nullptr;
};

}  // namespace vx
