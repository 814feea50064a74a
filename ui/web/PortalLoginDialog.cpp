#include "ui/web/PortalLoginDialog.h"

#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWebEngineLoadingInfo>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include "res/ResourceIds.h"
#include "ui/web/CaFileTrust.h"
#include "ui/dialogs/DialogSupport.h"
#include "ui/web/EmbeddedBrowserCheck.h"
#include "ui/web/PortalLoginPage.h"
#include "web/HttpErrorText.h"
#include "web/OAuthLoginFlow.h"

namespace vx {

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 640;
// The browser's "aborted": a load that another navigation (the portal's own redirect) replaced.
constexpr int kLoadAborted = -3;

}  // namespace

PortalLoginDialog::PortalLoginDialog(OAuthLoginFlow& flow, const std::filesystem::path& caFile,
                                     QWidget* parent)
    : QDialog(parent),
      flow_(flow),
      profile_(new QWebEngineProfile(this)),  // off the record: no cookies outlive the login
      page_(new PortalLoginPage(flow, CaFileTrust(caFile), profile_, this)),
      view_(new QWebEngineView(this)) {
  setProperty("dialogId", IDD_PORTAL_LOGIN);
  setWindowTitle(QStringLiteral("Orbalink 認証ダイアログ"));
  profile_->settings()->setAttribute(QWebEngineSettings::AutoLoadIconsForPage, false);
  view_->setPage(page_);
  SetControlId(view_, IDC_PORTAL_BROWSER);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
  QPushButton* cancel = buttons->button(QDialogButtonBox::Cancel);
  SetControlId(cancel, IDCANCEL);
  cancel->setAutoDefault(false);  // Enter belongs to the portal's page, never to Cancel
  connect(buttons, &QDialogButtonBox::rejected, this, &PortalLoginDialog::reject);
  connect(page_, &PortalLoginPage::loginEnded, this, &PortalLoginDialog::Finish);
  connect(page_, &QWebEnginePage::loadingChanged, this, &PortalLoginDialog::OnLoadingChanged);
  connect(page_, &QWebEnginePage::renderProcessTerminated, this,
          &PortalLoginDialog::OnPageProcessEnded);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(view_, 1);
  layout->addWidget(buttons);
  resize(kWidth, kHeight);
}

// The page goes before its profile.
PortalLoginDialog::~PortalLoginDialog() {
  view_->setPage(nullptr);
  delete page_;
}

bool PortalLoginDialog::IsAvailable() {
  const QString platform = QGuiApplication::platformName();
  return platform == QStringLiteral("xcb") || platform.startsWith(QStringLiteral("wayland"));
}

int PortalLoginDialog::Run() {
  if (!flow_.Finished())
    page_->load(QUrl::fromEncoded(QByteArray::fromStdString(flow_.AuthorizationUrl())));
  if (!flow_.Finished() && browserFailure_.isEmpty()) exec();
  return flow_.Result();
}

// A loaded page that ends the login is read like a navigation to it; a page the server answered
// with an error status, or none at all, ends it as a failure.
void PortalLoginDialog::OnLoadingChanged(const QWebEngineLoadingInfo& info) {
  if (flow_.Finished() || !browserFailure_.isEmpty() ||
      info.status() == QWebEngineLoadingInfo::LoadStartedStatus) {
    return;
  }
  if (info.status() == QWebEngineLoadingInfo::LoadSucceededStatus) pageShown_ = true;
  if (flow_.Examine(LoginUrlText(info.url()))) {
    Finish();
  } else if (info.errorDomain() == QWebEngineLoadingInfo::HttpStatusCodeDomain &&
             info.errorCode() >= 400) {
    flow_.NavigationFailed(static_cast<std::uint32_t>(info.errorCode()));
    Finish();
  } else if (info.status() == QWebEngineLoadingInfo::LoadFailedStatus &&
             info.errorCode() != kLoadAborted) {
    flow_.NavigationFailed(kDownloadFailureCode);
    Finish();
  }
}

// The process that shows the pages is gone (a helper program that exits at once never starts one).
// The load it leaves behind would fail as if the portal could not be reached, though the portal
// was never asked: the browser's failure is kept instead, and the login stays open.
void PortalLoginDialog::OnPageProcessEnded() {
  if (flow_.Finished() || !browserFailure_.isEmpty()) return;
  browserFailure_ = pageShown_ ? QStringLiteral("ログイン画面のブラウザが途中で終了しました。")
                               : EmbeddedBrowserCheck::HelperFailed();
  if (isVisible()) done(flow_.Result());
}

void PortalLoginDialog::Finish() {
  if (isVisible()) done(flow_.Result());
}

void PortalLoginDialog::accept() {}

void PortalLoginDialog::reject() {
  flow_.Cancel();
  done(flow_.Result());
}

}  // namespace vx
