#include "ui/web/QtPortalDialogs.h"

#include <QApplication>
#include <QWidget>

#include "platform/qt/UiThread.h"
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

int QtPortalDialogs::RunLogin(OAuthLoginFlow& flow, const std::filesystem::path& caFile,
                              OwnerWindow owner) {
  RunOnUiThread([&] {
    if (PortalLoginDialog::IsAvailable()) {
      PortalLoginDialog(flow, caFile, DialogParent(owner)).Run();
    } else {
      PortalLoginPasteDialog(flow, ui_, DialogParent(owner)).Run();
    }
  });
  return flow.Result();
}

void QtPortalDialogs::ShowExportResult(std::string_view text, OwnerWindow owner) {
  RunOnUiThread([&] { ExportResultDialog(text, DialogParent(owner)).exec(); });
}

}  // namespace vx
