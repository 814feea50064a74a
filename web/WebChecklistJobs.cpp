#include "web/WebChecklistJobs.h"

#include <utility>

#include "app/ProgressJobRunner.h"
#include "web/FavoriteExportJob.h"
#include "web/FavoriteImportJob.h"
#include "web/RssFetchJob.h"

namespace vx {

WebChecklistJobs::WebChecklistJobs(ProgressJobRunner& runner, UiServices* ui,
                                   PortalDialogs* dialogs, ConfigSource config)
    : runner_(runner), ui_(ui), dialogs_(dialogs), config_(std::move(config)) {}

PortalServices WebChecklistJobs::ServicesFor(OwnerWindow owner) {
  PortalServices services;
  if (config_) services.config = config_();
  services.ui = ui_;
  services.dialogs = dialogs_;
  services.owner = owner;
  services.notices = &notices_;
  return services;
}

int WebChecklistJobs::ImportFromPortal(ProgressTask& task, FavoriteStore& store,
                                       OwnerWindow owner) {
  const PortalServices services = ServicesFor(owner);
  FavoriteImportJob job(task, store, services);
  return runner_.Run(job, FavoriteImportJob::Caption(), owner);
}

int WebChecklistJobs::ExportToPortal(ProgressTask& task, FavoriteStore& store, OwnerWindow owner) {
  const PortalServices services = ServicesFor(owner);
  FavoriteExportJob job(task, store, services);
  return runner_.Run(job, FavoriteExportJob::Caption(), owner);
}

std::vector<int> WebChecklistJobs::FetchFeeds(FavoriteStore& store, OwnerWindow owner) {
  RssFetchJob job(store, ServicesFor(owner).config);
  runner_.Run(job, RssFetchJob::Caption(), owner);
  return job.ChangedCircles();
}

}  // namespace vx
