#include "ui/web/PortalLoginPage.h"

#include <QUrl>

#include "web/OAuthLoginFlow.h"

namespace vx {

std::string LoginUrlText(const QUrl& url) { return url.toEncoded().toStdString(); }

PortalLoginPage::PortalLoginPage(OAuthLoginFlow& flow, QWebEngineProfile* profile, QObject* parent)
    : QWebEnginePage(profile, parent), flow_(flow) {}

bool PortalLoginPage::acceptNavigationRequest(const QUrl& url, NavigationType, bool isMainFrame) {
  if (!isMainFrame || !flow_.Examine(LoginUrlText(url))) return true;
  Q_EMIT loginEnded();
  return false;
}

}  // namespace vx
