// The checklist's traffic with the portal and the circles' feeds, each run as a job of the shared
// progress dialog: what the controller's portal and feed commands go through.
#pragma once

#include <vector>

#include "app/ChecklistWebJobs.h"
#include "web/PortalServices.h"

namespace vx {

class ProgressJobRunner;

class WebChecklistJobs final : public ChecklistWebJobs {
 public:
  // `services` without an owner: each command brings its own. The runner, the UI services and the
  // portal dialogs outlive this object.
  WebChecklistJobs(ProgressJobRunner& runner, PortalServices services);

  int ImportFromPortal(ProgressTask& task, FavoriteStore& store, OwnerWindow owner) override;
  int ExportToPortal(ProgressTask& task, FavoriteStore& store, OwnerWindow owner) override;
  std::vector<int> FetchFeeds(FavoriteStore& store, OwnerWindow owner) override;

 private:
  PortalServices ServicesFor(OwnerWindow owner) const;

  ProgressJobRunner& runner_;
  PortalServices services_;
};

}  // namespace vx
