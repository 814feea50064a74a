#include "ui/web/PortalLoginPage.h"

#include <QUrl>
#include <QWebEngineCertificateError>
#include <utility>

#include "web/OAuthLoginFlow.h"

namespace vx {

std::string LoginUrlText(const QUrl& url) { return url.toEncoded().toStdString(); }

PortalLoginPage::PortalLoginPage(OAuthLoginFlow& flow, CaFileTrust trust,
                                 QWebEngineProfile* profile, QObject* parent)
    : QWebEnginePage(profile, parent), flow_(flow), trust_(std::move(trust)) {
  connect(this, &QWebEnginePage::certificateError, this, &PortalLoginPage::OnCertificateError);
}

// Answered at once: an error neither accepted nor deferred in the handler is refused.
void PortalLoginPage::OnCertificateError(const QWebEngineCertificateError& error) {
  QWebEngineCertificateError answer = error;
  const QString host = error.url().host(QUrl::FullyEncoded);
  if (error.isOverridable() && trust_.Vouches(error.certificateChain(), host)) {
    answer.acceptCertificate();
    return;
  }
  answer.rejectCertificate();
  if (flow_.Finished()) return;
  flow_.CertificateFailed(host.toStdString());
  Q_EMIT loginEnded();
}

// Redirects come here too, before they are followed: an address the flow refuses is never asked.
bool PortalLoginPage::acceptNavigationRequest(const QUrl& url, NavigationType, bool isMainFrame) {
  const std::string text = LoginUrlText(url);
  const bool allowed = flow_.MayGoTo(text, isMainFrame);
  if (allowed && (!isMainFrame || !flow_.Examine(text))) return true;
  if (flow_.Finished()) Q_EMIT loginEnded();
  return false;
}

}  // namespace vx
