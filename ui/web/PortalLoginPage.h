// The page of the portal's login window: it lets the portal's own pages load and stops the browser
// at the page that ends the login (the blank page the portal sends it back to, or the error page),
// which need not exist at all.
#pragma once

#include <QWebEnginePage>

#include <string>

namespace vx {

class OAuthLoginFlow;

class PortalLoginPage : public QWebEnginePage {
  Q_OBJECT

 public:
  PortalLoginPage(OAuthLoginFlow& flow, QWebEngineProfile* profile, QObject* parent);

 Q_SIGNALS:
  void loginEnded();

 protected:
  bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;

 private:
  OAuthLoginFlow& flow_;
};

// The address as the flow reads it: encoded, as sent.
std::string LoginUrlText(const QUrl& url);

}  // namespace vx
