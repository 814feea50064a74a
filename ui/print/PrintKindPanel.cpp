#include "ui/print/PrintKindPanel.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/PrintSettings.h"
#include "platform/CodePage.h"
#include "platform/UiServices.h"
#include "print/PrintEngine.h"
#include "print/PrintLayout.h"
#include "ui/dialogs/DialogSupport.h"
#include "ui/print/PrintControlIds.h"
#include "ui/print/NoPagesBox.h"
#include "ui/print/PrintDialogServices.h"
#include "ui/widgets/WrappedLabel.h"

namespace vx {
namespace {

namespace ids = print_controls;

constexpr int kKindIds[] = {ids::kKindList, ids::kKindCut, ids::kKindMap, ids::kKindBlankMap};
constexpr const char* kKindTexts[] = {"サークルリスト印刷(&I)", "サークルカット印刷(&U)",
                                      "マップ印刷(&M)", "白地図印刷(&W)"};
constexpr const char* kKindDescriptions[] = {
    "チェックリストに登録されているサークルを、画像なしの一覧表形式で印刷します。",
    "チェックリストに登録されているサークルを、サークルカット画像付きで印刷します。",
    "会場マップを、チェックリストに登録されているサークルの配置情報と共に印刷します。",
    "会場マップのみを印刷します。"};

}  // namespace

PrintKindPanel::PrintKindPanel(QWidget* parent, PrintSettings& settings,
                               const PrintDialogServices& services)
    : QWidget(parent), settings_(settings), services_(services) {
  CreateControls();
  ArrangeControls();
  ConnectControls();
}

void PrintKindPanel::CreateControls() {
  kinds_ = new QButtonGroup(this);
  for (int kind = 0; kind < 4; ++kind) {
    auto* radio = new QRadioButton(QtText(Sjis(kKindTexts[kind])), this);
    SetControlId(radio, kKindIds[kind]);
    kinds_->addButton(radio, kind);
  }
  description_ = new WrappedLabel(this);
  SetControlId(description_, ids::kKindDescription);
  details_ = new QPushButton(QtText(Sjis("詳細設定(&N)...")), this);
  SetControlId(details_, ids::kDetails);
  noGdiPlus_ = new QCheckBox(QtText(Sjis("GDI+を使用しないで印刷(&B)")), this);
  SetControlId(noGdiPlus_, ids::kNoGdiPlus);
  all_ = new QRadioButton(QtText(Sjis("すべて(&A)")), this);
  SetControlId(all_, ids::kAllPages);
  all_->setChecked(true);
  range_ = new QRadioButton(QtText(Sjis("ページ指定(&G) :")), this);
  SetControlId(range_, ids::kPageRangeChoice);
  rangeEdit_ = new QLineEdit(this);
  SetControlId(rangeEdit_, ids::kPageRange);
  rangeEdit_->setMaxLength(255);
  rangeEdit_->setEnabled(false);
  rangeNote_ = new QLabel(this);
  SetControlId(rangeNote_, ids::kRangeNote);
  preview_ = new QPushButton(QtText(Sjis("プレビュー(&V)")), this);
  SetControlId(preview_, ids::kPreview);
}

void PrintKindPanel::ArrangeControls() {
  auto* kindBox = new QGroupBox(QtText(Sjis("出力形式")), this);
  auto* kindGrid = new QGridLayout(kindBox);
  for (int kind = 0; kind < 4; ++kind)
    kindGrid->addWidget(kinds_->button(kind), kind / 2, kind % 2);
  kindGrid->addWidget(description_, 2, 0, 1, 2);
  kindGrid->addWidget(details_, 3, 0);
  kindGrid->addWidget(noGdiPlus_, 3, 1);
  auto* rangeBox = new QGroupBox(QtText(Sjis("出力範囲")), this);
  auto* rangeGrid = new QGridLayout(rangeBox);
  rangeGrid->addWidget(all_, 0, 0);
  rangeGrid->addWidget(rangeNote_, 0, 1);
  rangeGrid->addWidget(range_, 1, 0);
  rangeGrid->addWidget(rangeEdit_, 1, 1);
  rangeGrid->addWidget(
      new QLabel(QtText(Sjis("ページ番号・範囲を、コンマ区切りで入力してください （例 : 1, 3-5）")),
                 this),
      2, 0, 1, 2);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(kindBox);
  layout->addWidget(rangeBox);
  layout->addWidget(preview_, 0, Qt::AlignLeft);
}

void PrintKindPanel::ConnectControls() {
  connect(kinds_, &QButtonGroup::idClicked, this, [this](int kind) { OnKindClicked(kind); });
  connect(noGdiPlus_, &QCheckBox::clicked, this,
          [this](bool on) { settings_.bmpPrint = on ? 1 : 0; });
  connect(details_, &QPushButton::clicked, this, [this] { OnDetails(); });
  connect(preview_, &QPushButton::clicked, this, [this] { OnPreview(); });
  connect(all_, &QRadioButton::clicked, this, [this] { OnRangeChoice(true); });
  connect(range_, &QRadioButton::clicked, this, [this] { OnRangeChoice(false); });
}

// A late click would set the job up again while it prints or previews, and change the kind the
// dialog was closed with.
void PrintKindPanel::OnKindClicked(int kind) {
  if (closed_ || fixed_ > 0) {
    kinds_->button(shownKind_)->setChecked(true);
    return;
  }
  Q_EMIT aboutToUseSettings();
  SetKind(kind, false);
}

void PrintKindPanel::SetKind(int kind, bool resetRange) {
  if (rangeEdit_->text().isEmpty()) rangeEdit_->setText(QStringLiteral("1-"));
  if (kind < 0 || kind > 3) kind = 0;
  kinds_->button(kind)->setChecked(true);
  description_->setText(QtText(Sjis(kKindDescriptions[kind])));
  if (resetRange) {
    all_->setChecked(true);
    rangeEdit_->setEnabled(false);
  }
  pageCount_ = PrintJob_BuildFromSettings(settings_, kind);
  std::string note = Sjis("(印刷データ無し)");
  if (pageCount_ >= 1) {
    note = Sjis("(有効範囲 : 1-") + std::to_string(pageCount_) + ")";
  } else if (PrintLayout_Failed()) {
    note = Sjis("(印刷レイアウトエラー)");
  }
  rangeNote_->setText(QtText(note));
  noGdiPlus_->setChecked(settings_.bmpPrint != 0);
  settings_.mode = kind;
  shownKind_ = kind;
}

void PrintKindPanel::showEvent(QShowEvent* event) {
  closed_ = false;
  QWidget::showEvent(event);
}

void PrintKindPanel::hideEvent(QHideEvent* event) {
  closed_ = true;
  QWidget::hideEvent(event);
}

bool PrintKindPanel::AllPages() const { return all_->isChecked(); }

std::string PrintKindPanel::RangeText() const {
  const std::string text = Cp932Text(rangeEdit_->text());
  return text.empty() ? "1-" : text;
}

bool PrintKindPanel::CheckHasPages() {
  if (pageCount_ > 0) return true;
  if (services_.ui) ShowNoPagesBox(*services_.ui, window());
  return false;
}

void PrintKindPanel::OnDetails() {
  const KindFixed fixed(*this);
  Q_EMIT aboutToUseSettings();
  if (services_.runSettingsSheet) services_.runSettingsSheet(window(), settings_);
  SetKind(settings_.mode, false);
}

void PrintKindPanel::OnPreview() {
  const KindFixed fixed(*this);
  Q_EMIT aboutToUseSettings();
  if (CheckHasPages()) PrintEngine_RunPreview(static_cast<QWidget*>(window()));
}

void PrintKindPanel::OnRangeChoice(bool all) {
  rangeEdit_->setEnabled(!all);
  if (all) return;
  rangeEdit_->setFocus();
  rangeEdit_->selectAll();
}

}  // namespace vx
