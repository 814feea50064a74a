#include "ui/web/ExportResultDialog.h"

#include <QDialogButtonBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "res/ResourceIds.h"
#include "ui/dialogs/DialogSupport.h"

namespace vx {

namespace {

constexpr int kWidth = 420;
constexpr int kHeight = 300;

}  // namespace

ExportResultDialog::ExportResultDialog(std::string_view text, QWidget* parent)
    : QDialog(parent), edit_(new QPlainTextEdit(this)) {
  setProperty("dialogId", IDD_EXPORT_RESULT);
  setWindowTitle(QStringLiteral("エクスポート結果表示"));
  SetControlId(edit_, IDC_EXPORT_RESULT_TEXT);
  edit_->setReadOnly(true);
  edit_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  edit_->setPlainText(QtText(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
  SetControlId(ok, IDOK);
  ok->setDefault(true);
  connect(buttons, &QDialogButtonBox::accepted, this, [this] { done(IDOK); });
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(edit_, 1);
  layout->addWidget(buttons);
  resize(kWidth, kHeight);
}

}  // namespace vx
