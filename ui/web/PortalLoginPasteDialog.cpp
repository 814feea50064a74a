#include "ui/web/PortalLoginPasteDialog.h"

#include <QClipboard>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/UiServices.h"
#include "res/ResourceIds.h"
#include "ui/dialogs/DialogSupport.h"
#include "web/OAuthLoginFlow.h"

namespace vx {

namespace {

constexpr int kWidth = 560;

}  // namespace

PortalLoginPasteDialog::PortalLoginPasteDialog(OAuthLoginFlow& flow, UiServices* ui,
                                               QWidget* parent)
    : QDialog(parent), flow_(flow), ui_(ui) {
  setProperty("dialogId", IDD_PORTAL_LOGIN);
  setWindowTitle(QStringLiteral("Orbalink 認証ダイアログ"));
  CreateControls();
  LayOut();
  resize(kWidth, sizeHint().height());
}

void PortalLoginPasteDialog::CreateControls() {
  explanation_ = new QLabel(
      QStringLiteral("ここではログインページを表示できません。\n"
                     "下のアドレスをブラウザで開いてログインし、最後に表示されたページのアドレス"
                     "（%1 で始まるもの）を貼り付けてください。")
          .arg(QString::fromStdString(flow_.BlankUrl())),
      this);
  explanation_->setWordWrap(true);
  loginAddress_ = new QLineEdit(QString::fromStdString(flow_.AuthorizationUrl()), this);
  loginAddress_->setReadOnly(true);
  openButton_ = new QPushButton(QStringLiteral("ブラウザで開く"), this);
  copyButton_ = new QPushButton(QStringLiteral("コピー"), this);
  returnLabel_ = new QLabel(QStringLiteral("ログイン後のページのアドレス(&A):"), this);
  returnAddress_ = new QLineEdit(this);
  SetControlId(returnAddress_, IDC_PORTAL_RETURN_ADDRESS);
  returnLabel_->setBuddy(returnAddress_);
  errorLabel_ = new QLabel(this);
  errorLabel_->setStyleSheet(QStringLiteral("color: #c00000;"));
  errorLabel_->hide();
  connect(openButton_, &QPushButton::clicked, this, &PortalLoginPasteDialog::OpenInBrowser);
  connect(copyButton_, &QPushButton::clicked, this, &PortalLoginPasteDialog::CopyAddress);
  connect(returnAddress_, &QLineEdit::textChanged, this, [this](const QString& text) {
    okButton_->setEnabled(!text.trimmed().isEmpty());
    errorLabel_->hide();
  });
}

void PortalLoginPasteDialog::LayOut() {
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  okButton_ = buttons->button(QDialogButtonBox::Ok);
  cancelButton_ = buttons->button(QDialogButtonBox::Cancel);
  okButton_->setText(QStringLiteral("続ける"));
  okButton_->setEnabled(false);
  SetControlId(okButton_, IDOK);
  SetControlId(cancelButton_, IDCANCEL);
  connect(buttons, &QDialogButtonBox::accepted, this, &PortalLoginPasteDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &PortalLoginPasteDialog::reject);
  auto* address = new QGridLayout;
  address->addWidget(loginAddress_, 0, 0);
  address->addWidget(openButton_, 0, 1);
  address->addWidget(copyButton_, 0, 2);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(explanation_);
  layout->addLayout(address);
  layout->addWidget(returnLabel_);
  layout->addWidget(returnAddress_);
  layout->addWidget(errorLabel_);
  layout->addStretch(1);
  layout->addWidget(buttons);
}

int PortalLoginPasteDialog::Run() {
  if (!flow_.Finished()) {
    returnAddress_->setFocus();
    exec();
  }
  return flow_.Result();
}

void PortalLoginPasteDialog::accept() {
  const std::string pasted = returnAddress_->text().trimmed().toStdString();
  if (pasted.empty()) return;
  if (!flow_.Examine(pasted)) {
    errorLabel_->setText(QStringLiteral("ログインの戻り先のアドレスではありません。"));
    errorLabel_->show();
    returnAddress_->selectAll();
    returnAddress_->setFocus();
    return;
  }
  done(flow_.Result());
}

void PortalLoginPasteDialog::reject() {
  flow_.Cancel();
  done(flow_.Result());
}

void PortalLoginPasteDialog::OpenInBrowser() {
  if (ui_ != nullptr) ui_->OpenUrl(flow_.AuthorizationUrl());
}

void PortalLoginPasteDialog::CopyAddress() {
  QGuiApplication::clipboard()->setText(loginAddress_->text());
}

}  // namespace vx
