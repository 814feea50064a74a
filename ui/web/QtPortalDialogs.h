// The portal jobs' windows on Qt, shown on the UI thread for the job's worker, over the window in
// front (the job's progress dialog): the login in an embedded browser where a display allows one,
// otherwise with an address pasted by hand; and the export result.
#pragma once

#include "web/PortalDialogs.h"

namespace vx {

class UiServices;

class QtPortalDialogs final : public PortalDialogs {
 public:
  // `ui` (may be null) opens the login page in the user's browser when it must be pasted back.
  explicit QtPortalDialogs(UiServices* ui) : ui_(ui) {}

  int RunLogin(OAuthLoginFlow& flow, const std::filesystem::path& caFile,
               OwnerWindow owner) override;
  void ShowExportResult(std::string_view text, OwnerWindow owner) override;

 private:
  UiServices* ui_;
};

}  // namespace vx
