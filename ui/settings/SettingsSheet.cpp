#include "ui/settings/SettingsSheet.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

#include "app/CatalogController.h"
#include "res/ResourceIds.h"
#include "ui/dialogs/DialogSupport.h"
#include "ui/settings/CheckColorPage.h"
#include "ui/settings/GeneralSettingsPage.h"
#include "ui/settings/ListColumnsPage.h"
#include "ui/settings/PathSettingsPage.h"

namespace vx {

SettingsSheet::SettingsSheet(Kind kind, CatalogController& controller, SettingsValues& live,
                             UiServices& ui, ColorChooser chooser)
    : controller_(controller), scratch_(live) {
  setWindowTitle(QString::fromUtf8(kind == Kind::kSettings ? "動作設定" : "チェック色の編集"));
  CreatePages(kind, controller, live, ui, std::move(chooser));
  ArrangeControls();
}

void SettingsSheet::CreatePages(Kind kind, CatalogController& controller, SettingsValues& live,
                                UiServices& ui, ColorChooser chooser) {
  tabs_ = new QTabWidget(this);
  if (kind == Kind::kSettings) {
    pages_.push_back(new GeneralSettingsPage(controller, scratch_, live, ui));
    pages_.push_back(new PathSettingsPage(controller, scratch_, live, ui));
    pages_.push_back(new ListColumnsPage(controller, scratch_, live, ui));
  }
  const int colorSet =
      kind == Kind::kSettings ? CheckColorPage::kPaletteSet : CheckColorPage::kChecklistSet;
  pages_.push_back(
      new CheckColorPage(controller, scratch_, live, ui, colorSet, std::move(chooser)));
  for (SettingsPage* page : pages_) {
    tabs_->addTab(page, page->Title());
    connect(page, &SettingsPage::modified, this, [this] { apply_->setEnabled(true); });
  }
}

void SettingsSheet::ArrangeControls() {
  buttons_ = new QDialogButtonBox(this);
  QPushButton* ok = buttons_->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
  SetControlId(ok, IDOK);
  ok->setDefault(true);
  QPushButton* cancel =
      buttons_->addButton(QString::fromUtf8("キャンセル"), QDialogButtonBox::RejectRole);
  SetControlId(cancel, IDCANCEL);
  apply_ = buttons_->addButton(QString::fromUtf8("適用(&A)"), QDialogButtonBox::ApplyRole);
  apply_->setEnabled(false);
  connect(buttons_, &QDialogButtonBox::accepted, this, &SettingsSheet::accept);
  connect(buttons_, &QDialogButtonBox::rejected, this, &SettingsSheet::reject);
  connect(apply_, &QPushButton::clicked, this, [this] {
    if (ApplyPages()) apply_->setEnabled(false);
  });
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs_, 1);
  layout->addWidget(buttons_);
}

SettingsPage* SettingsSheet::Page(int index) const {
  return index >= 0 && index < PageCount() ? pages_[index] : nullptr;
}

SettingsPage* SettingsSheet::CurrentPage() const {
  return static_cast<SettingsPage*>(tabs_->currentWidget());
}

int SettingsSheet::Run(QWidget* owner) {
  if (owner != nullptr) setParent(owner, windowFlags() | Qt::Dialog);
  controller_.BeginModal();
  const int result = exec();
  controller_.EndModal();
  return result == IDOK ? IDOK : IDCANCEL;
}

bool SettingsSheet::ApplyPages() {
  for (SettingsPage* page : pages_) {
    if (!page->CanApply()) {
      tabs_->setCurrentWidget(page);
      return false;
    }
  }
  for (SettingsPage* page : pages_) page->Apply();
  controller_.CommitSettings();
  return true;
}

void SettingsSheet::accept() {
  if (ApplyPages()) done(IDOK);
}

void SettingsSheet::reject() { done(IDCANCEL); }

}  // namespace vx
