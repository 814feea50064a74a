#include "ui/settings/CheckColorPage.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <utility>

#include "app/CatalogController.h"
#include "app/CheckColorTables.h"
#include "platform/Sjis.h"
#include "platform/qt/QtStrings.h"
#include "res/ResourceIds.h"
#include "ui/dialogs/DialogSupport.h"
#include "ui/settings/ColorButton.h"

namespace vx {
namespace {

// Colours 1 to 9 keep the ids of their places; the rows grow from other ids beyond.
constexpr int kColorsWithFirstIds = 9;

int ColorButtonId(int index, bool print) {
  if (index < kColorsWithFirstIds) {
    return (print ? IDC_CFG_PRINT_COLOR_FIRST : IDC_CFG_COLOR_FIRST) + index;
  }
  return (print ? IDC_CFG_PRINT_COLOR_MORE_FIRST : IDC_CFG_COLOR_MORE_FIRST) + index -
         kColorsWithFirstIds;
}

// The kinds of the controller's colour accessors: display colours of set s are kind s, print
// colours kind s + 2.
int DisplayKind(int set) { return set; }
int PrintKind(int set) { return set + 2; }

}  // namespace

CheckColorPage::CheckColorPage(CatalogController& controller, SettingsValues& scratch,
                               SettingsValues& live, UiServices& ui, int startSet,
                               ColorChooser chooser)
    : SettingsPage(controller, scratch, live, ui),
      chooser_(std::move(chooser)),
      count_(controller.GetColorCount()),
      set_(startSet == kChecklistSet ? kChecklistSet : kPaletteSet) {
  SetControlId(this, IDD_SETTINGS_COLORS);
  ReadSets();
  CreateControls();
  ArrangeControls();
  ConnectControls();
  Refresh();
}

QString CheckColorPage::Title() const { return QString::fromUtf8("チェック色"); }

ColorButton* CheckColorPage::Button(int index, bool print) const {
  if (index < 0 || index >= kMaxCheckColors) return nullptr;
  return print ? printButtons_[index] : displayButtons_[index];
}

void CheckColorPage::ReadSets() {
  for (int s = 0; s < kSetCount; ++s) {
    for (int i = 0; i < count_; ++i) {
      sets_[s].display[i] = controller_.GetColorValue(i, DisplayKind(s));
      sets_[s].print[i] = controller_.GetColorValue(i, PrintKind(s));
      const char* name = controller_.GetColorName(i, DisplayKind(s));
      sets_[s].names[i] = SjisTruncate(name ? name : "", kMaxNameBytes);
    }
  }
  unedited_ = sets_;
}

void CheckColorPage::CreateControls() {
  for (int i = 0; i < kMaxCheckColors; ++i) {
    for (bool print : {false, true}) {
      auto* button = new ColorButton(this);
      SetControlId(button, ColorButtonId(i, print));
      button->setToolTip(QString::fromUtf8("色%1").arg(i + 1));
      button->setVisible(i < count_);
      (print ? printButtons_ : displayButtons_)[i] = button;
    }
  }
  displayLabel_ = new QLabel(QString::fromUtf8("表示色"), this);
  printLabel_ = new QLabel(QString::fromUtf8("印刷色"), this);
  setLabel_ = new QLabel(QString::fromUtf8("編集するチェック色(&S)"), this);
  setCombo_ = new QComboBox(this);
  SetControlId(setCombo_, IDC_CFG_COLOR_SET);
  setCombo_->addItems(
      {QString::fromUtf8("標準の設定値"), QString::fromUtf8("現在のチェックリスト")});
  setCombo_->setCurrentIndex(set_);
  nameIndexCombo_ = new QComboBox(this);
  SetControlId(nameIndexCombo_, IDC_CFG_COLOR_NAME_INDEX);
  for (int i = 0; i < count_; ++i) nameIndexCombo_->addItem(QString::fromUtf8("色%1").arg(i + 1));
  nameLabel_ = new QLabel(QString::fromUtf8("名称(&N) :"), this);
  name_ = new QLineEdit(this);
  SetControlId(name_, IDC_CFG_COLOR_NAME);
  reset_ = new QPushButton(this);
  SetControlId(reset_, IDC_CFG_COLOR_RESET);
  resetSecond_ = new QPushButton(QString::fromUtf8("Macデフォルト色に戻す(&M)"), this);
  SetControlId(resetSecond_, IDC_CFG_COLOR_RESET_SECOND);
}

void CheckColorPage::ArrangeControls() {
  setLabel_->setBuddy(setCombo_);
  nameLabel_->setBuddy(name_);
  auto* sets = new QHBoxLayout;
  sets->addWidget(setLabel_);
  sets->addWidget(setCombo_, 1);
  auto* colors = new QGridLayout;
  colors->setHorizontalSpacing(2);
  colors->addWidget(displayLabel_, 0, 0);
  colors->addWidget(printLabel_, 1, 0);
  for (int i = 0; i < kMaxCheckColors; ++i) {
    colors->addWidget(displayButtons_[i], 0, i + 1);
    colors->addWidget(printButtons_[i], 1, i + 1);
  }
  colors->setColumnStretch(kMaxCheckColors + 1, 1);
  auto* names = new QHBoxLayout;
  names->addWidget(nameIndexCombo_);
  names->addWidget(nameLabel_);
  names->addWidget(name_, 1);
  auto* resets = new QHBoxLayout;
  resets->addStretch();
  resets->addWidget(reset_);
  resets->addWidget(resetSecond_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(sets);
  layout->addLayout(colors);
  layout->addLayout(names);
  layout->addStretch();
  layout->addLayout(resets);
}

void CheckColorPage::ConnectControls() {
  for (int i = 0; i < kMaxCheckColors; ++i) {
    connect(displayButtons_[i], &ColorButton::clicked, this,
            [this, i] { OnColorButton(i, false); });
    connect(printButtons_[i], &ColorButton::clicked, this, [this, i] { OnColorButton(i, true); });
  }
  connect(setCombo_, &QComboBox::activated, this, [this](int set) { OnSetChosen(set); });
  connect(nameIndexCombo_, &QComboBox::activated, this, [this](int i) { OnNameIndex(i); });
  connect(name_, &QLineEdit::textEdited, this, [this](const QString& text) { OnNameEdited(text); });
  connect(reset_, &QPushButton::clicked, this, [this] { OnReset(kStandardCheckColors); });
  connect(resetSecond_, &QPushButton::clicked, this, [this] { OnReset(kSecondCheckColors); });
}

void CheckColorPage::Refresh() {
  reset_->setText(
      QString::fromUtf8(set_ == kPaletteSet ? "デフォルトに戻す(&R)" : "標準の設定に戻す(&R)"));
  const ColorSet& shown = sets_[set_];
  for (int i = 0; i < count_; ++i) {
    displayButtons_[i]->SetColor(shown.display[i]);
    printButtons_[i]->SetColor(shown.print[i]);
  }
  nameIndexCombo_->setCurrentIndex(nameIndex_);
  const QSignalBlocker quiet(name_);
  name_->setText(QtText(shown.names[nameIndex_]));
}

void CheckColorPage::OnColorButton(int index, bool print) {
  if (index >= count_) return;
  ColorButton* button = Button(index, print);
  const std::optional<std::uint32_t> chosen = chooser_(this, button->Color());
  if (!chosen || *chosen == button->Color()) return;
  (print ? sets_[set_].print : sets_[set_].display)[index] = *chosen;
  button->SetColor(*chosen);
  SetModified();
}

void CheckColorPage::OnNameEdited(const QString& text) {
  const std::string typed = Cp932Text(text);
  const std::string name = SjisTruncate(typed, kMaxNameBytes);
  if (name.size() < typed.size()) {
    const QSignalBlocker quiet(name_);
    name_->setText(QtText(name));
  }
  sets_[set_].names[nameIndex_] = name;
  if (name != unedited_[set_].names[nameIndex_]) SetModified();
}

void CheckColorPage::OnNameIndex(int index) {
  if (index < 0 || index >= count_) return;
  nameIndex_ = index;
  Refresh();
}

void CheckColorPage::OnSetChosen(int set) {
  if (set != kPaletteSet && set != kChecklistSet) return;
  set_ = set;
  Refresh();
}

void CheckColorPage::OnReset(const std::uint32_t (&table)[kMaxCheckColors]) {
  const ColorSet before = sets_[set_];
  ColorSet& edited = sets_[set_];
  for (int i = 0; i < count_; ++i) {
    // The checklist goes back to the palette as edited here, whichever button was pressed.
    if (set_ == kChecklistSet) {
      edited.display[i] = sets_[kPaletteSet].display[i];
      edited.print[i] = sets_[kPaletteSet].print[i];
      edited.names[i] = sets_[kPaletteSet].names[i];
    } else {
      edited.display[i] = table[i];
      edited.print[i] = table[i];
      edited.names[i].clear();
    }
  }
  Refresh();
  if (before != edited) SetModified();
}

bool CheckColorPage::ChecklistShownDiffers() const {
  const ColorSet& now = sets_[kChecklistSet];
  const ColorSet& old = unedited_[kChecklistSet];
  for (int i = 0; i < count_; ++i) {
    if (now.display[i] != old.display[i] || now.names[i] != old.names[i]) return true;
  }
  return false;
}

void CheckColorPage::Apply() {
  for (int s = 0; s < kSetCount; ++s) {
    for (int i = 0; i < count_; ++i) {
      controller_.SetColorDef(s, i, sets_[s].display[i], sets_[s].print[i], sets_[s].names[i]);
    }
  }
  const bool announce = ChecklistShownDiffers();
  unedited_ = sets_;
  if (announce) controller_.NotifyColorsChanged();
}

}  // namespace vx
