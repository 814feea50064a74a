// The login without an embedded browser: the address to open, the address pasted back, refusals
// in place, Escape.
#include "ui/web/PortalLoginPasteDialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "res/ResourceIds.h"
#include "tests/support/ScriptedUiServices.h"
#include "tests/ui/dialogs/DialogTestSupport.h"
#include "web/OAuthLoginFlow.h"

namespace {

constexpr const char* kBase = "https://auth.test/";

class PasteDialogTest : public testing::Test {
 protected:
  // Runs the dialog; `whileOpen` runs inside its modal loop.
  int Run(const std::function<void(vx::PortalLoginPasteDialog&)>& whileOpen) {
    vx::PortalLoginPasteDialog dialog(flow, &ui, nullptr);
    QTimer::singleShot(0, &dialog, [&] { whileOpen(dialog); });
    vxtest::Watchdog watchdog;
    return dialog.Run();
  }

  std::string Returned(const std::string& query) const { return flow.BlankUrl() + query; }

  vx::OAuthLoginFlow flow{kBase, "client", "st4te"};
  vx::ScriptedUiServices ui;
};

// Whether some pixel of `widget` as drawn is mostly red (the refusal's colour).
bool ShowsRed(QWidget& widget) {
  const QImage image = widget.grab().toImage();
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QColor c = image.pixelColor(x, y);
      if (c.red() > 150 && c.green() < 100 && c.blue() < 100) return true;
    }
  }
  return false;
}

TEST_F(PasteDialogTest, ThePastedReturnAddressEndsTheLoginWithItsCode) {
  std::string shownAddress;
  bool okAtFirst = true;
  const int result = Run([&](vx::PortalLoginPasteDialog& d) {
    EXPECT_EQ(d.windowTitle().toStdString(), "Orbalink 認証ダイアログ");
    shownAddress = d.LoginAddress()->text().toStdString();
    EXPECT_TRUE(d.LoginAddress()->isReadOnly());
    okAtFirst = d.OkButton()->isEnabled();
    EXPECT_EQ(vxtest::Control<QLineEdit>(&d, IDC_PORTAL_RETURN_ADDRESS), d.ReturnAddress());
    EXPECT_EQ(d.focusWidget(), d.ReturnAddress());
    QTest::keyClicks(d.ReturnAddress(), QString::fromStdString(Returned("?code=abc&state=st4te")));
    QTest::keyClick(d.ReturnAddress(), Qt::Key_Return);
  });
  EXPECT_EQ(result, vx::kOAuthCodeReceived);
  EXPECT_EQ(flow.Code(), "abc");
  EXPECT_EQ(shownAddress, flow.AuthorizationUrl());
  EXPECT_FALSE(okAtFirst);
}

TEST_F(PasteDialogTest, AnotherAddressIsRefusedInPlaceAndTheDialogStays) {
  bool redShown = false;
  bool stillOpen = false;
  const int result = Run([&](vx::PortalLoginPasteDialog& d) {
    EXPECT_FALSE(ShowsRed(d));
    QTest::keyClicks(d.ReturnAddress(), QStringLiteral("https://auth.test/OAuth2/?login"));
    QTest::mouseClick(d.OkButton(), Qt::LeftButton);
    stillOpen = d.isVisible();
    EXPECT_TRUE(d.ErrorLabel()->isVisible());
    EXPECT_EQ(d.ErrorLabel()->text().toStdString(), "ログインの戻り先のアドレスではありません。");
    redShown = ShowsRed(d);
    EXPECT_FALSE(flow.Finished());
    // Typing again hides the refusal; the right address ends the login.
    QTest::keyClicks(d.ReturnAddress(), QString::fromStdString(Returned("?code=c2&state=st4te")));
    EXPECT_FALSE(d.ErrorLabel()->isVisible());
    QTest::mouseClick(d.OkButton(), Qt::LeftButton);
  });
  EXPECT_TRUE(stillOpen);
  EXPECT_TRUE(redShown);
  EXPECT_EQ(result, vx::kOAuthCodeReceived);
  EXPECT_EQ(flow.Code(), "c2");
}

TEST_F(PasteDialogTest, APastedErrorOrForgedAnswerEndsTheLoginAsAnError) {
  const int result = Run([&](vx::PortalLoginPasteDialog& d) {
    d.ReturnAddress()->setText(QString::fromStdString(Returned("?code=%zz&state=st4te")));
    QTest::mouseClick(d.OkButton(), Qt::LeftButton);
  });
  EXPECT_EQ(result, vx::kOAuthPortalError);
  EXPECT_EQ(flow.Error(), "invalid_response");
}

TEST_F(PasteDialogTest, EscapeCancelsTheLogin) {
  const int result = Run([&](vx::PortalLoginPasteDialog& d) {
    QTest::keyClicks(d.ReturnAddress(), QStringLiteral("half typed"));
    QTest::keyClick(d.ReturnAddress(), Qt::Key_Escape);
  });
  EXPECT_EQ(result, vx::kOAuthCancelled);
}

TEST_F(PasteDialogTest, TheLoginPageOpensInTheBrowserOrIsCopied) {
  Run([&](vx::PortalLoginPasteDialog& d) {
    QTest::mouseClick(d.OpenButton(), Qt::LeftButton);
    QTest::mouseClick(d.CopyButton(), Qt::LeftButton);
    QTest::mouseClick(vxtest::Control<QPushButton>(&d, IDCANCEL), Qt::LeftButton);
  });
  EXPECT_EQ(ui.OpenedUrls(), (std::vector<std::string>{flow.AuthorizationUrl()}));
  EXPECT_EQ(QApplication::clipboard()->text().toStdString(), flow.AuthorizationUrl());
  EXPECT_EQ(flow.Result(), vx::kOAuthCancelled);
}

}  // namespace
