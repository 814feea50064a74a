#include "ui/checklist/MemoDialog.h"

#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QVBoxLayout>

#include "platform/qt/QtStrings.h"
#include "res/ResourceIds.h"
#include "ui/dialogs/DialogSupport.h"

namespace vx {

namespace {

constexpr int kWidth = 360;
constexpr int kHeight = 220;

}  // namespace

MemoDialog::MemoDialog(QWidget* parent, const std::string& circleName)
    : QDialog(parent), edit_(new QPlainTextEdit(this)) {
  setProperty("dialogId", IDD_EDIT_MEMO);
  setWindowTitle(QStringLiteral("メモの編集:") + QtText(circleName));
  SetControlId(edit_, IDC_MEMO_EDIT);
  edit_->setTabChangesFocus(true);
  edit_->installEventFilter(this);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &MemoDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &MemoDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(edit_);
  layout->addWidget(buttons);
  resize(kWidth, kHeight);
}

void MemoDialog::SetMemo(const std::string& memo) {
  memo_ = memo;
  edit_->setPlainText(QtText(memo).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
  edit_->document()->setModified(false);
  edit_->selectAll();
  edit_->ensureCursorVisible();
}

int MemoDialog::DoModal() {
  edit_->setFocus();
  return exec();
}

void MemoDialog::accept() {
  if (edit_->document()->isModified()) {
    memo_ = Cp932Text(edit_->toPlainText().replace(QLatin1Char('\n'), QStringLiteral("\r\n")));
  }
  done(IDOK);
}

void MemoDialog::reject() { done(IDCANCEL); }

bool MemoDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched != edit_ || event->type() != QEvent::KeyPress) {
    return QDialog::eventFilter(watched, event);
  }
  const auto* key = static_cast<QKeyEvent*>(event);
  if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) return false;
  if (key->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier)) {
    edit_->insertPlainText(QStringLiteral("\n"));
  } else {
    accept();
  }
  return true;
}

}  // namespace vx
