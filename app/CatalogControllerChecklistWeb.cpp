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
#include "platform/CodePage.h"
#include "platform/UiServices.h"
#include "res/ResourceIds.h"

namespace vx {

namespace {

constexpr int kFirstEventWithoutFeeds = 90;

// `browser`: the program the user chose (CP932), empty for the desktop's.
std::string BrowserFailureText(std::string_view browser, std::string_view url) {
  const std::string which =
      browser.empty() ? Sjis("ブラウザ") : Sjis("設定されたブラウザ ") + std::string(browser) + " ";
  return which + Sjis("を起動できませんでした.\n次のアドレスを開けません.\n\n") + std::string(url);
}

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
  if (!services_.ui || !IsOpenableUrl(url)) return false;
  const bool chosen = values_ && values_->browserPathMode != 0 && values_->browserPath[0] != '\0';
  const std::string_view browser = chosen ? SettingsFieldText(values_->browserPath) : "";
  const bool opened = chosen ? services_.ui->RunBrowser(PathOfSettingsText(browser), url)
                             : services_.ui->OpenUrl(url);
  // The desktop only says so on standard error: the user would see nothing happen.
  if (!opened) {
    ShowMessageBox(MB_OK | MB_ICONERROR, BrowserFailureText(browser, url), Sjis("ブラウザの起動"));
  }
  return opened;
}

bool CatalogController::OpenMail(std::string_view address) {
  const std::optional<std::string> mailto = MailtoAddress(address);
  return services_.ui && mailto && services_.ui->OpenUrl(*mailto);
}

}  // namespace vx
