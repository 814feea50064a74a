// HTTPS against the test server: certificates and host names are always checked; only a server
// whose certificate the named CA signed, for the name asked, and still valid, is talked to. A
// request never leaves https on a redirect, nor takes its body or credentials elsewhere.
#include <curl/curl.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/CodePage.h"
#include "tests/support/TempDir.h"
#include "tests/web/support/TestCertificates.h"
#include "tests/web/support/TestHttpServer.h"
#include "web/HttpErrorText.h"
#include "web/HttpRequest.h"

namespace {

using vxtest::TestCertificates;
using vxtest::TestTlsIdentity;

class HttpsRequestTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    folder_ = new vxtest::TempDir;
    certificates_ = new TestCertificates(folder_->Path());
  }
  static void TearDownTestSuite() {
    delete certificates_;
    delete folder_;
  }

  static const TestCertificates& Certificates() { return *certificates_; }

  // A GET of "/page" on a server presenting `identity`, trusting the test CA when `trustCa`.
  int Fetch(const TestTlsIdentity& identity, bool trustCa, const std::string& host = "127.0.0.1") {
    server_ = std::make_unique<vxtest::TestHttpServer>(identity);
    vxtest::TestReply reply;
    reply.body = "secret";
    server_->Route("/page", reply);
    vx::HttpTransportOptions options;
    if (trustCa) options.caFile = Certificates().CaFile();
    connection_.SetTransportOptions(options);
    std::string url = server_->Url("/page");
    url.replace(url.find("127.0.0.1"), 9, host);
    return connection_.Get(url);
  }

  vx::HttpConnection connection_{"Lothervanquist", "", ""};
  std::unique_ptr<vxtest::TestHttpServer> server_;

 private:
  static vxtest::TempDir* folder_;
  static TestCertificates* certificates_;
};

vxtest::TempDir* HttpsRequestTest::folder_ = nullptr;
TestCertificates* HttpsRequestTest::certificates_ = nullptr;

TEST_F(HttpsRequestTest, AServerTheNamedCaVouchesForIsTalkedTo) {
  for (const std::string host : {"127.0.0.1", "localhost"}) {
    SCOPED_TRACE(host);
    ASSERT_EQ(Fetch(Certificates().Good(), true, host), vx::kHttpReplied)
        << connection_.GetErrorText();
    EXPECT_EQ(connection_.GetStatus(), 200u);
    EXPECT_EQ(connection_.GetReplyText(), "secret");
  }
}

TEST_F(HttpsRequestTest, EveryCertificateFaultIsATransportErrorThatSaysSo) {
  struct Case {
    const char* name;
    const TestTlsIdentity& identity;
    bool trustCa;
    const char* reason;  // in the transport's own words
  };
  const Case cases[] = {
      {"unknown CA", Certificates().Foreign(), true, "unable to get local issuer certificate"},
      {"wrong host name", Certificates().WrongName(), true, "subject name"},
      {"expired", Certificates().Expired(), true, "certificate has expired"},
      {"CA not named", Certificates().Good(), false, "unable to get local issuer certificate"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Fetch(c.identity, c.trustCa), vx::kHttpRequestFailed);
    EXPECT_EQ(connection_.GetErrorCode(), vx::TransportErrorCode(CURLE_PEER_FAILED_VERIFICATION));
    EXPECT_NE(connection_.GetErrorText().find(c.reason), std::string::npos)
        << connection_.GetErrorText();
    EXPECT_NE(vx::Cp932ToUtf8(vx::HttpErrorText(vx::Sjis("通信エラー"), connection_.GetErrorCode()))
                  .find("サーバー証明書を確認できません"),
              std::string::npos);
    EXPECT_EQ(connection_.GetReplyText(), "");
    EXPECT_EQ(server_->RequestCount(), 0) << "nothing may be sent to an unverified server";
  }
}

struct RedirectCase {
  const char* name;
  const char* method;
  bool fromHttps;
  int status;
  enum Target { kSameOrigin, kOtherHttps, kPlainHttp } target;
  std::uint32_t refusal;  // 0: followed
  const char* methodThere = "";
  bool bodyThere = false;
  bool credentialsThere = false;
};

TEST_F(HttpsRequestTest, RedirectsNeverLeaveHttpsAndKeepBodiesAtTheirOrigin) {
  using Target = RedirectCase::Target;
  const RedirectCase cases[] = {
      // name, method, from https, status, target, refusal; method, body, credentials there
      {"https to http", "GET", true, 302, Target::kPlainHttp, vx::kInsecureRedirectCode},
      {"POST https to http", "POST", true, 307, Target::kPlainHttp, vx::kInsecureRedirectCode},
      {"http up to https", "GET", false, 301, Target::kOtherHttps, 0, "GET", false, false},
      {"POST http up to https", "POST", false, 307, Target::kOtherHttps, vx::kBodyRedirectCode},
      {"307 body elsewhere", "POST", true, 307, Target::kOtherHttps, vx::kBodyRedirectCode},
      {"308 PUT elsewhere", "PUT", true, 308, Target::kOtherHttps, vx::kBodyRedirectCode},
      {"302 POST becomes GET", "POST", true, 302, Target::kOtherHttps, 0, "GET", false, false},
      {"303 PUT becomes GET", "PUT", true, 303, Target::kOtherHttps, 0, "GET", false, false},
      {"307 at home", "POST", true, 307, Target::kSameOrigin, 0, "POST", true, true},
  };

  vxtest::TestHttpServer secure(Certificates().Good());
  vxtest::TestHttpServer otherSecure(Certificates().Good());
  vxtest::TestHttpServer plain;
  vxtest::TestReply there;
  there.body = "arrived";
  vx::HttpTransportOptions options;
  options.caFile = Certificates().CaFile();
  int index = 0;
  for (const RedirectCase& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string to = "/to/" + std::to_string(++index);
    vxtest::TestHttpServer& destination = c.target == Target::kSameOrigin   ? secure
                                          : c.target == Target::kOtherHttps ? otherSecure
                                                                            : plain;
    vxtest::TestHttpServer& origin = c.fromHttps ? secure : plain;
    destination.Route(to, there);
    vxtest::TestReply redirect;
    redirect.status = c.status;
    redirect.headers = {"Location: " + destination.Url(to)};
    origin.Route("/from", redirect);
    vx::HttpConnection connection("Lothervanquist", "user", "secret");
    connection.SetTransportOptions(options);
    connection.AddFormParam("access_token", "t0ken");
    const auto arrivals = [&] {
      std::vector<vxtest::TestRequest> found;
      for (const auto& request : destination.Requests()) {
        if (request.Path() == to) found.push_back(request);
      }
      return found;
    };
    const int result =
        vx::HttpRequest({}, nullptr, connection, c.method, origin.Url("/from"), nullptr);
    if (c.refusal != 0) {
      EXPECT_EQ(result, vx::kHttpRequestFailed);
      EXPECT_EQ(connection.GetErrorCode(), c.refusal);
      EXPECT_NE(connection.GetErrorText().find(destination.Url(to)), std::string::npos);
      EXPECT_EQ(connection.GetStatus(), 0u);
      EXPECT_TRUE(arrivals().empty()) << "nothing may reach the refused address";
      continue;
    }
    ASSERT_EQ(result, vx::kHttpReplied) << connection.GetErrorText();
    EXPECT_EQ(connection.GetReplyText(), "arrived");
    const auto requests = arrivals();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].method, c.methodThere);
    EXPECT_EQ(requests[0].body, c.bodyThere ? "access%5Ftoken=t0ken" : "");
    EXPECT_EQ(requests[0].Header("Authorization").empty(), !c.credentialsThere);
  }
}

// Once on https the request stays there, wherever it started.
TEST_F(HttpsRequestTest, ARequestUpgradedToHttpsDoesNotGoBackToHttp) {
  vxtest::TestHttpServer plain;
  vxtest::TestHttpServer secure(Certificates().Good());
  vxtest::TestReply up;
  up.status = 302;
  up.headers = {"Location: " + secure.Url("/secure")};
  plain.Route("/start", up);
  vxtest::TestReply down;
  down.status = 302;
  down.headers = {"Location: " + plain.Url("/plain-again")};
  secure.Route("/secure", down);
  vx::HttpTransportOptions options;
  options.caFile = Certificates().CaFile();
  connection_.SetTransportOptions(options);
  EXPECT_EQ(connection_.Get(plain.Url("/start")), vx::kHttpRequestFailed);
  EXPECT_EQ(connection_.GetErrorCode(), vx::kInsecureRedirectCode);
  EXPECT_EQ(secure.RequestCount(), 1);
  for (const auto& request : plain.Requests()) EXPECT_NE(request.Path(), "/plain-again");
}

TEST_F(HttpsRequestTest, ARefusedRedirectSaysWhy) {
  const std::string insecure =
      vx::Cp932ToUtf8(vx::HttpErrorText(vx::Sjis("通信エラー"), vx::kInsecureRedirectCode));
  EXPECT_EQ(insecure,
            "通信エラー:a0001000:サーバーが安全でない (http の) アドレスへ転送しようとしたため、"
            "通信を中止しました");
  EXPECT_NE(vx::Cp932ToUtf8(vx::HttpErrorText(vx::Sjis("通信エラー"), vx::kBodyRedirectCode))
                .find("送信データを別のサーバーへ"),
            std::string::npos);
}

}  // namespace
