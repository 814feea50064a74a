// One login in the browser: the login page's address and what the pages reached say.
#include "web/OAuthLoginFlow.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "platform/CodePage.h"
#include "web/HttpErrorText.h"

namespace {

constexpr const char* kBase = "https://auth.test/";
constexpr const char* kClient = "Hx4RqL9mTz2WcV7bNp3KdY8sFj6GuA1eQo5XtMw0";

vx::OAuthLoginFlow Flow() { return vx::OAuthLoginFlow(kBase, kClient, "s123"); }

TEST(OAuthLoginFlow, AuthorizationAddressCarriesClientRedirectScopeAndState) {
  const vx::OAuthLoginFlow flow = Flow();
  EXPECT_EQ(flow.AuthorizationUrl(),
            "https://auth.test/OAuth2/?response_type=code&state=s123&client_id="
            "Hx4RqL9mTz2WcV7bNp3KdY8sFj6GuA1eQo5XtMw0&redirect_uri=https://auth.test/OAuth2/Blank"
            "&scope=circle_read circle_write favorite_read favorite_write");
  EXPECT_EQ(flow.BlankUrl(), "https://auth.test/OAuth2/Blank");
  EXPECT_EQ(flow.ErrorUrl(), "https://auth.test/OAuth2/Error");
}

TEST(OAuthLoginFlow, EachLoginSendsAFreshRandomState) {
  std::set<std::string> states;
  for (int i = 0; i < 50; ++i) {
    const vx::OAuthLoginFlow flow(kBase, kClient);
    EXPECT_EQ(flow.State().size(), 32u);
    EXPECT_EQ(flow.State().find_first_not_of("0123456789abcdef"), std::string::npos);
    EXPECT_NE(flow.AuthorizationUrl().find("&state=" + flow.State() + "&"), std::string::npos);
    states.insert(flow.State());
  }
  EXPECT_EQ(states.size(), 50u);
}

struct PageCase {
  const char* url;
  bool ends;
  int result;
  const char* code;
  const char* error;
  const char* description;  // UTF-8
};

TEST(OAuthLoginFlow, PagesReachedEndTheLoginOrNot) {
  const PageCase cases[] = {
      {"https://auth.test/OAuth2/Blank?code=c1&state=s123", true, vx::kOAuthCodeReceived, "c1", "",
       ""},
      // The code wins over an error beside it.
      {"https://auth.test/OAuth2/Blank?error=e&code=a%2Bb&state=s123&x=", true,
       vx::kOAuthCodeReceived, "a+b", "", ""},
      {"https://auth.test/OAuth2/Blank?error=access_denied&error_description=%E6%8B%92%E5%90%A6",
       true, vx::kOAuthPortalError, "", "access_denied", "拒否"},
      {"https://auth.test/OAuth2/Error", true, vx::kOAuthPortalError, "", "", ""},
      {"https://auth.test/OAuth2/Error?error=server", true, vx::kOAuthPortalError, "", "server",
       ""},
      // An answer to another login, or none at all, is not taken.
      {"https://auth.test/OAuth2/Blank?code=c1&state=other", true, vx::kOAuthPortalError, "",
       "invalid_state", "ログインの応答がこのログインのものではありません。"},
      {"https://auth.test/OAuth2/Blank?code=c1", true, vx::kOAuthPortalError, "", "invalid_state",
       "ログインの応答がこのログインのものではありません。"},
      {"https://auth.test/OAuth2/Blank?code=%zz&state=s123", true, vx::kOAuthPortalError, "",
       "invalid_response", "ログインの応答に読めないエスケープがあります。"},
      {"https://auth.test/OAuth2/Blank?code=ab%4", true, vx::kOAuthPortalError, "",
       "invalid_response", "ログインの応答に読めないエスケープがあります。"},
      // The portal's own pages, and look-alikes, go on.
      {"https://auth.test/OAuth2/?response_type=code", false, vx::kOAuthPending, "", "", ""},
      {"https://auth.test/oauth2/blank?code=c1&state=s123", false, vx::kOAuthPending, "", "", ""},
      {"https://evil.test/OAuth2/Blank?code=c1&state=s123", false, vx::kOAuthPending, "", "", ""},
  };
  for (const PageCase& c : cases) {
    vx::OAuthLoginFlow flow = Flow();
    EXPECT_EQ(flow.Examine(c.url), c.ends) << c.url;
    EXPECT_EQ(flow.Result(), c.result) << c.url;
    EXPECT_EQ(flow.Code(), c.code) << c.url;
    EXPECT_EQ(flow.Error(), c.error) << c.url;
    EXPECT_EQ(vx::Cp932ToUtf8(flow.ErrorDescription()), c.description) << c.url;
  }
}

// Once on https the browser stays there: an http address of the main frame ends the login, one
// of a frame is only refused.
TEST(OAuthLoginFlow, TheBrowserNeverLeavesHttps) {
  vx::OAuthLoginFlow upper("HTTPS://auth.test/", kClient, "s123");
  EXPECT_FALSE(upper.MayGoTo("http://auth.test/OAuth2/Blank", true));
  vx::OAuthLoginFlow flow = Flow();
  EXPECT_TRUE(flow.MayGoTo("https://other.test/page", true));
  EXPECT_TRUE(flow.MayGoTo("about:blank", true));
  EXPECT_FALSE(flow.MayGoTo("http://ads.test/frame", false));
  EXPECT_FALSE(flow.Finished());
  EXPECT_FALSE(flow.MayGoTo("HTTP://Auth.Test/OAuth2/Blank?code=c1&state=s123", true));
  EXPECT_EQ(flow.Result(), vx::kOAuthDownloadFailed);
  EXPECT_EQ(flow.NavigationStatus(), vx::kInsecureRedirectCode);
  EXPECT_EQ(flow.FailedHost(), "auth.test");
  EXPECT_EQ(flow.Code(), "");
}

// An http portal may move the browser on to https, and then not back; its pages count in either
// form.
TEST(OAuthLoginFlow, AnHttpLoginMayMoveOnToHttpsOnly) {
  vx::OAuthLoginFlow plain("http://auth.test/", kClient, "s123");
  EXPECT_TRUE(plain.MayGoTo("http://auth.test/OAuth2/?x", true));
  EXPECT_TRUE(plain.MayGoTo("https://auth.test/login", true));
  EXPECT_FALSE(plain.MayGoTo("http://auth.test/next", true));
  EXPECT_EQ(plain.FailedHost(), "auth.test");

  vx::OAuthLoginFlow upgraded("http://auth.test/", kClient, "s123");
  EXPECT_TRUE(upgraded.Examine("https://auth.test/OAuth2/Blank?code=c1&state=s123"));
  EXPECT_EQ(upgraded.Code(), "c1");
}

TEST(OAuthLoginFlow, TheFirstOutcomeStays) {
  vx::OAuthLoginFlow flow = Flow();
  ASSERT_TRUE(flow.Examine("https://auth.test/OAuth2/Blank?code=c1&state=s123"));
  EXPECT_FALSE(flow.Examine("https://auth.test/OAuth2/Error?error=late"));
  flow.NavigationFailed(404);
  flow.Cancel();
  EXPECT_EQ(flow.Result(), vx::kOAuthCodeReceived);
  EXPECT_EQ(flow.Code(), "c1");
  EXPECT_EQ(flow.NavigationStatus(), 0u);
}

TEST(OAuthLoginFlow, FailedPagesAndCancel) {
  const std::pair<std::uint32_t, int> failures[] = {
      {vx::kDownloadFailureCode, vx::kOAuthDownloadFailed},
      {404, vx::kOAuthNavigationFailed},
      {403, vx::kOAuthNavigationFailed},
      {0x800C0005, vx::kOAuthNavigationFailed},
  };
  for (const auto& [status, result] : failures) {
    vx::OAuthLoginFlow flow = Flow();
    flow.NavigationFailed(status);
    EXPECT_EQ(flow.Result(), result) << status;
    EXPECT_EQ(flow.NavigationStatus(), status);
  }
  vx::OAuthLoginFlow flow = Flow();
  flow.Cancel();
  EXPECT_EQ(flow.Result(), vx::kOAuthCancelled);
  EXPECT_TRUE(flow.Finished());
}

}  // namespace
