#include "ui/print/PaperMarginDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/CodePage.h"
#include "platform/UiServices.h"
#include "print/PrintPaper.h"
#include "ui/dialogs/DialogSupport.h"
#include "ui/print/BuddyLabel.h"
#include "ui/print/PaperPreview.h"
#include "ui/print/PrintControlIds.h"
#include "ui/widgets/WindowPlacement.h"

namespace vx {
namespace {

namespace ids = print_controls;

constexpr MarginField kFields[] = {MarginField::kWidth, MarginField::kHeight, MarginField::kLeft,
                                   MarginField::kRight, MarginField::kTop,    MarginField::kBottom};
constexpr int kFieldIds[] = {ids::kPaperWidth,  ids::kPaperHeight, ids::kMarginLeft,
                             ids::kMarginRight, ids::kMarginTop,   ids::kMarginBottom};
constexpr const char* kFieldLabels[] = {
    "幅(&W) :", "高さ(&H) :", "左(&L) :", "右(&R) :", "上(&T) :", "下(&B) :"};

std::size_t IndexOf(MarginField field) { return static_cast<std::size_t>(field); }

std::string ErrorText(const MarginCheck& check) {
  switch (check.code) {
    case kMarginOutOfRange:
      return Sjis("値が不正です.\n") + FormatTenths(check.minimum) + Sjis(" ～ ") +
             FormatTenths(check.maximum) + Sjis(" の範囲で指定してください.");
    case kMarginNoPrintableArea:
      return Sjis("印刷領域がなくなります.\n値を指定しなおしてください.");
    case kMarginAspectLost:
      return Sjis("マージンが負数になります.\n縦横比を保てません.");
    case kMarginBadPaper:
      return Sjis("用紙サイズが不正です.\n先に幅と高さを 0.1 ～ 9999.9 の範囲で指定してください.");
    default:
      return Sjis("不明なエラー.");
  }
}

}  // namespace

PaperMarginDialog::PaperMarginDialog(QWidget* parent, UiServices& ui, PrintSettings& settings)
    : QDialog(parent), ui_(ui), settings_(settings), saved_(settings), rules_(settings) {
  setWindowTitle(QtText(Sjis("用紙サイズ・余白の設定")));
  CreateControls();
  ArrangeControls();
  ConnectControls();
  ShowValues();
  PlaceDialogOnScreen(*this);
}

void PaperMarginDialog::CreateControls() {
  paper_ = new QComboBox(this);
  SetControlId(paper_, ids::kPaperKind);
  for (int kind = 0; kind < kPaperKindCount; ++kind)
    paper_->addItem(QtText(PrintPaper_KindName(kind)));
  paper_->setCurrentIndex(PrintPaper_Kind(settings_));
  for (std::size_t i = 0; i < edits_.size(); ++i) {
    edits_[i] = new QLineEdit(this);
    SetControlId(edits_[i], kFieldIds[i]);
    edits_[i]->installEventFilter(this);
  }
  keepAspect_ = new QCheckBox(QtText(Sjis("縦横比を保つ(&K)")), this);
  SetControlId(keepAspect_, ids::kKeepAspect);
  keepAspect_->setChecked(settings_.keepMarginAspect != 0);
  preview_ = new PaperPreview(this);
  SetControlId(preview_, ids::kPaperPreview);
  preview_->setMinimumSize(171, 258);
  const OkCancelButtons buttons = CreateOkCancelButtons(this);
  ok_ = buttons.ok;
  cancel_ = buttons.cancel;
}

void PaperMarginDialog::ArrangeControls() {
  auto addRow = [this](QGridLayout* grid, int row, const QString& label, QWidget* field,
                       bool unit) {
    grid->addWidget(BuddyLabel(this, label, field), row, 0);
    grid->addWidget(field, row, 1);
    if (unit) grid->addWidget(new QLabel(QStringLiteral("mm"), this), row, 2);
  };
  auto* paperBox = new QGroupBox(QtText(Sjis("用紙サイズ")), this);
  auto* paperGrid = new QGridLayout(paperBox);
  addRow(paperGrid, 0, QtText(Sjis("用紙(&P) :")), paper_, false);
  addRow(paperGrid, 1, QtText(Sjis(kFieldLabels[1])), Edit(MarginField::kHeight), true);
  addRow(paperGrid, 2, QtText(Sjis(kFieldLabels[0])), Edit(MarginField::kWidth), true);
  auto* marginBox = new QGroupBox(QtText(Sjis("余白")), this);
  auto* marginGrid = new QGridLayout(marginBox);
  for (int i = 2; i < 6; ++i) {
    addRow(marginGrid, i - 2, QtText(Sjis(kFieldLabels[i])), edits_[static_cast<std::size_t>(i)],
           true);
  }
  marginGrid->addWidget(keepAspect_, 4, 0, 1, 3);
  auto* left = new QVBoxLayout;
  left->addWidget(paperBox);
  left->addWidget(marginBox);
  left->addStretch();
  auto* top = new QHBoxLayout;
  top->addLayout(left);
  top->addWidget(preview_, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addLayout(OkCancelRow({ok_, cancel_}));
}

void PaperMarginDialog::ConnectControls() {
  connect(ok_, &QPushButton::clicked, this, &PaperMarginDialog::accept);
  connect(cancel_, &QPushButton::clicked, this, &PaperMarginDialog::reject);
  connect(keepAspect_, &QCheckBox::clicked, this, [this](bool on) { OnKeepAspect(on); });
  connect(paper_, &QComboBox::activated, this, [this](int kind) { OnPaperChange(kind); });
}

int PaperMarginDialog::DoModal() {
  exec();
  return 0;
}

QLineEdit* PaperMarginDialog::Edit(MarginField field) const { return edits_[IndexOf(field)]; }

void PaperMarginDialog::WriteTenths(MarginField field, int value) {
  Edit(field)->setText(QtText(FormatTenths(value)));
}

void PaperMarginDialog::ShowValues() {
  const bool free = rules_.Kind() == kPaperFree;
  for (const MarginField field : kFields) WriteTenths(field, rules_.Value(field));
  Edit(MarginField::kWidth)->setReadOnly(!free);
  Edit(MarginField::kHeight)->setReadOnly(!free);
  preview_->SetPaper(rules_.Width(), rules_.Height(), rules_.Margins());
}

// The value as stored ("5" shows 5.0) and the margins that followed it; the other edits keep
// what the user may still be typing.
void PaperMarginDialog::ShowChecked(MarginField field, const MarginCheck& check) {
  WriteTenths(field, rules_.Value(field));
  if (check.othersChanged) {
    const bool horizontal =
        field == MarginField::kWidth || field == MarginField::kLeft || field == MarginField::kRight;
    for (const MarginField other : horizontal
                                       ? std::array{MarginField::kTop, MarginField::kBottom}
                                       : std::array{MarginField::kLeft, MarginField::kRight}) {
      WriteTenths(other, rules_.Value(other));
    }
  }
  preview_->SetPaper(rules_.Width(), rules_.Height(), rules_.Margins());
}

bool PaperMarginDialog::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusOut && !checking_) {
    for (std::size_t i = 0; i < edits_.size(); ++i) {
      if (watched == edits_[i]) CheckField(kFields[i], false);
    }
  }
  return QDialog::eventFilter(watched, event);
}

int PaperMarginDialog::CheckField(MarginField field, bool silent) {
  checking_ = true;  // the error box takes the focus from the edit
  QLineEdit* edit = Edit(field);
  const MarginCheck check =
      rules_.Check(field, PaperMarginRules::ReadTenths(Cp932Text(edit->text())));
  if (check.code == kMarginOk || check.code == kMarginAspectLost) ShowChecked(field, check);
  if (!silent && check.code != kMarginOk) ShowCheckError(check, edit);
  checking_ = false;
  return check.code;
}

void PaperMarginDialog::ShowCheckError(const MarginCheck& check, QLineEdit* edit) {
  ui_.MessageBox(this, ErrorText(check), Sjis("用紙サイズ/マージンの指定"), MB_OK | MB_ICONERROR);
  if (check.code == kMarginAspectLost || !edit) return;
  edit->clear();
  edit->setFocus();
}

void PaperMarginDialog::OnKeepAspect(bool on) {
  const int code = rules_.SetKeepAspect(on);
  ShowValues();
  checking_ = true;
  if (code != kMarginOk) ShowCheckError({code, 0, 0, false}, nullptr);
  checking_ = false;
}

void PaperMarginDialog::OnPaperChange(int kind) {
  settings_.paperType = kind;
  ShowValues();
}

void PaperMarginDialog::accept() {
  for (const MarginField field : kFields) {
    if (CheckField(field, true) != kMarginOk) {
      ok_->setFocus();
      return;
    }
  }
  done(0);
}

void PaperMarginDialog::reject() {
  settings_ = saved_;
  ShowValues();
  done(0);
}

}  // namespace vx
