// The portal's login window: the portal's login page in an embedded browser, until the portal
// sends the browser back to its blank or error page, a page cannot be loaded, or the user cancels
// (Cancel or Escape; Enter does nothing). The browser keeps nothing between logins.
#pragma once

#include <QDialog>

class QWebEngineLoadingInfo;
class QWebEngineProfile;
class QWebEngineView;

namespace vx {

class OAuthLoginFlow;
class PortalLoginPage;

class PortalLoginDialog : public QDialog {
  Q_OBJECT

 public:
  PortalLoginDialog(OAuthLoginFlow& flow, QWidget* parent);
  ~PortalLoginDialog() override;

  // Whether an embedded browser can be shown here: only on a real display.
  static bool IsAvailable();

  // Shows the login page and waits; the flow's result.
  int Run();
  QWebEngineView* View() const { return view_; }

  void accept() override;
  void reject() override;

 private:
  void OnLoadingChanged(const QWebEngineLoadingInfo& info);
  void Finish();

  OAuthLoginFlow& flow_;
  QWebEngineProfile* profile_;
  PortalLoginPage* page_;
  QWebEngineView* view_;
};

}  // namespace vx
