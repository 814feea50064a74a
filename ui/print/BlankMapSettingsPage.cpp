#include "ui/print/BlankMapSettingsPage.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "print/PrintSettingsRules.h"
#include "res/ResourceIds.h"
#include "ui/dialogs/DialogSupport.h"

namespace vx {

namespace {

constexpr int kBlankMapKind = 3;

}  // namespace

BlankMapSettingsPage::BlankMapSettingsPage(const PrintSettingsContext& context, PrintSettings& work)
    : PrintSettingsPage(kBlankMapKind, context, work) {
  CreateControls();
  Refresh();
}

QString BlankMapSettingsPage::Title() const { return QStringLiteral("白地図"); }

void BlankMapSettingsPage::CreateControls() {
  auto* page = new QVBoxLayout(this);
  AddDayHallGroupRows(page);
  page->addWidget(new QLabel(
      QStringLiteral("チェックした日数 × チェックしたホール数 のページが印刷されます。"), this));
  options_ = std::make_unique<MapOptionRows>(this, page, MapOptionIds{1451, 1452, 1456, 1457, 1459},
                                             [this] { OnOptionChanged(); });
  connect(options_->DensityField(), &QLineEdit::editingFinished, this,
          [this] { options_->TakeDensity(Words5()); });
  AddLayoutRow(page, {QStringLiteral("横向き"), QStringLiteral("縦向き")}, 1345);
  SetControlId(picture_, 1446);  // the combo's id is shared with the map page
  AddButtons(page, false, 0, 1447);
  page->addStretch();
}

MapOptionWords BlankMapSettingsPage::Words5() {
  return {work_.whiteMapGenre, work_.whiteMapGenrePercent, work_.whiteMapSmallMap,
          work_.whiteMapSmallMapRot, work_.whiteMapPosition};
}

void BlankMapSettingsPage::TakeTypedValues() { options_->TakeDensity(Words5()); }

void BlankMapSettingsPage::UpdateControls() {
  const PrintKindSettings& words = Words();
  ShowDayAndHallBoxes(words);
  ShowMapGroupBoxes(words);
  layout_->setCurrentIndex(words.layout);
  options_->Show(Words5(), true);
}

void BlankMapSettingsPage::ReadControls() {
  PrintKindSettings& words = Words();
  ReadRangeBoxes(words);  // no colour boxes: no colours on a blank map
  options_->Read(Words5(), true);
}

std::vector<int> BlankMapSettingsPage::LayoutPictures() const {
  return {IDB_LAYOUT_BLANK_MAP_LANDSCAPE, IDB_LAYOUT_BLANK_MAP_PORTRAIT};
}

}  // namespace vx
