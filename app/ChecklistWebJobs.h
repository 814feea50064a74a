// The checklist's traffic with the organiser's portal and the circles' feeds, run by the web
// layer under its own dialogs. The controller's portal and feed commands go through it; without
// one they are not available.
#pragma once

#include <vector>

#include "platform/UiServices.h"

namespace vx {

class FavoriteStore;
struct ProgressTask;

class ChecklistWebJobs {
 public:
  virtual ~ChecklistWebJobs() = default;
  // The portal's favourites become import rows of the store; the load dialog's result (0).
  virtual int ImportFromPortal(ProgressTask& task, FavoriteStore& store, OwnerWindow owner) = 0;
  // The checklist's placed circles go to the portal; the load dialog's result (0).
  virtual int ExportToPortal(ProgressTask& task, FavoriteStore& store, OwnerWindow owner) = 0;
  // Fetches the feeds of the checklist's circles into their records; the ids of the circles
  // whose fetched text changed, in the order fetched.
  virtual std::vector<int> FetchFeeds(FavoriteStore& store, OwnerWindow owner) = 0;
};

}  // namespace vx
