// The portal's login where no embedded browser can be shown (no display): the login page's
// address, to open in the user's own browser or to copy, and a field for the address of the page
// the portal finally sends the browser to. An address that does not end the login is refused in
// place, and the window stays open.
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace vx {

class OAuthLoginFlow;
class UiServices;

class PortalLoginPasteDialog : public QDialog {
  Q_OBJECT

 public:
  // `ui` (may be null) opens the login page in the user's browser.
  PortalLoginPasteDialog(OAuthLoginFlow& flow, UiServices* ui, QWidget* parent);

  // Waits for the pasted address or a cancel; the flow's result.
  int Run();

  QLineEdit* LoginAddress() const { return loginAddress_; }
  QLineEdit* ReturnAddress() const { return returnAddress_; }
  QPushButton* OpenButton() const { return openButton_; }
  QPushButton* CopyButton() const { return copyButton_; }
  QPushButton* OkButton() const { return okButton_; }
  QLabel* ErrorLabel() const { return errorLabel_; }

  void accept() override;
  void reject() override;

 private:
  void CreateControls();
  void LayOut();
  void OpenInBrowser();
  void CopyAddress();

  OAuthLoginFlow& flow_;
  UiServices* ui_;
  QLabel* explanation_;
  QLineEdit* loginAddress_;
  QPushButton* openButton_;
  QPushButton* copyButton_;
  QLabel* returnLabel_;
  QLineEdit* returnAddress_;
  QLabel* errorLabel_;
  QPushButton* okButton_;
  QPushButton* cancelButton_;
};

}  // namespace vx
