// HTTPS against the test server: certificates and host names are always checked; only a server
// whose certificate the named CA signed, for the name asked, and still valid, is talked to.
#include <curl/curl.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

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
    certificates_ = new TestCertificates(folder_->path());
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
        << connection_.ErrorText();
    EXPECT_EQ(connection_.Status(), 200u);
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
    EXPECT_EQ(connection_.ErrorCode(), vx::TransportErrorCode(CURLE_PEER_FAILED_VERIFICATION));
    EXPECT_NE(connection_.ErrorText().find(c.reason), std::string::npos) << connection_.ErrorText();
    EXPECT_NE(vx::Cp932ToUtf8(vx::HttpErrorText(vx::Sjis("通信エラー"), connection_.ErrorCode()))
                  .find("サーバー証明書を確認できません"),
              std::string::npos);
    EXPECT_EQ(connection_.GetReplyText(), "");
    EXPECT_EQ(server_->RequestCount(), 0) << "nothing may be sent to an unverified server";
  }
}

}  // namespace
