// The portal jobs' surroundings: the small test catalogue as event 96, a checklist store over it,
// settings in a folder of their own (the access token among them), the fake portal, scripted
// boxes and login, and the services that join them.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/AppSettings.h"
#include "app/ProgressTask.h"
#include "checklist/FavoriteStore.h"
#include "data/PavorunDatabase.h"
#include "platform/CodePage.h"
#include "tests/data/TestCatalog.h"
#include "tests/support/ScriptedUiServices.h"
#include "tests/support/TempDir.h"
#include "tests/web/ScriptedPortalDialogs.h"
#include "tests/web/support/FakePortal.h"
#include "web/PortalLogin.h"
#include "web/PortalServices.h"

namespace vxtest {

// A reply the portal fails with, and what it must lead to.
struct PortalErrorCase {
  const char* name;
  int status;
  const char* body;
  int result;
  const char* text;  // UTF-8; a trailing "*" matches any rest
  bool tokenKept;
};

// The box reads `text` (UTF-8; a trailing "*" matches any rest).
inline void ExpectBoxText(const vx::UiCall& box, const std::string& text) {
  const std::string shown = vx::Cp932ToUtf8(box.text);
  if (text.ends_with('*')) {
    EXPECT_EQ(shown.rfind(text.substr(0, text.size() - 1), 0), 0u) << shown;
  } else {
    EXPECT_EQ(shown, text);
  }
}

// The first box has the error icon, is titled `caption` and reads `text` (as ExpectBoxText);
// `count` boxes were shown in all.
inline void ExpectErrorBox(const vx::ScriptedUiServices& ui, const std::string& caption,
                           const std::string& text, std::size_t count = 1) {
  const auto calls = ui.CallsOf(vx::UiCallKind::kMessageBox);
  ASSERT_EQ(calls.size(), count);
  EXPECT_EQ(vx::Cp932ToUtf8(calls[0].caption), caption);
  EXPECT_EQ(calls[0].flags, vx::MB_OK | vx::MB_ICONERROR);
  ExpectBoxText(calls[0], text);
}

class PortalFixture : public testing::Test {
 protected:
  // The catalogue is only read: one for the whole suite.
  static void SetUpTestSuite() {
    catalogDir_ = new TempDir;
    db_ = new vx::PavorunDatabase(catalogDir_->Path());
    ASSERT_TRUE(db_->IsOpen()) << db_->LastError();
    BuildSampleCatalog(*db_, 96);
  }
  static void TearDownTestSuite() {
    delete db_;
    delete catalogDir_;
    db_ = nullptr;
    catalogDir_ = nullptr;
  }

  void SetUp() override {
    ASSERT_NE(db_, nullptr);
    store = std::make_unique<vx::FavoriteStore>(*db_);
    services.config = portal.Config();
    services.ui = &ui;
    services.dialogs = &dialogs;
  }

  std::string StoredToken() const {
    std::string token;
    settings.ReadProtectedString("authAccessToken", token);
    return token;
  }
  void StoreToken(const std::string& token) {
    ASSERT_TRUE(settings.WriteProtectedString("authAccessToken", token));
  }

  // Logs in once (the scripted way) so that the portal knows the token, then forgets the login.
  void KnownToken() {
    StoreToken("");
    std::string token;
    ASSERT_EQ(vx::PortalLogin(task, services).GetAccessToken(token), vx::kTokenReady);
    dialogs.loginAddresses.clear();
  }

  // The boxes shown so far as (caption, text), UTF-8.
  std::vector<std::pair<std::string, std::string>> Boxes() const {
    std::vector<std::pair<std::string, std::string>> boxes;
    for (const vx::UiCall& call : ui.CallsOf(vx::UiCallKind::kMessageBox)) {
      boxes.emplace_back(vx::Cp932ToUtf8(call.caption), vx::Cp932ToUtf8(call.text));
    }
    return boxes;
  }
  // Answers the next `n` boxes with OK.
  void ExpectBoxes(int n) {
    for (int i = 0; i < n; ++i) ui.QueueAnswer(IDOK);
  }

  static inline TempDir* catalogDir_ = nullptr;
  static inline vx::PavorunDatabase* db_ = nullptr;

  TempDir dir;
  vx::AppSettings settings{dir.Path()};
  std::unique_ptr<vx::FavoriteStore> store;
  FakePortal portal;
  vx::ScriptedUiServices ui;
  ScriptedPortalDialogs dialogs;
  vx::PortalServices services;
  vx::ProgressTask task{&settings};
};

}  // namespace vxtest
