#include "ui/print/CutSettingsPage.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QRadioButton>

#include "res/ResourceIds.h"
#include "ui/dialogs/DialogSupport.h"

namespace vx {

namespace {

constexpr int kCutKind = 1;

}  // namespace

CutSettingsPage::CutSettingsPage(const PrintSettingsContext& context, PrintSettings& work)
    : ListSettingsPage(kCutKind, context, work) {
  CreateControls({QStringLiteral("横向き 4 x 4"), QStringLiteral("横向き 5 x 5"),
                  QStringLiteral("横向き 6 x 6"), QStringLiteral("横向き 7 x 7"),
                  QStringLiteral("縦向き 2 x 5"), QStringLiteral("縦向き 3 x 7"),
                  QStringLiteral("縦向き 4 x 9"), QStringLiteral("縦向き 5 x 10")},
                 1717, 1721, 1722);
  auto* row = new QHBoxLayout;
  frame_ = AddBox(row, QStringLiteral("カットの枠を印刷する"), 1251);
  horizontal_ = new QRadioButton(QStringLiteral("横詰め"), this);
  vertical_ = new QRadioButton(QStringLiteral("縦詰め"), this);
  SetControlId(horizontal_, 1252);
  SetControlId(vertical_, 1253);
  for (QRadioButton* button : {horizontal_, vertical_}) {
    row->addWidget(button);
    connect(button, &QRadioButton::toggled, this, [this](bool on) {
      if (on) OnOptionChanged();
    });
  }
  row->addStretch();
  pageLayout_->insertLayout(pageLayout_->count() - 1, row);
  pageLayout_->addStretch();
  Refresh();
}

QString CutSettingsPage::Title() const { return QStringLiteral("カット"); }

void CutSettingsPage::UpdateControls() {
  ListSettingsPage::UpdateControls();
  frame_->setChecked(work_.cutBorder != 0);
  (work_.cutDir == 1 ? vertical_ : horizontal_)->setChecked(true);
}

void CutSettingsPage::ReadControls() {
  ListSettingsPage::ReadControls();
  work_.cutBorder = frame_->isChecked() ? 1 : 0;
  work_.cutDir = vertical_->isChecked() ? 1 : 0;
}

std::vector<int> CutSettingsPage::LayoutPictures() const {
  return {IDB_LAYOUT_CUTS_4X4, IDB_LAYOUT_CUTS_5X5, IDB_LAYOUT_CUTS_6X6, IDB_LAYOUT_CUTS_7X7,
          IDB_LAYOUT_CUTS_2X5, IDB_LAYOUT_CUTS_3X7, IDB_LAYOUT_CUTS_4X9, IDB_LAYOUT_CUTS_5X10};
}

}  // namespace vx
