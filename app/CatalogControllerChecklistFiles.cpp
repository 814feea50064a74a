// The controller's checklist file commands: choosing, saving, opening and starting checklists, the
// save question, the modified mark with the title, and the recent-file list.
#include <cstring>
#include <system_error>

#include "app/CatalogController.h"
#include "app/ChecklistReadJob.h"
#include "app/ControllerWindow.h"
#include "app/FileErrorText.h"
#include "app/MainFrameHook.h"
#include "app/SettingsPath.h"
#include "app/SettingsValues.h"
#include "checklist/FavoriteStore.h"
#include "platform/BoundedFileReader.h"
#include "platform/CodePage.h"
#include "res/ResourceIds.h"

namespace vx {

namespace fs = std::filesystem;

namespace {

// A path inside a message (CP932).
std::string MessageText(const fs::path& path) { return Utf8ToCp932(path.string()); }

const std::string& NewChecklistName() {
  static const std::string name = Sjis("新規チェックリスト");
  return name;
}

}  // namespace

fs::path CatalogController::ChecklistFolder() const {
  return values_ ? PathOfSettingsText(SettingsFieldText(values_->defaultFileDir)) : fs::path();
}

std::vector<fs::path> CatalogController::ChooseChecklistFile(std::string_view title, bool save,
                                                             const fs::path& suggested) {
  if (!services_.ui || !registry_.FindMain()) return {};
  FileDialogRequest request;
  request.title = title;
  request.filter = Sjis("チェックリストファイル (*.csv)|*.csv|全てのファイル (*.*)|*.*|");
  request.defaultExtension = "csv";
  request.initialPath = save && !suggested.empty() ? suggested : ChecklistFolder();
  request.confirmOverwrite = false;  // SaveChecklist asks its own question
  std::vector<fs::path> chosen;
  {
    ModalGuard::Scope modal(guard_);
    if (!save) {
      chosen = services_.ui->OpenFilesDialog(GetDialogOwner(), request);
    } else if (auto path = services_.ui->SaveFileDialog(GetDialogOwner(), request)) {
      chosen.push_back(std::move(*path));
    }
  }
  if (!chosen.empty() && values_) {
    StoreSettingsPath(values_->defaultFileDir,
                      SettingsPathText(chosen.front().parent_path().string() + '/'));
  }
  return chosen;
}

// Another instance of the program (on another display, with the same profile) or any other
// program may have saved the file since: overwriting it would silently lose that save.
bool CatalogController::MayOverwriteChecklistFile(const fs::path& file) {
  if (!checklistStamp_) return true;
  std::string bytes;
  const auto outcome = BoundedFileReader(kMaxChecklistFileBytes).Read(file, bytes);
  std::error_code error;
  if (outcome == BoundedFileReader::Outcome::kRead) {
    if (ChecklistFileStamp::Of(bytes) == *checklistStamp_) return true;
  } else if (outcome == BoundedFileReader::Outcome::kCannotOpen && !fs::exists(file, error) &&
             !error) {
    return true;  // gone: nothing to lose
  }
  return ShowMessageBox(MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2,
                        Sjis("「") + MessageText(file) +
                            Sjis("」は、このプログラムが読み込んだ後に他で変更されています。"
                                 "上書きしますか?"),
                        Sjis("チェックリストの上書き確認")) == IDYES;
}

int CatalogController::SaveChecklist(bool saveAs, bool olderFormat) {
  if (!store_) return IDCANCEL;
  fs::path target = checklistPath_;
  if (!target.empty() && !saveAs && !MayOverwriteChecklistFile(target)) return IDCANCEL;
  if (target.empty() || saveAs) {
    const fs::path suggested = checklistPath_.empty()
                                   ? ChecklistFolder() / Cp932ToUtf8(NewChecklistName())
                                   : checklistPath_;
    const std::vector<fs::path> chosen =
        ChooseChecklistFile(Sjis("保存するチェックリストファイルの選択"), true, suggested);
    if (chosen.empty()) return IDCANCEL;
    target = chosen.front();
    std::error_code error;
    if (fs::exists(target, error) &&
        ShowMessageBox(
            MB_YESNO | MB_ICONQUESTION,
            MessageText(target) + Sjis("\nは既に存在しています.\n上書きしてよろしいですか？"),
            Sjis("チェックリストの上書き確認")) != IDYES) {
      return IDCANCEL;
    }
  }
  // The store writes beside the target and renames: the old file survives a failed save.
  if (const std::error_code error = olderFormat ? store_->SaveVer1(target) : store_->Save(target)) {
    ShowMessageBox(MB_OK | MB_ICONERROR,
                   MessageText(target) + Sjis("\nに保存できません.\n") + FileErrorText(error) + ".",
                   Sjis("書き込みエラー"));
    return IDCANCEL;  // the caller must not go on as if the checklist could be dropped
  }
  SetChecklistPath(&target, false);
  checklistStamp_ = store_->LastFileStamp();
  return IDYES;
}

int CatalogController::AskSaveChecklist() {
  if (!checklistModified_) return IDNO;
  const int answer = ShowMessageBox(
      MB_YESNOCANCEL | MB_ICONQUESTION,
      Sjis("チェックリストまたはメモの内容が変更されています.\nファイルへ保存しますか？"),
      Sjis("チェックリストの保存確認"));
  if (answer == IDYES) return SaveChecklist(false, false);
  return answer == IDNO ? IDNO : IDCANCEL;
}

int CatalogController::LoadChecklist(const fs::path& file, bool append) {
  if (!store_) return 0;
  std::error_code error;
  // Opening a pipe to try it would wait for a writer; a device or a huge file is refused unread.
  const int status = fs::is_directory(file, error) ? kReadNothing : FavoriteStore::CheckFile(file);
  if (status == kReadNothing) {
    ShowMessageBox(MB_OK | MB_ICONERROR,
                   MessageText(file) + Sjis("\nにアクセスできません.\n他のアプリケーションで使用"
                                            "されているか、ファイルが見つかりません."),
                   Sjis("読み込みエラー"));
    return 0;
  }
  if (status != kReadDone) {
    ShowLoadError(status, MessageText(file));
    return 0;
  }
  ChecklistReadJob job(*store_, ChecklistSource::File(file), append,
                       values_ && values_->fvrOverColor != 0);
  return LoadChecklistSource(job, MessageText(file));
}

int CatalogController::OpenChecklist() {
  if (!store_ || AskSaveChecklist() == IDCANCEL) return IDCANCEL;
  const std::vector<fs::path> files =
      ChooseChecklistFile(Sjis("読み込むチェックリストファイルの選択"), false);
  if (files.empty()) return IDYES;
  LoadChecklist(files.front(), false);
  if (files.size() == 1) return IDYES;
  for (std::size_t i = 1; i < files.size(); ++i) LoadChecklist(files[i], true);
  const fs::path none;
  SetChecklistPath(&none, true);
  return IDYES;
}

int CatalogController::AppendChecklist() {
  if (!store_) return IDCANCEL;
  for (const fs::path& file :
       ChooseChecklistFile(Sjis("追加読み込みするチェックリストファイルの選択"), false)) {
    LoadChecklist(file, true);
  }
  return IDYES;
}

int CatalogController::OpenChecklistFile(const fs::path& path) {
  if (!store_ || path.native() == checklistPath_.native()) return IDCANCEL;
  if (AskSaveChecklist() == IDCANCEL) return IDCANCEL;
  LoadChecklist(path, false);
  return IDYES;
}

int CatalogController::OpenRecentChecklist(int index) {
  if (!values_ || index < 0 || index >= kRecentFileCount) return IDCANCEL;
  // Taken before the load reorders the list.
  const fs::path path = PathOfSettingsText(SettingsFieldText(values_->recentFiles[index]));
  if (path.empty()) return IDCANCEL;
  return OpenChecklistFile(path);
}

int CatalogController::NewChecklist(bool noPrompt) {
  if (!store_) return IDCANCEL;
  if (!noPrompt && AskSaveChecklist() == IDCANCEL) return IDCANCEL;
  const fs::path none;
  SetChecklistPath(&none, false);
  store_->Purge(true);
  Broadcast(UM_CHECKLIST_RESET, 0, 0);
  LoadColorTable();
  NotifyColorsChanged();
  return IDYES;
}

// --- Modified mark, title and recent files ------------------------------------------------------

void CatalogController::MarkChecklistModified() { SetChecklistPath(nullptr, true); }

void CatalogController::SetChecklistPath(const fs::path* path, bool modified) {
  const bool pathChanged = path && path->native() != checklistPath_.native();
  if (pathChanged) {
    checklistPath_ = *path;
    checklistStamp_.reset();
    if (!checklistPath_.empty()) AddRecentFile(checklistPath_);
    RebuildRecentFilesMenu();
    if (!checklistPath_.empty()) CommitSettings();
  }
  if (modified != checklistModified_) {
    checklistModified_ = modified;
    UpdateTitle();
  } else if (pathChanged) {
    UpdateTitle();
  }
}

// The path moves to the front; the entries before its old place (all of them when it was not
// there, the ninth dropping out) move down by one.
void CatalogController::AddRecentFile(const fs::path& path) {
  const std::string text = SettingsPathText(path);
  if (!values_ || text.size() >= kTextSize) return;
  int found = kRecentFileCount - 1;
  for (int i = 0; i < kRecentFileCount; ++i) {
    if (text == SettingsFieldText(values_->recentFiles[i])) {
      found = i;
      break;
    }
  }
  for (int i = found; i > 0; --i) {
    std::memcpy(values_->recentFiles[i], values_->recentFiles[i - 1], kTextSize);
  }
  StoreSettingsPath(values_->recentFiles[0], text);
}

MainFrameHook* CatalogController::GetMainFrame() const {
  const WindowRecord* main = registry_.FindMain();
  return main ? dynamic_cast<MainFrameHook*>(main->window) : nullptr;
}

void CatalogController::UpdateTitle() {
  MainFrameHook* frame = GetMainFrame();
  if (!frame) return;
  const std::string name =
      checklistPath_.empty() ? Cp932ToUtf8(NewChecklistName()) : checklistPath_.filename().string();
  frame->SetTitleText(Cp932ToUtf8(frame->ApplicationTitle()) + " - " + name + " " +
                      (checklistModified_ ? "*" : ""));
}

void CatalogController::RebuildRecentFilesMenu() {
  MainFrameHook* frame = GetMainFrame();
  if (!frame || !values_ || values_->recentFiles[0][0] == '\0') return;
  std::vector<RecentFileItem> items;
  for (int i = 0; i < kRecentFileCount; ++i) {
    const std::string_view text = SettingsFieldText(values_->recentFiles[i]);
    if (text.empty()) continue;
    items.push_back({ID_RECENT_FIRST + i,
                     "&" + std::to_string(i + 1) + " " + PathOfSettingsText(text).string()});
  }
  frame->SetRecentFileItems(items);
}

}  // namespace vx
