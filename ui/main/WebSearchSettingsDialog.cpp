#include "ui/main/WebSearchSettingsDialog.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/CatalogController.h"
#include "platform/CodePage.h"
#include "res/ResourceIds.h"
#include "ui/dialogs/DialogSupport.h"
#include "ui/widgets/ControlFont.h"

namespace vx {

namespace {

constexpr const char* kFieldNames[] = {"なし",     "サークル名", "サークル読み",  "執筆者名",
                                       "発行誌名", "URL",        "メールアドレス"};
constexpr const char* kConditionNames[] = {"いずれかを含む (OR)", "両方を含む (AND)"};
constexpr const char* kTypeTexts[] = {"「サークル名」 と 「執筆者名」 のいずれかを含む (&OR条件)",
                                      "「サークル名」 と 「執筆者名」 の両方を含む (&AND条件)",
                                      "カスタム (&C)"};

QComboBox* CreateCombo(QWidget* parent, int id, std::initializer_list<const char*> texts) {
  auto* box = new QComboBox(parent);
  SetControlId(box, id);
  for (const char* text : texts) box->addItem(QtText(Sjis(text)));
  return box;
}

}  // namespace

WebSearchSettingsDialog::WebSearchSettingsDialog(QWidget* owner, CatalogController& controller)
    : QDialog(owner),
      controller_(controller),
      type_(controller.GetGoogleType()),
      item1_(controller.GetGoogleItem1()),
      item2_(controller.GetGoogleItem2()),
      condition_(controller.GetGoogleCondition()) {
  setWindowTitle(QtText(Sjis("Google検索設定")));
  setFont(ControlFont());
  CreateControls();
  ArrangeControls();
  ConnectControls();
  Fill();
}

void WebSearchSettingsDialog::CreateControls() {
  types_ = new QButtonGroup(this);
  for (int type = kNameOrPenName; type <= kCustom; ++type) {
    auto* radio = new QRadioButton(QtText(Sjis(kTypeTexts[type])), this);
    SetControlId(radio, IDC_WEB_SEARCH_OR + type);
    types_->addButton(radio, type);
  }
  const auto fields = {kFieldNames[0], kFieldNames[1], kFieldNames[2], kFieldNames[3],
                       kFieldNames[4], kFieldNames[5], kFieldNames[6]};
  item1Box_ = CreateCombo(this, IDC_WEB_SEARCH_ITEM1, fields);
  item2Box_ = CreateCombo(this, IDC_WEB_SEARCH_ITEM2, fields);
  conditionBox_ =
      CreateCombo(this, IDC_WEB_SEARCH_CONDITION, {kConditionNames[0], kConditionNames[1]});
  item1Label_ = new QLabel(QtText(Sjis("項目&1 :")), this);
  item1Label_->setBuddy(item1Box_);
  item2Label_ = new QLabel(QtText(Sjis("項目&2 :")), this);
  item2Label_->setBuddy(item2Box_);
  conditionLabel_ = new QLabel(QtText(Sjis("条件(&D) :")), this);
  conditionLabel_->setBuddy(conditionBox_);
  ok_ = new QPushButton(QStringLiteral("OK"), this);
  SetControlId(ok_, IDOK);
  ok_->setDefault(true);
  cancel_ = new QPushButton(QtText(Sjis("キャンセル")), this);
  SetControlId(cancel_, IDCANCEL);
}

void WebSearchSettingsDialog::ArrangeControls() {
  auto* custom = new QGridLayout;
  custom->setContentsMargins(24, 0, 0, 0);
  custom->addWidget(item1Label_, 0, 0);
  custom->addWidget(item1Box_, 0, 1);
  custom->addWidget(item2Label_, 1, 0);
  custom->addWidget(item2Box_, 1, 1);
  custom->addWidget(conditionLabel_, 2, 0);
  custom->addWidget(conditionBox_, 2, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok_);
  buttons->addWidget(cancel_);
  auto* layout = new QVBoxLayout(this);
  for (QAbstractButton* radio : types_->buttons()) layout->addWidget(radio);
  layout->addLayout(custom);
  layout->addLayout(buttons);
}

void WebSearchSettingsDialog::ConnectControls() {
  connect(types_, &QButtonGroup::idClicked, this, [this](int type) {
    type_ = type;
    ApplyEnableRule();
  });
  connect(item1Box_, &QComboBox::activated, this,
          [this](int index) { OnItemChosen(item1_, item2_, item2Box_, index); });
  connect(item2Box_, &QComboBox::activated, this,
          [this](int index) { OnItemChosen(item2_, item1_, item1Box_, index); });
  connect(conditionBox_, &QComboBox::activated, this, [this](int index) { condition_ = index; });
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
}

void WebSearchSettingsDialog::Fill() {
  if (item1_ < 0) item1_ = 0;
  if (item2_ < 0) item2_ = 0;
  // A stored type outside the three leaves every radio button clear.
  if (QAbstractButton* radio = types_->button(type_)) radio->setChecked(true);
  item1Box_->setCurrentIndex(item1_);
  item2Box_->setCurrentIndex(item2_);
  conditionBox_->setCurrentIndex(condition_);
  ApplyEnableRule();
}

void WebSearchSettingsDialog::ApplyEnableRule() {
  const bool custom = type_ == kCustom;
  item1Box_->setEnabled(custom);
  item2Box_->setEnabled(custom);
  conditionBox_->setEnabled(custom && item1_ >= 1 && item2_ >= 1);
}

// The same field twice would search one word twice: the other box goes back to "なし".
void WebSearchSettingsDialog::OnItemChosen(int& chosen, int& other, QComboBox* otherBox,
                                           int index) {
  chosen = index;
  if (chosen >= 1 && chosen == other) {
    other = 0;
    otherBox->setCurrentIndex(0);
  }
  ApplyEnableRule();
}

void WebSearchSettingsDialog::accept() {
  controller_.SetGoogleType(type_);
  controller_.SetGoogleItem1(item1_);
  controller_.SetGoogleItem2(item2_);
  controller_.SetGoogleCondition(condition_);
  QDialog::accept();
}

}  // namespace vx
