// The page of the portal's login window: it lets the portal's own pages load and stops the browser
// at the page that ends the login (the blank page the portal sends it back to, or the error page),
// which need not exist at all. A certificate the browser refuses is taken only when the CA file
// vouches for it; any other ends the login, naming the server. So does an address that would take
// the browser from https back to http, before anything is sent there.
#pragma once

#include <QWebEnginePage>

#include <string>

#include "ui/web/CaFileTrust.h"

namespace vx {

class OAuthLoginFlow;

class PortalLoginPage : public QWebEnginePage {
  Q_OBJECT

 public:
  PortalLoginPage(OAuthLoginFlow& flow, CaFileTrust trust, QWebEngineProfile* profile,
                  QObject* parent);

 Q_SIGNALS:
  void loginEnded();

 protected:
  bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;

 private:
  void OnCertificateError(const QWebEngineCertificateError& error);

  OAuthLoginFlow& flow_;
  CaFileTrust trust_;
};

// The address as the flow reads it: encoded, as sent.
std::string LoginUrlText(const QUrl& url);

}  // namespace vx
