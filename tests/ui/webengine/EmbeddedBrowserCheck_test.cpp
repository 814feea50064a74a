// A login window whose browser cannot start, in a process of its own (a browser that started
// once in this one would hide the fault): the program lives on, a box says why, and the login
// goes on by a pasted address.
#include "ui/web/EmbeddedBrowserCheck.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <functional>
#include <string>

#include "platform/CodePage.h"
#include "tests/support/ScriptedUiServices.h"
#include "tests/ui/dialogs/DialogTestSupport.h"
#include "ui/web/PortalLoginDialog.h"
#include "ui/web/PortalLoginPasteDialog.h"
#include "ui/web/QtPortalDialogs.h"
#include "web/OAuthLoginFlow.h"

namespace {

constexpr const char* kBase = "http://127.0.0.1:9/";
constexpr const char* kClient = "Hx4RqL9mTz2WcV7bNp3KdY8sFj6GuA1eQo5XtMw0";

// Exit codes of the login run in its own process.
enum Outcome { kLoggedIn = 0, kNoPasteDialog = 2, kWrongBox = 3, kNotLoggedIn = 4 };

// The login as a portal command runs it, with `breakBrowser` making the browser unable to start;
// the user pastes the way back. The box must hold `reason` (UTF-8).
int LogInWithBrokenBrowser(const std::function<void()>& breakBrowser, const std::string& reason) {
  breakBrowser();
  vx::ScriptedUiServices ui;
  ui.QueueAnswer(IDOK);
  vx::QtPortalDialogs dialogs(&ui);
  vx::OAuthLoginFlow flow(kBase, kClient);
  bool pasted = false;
  QTimer::singleShot(0, [&] {
    auto* paste = qobject_cast<vx::PortalLoginPasteDialog*>(QApplication::activeModalWidget());
    if (paste == nullptr) std::_Exit(kNoPasteDialog);
    QTest::keyClicks(paste->ReturnAddress(),
                     QString::fromStdString(flow.BlankUrl() + "?code=c1&state=" + flow.State()));
    QTest::mouseClick(paste->OkButton(), Qt::LeftButton);
    pasted = true;
  });
  vxtest::Watchdog watchdog;
  const int result = dialogs.RunLogin(flow, {}, nullptr);
  const auto boxes = ui.CallsOf(vx::UiCallKind::kMessageBox);
  if (boxes.size() != 1 || vx::Cp932ToUtf8(boxes[0].text).find(reason) == std::string::npos) {
    return kWrongBox;
  }
  return pasted && result == vx::kOAuthCodeReceived && flow.Code() == "c1" ? kLoggedIn
                                                                            : kNotLoggedIn;
}

class EmbeddedBrowserCheckTest : public testing::Test {
 protected:
  void SetUp() override {
    if (!vx::PortalLoginDialog::IsAvailable()) {
      GTEST_SKIP() << "no display for the embedded browser";
    }
    GTEST_FLAG_SET(death_test_style, "threadsafe");  // a fresh process, the browser never started
  }
};

TEST_F(EmbeddedBrowserCheckTest, NothingStandsInTheWayOfTheTestsBrowser) {
  EXPECT_EQ(vx::EmbeddedBrowserCheck::Problem().toStdString(), "");
}

TEST_F(EmbeddedBrowserCheckTest, AMissingHelperProgramIsSaidAndThePastedAddressTakesOver) {
  EXPECT_EXIT(std::exit(LogInWithBrokenBrowser(
                  [] { ::setenv("QTWEBENGINEPROCESS_PATH", "/nonexistent/QtWebEngineProcess", 1); },
                  "ブラウザの補助プログラム /nonexistent/QtWebEngineProcess が見つかりません。")),
              testing::ExitedWithCode(kLoggedIn), "");
}

// The browser's own refusal, which only the root user meets.
TEST_F(EmbeddedBrowserCheckTest, RootWithoutTheSandboxIsSaidAndThePastedAddressTakesOver) {
  if (::geteuid() != 0) GTEST_SKIP() << "only the root user is refused the sandbox";
  EXPECT_EXIT(std::exit(LogInWithBrokenBrowser([] { ::unsetenv("QTWEBENGINE_DISABLE_SANDBOX"); },
                                               "管理者 (root) として実行されているため")),
              testing::ExitedWithCode(kLoggedIn), "");
}

}  // namespace
