// The paper size and the four margins of each paper kind, edited in the print settings while
// the dialog is open: every value is checked when its edit loses the focus, OK checks them all
// again, Cancel puts the settings back as they were.
#pragma once

#include <QDialog>
#include <array>

#include "app/PrintSettings.h"
#include "print/PaperMarginRules.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace vx {

class PaperPreview;
class UiServices;

class PaperMarginDialog : public QDialog {
  Q_OBJECT

 public:
  PaperMarginDialog(QWidget* parent, UiServices& ui, PrintSettings& settings);

  // 0 for OK and Cancel alike: the caller reads the settings afterwards.
  int DoModal();

  void accept() override;
  void reject() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateControls();
  void ArrangeControls();
  void ConnectControls();
  void ShowValues();
  // Checks the field's edit; shows the error box unless `silent`. The check's code.
  int CheckField(MarginField field, bool silent);
  void ShowChecked(MarginField field, const MarginCheck& check);
  void ShowCheckError(const MarginCheck& check, QLineEdit* edit);
  void OnKeepAspect(bool on);
  void OnPaperChange(int kind);
  void WriteTenths(MarginField field, int value);
  QLineEdit* Edit(MarginField field) const;

  UiServices& ui_;
  PrintSettings& settings_;
  PrintSettings saved_;
  PaperMarginRules rules_;
  QComboBox* paper_ = nullptr;
  std::array<QLineEdit*, 6> edits_{};  // by MarginField
  QCheckBox* keepAspect_ = nullptr;
  PaperPreview* preview_ = nullptr;
  QPushButton* ok_ = nullptr;
  QPushButton* cancel_ = nullptr;
  bool checking_ = false;
};

}  // namespace vx
