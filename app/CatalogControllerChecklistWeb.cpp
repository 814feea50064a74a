// The checklist's web commands (portal import and export, feeds) through the web layer's jobs,
// and web pages opened in the user's browser.
#include <filesystem>
#include <optional>
#include <string>

#include "app/CatalogController.h"
#include "app/ChecklistWebJobs.h"
#include "app/CircleLinkAddress.h"
#include "app/ProgressTask.h"
#include "app/SettingsPath.h"
#include "app/SettingsValues.h"
#include "checklist/FavoriteStore.h"
#include "res/ResourceIds.h"

namespace vx {

namespace {

constexpr int kFirstEventWithoutFeeds = 90;

}  // namespace

int CatalogController::ImportChecklistFromPortal() {
  if (!store_ || !services_.webJobs) return IDCANCEL;
  store_->SetStrictMatch(values_ && values_->strictLoad != 0);
  store_->DiscardImport();  // only the portal's rows are committed, never a declined file's
  ProgressTask task(settings_);
  int result = 0;
  {
    ModalGuard::Scope modal(guard_);
    result = services_.webJobs->ImportFromPortal(task, *store_, GetDialogOwner());
  }
  if (result == 0) RaiseColorCountForImport();
  if (result == 0 && store_->CommitImportRecords(values_ && values_->fvrOver != 0,
                                                 values_ && values_->fvrOverColor != 0)) {
    RefreshChecklistViews();
    MarkChecklistModified();
  }
  return IDYES;
}

int CatalogController::ExportChecklistToPortal() {
  if (!store_ || !services_.webJobs) return IDCANCEL;
  ProgressTask task(settings_);
  ModalGuard::Scope modal(guard_);
  services_.webJobs->ExportToPortal(task, *store_, GetDialogOwner());
  return IDYES;
}

void CatalogController::FetchChecklistRss() {
  if (!store_ || !values_ || !services_.webJobs) return;
  if (values_->eventNumber >= kFirstEventWithoutFeeds) return;
  std::vector<int> changed;
  {
    ModalGuard::Scope modal(guard_);
    changed = services_.webJobs->FetchFeeds(*store_, GetDialogOwner());
  }
  if (changed.empty()) return;
  MarkChecklistModified();
  for (const int id : changed) Broadcast(UM_CIRCLE_INFO_UPDATED, 0, id);
}

bool CatalogController::OpenUrl(std::string_view url) {
  if (!services_.ui) return false;
  if (values_ && values_->browserPathMode != 0 && values_->browserPath[0] != '\0') {
    return services_.ui->RunBrowser(PathOfSettingsText(SettingsFieldText(values_->browserPath)),
                                    url);
  }
  return services_.ui->OpenUrl(url);
}

bool CatalogController::OpenMail(std::string_view address) {
  const std::optional<std::string> mailto = MailtoAddress(address);
  return services_.ui && mailto && services_.ui->OpenUrl(*mailto);
}

}  // namespace vx
