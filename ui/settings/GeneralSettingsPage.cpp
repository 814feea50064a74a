#include "ui/settings/GeneralSettingsPage.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

#include "app/CatalogController.h"
#include "app/SettingsValues.h"
#include "platform/CodePage.h"
#include "platform/UiServices.h"
#include "res/ResourceIds.h"
#include "ui/dialogs/DialogSupport.h"

namespace vx {
namespace {

using IntField = int SettingsValues::*;

struct OptionBox {
  int id;
  const char* text;  // UTF-8
  IntField key;
  int resetValue;
};

constexpr OptionBox kBoxes[GeneralSettingsPage::kBoxCount] = {
    {IDC_CFG_AUTO_NEXT, "リターンキーでチェック時、カーソルを自動で次のサークルに移動 (&N)",
     &SettingsValues::autoNext, 1},
    {IDC_CFG_AUTO_NEXT2, "テンキーでチェック時、カーソルを自動で次のサークルに移動 (&M)",
     &SettingsValues::autoNext2, 0},
    {IDC_CFG_LIST_SYNC, "選択サークルのブロックが変わった際にサークル一覧の表示も追従する (&L)",
     &SettingsValues::listSync, 0},
    {IDC_CFG_AUTO_SEL, "選択カーソルをマウスカーソルに追従する (&T)", &SettingsValues::autoSel, 0},
    {IDC_CFG_ONE_CLICK_SEL, "シングルクリックでチェックする (&S)", &SettingsValues::oneClickSel, 0},
    {IDC_CFG_STRICT_LOAD, "過去のチェックリスト読み込み時、サークル名チェックを厳密に行う (&C)",
     &SettingsValues::strictLoad, 0},
    {IDC_CFG_AUTO_LOAD, "起動時に前回使用したチェックリストを自動的に読み込む (&P)",
     &SettingsValues::autoLoad, 0},
    {IDC_CFG_CURSOR_INIT, "ページ変更時に常に左上のサークルカットにカーソルを合わせる (&U)",
     &SettingsValues::cursorInit, 0},
    {IDC_CFG_START_COVER, "起動時に表紙画像を表示する (&B)", &SettingsValues::startCover, 1},
    {IDC_CFG_FVR_OVER, "読み込み時にサークルメモを上書きする(&O)", &SettingsValues::fvrOver, 0},
    {IDC_CFG_FVR_OVER_COLOR, "読み込み時にチェック色情報を上書きする(&W)",
     &SettingsValues::fvrOverColor, 0},
    {IDC_CFG_SYNC_ICONIC, "個別窓のアイコン化を連動する(&I)", &SettingsValues::syncIconic, 0},
};

struct ScrollModeRadio {
  int id;
  const char* text;
};

constexpr ScrollModeRadio kScrollModes[GeneralSettingsPage::kScrollModeCount] = {
    {IDC_CFG_SCROLL_ADOBE, "Adobe方式(&A) （スペースキーを押しながらマウスドラッグ）"},
    {IDC_CFG_SCROLL_IE, "IE方式(&E) （ホイールクリックでスクロールロック）"},
    {IDC_CFG_SCROLL_DRAG, "マウスドラッグのみで掴みスクロール(&R)"},
};

constexpr int kDefaultScrollMode = 0;

// The thirteen keys of the page.
bool SameOptions(const SettingsValues& a, const SettingsValues& b) {
  return a.scrollMode == b.scrollMode &&
         std::all_of(std::begin(kBoxes), std::end(kBoxes),
                     [&](const OptionBox& box) { return a.*box.key == b.*box.key; });
}

void CopyOptions(const SettingsValues& from, SettingsValues& to) {
  to.scrollMode = from.scrollMode;
  for (const OptionBox& box : kBoxes) to.*box.key = from.*box.key;
}

}  // namespace

GeneralSettingsPage::GeneralSettingsPage(CatalogController& controller, SettingsValues& scratch,
                                         SettingsValues& live, UiServices& ui)
    : SettingsPage(controller, scratch, live, ui) {
  SetControlId(this, IDD_SETTINGS_GENERAL);
  CreateControls();
  ArrangeControls();
  ConnectControls();
  FillControls();
}

QString GeneralSettingsPage::Title() const { return QString::fromUtf8("動作オプション"); }

void GeneralSettingsPage::CreateControls() {
  for (int i = 0; i < kScrollModeCount; ++i) {
    scrollModes_[i] = new QRadioButton(QString::fromUtf8(kScrollModes[i].text), this);
    SetControlId(scrollModes_[i], kScrollModes[i].id);
  }
  for (int i = 0; i < kBoxCount; ++i) {
    boxes_[i] = new QCheckBox(QString::fromUtf8(kBoxes[i].text), this);
    SetControlId(boxes_[i], kBoxes[i].id);
  }
  reset_ = new QPushButton(QString::fromUtf8("設定を初期化(&D)"), this);
  SetControlId(reset_, IDC_CFG_RESET);
}

void GeneralSettingsPage::ArrangeControls() {
  auto* layout = new QVBoxLayout(this);
  for (QRadioButton* radio : scrollModes_) layout->addWidget(radio);
  layout->addSpacing(8);
  for (QCheckBox* box : boxes_) layout->addWidget(box);
  layout->addStretch();
  layout->addWidget(reset_, 0, Qt::AlignRight);
}

void GeneralSettingsPage::ConnectControls() {
  // clicked, not toggled: filling the controls must not count as a change by the user.
  for (QRadioButton* radio : scrollModes_) {
    connect(radio, &QAbstractButton::clicked, this, [this] { OnControlClicked(); });
  }
  for (QCheckBox* box : boxes_) {
    connect(box, &QAbstractButton::clicked, this, [this] { OnControlClicked(); });
  }
  connect(reset_, &QPushButton::clicked, this, [this] { OnReset(); });
}

QCheckBox* GeneralSettingsPage::Box(int id) const {
  for (int i = 0; i < kBoxCount; ++i) {
    if (kBoxes[i].id == id) return boxes_[i];
  }
  return nullptr;
}

void GeneralSettingsPage::FillControls() {
  // A mode the program does not know shows, and is kept, as the first one.
  if (scratch_.scrollMode < 0 || scratch_.scrollMode >= kScrollModeCount) {
    scratch_.scrollMode = kDefaultScrollMode;
  }
  scrollModes_[scratch_.scrollMode]->setChecked(true);
  for (int i = 0; i < kBoxCount; ++i) {
    boxes_[i]->setEnabled(true);
    boxes_[i]->setChecked(scratch_.*kBoxes[i].key != 0);
  }
  ShowDependencies();
}

void GeneralSettingsPage::ShowDependencies() {
  QCheckBox* autoSel = Box(IDC_CFG_AUTO_SEL);
  QCheckBox* cursorInit = Box(IDC_CFG_CURSOR_INIT);
  const bool oneClick = scratch_.oneClickSel != 0;
  autoSel->setEnabled(!oneClick);
  autoSel->setChecked(oneClick || scratch_.autoSel != 0);
  const bool cursorHeld = oneClick || scratch_.autoSel != 0;
  cursorInit->setEnabled(!cursorHeld);
  cursorInit->setChecked(!cursorHeld && scratch_.cursorInit != 0);
}

void GeneralSettingsPage::ReadControls() {
  for (int i = 0; i < kScrollModeCount; ++i) {
    if (scrollModes_[i]->isChecked()) scratch_.scrollMode = i;
  }
  for (int i = 0; i < kBoxCount; ++i) {
    if (boxes_[i]->isEnabled()) scratch_.*kBoxes[i].key = boxes_[i]->isChecked() ? 1 : 0;
  }
}

void GeneralSettingsPage::OnControlClicked() {
  const SettingsValues before = scratch_;
  ReadControls();
  ShowDependencies();
  if (!SameOptions(before, scratch_)) SetModified();
}

void GeneralSettingsPage::OnReset() {
  if (ui_.MessageBox(this, Sjis("設定を初期化してよろしいですか？"), Sjis("初期化の確認"),
                     MB_YESNO | MB_ICONQUESTION) != IDYES) {
    return;
  }
  const SettingsValues before = scratch_;
  scratch_.scrollMode = kDefaultScrollMode;
  for (const OptionBox& box : kBoxes) scratch_.*box.key = box.resetValue;
  FillControls();
  if (!SameOptions(before, scratch_)) SetModified();
}

void GeneralSettingsPage::Apply() {
  const bool changed = !SameOptions(scratch_, live_);
  CopyOptions(scratch_, live_);
  if (changed) controller_.NotifyOptionsChanged();
}

}  // namespace vx
