// The checklist's traffic with the portal and the circles' feeds, each run as a job of the shared
// progress dialog: what the controller's portal and feed commands go through.
#pragma once

#include <functional>
#include <vector>

#include "app/ChecklistWebJobs.h"
#include "web/PortalServices.h"
#include "web/PortalSessionNotices.h"

namespace vx {

class ProgressJobRunner;

class WebChecklistJobs final : public ChecklistWebJobs {
 public:
  // Where the web services are, asked afresh for every command (the settings may have changed).
  using ConfigSource = std::function<WebServiceConfig()>;

  // The runner, the UI services and the portal dialogs outlive this object; `ui` and `dialogs`
  // may be null (no boxes, no login).
  WebChecklistJobs(ProgressJobRunner& runner, UiServices* ui, PortalDialogs* dialogs,
                   ConfigSource config);

  int ImportFromPortal(ProgressTask& task, FavoriteStore& store, OwnerWindow owner) override;
  int ExportToPortal(ProgressTask& task, FavoriteStore& store, OwnerWindow owner) override;
  std::vector<int> FetchFeeds(FavoriteStore& store, OwnerWindow owner) override;

 private:
  PortalServices ServicesFor(OwnerWindow owner);

  ProgressJobRunner& runner_;
  UiServices* ui_;
  PortalDialogs* dialogs_;
  ConfigSource config_;
  PortalSessionNotices notices_;  // the jobs' services are made anew for each command
};

}  // namespace vx
