// The controller's side of a checklist load: the read, the confirmation page, the commit and the
// replay to every window; the clipboard, and the bulk memo commands that replay too.
#include <algorithm>
#include <string>

#include "app/CatalogController.h"
#include "app/CheckColorTables.h"
#include "app/ChecklistApplyJob.h"
#include "app/ChecklistDialogs.h"
#include "app/ChecklistReadJob.h"
#include "app/SettingsValues.h"
#include "checklist/FavoriteStore.h"
#include "data/PavorunDatabase.h"
#include "platform/CodePage.h"
#include "platform/Sjis.h"
#include "res/ResourceIds.h"

namespace vx {

namespace {

// What a failed read tells of a file (after its name) and of the clipboard's text. That text is
// no file: the box names the clipboard and shows none of the text.
struct LoadErrorText {
  int status;
  const char* file;
  const char* clipboard;  // null: the clipboard's text cannot fail so
};

constexpr LoadErrorText kLoadErrorTexts[] = {
    {kReadNothing, "は開けませんでした. 他のアプリケーションで使用中の恐れがあります.",
     "クリップボードには、チェックリストのデータがありません."},
    {kReadBadData, "には、異常なデータが含まれています.\n\n読み込みは失敗しました.",
     "クリップボードのチェックリストには、異常なデータが含まれています."
     "\n\n読み込みは失敗しました."},
    {kReadUnsupportedVersion,
     "は、対応していないバージョンのファイルです.\n\n読み込みは失敗しました.",
     "クリップボードのチェックリストは、対応していないバージョンのものです."
     "\n\n読み込みは失敗しました."},
    {kReadTooLarge,
     "は、チェックリストとしては大きすぎます (64 MB まで).\n\n読み込みは失敗しました.", nullptr},
    {kReadNotAFile, "は、通常のファイルではありません.\n\n読み込みは失敗しました.", nullptr},
};

const LoadErrorText* FindLoadErrorText(int status) {
  for (const LoadErrorText& text : kLoadErrorTexts) {
    if (text.status == status) return &text;
  }
  return nullptr;
}

void ShowClipboardLoadError(CatalogController& controller, int status) {
  const LoadErrorText* text = FindLoadErrorText(status);
  if (!text || !text->clipboard) return;
  controller.ShowMessageBox(MB_OK | MB_ICONERROR, Sjis(text->clipboard),
                            Sjis("チェックリスト読み込みエラー"));
}

}  // namespace

int CatalogController::LoadChecklistText(std::string_view cp932Text) {
  if (!store_) return 0;
  ChecklistReadJob job(*store_, ChecklistSource::Text(std::string(cp932Text)), true,
                       values_ && values_->fvrOverColor != 0);
  return LoadChecklistSource(job, {});
}

// Nothing reaches the checklist before the commit: a failed, cancelled or declined load leaves
// entries, colours, path and modified mark as they were.
int CatalogController::LoadChecklistSource(ChecklistReadJob& job, std::string_view shownSource) {
  store_->SetStrictMatch(values_ && values_->strictLoad != 0);
  const int status = RunChecklistRead(job);
  const bool cancelled = job.State() == JobState::kCancelled;
  if (cancelled || status != kReadDone) {
    store_->DiscardImport();
    NotifyColorsChanged();
    if (cancelled) return 1;
    if (job.Source().fromText) {
      ShowClipboardLoadError(*this, status);
    } else {
      ShowLoadError(status, shownSource);
    }
    return 0;
  }
  if (!job.SameEvent()) {
    const int answer = RunImportConfirmation();
    store_->DefaultImportColors();
    if (answer != IDOK) {
      store_->DiscardImport();
      NotifyColorsChanged();
      return 1;
    }
  }
  FinishChecklistLoad(job);
  return 1;
}

int CatalogController::RunChecklistRead(ChecklistReadJob& job) {
  if (!services_.checklistDialogs) return RunJobWithoutDialog(job);
  ModalGuard::Scope modal(guard_);
  return services_.checklistDialogs->RunReadProgress(job, Sjis("チェックリストの読み込み"),
                                                     GetDialogOwner());
}

int CatalogController::RunImportConfirmation() {
  if (!services_.checklistDialogs || !database_) return IDCANCEL;
  ModalGuard::Scope modal(guard_);
  return services_.checklistDialogs->RunImportConfirmation(*store_, database_->GetEventNo(),
                                                           GetDialogOwner());
}

// Even a commit that changes nothing replays the checklist, so that every window shows the
// checklist the title names.
void CatalogController::FinishChecklistLoad(const ChecklistReadJob& job) {
  RaiseColorCountForImport();
  store_->CommitImportRecords(values_ && values_->fvrOver != 0,
                              values_ && values_->fvrOverColor != 0);
  // Applied, the rows serve nothing more: a whole catalogue's worth goes before the windows fill.
  store_->DiscardImport();
  NotifyColorsChanged();
  RefreshChecklistViews();
  if (job.Appends()) {
    MarkChecklistModified();
    return;
  }
  // Another event's checklist becomes a new one: saving it must not overwrite its file.
  const std::filesystem::path path = job.SameEvent() ? job.Source().file : std::filesystem::path();
  SetChecklistPath(&path, !job.SameEvent());
  if (job.SameEvent()) checklistStamp_ = store_->LastFileStamp();
}

// The file's colour numbers are kept: the new colours take the file's definition, else the
// standard one, and the user is told the count grew.
void CatalogController::RaiseColorCountForImport() {
  if (!store_ || !values_) return;
  const int count = GetColorCount();
  const int highest = std::min(store_->GetHighestImportColor(), kMaxCheckColors);
  if (highest <= count) return;
  for (int i = count; i < highest; ++i) {
    FavoriteColor color{kStandardCheckColors[i], kStandardCheckColors[i], {}};
    if (store_->ImportDefinesColor(i)) color = store_->ImportColor(i);
    values_->fvrColors[i] = color.checkColor;
    values_->fvrPrintColors[i] = color.printColor;
    SjisCopyBounded(values_->fvrColorNames[i], color.name.c_str(), kColorNameSize);
    store_->SetColorDef(i, color.checkColor, color.printColor, color.name);
  }
  values_->fvrColorNum = highest;
  store_->SetColorCount(highest);
  NotifyColorsChanged();
  ShowMessageBox(MB_OK | MB_ICONINFORMATION,
                 Sjis("このチェックリストは色") + std::to_string(highest) +
                     Sjis("までを使っています。\nどの色も失われないよう、チェック色の数を ") +
                     std::to_string(count) + Sjis(" から ") + std::to_string(highest) +
                     Sjis(" に増やしました。"),
                 Sjis("チェックリストの読み込み"));
}

void CatalogController::ShowLoadError(int status, std::string_view source) {
  const LoadErrorText* text = FindLoadErrorText(status);
  if (!text) return;
  ShowMessageBox(MB_OK | MB_ICONERROR,
                 Sjis("チェックリストファイル\n") + std::string(source) + "\n" + Sjis(text->file),
                 Sjis("チェックリスト読み込みエラー"));
}

void CatalogController::RefreshChecklistViews() {
  if (!store_) return;
  Broadcast(UM_CHECKLIST_RESET, 0, 0);
  ChecklistApplyJob job(
      *store_, [this](std::span<const AppMessage> run) { BroadcastRun(run); },
      [this](const std::function<void()>& work) { return RunOnUi(work); });
  if (!services_.checklistDialogs) {
    RunJobWithoutDialog(job);
  } else {
    ModalGuard::Scope modal(guard_);
    services_.checklistDialogs->RunApplyProgress(job, GetDialogOwner());
  }
  registry_.DeliverRunsEnded();
}

// --- Memos in bulk -------------------------------------------------------------------------------

void CatalogController::EraseUncheckedMemos() {
  if (!store_) return;
  if (store_->EraseUncheckedMemos()) MarkChecklistModified();
  RefreshChecklistViews();
}

void CatalogController::EraseAllMemos() {
  if (!store_) return;
  if (store_->EraseAllMemos()) MarkChecklistModified();
  RefreshChecklistViews();
}

// --- Clipboard -----------------------------------------------------------------------------------

bool CatalogController::CopyCirclesToClipboard(std::span<const int> circleIds) {
  if (!store_ || !values_ || !services_.ui || circleIds.empty()) return false;
  std::string text;
  store_->CopyAsVer1Text(text, circleIds, GetCurrentColor() + 1);
  return services_.ui->SetClipboardText(text);
}

int CatalogController::PasteFromClipboard() {
  if (!store_ || !IsClipboardTextAvailable()) return 0;
  return LoadChecklistText(services_.ui->ClipboardText());
}

bool CatalogController::IsClipboardTextAvailable() const {
  return services_.ui && services_.ui->HasClipboardText();
}

}  // namespace vx
