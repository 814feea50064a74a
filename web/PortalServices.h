// What the portal jobs reach the portal and the user through.
#pragma once

#include <string_view>

#include "platform/UiServices.h"
#include "web/WebServiceConfig.h"

namespace vx {

class PortalDialogs;
class PortalSessionNotices;

struct PortalServices {
  // A message box owned by `owner`; nothing without `ui`. Texts are CP932.
  void ShowBox(std::string_view text, std::string_view caption, unsigned flags) const;

  WebServiceConfig config;
  UiServices* ui = nullptr;
  PortalDialogs* dialogs = nullptr;
  OwnerWindow owner = nullptr;  // of every box and window the jobs show
  // What this session's commands have told the user; null: each login tells it anew.
  PortalSessionNotices* notices = nullptr;
};

}  // namespace vx
