// The portal's login window: the portal's login page in an embedded browser, until the portal
// sends the browser back to its blank or error page, a page cannot be loaded, or the user cancels
// (Cancel or Escape; Enter does nothing). A server whose certificate the browser refuses is
// talked to only when the configured CA file vouches for it; otherwise the login ends saying that
// the certificate could not be verified. The browser keeps nothing between logins. When the
// browser's page process cannot start or ends, the window closes with the login still open, saying
// why, so that it can go on another way.
#pragma once

#include <QDialog>
#include <filesystem>

class QWebEngineLoadingInfo;
class QWebEngineProfile;
class QWebEngineView;

namespace vx {

class OAuthLoginFlow;
class PortalLoginPage;

class PortalLoginDialog : public QDialog {
  Q_OBJECT

 public:
  // `caFile` may be empty.
  PortalLoginDialog(OAuthLoginFlow& flow, const std::filesystem::path& caFile, QWidget* parent);
  ~PortalLoginDialog() override;

  // Whether an embedded browser can be shown here: only on a real display.
  static bool IsAvailable();

  // Shows the login page and waits; the flow's result.
  int Run();
  QWebEngineView* View() const { return view_; }
  // Why the browser could not go on with the login, for the user; empty when it could.
  const QString& BrowserFailure() const { return browserFailure_; }

  void accept() override;
  void reject() override;

 private:
  void OnLoadingChanged(const QWebEngineLoadingInfo& info);
  void OnPageProcessEnded();
  void Finish();

  OAuthLoginFlow& flow_;
  QWebEngineProfile* profile_;
  PortalLoginPage* page_;
  QWebEngineView* view_;
  bool pageShown_ = false;  // a page has loaded: the browser did start
  QString browserFailure_;
};

}  // namespace vx
