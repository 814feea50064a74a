// The portal and the update server on https, answering with a redirect to plain http: the token
// request, the favourites read and written and the update archive never leave https, and the user
// is told that the server redirected to an insecure address.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "tests/web/JobRunning.h"
#include "tests/web/PortalFixture.h"
#include "tests/web/support/TestCertificates.h"
#include "web/FavoriteExportJob.h"
#include "web/FavoriteImportJob.h"
#include "web/UpdateDownloadJob.h"

namespace {

using vxtest::TestReply;

constexpr const char* kInsecure = "サーバーが安全でない (http の) アドレスへ転送しようとしたため";

class InsecureRedirectTest : public vxtest::PortalFixture {
 protected:
  static void SetUpTestSuite() {
    PortalFixture::SetUpTestSuite();
    folder_ = new vxtest::TempDir;
    certificates_ = new vxtest::TestCertificates(folder_->Path());
  }
  static void TearDownTestSuite() {
    delete certificates_;
    delete folder_;
    PortalFixture::TearDownTestSuite();
  }

  void SetUp() override {
    PortalFixture::SetUp();
    NewSecurePortal();
  }

  void NewSecurePortal() {
    secure = std::make_unique<vxtest::FakePortal>(certificates_->Good(), certificates_->CaFile());
    services.config = secure->Config();
  }

  // `path` of the https portal sends the client on to plain http.
  void RedirectToPlain(const std::string& path, int status) {
    secure->Server().Handle(path, [this, status](const vxtest::TestRequest&) {
      TestReply reply;
      reply.status = status;
      reply.headers = {"Location: " + plain.Url("/taken")};
      return reply;
    });
  }

  static inline vxtest::TempDir* folder_ = nullptr;
  static inline vxtest::TestCertificates* certificates_ = nullptr;
  vxtest::TestHttpServer plain;
  std::unique_ptr<vxtest::FakePortal> secure;
};

TEST_F(InsecureRedirectTest, NoPortalRequestLeavesHttps) {
  struct Case {
    const char* name;
    const char* path;
    const char* caption;
    std::function<int()> run;
    int result;
  };
  std::string token;
  const Case cases[] = {
      {"token", "/OAuth2/Token", "認証処理失敗",
       [&] { return vx::PortalLogin(task, services).GetAccessToken(token); },
       vx::kTokenUnreachable},
      {"import", "/Readers/FavoriteCircles/", "お気に入りインポート処理失敗",
       [&] { return vx::FavoriteImportJob(task, *store, services).ImportFavoritesFromPortal(); },
       2},
      {"export", "/Readers/Favorite/", "お気に入りエクスポート処理失敗",
       [&] { return vx::FavoriteExportJob(task, *store, services).ExportFavoritesToPortal(); }, 2},
  };
  ASSERT_TRUE(store->SetColor(1, 1));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    NewSecurePortal();
    vx::ScriptedUiServices boxes;
    for (int i = 0; i < 2; ++i) boxes.QueueAnswer(IDOK);
    services.ui = &boxes;
    if (c.path == std::string("/OAuth2/Token")) {
      StoreToken("");
    } else {
      ASSERT_NO_FATAL_FAILURE(KnownToken());
    }
    RedirectToPlain(c.path, 307);  // a 307 would carry the token or the secret along
    EXPECT_EQ(c.run(), c.result);
    const auto shown = boxes.CallsOf(vx::UiCallKind::kMessageBox);
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(vx::Cp932ToUtf8(shown[0].caption), c.caption);
    EXPECT_NE(vx::Cp932ToUtf8(shown[0].text).find(kInsecure), std::string::npos)
        << vx::Cp932ToUtf8(shown[0].text);
  }
  services.ui = &ui;
  EXPECT_EQ(plain.RequestCount(), 0);
}

TEST_F(InsecureRedirectTest, TheUpdateArchiveIsNotTakenFromHttp) {
  RedirectToPlain("/quillor/update/VQ096SJIS.ZIP", 302);
  vx::UpdateDownloadJob job(*db_, 96, {}, services.config);
  EXPECT_EQ(vxtest::RunJob(job), vx::UpdateDownloadJob::kError);
  EXPECT_NE(vx::Cp932ToUtf8(job.ErrorDetail()).find(kInsecure), std::string::npos);
  EXPECT_EQ(plain.RequestCount(), 0);
}

}  // namespace
