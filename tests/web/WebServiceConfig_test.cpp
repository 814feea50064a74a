// Where the web services are: built-in addresses, the settings' Debug section, the environment.
#include "web/WebServiceConfig.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "app/AppSettings.h"
#include "tests/support/TempDir.h"

namespace {

constexpr const char* kVariables[] = {"VINDAXEL_UPDATE_SERVER",       "VINDAXEL_AUTH_SERVER",
                                      "VINDAXEL_SANDBOX_AUTH_SERVER", "VINDAXEL_API_SERVER",
                                      "VINDAXEL_SANDBOX_API_SERVER",  "VINDAXEL_CA_FILE"};

class WebServiceConfigTest : public testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : kVariables) ::unsetenv(name);
  }
  void TearDown() override { SetUp(); }

  vx::AppSettings Settings(const std::string& ini) {
    vxtest::WriteFileBytes(dir / "vindaxel.ini", ini);
    return vx::AppSettings(dir.Path());
  }

  vxtest::TempDir dir;
};

TEST_F(WebServiceConfigTest, BuiltInAddressesWithoutSettings) {
  const vx::WebServiceConfig config = vx::WebServiceConfig::Load(nullptr);
  EXPECT_EQ(config.updateServer.rfind("http://", 0), 0u);
  for (const std::string* portal : {&config.authServer, &config.sandboxAuthServer,
                                    &config.apiServer, &config.sandboxApiServer}) {
    EXPECT_EQ(portal->rfind("https://", 0), 0u) << *portal;
    EXPECT_EQ(portal->back(), '/');
  }
  EXPECT_NE(config.authServer, config.sandboxAuthServer);
  EXPECT_TRUE(config.caFile.empty());
}

TEST_F(WebServiceConfigTest, TheDebugSectionAndThenTheEnvironmentReplaceThem) {
  const vx::AppSettings settings = Settings(
      "[Debug]\r\nUpdateServer=http://127.0.0.1:8080/\r\nAuthServer=https://127.0.0.1:8443/auth\r\n"
      "ApiServer=https://127.0.0.1:8443/api/\r\nCaFile=/tmp/test-ca.crt\r\n");
  ::setenv("VINDAXEL_API_SERVER", "https://localhost:9443/v2", 1);
  ::setenv("VINDAXEL_SANDBOX_API_SERVER", "", 1);  // empty: not set
  const vx::WebServiceConfig config = vx::WebServiceConfig::Load(&settings);
  EXPECT_EQ(config.updateServer, "http://127.0.0.1:8080");
  EXPECT_EQ(config.authServer, "https://127.0.0.1:8443/auth/");
  EXPECT_EQ(config.apiServer, "https://localhost:9443/v2/");
  EXPECT_EQ(config.sandboxApiServer, vx::WebServiceConfig::Load(nullptr).sandboxApiServer);
  EXPECT_EQ(config.caFile, "/tmp/test-ca.crt");
  EXPECT_EQ(config.Transport().caFile, "/tmp/test-ca.crt");
  EXPECT_EQ(config.UpdateArchiveUrl(96), "http://127.0.0.1:8080/quillor/update/VQ096SJIS.ZIP");
  EXPECT_EQ(config.UpdateArchiveUrl(5), "http://127.0.0.1:8080/quillor/update/VQ005SJIS.ZIP");
}

}  // namespace
