// The portal jobs' windows on Qt, shown on the UI thread for the job's worker, over the window in
// front (the job's progress dialog): the login in an embedded browser where a display allows one
// and the browser can start, otherwise with an address pasted by hand; and the export result. A
// box says once why the browser could not be used; a browser that failed is not tried again.
#pragma once

#include <QString>

#include "web/PortalDialogs.h"

class QWidget;

namespace vx {

class UiServices;

class QtPortalDialogs final : public PortalDialogs {
 public:
  // `ui` (may be null) shows the boxes and opens the login page in the user's browser.
  explicit QtPortalDialogs(UiServices* ui) : ui_(ui) {}

  int RunLogin(OAuthLoginFlow& flow, const std::filesystem::path& caFile,
               OwnerWindow owner) override;
  void ShowExportResult(std::string_view text, OwnerWindow owner) override;

 private:
  void TellBrowserFailed(const QString& failure, QWidget* parent) const;

  UiServices* ui_;
  bool browserFailed_ = false;
};

}  // namespace vx
