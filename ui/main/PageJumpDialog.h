// The modeless page-jump dialog: the user types a catalogue page and the controller goes to the
// first page from there that has circles. It lives as long as its owner; closing it, choosing a
// page or turning to another window only hides it.
#pragma once

#include <QDialog>

#include "app/PageJumpWindow.h"

class QLineEdit;
class QPushButton;

namespace vx {

class CatalogController;

class PageJumpDialog : public QDialog, public PageJumpWindow {
  Q_OBJECT

 public:
  PageJumpDialog(QWidget* owner, CatalogController& controller);

  bool IsShown() const override;
  void MoveTo(int left, int top) override;
  void ShowPage(int page) override;
  void Show() override;

 protected:
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void reject() override;

 private:
  void CreateControls();
  void ArrangeControls();
  void OnGo();

  CatalogController& controller_;
  QLineEdit* page_ = nullptr;
  QPushButton* go_ = nullptr;
};

}  // namespace vx
