// The portal's access token: kept, obtained by a login and the code exchange, refused, cleared.
#include "web/PortalLogin.h"

#include <curl/curl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

#include "platform/CodePage.h"
#include "tests/web/PortalFixture.h"
#include "web/HttpErrorText.h"
#include "web/OAuthLoginFlow.h"

namespace {

using vxtest::FieldOf;
using vxtest::FormFields;
using vxtest::TestReply;

class PortalLoginTest : public vxtest::PortalFixture {
 protected:
  int GetToken(std::string& token) {
    vx::PortalLogin login(task, services);
    return login.GetAccessToken(token);
  }

  std::vector<vxtest::TestRequest> TokenRequests() const {
    std::vector<vxtest::TestRequest> requests;
    for (const auto& request : portal.Server().Requests()) {
      if (request.Path() == "/OAuth2/Token") requests.push_back(request);
    }
    return requests;
  }
};

TEST_F(PortalLoginTest, AStoredTokenIsReturnedWithoutLoginOrRequest) {
  StoreToken("kept-token");
  std::string token = "old";
  EXPECT_EQ(GetToken(token), vx::kTokenReady);
  EXPECT_EQ(token, "kept-token");
  EXPECT_TRUE(dialogs.loginAddresses.empty());
  EXPECT_EQ(portal.Server().RequestCount(), 0);
  EXPECT_TRUE(ui.Calls().empty());
}

TEST_F(PortalLoginTest, LoginExchangesTheCodeAndKeepsTheToken) {
  std::string token;
  ASSERT_EQ(GetToken(token), vx::kTokenReady);
  EXPECT_EQ(token, "token-1");
  EXPECT_EQ(StoredToken(), "token-1");

  ASSERT_EQ(dialogs.loginAddresses.size(), 1u);
  const std::string& address = dialogs.loginAddresses[0];
  const std::string base = portal.BaseUrl();
  EXPECT_EQ(address.rfind(base + "OAuth2/?response_type=code&state=", 0), 0u) << address;
  EXPECT_NE(
      address.find("&client_id=Hx4RqL9mTz2WcV7bNp3KdY8sFj6GuA1eQo5XtMw0&redirect_uri=" + base +
                   "OAuth2/Blank&scope=circle_read circle_write favorite_read "
                   "favorite_write"),
      std::string::npos)
      << address;

  const auto requests = TokenRequests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].method, "POST");
  EXPECT_EQ(requests[0].Header("Content-Type"), "application/x-www-form-urlencoded; charset=UTF-8");
  EXPECT_EQ(requests[0].Header("User-Agent"), "Lothervanquist");
  EXPECT_EQ(vxtest::ParseForm(requests[0].body),
            (FormFields{{"grant_type", "authorization_code"},
                        {"code", vxtest::FakePortal::kLoginCode},
                        {"client_id", "Hx4RqL9mTz2WcV7bNp3KdY8sFj6GuA1eQo5XtMw0"},
                        {"client_secret", "Jd2XwN7pLq5RzC8vMb4KtH1sYg9FeU6aTo3WcQi0"}}));

  // The next call takes the kept token at once, also in a later run.
  vx::AppSettings later(dir.Path());
  vx::ProgressTask laterTask(&later);
  std::string again;
  EXPECT_EQ(vx::PortalLogin(laterTask, services).GetAccessToken(again), vx::kTokenReady);
  EXPECT_EQ(again, "token-1");
  EXPECT_EQ(dialogs.loginAddresses.size(), 1u);
  EXPECT_EQ(TokenRequests().size(), 1u);
  EXPECT_TRUE(ui.Calls().empty());
}

TEST_F(PortalLoginTest, TheSandboxHasItsOwnServersSecretAndEvent) {
  ASSERT_TRUE(settings.WriteAuthInt("SandBox", 1));
  services.config.authServer = "https://production-auth.invalid/";
  services.config.apiServer = "https://production-api.invalid/";
  services.config.sandboxApiServer = "https://sandbox-api.test/";
  vx::PortalLogin login(task, services);
  EXPECT_TRUE(login.IsSandboxMode());
  EXPECT_EQ(login.ApiBaseUrl(), "https://sandbox-api.test/");
  EXPECT_EQ(login.EventNumberText(), "84");
  std::string token;
  ASSERT_EQ(login.GetAccessToken(token), vx::kTokenReady);
  EXPECT_EQ(dialogs.loginAddresses.at(0).rfind(portal.BaseUrl(), 0), 0u);
  EXPECT_EQ(FieldOf(vxtest::ParseForm(TokenRequests().at(0).body), "client_secret"),
            "Pm8VzK3qWr6TnB1xLc9HdS4yGf7JuE2aRk5NoQt0");

  ASSERT_TRUE(settings.WriteAuthInt("SandBox", 0));
  EXPECT_EQ(login.ApiBaseUrl(), "https://production-api.invalid/");
  EXPECT_EQ(login.EventNumberText(), "96");
}

TEST_F(PortalLoginTest, ALongTokenIsKeptWhole) {
  const std::string longToken(3000, 't');
  TestReply reply;
  reply.body = R"({"access_token":")" + longToken + R"(","expires_in":3600})";
  portal.QueueTokenReply(reply);
  std::string token;
  ASSERT_EQ(GetToken(token), vx::kTokenReady);
  EXPECT_EQ(token, longToken);
  EXPECT_EQ(StoredToken(), longToken);
  std::string again;
  ASSERT_EQ(GetToken(again), vx::kTokenReady);
  EXPECT_EQ(again, longToken);
  EXPECT_EQ(dialogs.loginAddresses.size(), 1u);
}

TEST_F(PortalLoginTest, AClearedTokenMeansANewLogin) {
  std::string token;
  ASSERT_EQ(GetToken(token), vx::kTokenReady);
  vx::PortalLogin(task, services).ClearAccessToken();
  EXPECT_EQ(StoredToken(), "");
  ASSERT_EQ(GetToken(token), vx::kTokenReady);
  EXPECT_EQ(token, "token-2");
  EXPECT_EQ(dialogs.loginAddresses.size(), 2u);
  EXPECT_NE(dialogs.loginAddresses[0], dialogs.loginAddresses[1]);  // a new state
}

TestReply Reply(int status, std::string body) {
  TestReply reply;
  reply.status = status;
  reply.body = std::move(body);
  return reply;
}

struct FailureCase {
  const char* name;
  std::function<void(vxtest::FakePortal&, vxtest::ScriptedPortalDialogs&)> setUp;
  int result;
  const char* caption;  // UTF-8
  std::string text;     // UTF-8; a trailing "*" matches any rest
};

std::string ErrorText(const char* prefix, std::uint32_t code) {
  return vx::Cp932ToUtf8(vx::HttpErrorText(vx::Sjis(prefix), code));
}

void Login(vxtest::ScriptedPortalDialogs& dialogs,
           std::function<void(vx::OAuthLoginFlow&)> script) {
  dialogs.QueueLogin(std::move(script));
}

TEST_F(PortalLoginTest, EachFailureShowsOneBoxAndKeepsNothing) {
  const FailureCase cases[] = {
      {"cancelled", [](auto&, auto& d) { Login(d, [](auto& f) { f.Cancel(); }); },
       vx::kTokenCancelled, "認証処理失敗", "認証処理がキャンセルされました"},
      {"error page", [](auto&, auto& d) { Login(d, [](auto& f) { f.Examine(f.ErrorUrl()); }); },
       vx::kTokenRefused, "認証処理失敗", "認証エラー:\r\n"},
      {"portal error",
       [](auto&, auto& d) {
         Login(d, [](auto& f) {
           f.Examine(f.BlankUrl() + "?error=access_denied&error_description=%E6%8B%92%E5%90%A6");
         });
       },
       vx::kTokenRefused, "認証処理失敗", "認証エラー:access_denied\r\n拒否"},
      {"answer to another login",
       [](auto&, auto& d) {
         Login(d, [](auto& f) { f.Examine(f.BlankUrl() + "?code=c&state=forged"); });
       },
       vx::kTokenRefused, "認証処理失敗",
       "認証エラー:invalid_state\r\nログインの応答がこのログインのものではありません。"},
      {"broken escape",
       [](auto&, auto& d) {
         Login(d, [](auto& f) { f.Examine(f.BlankUrl() + "?code=%zz&state=" + f.State()); });
       },
       vx::kTokenRefused, "認証処理失敗",
       "認証エラー:invalid_response\r\nログインの応答に読めないエスケープがあります。"},
      {"page not downloaded",
       [](auto&, auto& d) {
         Login(d, [](auto& f) { f.NavigationFailed(vx::kDownloadFailureCode); });
       },
       vx::kTokenUnreachable, "認証処理失敗", ErrorText("通信エラー", vx::kDownloadFailureCode)},
      {"certificate not verified",
       [](auto&, auto& d) { Login(d, [](auto& f) { f.CertificateFailed("portal.test"); }); },
       vx::kTokenUnreachable, "認証処理失敗",
       ErrorText("通信エラー", vx::TransportErrorCode(CURLE_PEER_FAILED_VERIFICATION)) +
           "\r\nサーバー: portal.test"},
      {"login window sent back to http",
       [](auto&, auto& d) {
         Login(d, [](auto& f) {
           f.MayGoTo("https://portal.test/login", true);
           f.MayGoTo("http://portal.test/OAuth2/Blank?code=secret-code", true);
         });
       },
       vx::kTokenUnreachable, "認証処理失敗",
       ErrorText("通信エラー", vx::kInsecureRedirectCode) + "\r\nサーバー: portal.test"},
      {"page forbidden", [](auto&, auto& d) { Login(d, [](auto& f) { f.NavigationFailed(403); }); },
       vx::kTokenRefused, "認証処理失敗", "HTTP通信エラー:Forbidden:403"},
      {"page missing", [](auto&, auto& d) { Login(d, [](auto& f) { f.NavigationFailed(404); }); },
       vx::kTokenHttpError, "認証処理失敗", "HTTP通信エラー:Not Found:404"},
      {"login page closed without outcome", [](auto&, auto& d) { Login(d, [](auto&) {}); },
       vx::kTokenCancelled, "認証処理失敗", "認証処理がキャンセルされました"},
      {"token 500", [](auto& p, auto&) { p.QueueTokenReply(Reply(500, "oops")); },
       vx::kTokenHttpError, "アクセストークン取得失敗", "HTTP通信エラー:Internal Server Error:500"},
      {"token 403", [](auto& p, auto&) { p.QueueTokenReply(Reply(403, "{}")); }, vx::kTokenRefused,
       "アクセストークン取得失敗", "HTTP通信エラー:Forbidden:403"},
      {"token without token", [](auto& p, auto&) { p.QueueTokenReply(Reply(200, "{}")); },
       vx::kTokenLoginAgain, "アクセストークン取得失敗",
       "アクセストークン取得失敗のため再認証します:\r\n"},
      {"token refused",
       [](auto& p, auto&) {
         p.QueueTokenReply(
             Reply(200, R"({"error":"invalid_grant","error_description":"期限切れ"})"));
       },
       vx::kTokenLoginAgain, "アクセストークン取得失敗",
       "アクセストークン取得失敗のため再認証します:invalid_grant\r\n期限切れ"},
      {"token not JSON", [](auto& p, auto&) { p.QueueTokenReply(Reply(200, "<html>")); },
       vx::kTokenRefused, "アクセストークン取得失敗", "不正な結果:syntax error*"},
      {"token JSON after garbage",
       [](auto& p, auto&) { p.QueueTokenReply(Reply(200, R"({"access_token":"t"} trailing)")); },
       vx::kTokenRefused, "アクセストークン取得失敗", "不正な結果:trailing data after the value"},
      {"token number out of range",
       [](auto& p, auto&) {
         p.QueueTokenReply(Reply(200, R"({"access_token":"t","expires_in":1e999})"));
       },
       vx::kTokenRefused, "アクセストークン取得失敗", "不正な結果:number out of range"},
      {"token not an object", [](auto& p, auto&) { p.QueueTokenReply(Reply(200, "[1]")); },
       vx::kTokenRefused, "アクセストークン取得失敗", "不正な結果:"},
      {"token not text",
       [](auto& p, auto&) { p.QueueTokenReply(Reply(200, R"({"access_token":12})")); },
       vx::kTokenRefused, "アクセストークン取得失敗", "不正な結果:access_token"},
      {"token empty",
       [](auto& p, auto&) { p.QueueTokenReply(Reply(200, R"({"access_token":""})")); },
       vx::kTokenRefused, "アクセストークン取得失敗", "不正な結果:access_token"},
  };
  for (const FailureCase& c : cases) {
    SCOPED_TRACE(c.name);
    vxtest::FakePortal failing;
    vxtest::ScriptedPortalDialogs scripted;
    vx::ScriptedUiServices boxes;
    boxes.QueueAnswer(IDOK);
    vx::PortalServices local = services;
    local.config = failing.Config();
    local.ui = &boxes;
    local.dialogs = &scripted;
    c.setUp(failing, scripted);
    std::string token = "untouched";
    EXPECT_EQ(vx::PortalLogin(task, local).GetAccessToken(token), c.result);
    EXPECT_EQ(token, "untouched");
    EXPECT_EQ(StoredToken(), "");
    vxtest::ExpectErrorBox(boxes, c.caption, c.text);
    EXPECT_TRUE(boxes.UnexpectedCalls().empty());
  }
}

// A key file that must not be used: no token is kept, the key file is left as it was, and the
// user is told once (however many logins the command needs) which file stands in the way.
TEST_F(PortalLoginTest, AKeyFileThatCannotBeUsedIsNamedOnce) {
  struct Case {
    const char* name;
    std::function<void(const std::filesystem::path&)> make;
    const char* reason;
  };
  const std::string key(32, 'k');
  const Case cases[] = {
      {"open to others",
       [&](const auto& file) {
         vxtest::WriteFileBytes(file, key);
         std::filesystem::permissions(file, std::filesystem::perms(0644));
       },
       "をほかのユーザーも読み書きできます。"},
      {"not a key",
       [](const auto& file) {
         vxtest::WriteFileBytes(file, "garbage");
         std::filesystem::permissions(file, std::filesystem::perms(0600));
       },
       "の中身が鍵ではありません。"},
      {"a link",
       [&](const auto& file) {
         const auto target = file.parent_path() / "elsewhere.key";
         vxtest::WriteFileBytes(target, key);
         std::filesystem::permissions(target, std::filesystem::perms(0600));
         std::filesystem::create_symlink(target, file);
       },
       "がシンボリックリンクです。"},
      {"a folder", [](const auto& file) { std::filesystem::create_directory(file); },
       "が通常のファイルではありません。"},
  };
  const char* const savedHome = std::getenv("XDG_DATA_HOME");
  const std::string home = savedHome != nullptr ? savedHome : "";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const vxtest::TempDir data;
    ::setenv("XDG_DATA_HOME", data.Path().c_str(), 1);
    const std::filesystem::path file = data / "vindaxel" / "protect.key";
    std::filesystem::create_directories(file.parent_path());
    c.make(file);
    const auto before = std::filesystem::symlink_status(file);
    vx::ScriptedUiServices boxes;
    boxes.QueueAnswer(IDOK);
    vx::PortalServices local = services;
    local.ui = &boxes;
    vx::PortalLogin login(task, local);
    std::string first;
    std::string second;
    EXPECT_EQ(login.GetAccessToken(first), vx::kTokenReady);
    EXPECT_EQ(login.GetAccessToken(second), vx::kTokenReady);  // nothing kept: a second login
    EXPECT_NE(first, second);
    EXPECT_EQ(StoredToken(), "");
    const auto shown = boxes.CallsOf(vx::UiCallKind::kMessageBox);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(vx::Cp932ToUtf8(shown[0].caption), "ログインの記憶");
    EXPECT_EQ(shown[0].flags, vx::MB_OK | vx::MB_ICONWARNING);
    EXPECT_EQ(vx::Cp932ToUtf8(shown[0].text),
              "ログインを記憶できません。次の操作でもまたログインが必要です。\r\n鍵ファイル " +
                  file.string() + " " + c.reason +
                  "このファイルを削除すると、次のログインで新しい鍵が作られます。");
    const auto after = std::filesystem::symlink_status(file);
    EXPECT_EQ(after.type(), before.type());
    EXPECT_EQ(after.permissions(), before.permissions());
    if (std::filesystem::is_regular_file(after)) {
      EXPECT_EQ(vxtest::ReadFileBytes(file).size(), c.name == std::string("not a key") ? 7u : 32u);
    }
  }
  ::setenv("XDG_DATA_HOME", home.c_str(), 1);
}

TEST_F(PortalLoginTest, AnUnreachableTokenEndpointIsReported) {
  services.config.authServer =
      "http://127.0.0.1:" + std::to_string(vxtest::ClosedLoopbackPort()) + "/";
  ExpectBoxes(1);
  std::string token;
  EXPECT_EQ(GetToken(token), vx::kTokenUnreachable);
  const auto boxes = Boxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].first, "認証処理失敗");
  EXPECT_EQ(boxes[0].second.rfind("通信エラー:a", 0), 0u) << boxes[0].second;
  EXPECT_EQ(StoredToken(), "");
}

}  // namespace
