#include "ui/print/PrintSettingsSheet.h"

#include <QDialogButtonBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

#include "res/ResourceIds.h"
#include "ui/print/BlankMapSettingsPage.h"
#include "ui/print/CutSettingsPage.h"
#include "ui/print/ListSettingsPage.h"
#include "ui/print/MapSettingsPage.h"
#include "ui/widgets/PageScrollArea.h"
#include "ui/widgets/WindowPlacement.h"

namespace vx {

PrintSettingsSheet::PrintSettingsSheet(QWidget* parent, const PrintSettingsContext& context,
                                       PrintSettings& settings)
    : QDialog(parent), settings_(settings), work_(settings) {
  setWindowTitle(QStringLiteral("印刷詳細設定"));
  tabs_ = new QTabWidget(this);
  pages_ = {new ListSettingsPage(context, work_), new CutSettingsPage(context, work_),
            new MapSettingsPage(context, work_), new BlankMapSettingsPage(context, work_)};
  // A page taller than a small screen scrolls, so that OK and Cancel stay within reach.
  for (PrintSettingsPage* page : pages_) {
    tabs_->addTab(new PageScrollArea(page, tabs_), page->Title());
  }
  const int kind = std::clamp(static_cast<int>(work_.mode), 0, kPrintKindCount - 1);
  tabs_->setCurrentIndex(kind);
  CurrentPage()->Activate();
  connect(tabs_, &QTabWidget::currentChanged, this, [this] { CurrentPage()->Activate(); });
  buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons_, &QDialogButtonBox::accepted, this, &PrintSettingsSheet::accept);
  connect(buttons_, &QDialogButtonBox::rejected, this, &PrintSettingsSheet::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs_);
  layout->addWidget(buttons_);
  PlaceDialogOnScreen(*this);
}

PrintSettingsPage* PrintSettingsSheet::CurrentPage() const {
  return pages_[static_cast<std::size_t>(std::max(0, tabs_->currentIndex()))];
}

void PrintSettingsSheet::accept() {
  for (PrintSettingsPage* page : pages_) page->TakeTypedValues();
  settings_ = work_;
  QDialog::accept();
}

int RunPrintSettingsSheet(QWidget* parent, const PrintSettingsContext& context,
                          PrintSettings& settings) {
  PrintSettingsSheet sheet(parent, context, settings);
  return sheet.exec() == QDialog::Accepted ? IDOK : IDCANCEL;
}

}  // namespace vx
