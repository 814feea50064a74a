// The login page and the export result for tests: each login plays the next queued script (by
// default the user logs in and the portal sends back its code with the state it was given), and
// every address and result text is recorded.
#pragma once

#include <deque>
#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "tests/web/support/FakePortal.h"
#include "web/OAuthLoginFlow.h"
#include "web/PortalDialogs.h"

namespace vxtest {

class ScriptedPortalDialogs : public vx::PortalDialogs {
 public:
  using LoginScript = std::function<void(vx::OAuthLoginFlow&)>;

  static void LogIn(vx::OAuthLoginFlow& flow) {
    flow.Examine(flow.BlankUrl() + "?code=" + FakePortal::kLoginCode + "&state=" + flow.State());
  }

  void QueueLogin(LoginScript script) { scripts_.push_back(std::move(script)); }

  int RunLogin(vx::OAuthLoginFlow& flow, const std::filesystem::path&, vx::OwnerWindow) override {
    loginAddresses.push_back(flow.AuthorizationUrl());
    LoginScript script = LogIn;
    if (!scripts_.empty()) {
      script = std::move(scripts_.front());
      scripts_.pop_front();
    }
    script(flow);
    return flow.Result();
  }

  void ShowExportResult(std::string_view text, vx::OwnerWindow) override {
    exportResults.emplace_back(text);
  }

  std::vector<std::string> loginAddresses;
  std::vector<std::string> exportResults;  // CP932

 private:
  std::deque<LoginScript> scripts_;
};

}  // namespace vxtest
