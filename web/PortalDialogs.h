// The two windows of the portal jobs, as the web layer reaches them: the portal's login page and
// the list of favourites the portal refused. The Qt implementation lives in ui/; tests script
// them. Called from a job's worker thread while the UI thread waits in the progress dialog.
#pragma once

#include <filesystem>
#include <string_view>

#include "platform/UiServices.h"

namespace vx {

class OAuthLoginFlow;

class PortalDialogs {
 public:
  virtual ~PortalDialogs() = default;
  // Shows the portal's login page for `flow` until the flow has ended (a cancel included);
  // answers flow.Result(). The page's server may also be vouched for by `caFile` (may be empty).
  virtual int RunLogin(OAuthLoginFlow& flow, const std::filesystem::path& caFile,
                       OwnerWindow owner) = 0;
  // The export's result text (CP932), until the user closes it.
  virtual void ShowExportResult(std::string_view text, OwnerWindow owner) = 0;
};

}  // namespace vx
