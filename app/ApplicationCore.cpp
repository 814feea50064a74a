#include "app/ApplicationCore.h"

#include <cstdio>
#include <cstring>
#include <utility>

#include "app/CatalogPresence.h"
#include "app/FileErrorText.h"
#include "app/PaperSize.h"
#include "app/SettingsPath.h"
#include "app/SettingsTable.h"
#include "data/SearchCondition.h"
#include "data/TextFold.h"
#include "platform/CodePage.h"
#include "platform/Sjis.h"
#include "platform/UiServices.h"

namespace vx {

ApplicationCore::ApplicationCore(std::filesystem::path programFolder, ApplicationServices services)
    : programFolder_(std::move(programFolder)),
      services_(std::move(services)),
      bookmarks_(std::make_unique<BookmarkList>()),
      settings_(std::make_unique<AppSettings>(programFolder_)) {}

ApplicationCore::~ApplicationCore() {
  DeleteController();
  Release(RestartRequest{});
}

void ApplicationCore::LoadSettings(const WorkArea& area) {
  SettingsValues& stored = settings_->Values();
  InitWindowSlots(stored);
  ApplyDefaultLayout(stored, area);
  settings_->LoadSystemGroup();
  settings_->LoadEventGroup(stored.eventNumber, *bookmarks_);
  values_ = stored;
  ReportMarginsReset();
}

// Margins edited by hand, or a damaged file, would print every page squeezed into a strip
// without a word; the user learns which ones were given up.
void ApplicationCore::ReportMarginsReset() const {
  const std::vector<int>& kinds = settings_->MarginsReset();
  if (kinds.empty()) return;
  std::string text = Sjis("次の用紙の余白では印刷領域がなくなるため、既定値に戻しました.");
  for (const int kind : kinds) {
    char keys[32];
    std::snprintf(keys, sizeof keys, " (Margin.*.%02d)", kind);
    text += "\n" + Sjis(kPaperKindNames[kind]) + keys;
  }
  if (controller_) {
    controller_->ShowMessageBox(MB_ICONEXCLAMATION, text, Sjis("印刷設定"));
  } else if (services_.ui) {
    services_.ui->MessageBox(nullptr, text, Sjis("印刷設定"), MB_ICONEXCLAMATION);
  }
}

bool ApplicationCore::LocateImageData() {
  if (values_.print.bmpOutPath[0] == '\0') {
    // The image output folder defaults to the program folder; kept relative to the profile when
    // it is the profile, so that a copied or moved profile writes into its own folder.
    const bool inProfile =
        programFolder_.lexically_normal() / "" == settings_->UserFolder().lexically_normal() / "";
    StoreSettingsPath(values_.print.bmpOutPath,
                      inProfile ? std::string("./") : SettingsPathText(programFolder_));
  }
  imageFolder_ = FindImageFolder();
  if (imageFolder_) return true;
  if (services_.ui) {
    services_.ui->MessageBox(nullptr, Sjis(kImageDataMissingText), Sjis(kImageDataMissingTitle),
                             MB_ICONHAND);
  }
  return false;
}

std::optional<std::filesystem::path> ApplicationCore::FindImageFolder() {
  const ImageDataLocator locator(programFolder_, services_.discRoots, HasImageData);
  return locator.Find(values_, services_.askImageFolder);
}

void ApplicationCore::RelocateImageData() {
  imageFolder_ = FindImageFolder();
  ApplyImageFolder();
}

void ApplicationCore::ApplyImageFolder() {
  const std::filesystem::path folder = imageFolder_.value_or(std::filesystem::path());
  if (images_ && database_) {
    images_->Open(folder, values_.eventNumber);
    images_->SetCutGeometry(database_->GetEventInfo());
  }
  if (controller_) controller_->SetImageFolder(folder);
}

void ApplicationCore::OpenImages() {
  images_ = std::make_unique<CatalogImages>();
  images_->Open(imageFolder_.value_or(std::filesystem::path()), values_.eventNumber);
  InitTextFoldTable();
}

QImage ApplicationCore::CoverImage() {
  if (!images_ || !values_.startCover) return {};
  return images_->LoadCoverImage();
}

void ApplicationCore::OpenDatabase() {
  CatalogDatabaseOpener opener(*settings_, programFolder_, values_, services_.ui,
                               services_.initializeDatabase);
  CatalogDatabaseOpener::Result opened = opener.Open();
  database_ = std::move(opened.database);
  userDatabase_ = opened.userDatabase;
  database_->SelectEvent(values_.eventNumber);
  if (!services_.ui) return;
  // A damaged file is no empty one: installing into it would not help.
  if (database_->IsDamaged()) {
    if (opened.damageReported) return;
    services_.ui->MessageBox(nullptr, UnsoundDatabaseText(*database_, false),
                             UnsoundDatabaseTitle(*database_), MB_ICONHAND);
  } else if (database_->GetMaxCircleId() == 0) {
    services_.ui->MessageBox(nullptr, Sjis(kNoCirclesText), Sjis(kNoCirclesTitle),
                             MB_ICONEXCLAMATION);
  }
}

bool ApplicationCore::CreateController() {
  controller_ = std::make_unique<CatalogController>(settings_.get(), services_.controller);
  controller_->SetSettingsCommitter([this] { CommitSettings(); });
  // A controller whose Init failed works on without the missing objects.
  controller_->Init(database_.get(), images_.get(), &values_);
  ApplyImageFolder();
  return true;
}

void ApplicationCore::GoToStartPage() {
  // A damaged file may still give circles; no window is to show them.
  if (!controller_ || !HasCatalogToShow(database_.get())) return;
  const int page = values_.lastSelPage;
  const int first = controller_->GetFirstPage();
  if (page > 0 && page >= first && page <= controller_->GetLastPage()) {
    controller_->GoToPage(page);
    // No cut was current before, so the stored page starts on its first circle.
    if (controller_->GetCurrentCircle().cutIndex < 1) {
      controller_->JumpTo(controller_->GetCurrentPage(), -1, false);
    }
  } else {
    controller_->SelectDay(1);
  }
  // Day 1 may hold no placed circle; a catalogue whose circles have no page has nothing to show.
  if (controller_->GetCurrentPage() < 1 && first > 0) controller_->GoToPage(first);
  if (controller_->GetCurrentPage() < 1) ReportNoPage();
}

void ApplicationCore::ReportNoPage() const {
  // OpenDatabase has said already what is wrong with a damaged or empty catalogue.
  if (!services_.ui || !database_ || database_->IsDamaged() || database_->GetMaxCircleId() == 0) {
    return;
  }
  services_.ui->MessageBox(nullptr,
                           Sjis("ヴェラストレード") + std::to_string(values_.eventNumber) +
                               Sjis(" のサークルデータには表示できるページがありません.\n"
                                    "サークルデータをインストールし直してください."),
                           Sjis(kNoCirclesTitle), MB_ICONEXCLAMATION);
}

std::optional<std::filesystem::path> ApplicationCore::InitialChecklist(
    const StartupArguments& arguments) {
  std::optional<std::filesystem::path> file = ChosenChecklist(arguments);
  if (!file || HasCatalogToShow(database_.get())) return file;
  ReportChecklistNotOpened(*file);
  return std::nullopt;
}

std::optional<std::filesystem::path> ApplicationCore::ChosenChecklist(
    const StartupArguments& arguments) const {
  if (!arguments.checklistAllowed) return std::nullopt;
  if (!arguments.checklistFile.empty()) return arguments.checklistFile;
  const char* newest = values_.recentFiles[0];
  if (!values_.autoLoad || newest[0] == '\0') return std::nullopt;
  return PathOfSettingsText(std::string_view(newest, strnlen(newest, kTextSize)));
}

// Its circles would all be unknown, and saving it would lose them; the file stays as it is.
void ApplicationCore::ReportChecklistNotOpened(const std::filesystem::path& file) const {
  const std::string text =
      Sjis("チェックリストファイル\n") + Utf8ToCp932(file.string()) +
      Sjis(
          "\nは開きませんでした.\n表示できるサークルデータがないため、"
          "チェックリストのサークルを照合できません. ファイルは変更していません.");
  if (controller_) {
    controller_->ShowMessageBox(MB_ICONEXCLAMATION, text, Sjis("チェックリストの読み込み"));
  } else if (services_.ui) {
    services_.ui->MessageBox(nullptr, text, Sjis("チェックリストの読み込み"), MB_ICONEXCLAMATION);
  }
}

bool ApplicationCore::SaveSettings(const RestartRequest& restart) {
  settings_->ForgetSaveFailure();
  if (controller_) values_.lastSelPage = controller_->GetCurrentPage();
  settings_->Values() = values_;
  const int event = values_.eventNumber;
  bool saved = true;
  if (controller_ && controller_->GetSearchCondition()) {
    saved = controller_->SaveSearchSettings() && saved;
  }
  saved = settings_->SaveEventGroup(event, *bookmarks_) && saved;
  saved = settings_->SaveSystemGroup() && saved;
  if (restart.SwitchesEvent()) {
    settings_->Values().eventNumber = restart.eventNumber;
    saved =
        settings_->WriteInt(settings::kSystemSection, "VQNumber96", restart.eventNumber) && saved;
  }
  return saved;
}

// A folder that cannot be written fails every commit of the session: the user hears it once,
// at the first, with the reason, and again only after a commit that succeeded.
bool ApplicationCore::CommitSettings(const RestartRequest& restart) {
  if (SaveSettings(restart)) {
    commitFailureTold_ = false;
    return true;
  }
  if (commitFailureTold_) return false;
  commitFailureTold_ = true;
  const std::error_code failure = settings_->SaveFailure();
  const std::string reason = failure == std::errc::illegal_byte_sequence
                                 ? Sjis("改行を含む値は保存できません")
                                 : FileErrorText(failure);
  const std::string text =
      Utf8ToCp932(settings_->UserSettingsFile().string()) +
      Sjis("\nに動作設定を保存できませんでした.\n") + (reason.empty() ? "" : reason + ".\n") +
      Sjis("保存できるようになるまで、設定の変更はファイルに書き込まれません.");
  if (controller_) {
    controller_->ShowMessageBox(MB_ICONHAND, text, Sjis("動作設定の保存"));
  } else if (services_.ui) {
    services_.ui->MessageBox(nullptr, text, Sjis("動作設定の保存"), MB_ICONHAND);
  }
  return false;
}

void ApplicationCore::ExitController() {
  if (controller_) controller_->Exit();
}

void ApplicationCore::DeleteController() { controller_.reset(); }

void ApplicationCore::Release(const RestartRequest& restart) {
  if (restart.requested && restart.reinitializeDatabase && services_.initializeDatabase) {
    services_.initializeDatabase(database_);
  }
  database_.reset();
  images_.reset();
  bookmarks_.reset();
}

}  // namespace vx
