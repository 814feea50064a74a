// The portal's login window with its embedded browser, against the fake portal on a virtual
// display: the redirect to the blank page caught, pages that fail, certificates that only the CA
// file vouches for, Cancel, and a whole import over https that logs in this way.
#include "ui/web/PortalLoginDialog.h"

#include <curl/curl.h>
#include <gtest/gtest.h>
#include <signal.h>

#include <QApplication>
#include <QImage>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "platform/CodePage.h"
#include "res/ResourceIds.h"
#include "tests/ui/dialogs/DialogTestSupport.h"
#include "tests/web/PortalFixture.h"
#include "tests/web/support/TestCertificates.h"
#include "ui/web/QtPortalDialogs.h"
#include "ui/widgets/ProgressDialog.h"
#include "ui/widgets/QtUiServices.h"
#include "web/FavoriteImportJob.h"
#include "web/HttpErrorText.h"
#include "web/OAuthLoginFlow.h"
#include "web/QueryString.h"

namespace {

constexpr const char* kClient = "Hx4RqL9mTz2WcV7bNp3KdY8sFj6GuA1eQo5XtMw0";

class LoginDialogTest : public testing::Test {
 protected:
  void SetUp() override {
    if (!vx::PortalLoginDialog::IsAvailable()) {
      GTEST_SKIP() << "no display for the embedded browser (platform "
                   << QGuiApplication::platformName().toStdString()
                   << "); run under xvfb-run with QT_QPA_PLATFORM=xcb";
    }
  }

  // A login whose page `server` serves as `body`.
  static vx::OAuthLoginFlow ServeLoginPage(vxtest::TestHttpServer& server,
                                           const std::string& body) {
    vxtest::TestReply page;
    page.headers = {"Content-Type: text/html; charset=UTF-8"};
    page.body = "<html>" + body + "</html>";
    server.Route("/OAuth2/", page);
    return vx::OAuthLoginFlow(server.BaseUrl() + "/", kClient);
  }

  // Runs the login against `base`; `whileOpen` runs once the dialog is up.
  int RunLogin(vx::OAuthLoginFlow& flow,
               const std::function<void(vx::PortalLoginDialog&)>& whileOpen = {},
               const std::filesystem::path& caFile = {}) {
    vx::PortalLoginDialog dialog(flow, caFile, nullptr);
    if (whileOpen) QTimer::singleShot(0, &dialog, [&] { whileOpen(dialog); });
    vxtest::Watchdog watchdog(120000);
    return dialog.Run();
  }
};

class LoginRedirectTest : public LoginDialogTest, public testing::WithParamInterface<bool> {};

TEST_P(LoginRedirectTest, TheWayBackToTheBlankPageEndsTheLoginWithItsCode) {
  vxtest::FakePortal portal;
  portal.SetLoginByRedirect(GetParam());
  vx::OAuthLoginFlow flow(portal.BaseUrl(), kClient);
  std::string title;
  const int result =
      RunLogin(flow, [&](vx::PortalLoginDialog& d) { title = d.windowTitle().toStdString(); });
  EXPECT_EQ(result, vx::kOAuthCodeReceived);
  EXPECT_EQ(flow.Code(), vxtest::FakePortal::kLoginCode);
  EXPECT_EQ(title, "Orbalink 認証ダイアログ");
  const auto requests = portal.Server().Requests();
  ASSERT_FALSE(requests.empty());
  EXPECT_EQ(requests[0].Path(), "/OAuth2/");
  EXPECT_NE(requests[0].target.find("state=" + flow.State()), std::string::npos);
  EXPECT_NE(requests[0].target.find("client_id=" + std::string(kClient)), std::string::npos);
  for (const auto& request : requests) EXPECT_NE(request.Path(), "/OAuth2/Blank");
}

INSTANTIATE_TEST_SUITE_P(ScriptOrHttpRedirect, LoginRedirectTest, testing::Bool());

TEST_F(LoginDialogTest, AMissingLoginPageEndsTheLoginWithItsStatus) {
  vxtest::TestHttpServer server;  // no routes: 404 for everything
  vx::OAuthLoginFlow flow(server.BaseUrl() + "/", kClient);
  EXPECT_EQ(RunLogin(flow), vx::kOAuthNavigationFailed);
  EXPECT_EQ(flow.NavigationStatus(), 404u);
}

TEST_F(LoginDialogTest, AnUnreachablePortalEndsTheLoginAsADownloadFailure) {
  vx::OAuthLoginFlow flow("http://127.0.0.1:" + std::to_string(vxtest::ClosedLoopbackPort()) + "/",
                          kClient);
  EXPECT_EQ(RunLogin(flow), vx::kOAuthDownloadFailed);
  EXPECT_EQ(flow.NavigationStatus(), vx::kDownloadFailureCode);
}

TEST_F(LoginDialogTest, AnHttpsPortalIsTalkedToOnlyWhenTheCaFileVouchesForIt) {
  const vxtest::TempDir folder;
  const vxtest::TestCertificates certificates(folder.Path());
  struct Case {
    const char* name;
    const vxtest::TestTlsIdentity& identity;
    bool caFile;
    bool trusted;
  };
  const Case cases[] = {
      {"vouched for", certificates.Good(), true, true},
      {"no CA file", certificates.Good(), false, false},
      {"expired", certificates.Expired(), true, false},
      {"another host's", certificates.WrongName(), true, false},
      {"another CA's", certificates.Foreign(), true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    vxtest::FakePortal portal(c.identity, certificates.CaFile());
    vx::OAuthLoginFlow flow(portal.BaseUrl(), kClient);
    const int result =
        RunLogin(flow, {}, c.caFile ? certificates.CaFile() : std::filesystem::path());
    if (c.trusted) {
      EXPECT_EQ(result, vx::kOAuthCodeReceived);
      EXPECT_EQ(flow.Code(), vxtest::FakePortal::kLoginCode);
      continue;
    }
    EXPECT_EQ(result, vx::kOAuthDownloadFailed);
    EXPECT_EQ(flow.NavigationStatus(), vx::TransportErrorCode(CURLE_PEER_FAILED_VERIFICATION));
    EXPECT_EQ(flow.FailedHost(), "127.0.0.1");
    EXPECT_EQ(portal.Server().RequestCount(), 0);
  }
}

// The portal's https login page sends the browser back to an http address, by an HTTP redirect
// or from a script: the code never goes out in clear, and the login ends naming the server.
class LoginDowngradeTest : public LoginDialogTest, public testing::WithParamInterface<bool> {};

TEST_P(LoginDowngradeTest, TheBrowserDoesNotLeaveHttps) {
  const vxtest::TempDir folder;
  const vxtest::TestCertificates certificates(folder.Path());
  vxtest::FakePortal portal(certificates.Good(), certificates.CaFile());
  vxtest::TestHttpServer plain;
  const bool byRedirect = GetParam();
  portal.Server().Handle("/OAuth2/", [&](const vxtest::TestRequest& request) {
    std::map<std::string, std::string> query;
    vx::ParseQueryString(request.target, query);
    const std::string target = plain.Url("/OAuth2/Blank?code=") + vxtest::FakePortal::kLoginCode +
                               "&state=" + query["state"];
    vxtest::TestReply reply;
    if (byRedirect) {
      reply.status = 302;
      reply.headers = {"Location: " + target};
    } else {
      reply.headers = {"Content-Type: text/html; charset=UTF-8"};
      reply.body = "<html><body><script>location.replace('" + target + "');</script></body></html>";
    }
    return reply;
  });
  vx::OAuthLoginFlow flow(portal.BaseUrl(), kClient);
  EXPECT_EQ(RunLogin(flow, {}, certificates.CaFile()), vx::kOAuthDownloadFailed);
  EXPECT_EQ(flow.NavigationStatus(), vx::kInsecureRedirectCode);
  EXPECT_EQ(flow.FailedHost(), "127.0.0.1");
  EXPECT_EQ(flow.Code(), "");
  EXPECT_EQ(portal.Server().RequestCount(), 1);
  EXPECT_EQ(plain.RequestCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(ScriptOrHttpRedirect, LoginDowngradeTest, testing::Bool());

// An http portal may send the browser on to https.
TEST_F(LoginDialogTest, AnHttpLoginPageMaySendTheBrowserOnToHttps) {
  const vxtest::TempDir folder;
  const vxtest::TestCertificates certificates(folder.Path());
  vxtest::TestHttpServer secure(certificates.Good());
  vxtest::TestReply page;
  page.headers = {"Content-Type: text/html; charset=UTF-8"};
  page.body = "<html><body>login</body></html>";
  secure.Route("/login", page);
  vxtest::TestHttpServer plain;
  vxtest::TestReply moved;
  moved.status = 302;
  moved.headers = {"Location: " + secure.Url("/login")};
  plain.Route("/OAuth2/", moved);
  vx::OAuthLoginFlow flow(plain.BaseUrl() + "/", kClient);
  const int result = RunLogin(
      flow,
      [&](vx::PortalLoginDialog& d) {
        EXPECT_TRUE(QTest::qWaitFor([&] { return secure.RequestCount() == 1; }, 60000));
        d.reject();
      },
      certificates.CaFile());
  EXPECT_EQ(result, vx::kOAuthCancelled);
  EXPECT_EQ(secure.Requests().at(0).Path(), "/login");
}

TEST_F(LoginDialogTest, ThePortalsPageIsShownUntilTheUserCancels) {
  vxtest::TestHttpServer server;
  vx::OAuthLoginFlow flow =
      ServeLoginPage(server, "<body style='margin:0;background:#00c000'>login</body>");
  QColor shown;
  const int result = RunLogin(flow, [&](vx::PortalLoginDialog& d) {
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
          const QImage image = d.View()->grab().toImage();
          shown = image.pixelColor(image.width() / 2, image.height() / 2);
          return shown == QColor(0x00, 0xc0, 0x00);
        },
        60000));
    QTest::keyClick(&d, Qt::Key_Return);  // Enter does not end it
    EXPECT_TRUE(d.isVisible());
    QTest::mouseClick(vxtest::Control<QPushButton>(&d, IDCANCEL), Qt::LeftButton);
  });
  EXPECT_EQ(shown, QColor(0x00, 0xc0, 0x00));
  EXPECT_EQ(result, vx::kOAuthCancelled);
}

// The process that shows the page ends under the user's eyes: the window closes with the login
// still open and says so, for the login to go on another way.
TEST_F(LoginDialogTest, APageProcessThatEndsLeavesTheLoginOpenSayingSo) {
  vxtest::TestHttpServer server;
  vx::OAuthLoginFlow flow = ServeLoginPage(server, "<body>login</body>");
  vx::PortalLoginDialog dialog(flow, {}, nullptr);
  QSignalSpy loaded(dialog.View()->page(), &QWebEnginePage::loadFinished);
  QTimer::singleShot(0, &dialog, [&] {
    ASSERT_TRUE(loaded.count() > 0 || loaded.wait(60000));
    const qint64 pid = dialog.View()->page()->renderProcessPid();
    ASSERT_GT(pid, 0);
    ::kill(static_cast<pid_t>(pid), SIGKILL);
  });
  vxtest::Watchdog watchdog(120000);
  EXPECT_EQ(dialog.Run(), vx::kOAuthPending);
  EXPECT_FALSE(flow.Finished());
  EXPECT_EQ(dialog.BrowserFailure().toStdString(), "ログイン画面のブラウザが途中で終了しました。");
}

// The whole road, on https with the test CA in the configuration: the import's worker asks for a
// token, the login window comes up over the progress dialog, the portal sends the browser back,
// the code is exchanged, the pages are read.
class BrowserImportTest : public vxtest::PortalFixture {
 protected:
  void SetUp() override {
    if (!vx::PortalLoginDialog::IsAvailable())
      GTEST_SKIP() << "no display for the embedded browser";
    PortalFixture::SetUp();
    secure = std::make_unique<vxtest::FakePortal>(certificates.Good(), certificates.CaFile());
    services.config = secure->Config();
    services.ui = &qtUi;
    services.dialogs = &qtDialogs;
  }

  vxtest::TempDir folder;
  vxtest::TestCertificates certificates{folder.Path()};
  std::unique_ptr<vxtest::FakePortal> secure;
  vx::QtUiServices qtUi;
  vx::QtPortalDialogs qtDialogs{&qtUi};
};

TEST_F(BrowserImportTest, AnImportLogsInInTheBrowserAndReadsThePortal) {
  for (int id = 1001; id <= 1004; ++id) secure->AddFavorite(vxtest::Favorite(id, 2, "m"));
  vx::FavoriteImportJob job(task, *store, services);
  vx::ProgressDialog dialog(job);
  std::string box;
  QTimer answerer;
  QObject::connect(&answerer, &QTimer::timeout, [&] {
    if (auto* shown = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      box = shown->text().toStdString();
      QTest::keyClick(shown, Qt::Key_Return);
    }
  });
  answerer.start(20);
  vxtest::Watchdog watchdog(120000);
  EXPECT_EQ(dialog.exec(), 0);
  EXPECT_EQ(box, "インポート完了しました");
  EXPECT_EQ(StoredToken(), "token-1");
  EXPECT_EQ(store->GetImportRecords().size(), 4u);
}

}  // namespace
