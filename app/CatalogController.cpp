#include "app/CatalogController.h"

#include <thread>
#include <utility>

#include "app/AppSettings.h"
#include "app/BeaconWindow.h"
#include "app/ControllerWindow.h"
#include "app/ProgressJobRunner.h"
#include "app/SettingsValues.h"
#include "app/SystemInfoSource.h"
#include "checklist/FavoriteStore.h"
#include "data/PavorunDatabase.h"
#include "data/SearchCondition.h"
#include "platform/CodePage.h"
#include "platform/qt/UiThread.h"
#include "res/ResourceIds.h"

namespace vx {

CatalogController::CatalogController(AppSettings* settings, ControllerServices services)
    : settings_(settings),
      services_(std::move(services)),
      guard_(services_.activeWindows),
      osName_("Unknown"),
      graphicsPath_(Sjis("(不明)")),
      graphicsVersion_(graphicsPath_),
      creatorThread_(std::this_thread::get_id()) {}

CatalogController::~CatalogController() { ReleaseStore(); }

bool CatalogController::Init(PavorunDatabase* database, CatalogImages* images,
                             SettingsValues* values) {
  if (!database || !images || !values || !database->IsOpen()) return false;
  ReleaseStore();
  store_ = std::make_unique<FavoriteStore>(*database);
  database->SetFavoriteStore(store_.get());
  search_ = std::make_unique<SearchCondition>(*database);
  database_ = database;
  images_ = images;
  values_ = values;
  cutsPerPage_ = database->GetCutsPerPage();
  slots_ = NewCircleRecords(cutsPerPage_);
  current_ = CircleRecord{};
  registry_.Clear();
  checklistModified_ = false;
  checklistPath_.clear();
  ApplySearchSettings(settings_ ? settings_->LoadSearchGroup(values->eventNumber)
                                : SearchSettings{});
  LoadColorTable();
  ReadEnvironmentTexts();
  return true;
}

void CatalogController::ApplySearchSettings(const SearchSettings& search) {
  if (!search_) return;
  search_->Reset();
  search_->SetMatchAll(search.matchAll);
  search_->SetNormalizedMatch(search.normalized);
  search_->SetMemoOnly(search.memoOnly);
  search_->SetUpdatedOnly(search.updatedOnly);
  search_->SetKeywordFields(search.keywordFields);
  if (search.days) {
    for (const int day : *search.days) search_->AddDay(day);
  } else {
    search_->AddAllDays();
  }
  if (search.genres) {
    for (const int genre : *search.genres) search_->AddGenre(genre);
  } else {
    search_->AddAllGenres();
  }
  search_->SetKeywords(search.keywords);  // built with the choices above
}

SearchSettings CatalogController::GetCurrentSearchSettings() const {
  SearchSettings search;
  if (!search_) return search;
  search.matchAll = search_->MatchAll();
  search.normalized = search_->NormalizedMatch();
  search.memoOnly = search_->MemoOnly();
  search.updatedOnly = search_->UpdatedOnly();
  search.keywordFields = search_->KeywordFields();
  search.days = search_->Days();
  search.genres = search_->Genres();
  search.keywords = search_->KeywordText();
  return search;
}

bool CatalogController::SaveSearchSettings() const {
  if (!settings_ || !search_ || !values_) return false;
  return settings_->SaveSearchGroup(GetCurrentSearchSettings(), values_->eventNumber);
}

void CatalogController::ReadEnvironmentTexts() {
  const SystemInfoSource* info = services_.systemInfo;
  if (!info) return;
  if (std::string os = info->OsName(); !os.empty()) osName_ = std::move(os);
  if (std::string path = info->GraphicsLibraryPath(); !path.empty())
    graphicsPath_ = std::move(path);
  if (std::string version = info->GraphicsLibraryVersion(); !version.empty()) {
    graphicsVersion_ = std::move(version);
  }
}

// The database's memo function must never reach a deleted store.
void CatalogController::ReleaseStore() {
  if (!store_) return;
  if (database_ && database_->GetFavoriteStore() == store_.get()) {
    database_->SetFavoriteStore(nullptr);
  }
  store_.reset();
}

void CatalogController::Exit() {
  ReleaseStore();
  current_ = CircleRecord{};
  registry_.Clear();
  owner_ = nullptr;
  pageJump_ = nullptr;
}

void CatalogController::AttachOwnerWindow(BeaconWindow* owner) {
  owner_ = owner;
  pageJump_ = owner ? owner->CreatePageJumpWindow(*this) : nullptr;
}

OwnerWindow CatalogController::GetDialogOwner() const {
  return owner_ ? owner_->DialogOwner() : nullptr;
}

// --- Windows -----------------------------------------------------------------------------------

bool CatalogController::RegisterWindow(int id, ControllerWindow* window, std::string_view name) {
  if (!registry_.Register(id, window, name)) return false;
  Broadcast(UM_WINDOW_REGISTERED, 0, WindowParam(window));
  return true;
}

int CatalogController::WindowSlot(int windowId) const {
  if (!values_) return -1;
  for (int slot = 0; slot < kWindowSlotCount; ++slot) {
    if (values_->windowIds[slot] == windowId) return slot;
  }
  return -1;
}

bool CatalogController::SetShown(ControllerWindow* window, int shown, unsigned message) {
  WindowRecord* record = registry_.Find(window);
  if (!record) return false;
  RaiseWindow(window);
  record->shown = shown;
  if (const int slot = WindowSlot(record->id); slot >= 0) values_->windowShown[slot] = shown;
  Broadcast(message, 0, WindowParam(window));
  return true;
}

bool CatalogController::ShowRegisteredWindow(ControllerWindow* window) {
  return SetShown(window, 1, UM_WINDOW_SHOWN);
}

bool CatalogController::HideRegisteredWindow(ControllerWindow* window) {
  return SetShown(window, 0, UM_WINDOW_HIDDEN);
}

bool CatalogController::RaiseWindow(ControllerWindow* window) {
  return registry_.Raise(window, owner_, values_ && values_->childWndTop);
}

bool CatalogController::IsWindowCovered(const ControllerWindow* window) const {
  return registry_.IsCovered(window, values_ && values_->childWndTop);
}

void CatalogController::RaiseOwnerWindow(ControllerWindow* window) {
  if (owner_ && registry_.Find(window)) owner_->BringToTop();
}

void CatalogController::MinimizeAllWindows() {
  if (values_ && values_->syncIconic) registry_.MinimizeShown();
}

void CatalogController::RestoreAllWindows() {
  if (values_ && values_->syncIconic) registry_.RestoreShown();
}

bool CatalogController::SaveWindowRect(ControllerWindow* window) {
  WindowRecord* record = registry_.Find(window);
  if (!record) return false;
  record->rect = window->ScreenRect();
  if (const int slot = WindowSlot(record->id); slot >= 0) values_->windowRects[slot] = record->rect;
  return true;
}

bool CatalogController::GetWindowRecord(const ControllerWindow* window, WindowRecord* out) const {
  const WindowRecord* record = registry_.Find(window);
  if (!record || !out) return false;
  *out = *record;
  return true;
}

// --- Messages and modal interaction --------------------------------------------------------------

// Windows live on the UI thread: a worker's broadcast is carried there and waits until every
// window has had it. Without a way there (no hop given and no application object) only the
// thread that made the controller may broadcast; a worker's broadcast is refused.
bool CatalogController::RunOnUi(const std::function<void()>& work) {
  if (services_.runOnUiThread) {
    services_.runOnUiThread(work);
  } else if (HasUiThread()) {
    RunOnUiThread(work);
  } else if (std::this_thread::get_id() == creatorThread_) {
    work();
  } else {
    return false;
  }
  return true;
}

bool CatalogController::Broadcast(unsigned message, WParam wParam, LParam lParam) {
  return RunOnUi([&] { registry_.Deliver(message, wParam, lParam); });
}

bool CatalogController::BroadcastRun(std::span<const AppMessage> run) {
  return RunOnUi([&] { registry_.DeliverRun(run); });
}

void CatalogController::RequestSearch() { Broadcast(UM_RUN_SEARCH, 0, 0); }

void CatalogController::BeginModal() { guard_.Begin(); }

void CatalogController::EndModal() { guard_.End(); }

ModalInputAnswer CatalogController::FilterModalInput(ModalInput input, bool activating) const {
  return guard_.FilterInput(input, activating);
}

int CatalogController::ShowMessageBox(unsigned flags, std::string_view text,
                                      std::string_view title) {
  if (!services_.ui) return IDCANCEL;
  ModalGuard::Scope modal(guard_);
  return services_.ui->MessageBox(GetDialogOwner(), text, title, flags);
}

int CatalogController::RunProgressJob(ProgressJob& job, std::string_view caption) {
  return RunProgressJob(job, caption, nullptr);
}

int CatalogController::RunProgressJob(ProgressJob& job, std::string_view caption,
                                      OwnerWindow owner) {
  if (!services_.progress) return 2;
  ModalGuard::Scope modal(guard_);
  return services_.progress->Run(job, caption, owner ? owner : GetDialogOwner());
}

}  // namespace vx
