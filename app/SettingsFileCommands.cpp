#include "app/SettingsFileCommands.h"

#include <string>
#include <utility>

#include "app/ApplicationCore.h"
#include "app/ModalScope.h"
#include "app/SearchSettings.h"
#include "platform/BoundedFileReader.h"
#include "platform/CodePage.h"
#include "platform/UiServices.h"

namespace vx {

namespace {

constexpr std::string_view kSettingsFilter = "動作設定ファイル(*.ini)";
constexpr std::string_view kSettingsTitle = "動作設定ファイルの選択";
constexpr std::string_view kPrintFilter = "印刷設定ファイル(*.ini)";
constexpr std::string_view kPrintTitle = "印刷設定ファイルの選択";

// Far above any settings file; the import reads the file whole on the UI thread.
constexpr std::uintmax_t kMaxSettingsFileBytes = 4u << 20;

}  // namespace

SettingsFileCommands::SettingsFileCommands(ApplicationCore& core, UiServices& ui,
                                           std::function<void()> bookmarksChanged)
    : core_(core), ui_(ui), bookmarksChanged_(std::move(bookmarksChanged)) {}

std::optional<std::filesystem::path> SettingsFileCommands::ChooseFile(const FileKind& kind,
                                                                      bool save) {
  FileDialogRequest request;
  request.title = Sjis(kind.title);
  request.filter = Sjis(std::string(kind.filterName) + "|*.ini|全てのファイル (*.*)|*.*|");
  request.defaultExtension = "ini";
  CatalogController* controller = core_.Controller();
  const OwnerWindow owner = controller ? controller->GetDialogOwner() : nullptr;
  ModalScope modal(controller);
  return save ? ui_.SaveFileDialog(owner, request) : ui_.OpenFileDialog(owner, request);
}

void SettingsFileCommands::TakeWorkingValues() { core_.Settings().Values() = core_.Values(); }

void SettingsFileCommands::ReportFailure(std::string_view utf8What,
                                         const std::filesystem::path& file) {
  ModalScope modal(core_.Controller());
  ui_.MessageBox(nullptr, Utf8ToCp932(file.string()) + "\n" + Sjis(utf8What), Sjis("エラー"),
                 MB_ICONHAND);
}

// Only a regular file of a settings file's size is read: a device or a huge file would be read
// whole into memory, or never end.
bool SettingsFileCommands::CanImport(const std::filesystem::path& file, std::string_view utf8Kind) {
  switch (BoundedFileReader(kMaxSettingsFileBytes).Check(file)) {
    case BoundedFileReader::Outcome::kNotRegularFile:
      ReportFailure("は通常のファイルではありません.\n" + std::string(utf8Kind) +
                        "ファイルを指定してください.",
                    file);
      return false;
    case BoundedFileReader::Outcome::kTooLarge:
      ReportFailure("は" + std::string(utf8Kind) + "ファイルとしては大きすぎます (4 MB まで).\n" +
                        std::string(utf8Kind) + "ファイルを指定してください.",
                    file);
      return false;
    default:
      return true;  // a file that cannot be opened fails the import, which says so
  }
}

bool SettingsFileCommands::ExportSettings() {
  const auto file = ChooseFile({kSettingsFilter, kSettingsTitle}, true);
  if (!file) return false;
  TakeWorkingValues();
  CatalogController* controller = core_.Controller();
  const SearchSettings search =
      controller ? controller->GetCurrentSearchSettings() : SearchSettings();
  if (core_.Settings().ExportSettings(*file, core_.Bookmarks(), search)) return true;
  ReportFailure("に動作設定を書き込めませんでした.", *file);
  return false;
}

bool SettingsFileCommands::ImportSettings() {
  const auto file = ChooseFile({kSettingsFilter, kSettingsTitle}, false);
  if (!file || !CanImport(*file, "動作設定")) return false;
  TakeWorkingValues();  // what the file lacks stays as it is now
  const std::optional<SearchSettings> search =
      core_.Settings().ImportSettings(*file, core_.Bookmarks());
  if (!search) {
    ReportFailure("から動作設定を読み込めませんでした.\n動作設定ファイルを指定してください.",
                  *file);
    return false;
  }
  core_.Values() = core_.Settings().Values();
  core_.ReportMarginsReset();
  if (CatalogController* controller = core_.Controller()) {
    controller->ApplySearchSettings(*search);
    controller->NotifyColorsChanged();
    controller->NotifyOptionsChanged();
  }
  if (bookmarksChanged_) bookmarksChanged_();
  return true;
}

bool SettingsFileCommands::ExportPrintSettings() {
  const auto file = ChooseFile({kPrintFilter, kPrintTitle}, true);
  if (!file) return false;
  TakeWorkingValues();
  if (core_.Settings().ExportPrintSettings(*file)) return true;
  ReportFailure("に印刷設定を書き込めませんでした.", *file);
  return false;
}

bool SettingsFileCommands::ImportPrintSettings() {
  const auto file = ChooseFile({kPrintFilter, kPrintTitle}, false);
  if (!file || !CanImport(*file, "印刷設定")) return false;
  if (!core_.Settings().ImportPrintSettings(*file)) {
    ReportFailure("から印刷設定を読み込めませんでした.\n印刷設定ファイルを指定してください.",
                  *file);
    return false;
  }
  core_.Values().print = core_.Settings().Values().print;
  core_.ReportMarginsReset();
  return true;
}

}  // namespace vx
