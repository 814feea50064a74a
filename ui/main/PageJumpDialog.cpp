#include "ui/main/PageJumpDialog.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/CatalogController.h"
#include "platform/CodePage.h"
#include "platform/LeadingInt.h"
#include "res/ResourceIds.h"
#include "ui/dialogs/DialogSupport.h"
#include "ui/widgets/ControlFont.h"

namespace vx {

PageJumpDialog::PageJumpDialog(QWidget* owner, CatalogController& controller)
    : QDialog(owner), controller_(controller) {
  setWindowTitle(QtText(Sjis("移動先ページの指定")));
  setFont(ControlFont());
  CreateControls();
  ArrangeControls();
  connect(go_, &QPushButton::clicked, this, [this] { OnGo(); });
}

void PageJumpDialog::CreateControls() {
  page_ = new QLineEdit(this);
  SetControlId(page_, IDC_PAGE_JUMP_EDIT);
  go_ = new QPushButton(QtText(Sjis("移動")), this);
  SetControlId(go_, IDOK);
  go_->setDefault(true);
}

void PageJumpDialog::ArrangeControls() {
  auto* label = new QLabel(QtText(Sjis("ページ(&P) :")), this);
  label->setBuddy(page_);
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(label);
  layout->addWidget(page_, 1);
  layout->addWidget(go_);
}

bool PageJumpDialog::IsShown() const { return isVisible(); }

void PageJumpDialog::MoveTo(int left, int top) { move(left, top); }

void PageJumpDialog::ShowPage(int page) {
  page_->setText(QString::number(page));
  page_->selectAll();
  page_->setFocus();
}

void PageJumpDialog::Show() {
  show();
  raise();
  activateWindow();
}

void PageJumpDialog::OnGo() {
  controller_.GoToPage(LeadingInt(Cp932Text(page_->text())));
  hide();
}

// Turning to another window puts the dialog away.
void PageJumpDialog::changeEvent(QEvent* event) {
  QDialog::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isVisible() && !isActiveWindow()) hide();
}

void PageJumpDialog::closeEvent(QCloseEvent* event) {
  event->ignore();
  hide();
}

void PageJumpDialog::reject() { hide(); }

}  // namespace vx
