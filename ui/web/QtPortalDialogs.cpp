#include "ui/web/QtPortalDialogs.h"

#include <QApplication>
#include <QWidget>

#include "platform/qt/QtStrings.h"
#include "platform/qt/UiThread.h"
#include "ui/web/EmbeddedBrowserCheck.h"
#include "ui/web/ExportResultDialog.h"
#include "ui/web/PortalLoginDialog.h"
#include "ui/web/PortalLoginPasteDialog.h"
#include "web/OAuthLoginFlow.h"

namespace vx {

namespace {

QWidget* DialogParent(OwnerWindow owner) {
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  return static_cast<QWidget*>(owner);
}

// Empty when the login ended in the browser; else why the browser could not be used.
QString RunBrowserLogin(OAuthLoginFlow& flow, const std::filesystem::path& caFile,
                        QWidget* parent) {
  if (const QString problem = EmbeddedBrowserCheck::Problem(); !problem.isEmpty()) return problem;
  PortalLoginDialog dialog(flow, caFile, parent);
  dialog.Run();
  return dialog.BrowserFailure();
}

}  // namespace

// A browser that cannot start would end the program, one that fails later leaves the login open:
// either way the login goes on by a pasted address, and so do the later ones without a word.
int QtPortalDialogs::RunLogin(OAuthLoginFlow& flow, const std::filesystem::path& caFile,
                              OwnerWindow owner) {
  RunOnUiThread([&] {
    QWidget* parent = DialogParent(owner);
    if (PortalLoginDialog::IsAvailable() && !browserFailed_) {
      const QString failure = RunBrowserLogin(flow, caFile, parent);
      if (failure.isEmpty()) return;
      browserFailed_ = true;
      TellBrowserFailed(failure, parent);
    }
    PortalLoginPasteDialog(flow, ui_, parent).Run();
  });
  return flow.Result();
}

void QtPortalDialogs::TellBrowserFailed(const QString& failure, QWidget* parent) const {
  if (ui_ == nullptr) return;
  const QString text =
      failure + QStringLiteral("\n\nログインページはお使いのブラウザで開いてください。");
  ui_->MessageBox(parent, Cp932Text(text), Cp932Text(QStringLiteral("Orbalink 認証ダイアログ")),
                  MB_OK | MB_ICONWARNING);
}

void QtPortalDialogs::ShowExportResult(std::string_view text, OwnerWindow owner) {
  RunOnUiThread([&] { ExportResultDialog(text, DialogParent(owner)).exec(); });
}

}  // namespace vx
