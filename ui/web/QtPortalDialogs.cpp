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

}  // namespace

// A browser that cannot start would end the program: the login goes on by a pasted address.
int QtPortalDialogs::RunLogin(OAuthLoginFlow& flow, const std::filesystem::path& caFile,
                              OwnerWindow owner) {
  RunOnUiThread([&] {
    QWidget* parent = DialogParent(owner);
    if (PortalLoginDialog::IsAvailable()) {
      const QString problem = EmbeddedBrowserCheck::Problem();
      if (problem.isEmpty()) {
        PortalLoginDialog(flow, caFile, parent).Run();
        return;
      }
      TellBrowserCannotStart(problem, parent);
    }
    PortalLoginPasteDialog(flow, ui_, parent).Run();
  });
  return flow.Result();
}

void QtPortalDialogs::TellBrowserCannotStart(const QString& problem, QWidget* parent) const {
  if (ui_ == nullptr) return;
  const QString text = QStringLiteral("ログイン画面のブラウザを起動できません。\n") + problem +
                       QStringLiteral("\n\nログインページはお使いのブラウザで開いてください。");
  ui_->MessageBox(parent, Cp932Text(text), Cp932Text(QStringLiteral("Orbalink 認証ダイアログ")),
                  MB_OK | MB_ICONWARNING);
}

void QtPortalDialogs::ShowExportResult(std::string_view text, OwnerWindow owner) {
  RunOnUiThread([&] { ExportResultDialog(text, DialogParent(owner)).exec(); });
}

}  // namespace vx
