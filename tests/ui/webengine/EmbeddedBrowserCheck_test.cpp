// A login window whose browser cannot start, in a process of its own (a browser that started
// once in this one would hide the fault): the program lives on, a box says why once, and the
// logins go on by a pasted address.
#include "ui/web/EmbeddedBrowserCheck.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <functional>
#include <string>

#include "platform/CodePage.h"
#include "tests/support/ScriptedUiServices.h"
#include "tests/support/TempDir.h"
#include "tests/ui/dialogs/DialogTestSupport.h"
#include "ui/web/PortalLoginDialog.h"
#include "ui/web/PortalLoginPasteDialog.h"
#include "ui/web/QtPortalDialogs.h"
#include "web/OAuthLoginFlow.h"

namespace {

constexpr const char* kBase = "http://127.0.0.1:9/";
constexpr const char* kClient = "Hx4RqL9mTz2WcV7bNp3KdY8sFj6GuA1eQo5XtMw0";

// Exit codes of the logins run in their own process.
enum Outcome { kLoggedIn = 0, kWrongBoxes = 3, kNotLoggedIn = 4 };

// Pastes the way back of the login under way into each pasted-address window once it shows.
class WayBackPaster : public QObject {
 public:
  explicit WayBackPaster(vx::OAuthLoginFlow*& flow) : flow_(flow) {
    QApplication::instance()->installEventFilter(this);
  }

  int pasted = 0;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* paste = qobject_cast<vx::PortalLoginPasteDialog*>(watched);
    if (paste != nullptr && event->type() == QEvent::Show) {
      QTimer::singleShot(0, paste, [this, paste] {
        QTest::keyClicks(
            paste->ReturnAddress(),
            QString::fromStdString(flow_->BlankUrl() + "?code=c1&state=" + flow_->State()));
        QTest::mouseClick(paste->OkButton(), Qt::LeftButton);
        ++pasted;
      });
    }
    return false;
  }

 private:
  vx::OAuthLoginFlow*& flow_;
};

// Two logins as two portal commands run them, with `breakBrowser` making the browser unable to
// start; the user pastes the way back each time. One box, for the first, must hold `reason`
// (UTF-8).
int LogInTwiceWithBrokenBrowser(const std::function<void()>& breakBrowser,
                                const std::string& reason) {
  breakBrowser();
  vx::ScriptedUiServices ui;
  ui.QueueAnswer(IDOK);
  vx::QtPortalDialogs dialogs(&ui);
  vx::OAuthLoginFlow* current = nullptr;
  WayBackPaster paster(current);
  vxtest::Watchdog watchdog;
  for (int login = 1; login <= 2; ++login) {
    vx::OAuthLoginFlow flow(kBase, kClient);
    current = &flow;
    const int result = dialogs.RunLogin(flow, {}, nullptr);
    if (paster.pasted != login || result != vx::kOAuthCodeReceived || flow.Code() != "c1") {
      return kNotLoggedIn;
    }
  }
  const auto boxes = ui.CallsOf(vx::UiCallKind::kMessageBox);
  if (boxes.size() != 1 || vx::Cp932ToUtf8(boxes[0].text).find(reason) == std::string::npos) {
    return kWrongBoxes;
  }
  return kLoggedIn;
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
  EXPECT_EXIT(std::exit(LogInTwiceWithBrokenBrowser(
                  [] { ::setenv("QTWEBENGINEPROCESS_PATH", "/nonexistent/QtWebEngineProcess", 1); },
                  "ブラウザの補助プログラム /nonexistent/QtWebEngineProcess が見つかりません。")),
              testing::ExitedWithCode(kLoggedIn), "");
}

TEST_F(EmbeddedBrowserCheckTest, AHelperProgramThatIsNoProgramIsSaidAndThePastedAddressTakesOver) {
  const vxtest::TempDir folder;
  const std::string helper = (folder / "QtWebEngineProcess").string();
  vxtest::WriteFileBytes(helper, "not a program");
  EXPECT_EXIT(std::exit(LogInTwiceWithBrokenBrowser(
                  [&] { ::setenv("QTWEBENGINEPROCESS_PATH", helper.c_str(), 1); },
                  "ブラウザの補助プログラム " + helper + " を実行できません。")),
              testing::ExitedWithCode(kLoggedIn), "");
}

// A helper that is there but ends at once is only found out when the login window asks it for
// the login page: that page is not one the portal failed to send.
TEST_F(EmbeddedBrowserCheckTest, AHelperProgramThatCannotRunIsSaidAndThePastedAddressTakesOver) {
  EXPECT_EXIT(std::exit(LogInTwiceWithBrokenBrowser(
                  [] { ::setenv("QTWEBENGINEPROCESS_PATH", "/bin/true", 1); },
                  "ログイン画面のブラウザを起動できません。\nブラウザの補助プログラム /bin/true を"
                  "起動できませんでした。")),
              testing::ExitedWithCode(kLoggedIn), "");
}

// The browser's own refusal, which only the root user meets.
TEST_F(EmbeddedBrowserCheckTest, RootWithoutTheSandboxIsSaidAndThePastedAddressTakesOver) {
  if (::geteuid() != 0) GTEST_SKIP() << "only the root user is refused the sandbox";
  const auto keepTheSandbox = [] { ::unsetenv("QTWEBENGINE_DISABLE_SANDBOX"); };
  EXPECT_EXIT(std::exit(LogInTwiceWithBrokenBrowser(keepTheSandbox,
                                                    "管理者 (root) として実行されているため")),
              testing::ExitedWithCode(kLoggedIn), "");
}

}  // namespace
