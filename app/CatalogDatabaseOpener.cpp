#include "app/CatalogDatabaseOpener.h"

#include <utility>

#include "platform/CodePage.h"
#include "platform/UiServices.h"

namespace vx {

std::string DamagedDatabaseText(std::string_view format, const std::filesystem::path& file) {
  std::string text = Sjis(format);
  text.replace(text.find("%s"), 2, Utf8ToCp932(file.string()));
  return text;
}

std::string UnsoundDatabaseText(const SqliteDatabase& database, bool offerReinstall) {
  const bool notAFile = database.IsNotRegularFile();
  const std::string_view format = offerReinstall ? (notAFile ? kNotAFileQuestion : kDamagedQuestion)
                                                 : (notAFile ? kNotAFileText : kDamagedText);
  return DamagedDatabaseText(format, database.Path());
}

std::string UnsoundDatabaseTitle(const SqliteDatabase& database) {
  return Sjis(database.IsNotRegularFile() ? kNotAFileTitle : kDamagedTitle);
}

CatalogDatabaseOpener::CatalogDatabaseOpener(const AppSettings& settings,
                                             std::filesystem::path programFolder,
                                             SettingsValues& values, UiServices* ui,
                                             Initializer initialize)
    : settings_(settings),
      programFolder_(std::move(programFolder)),
      values_(values),
      ui_(ui),
      initialize_(std::move(initialize)) {}

std::unique_ptr<PavorunDatabase> CatalogDatabaseOpener::OpenProgramDatabase() const {
  return std::make_unique<PavorunDatabase>(programFolder_, PavorunDatabase::kReadOnly);
}

bool CatalogDatabaseOpener::AskToInitialize() const {
  if (!ui_) return false;
  return ui_->MessageBox(nullptr, Sjis(kInitializeQuestion), Sjis(kInitializeTitle),
                         MB_YESNO | MB_ICONQUESTION) == IDYES;
}

bool CatalogDatabaseOpener::AskToReinstall(const PavorunDatabase& database) const {
  if (!ui_) return false;
  if (!initialize_) {
    ui_->MessageBox(nullptr, UnsoundDatabaseText(database, false), UnsoundDatabaseTitle(database),
                    MB_ICONHAND);
    return false;
  }
  return ui_->MessageBox(nullptr, UnsoundDatabaseText(database, true),
                         UnsoundDatabaseTitle(database), MB_YESNO | MB_ICONEXCLAMATION) == IDYES;
}

void CatalogDatabaseOpener::ReplaceDamaged(Result& result) {
  std::unique_ptr<PavorunDatabase>& database = result.database;
  result.damageReported = ui_ != nullptr;
  if (AskToReinstall(*database)) {
    const int done = initialize_(database);
    if (done == 1 && database && database->IsOpen() && !database->IsDamaged()) {
      values_.noDatabase = 0;
      return;
    }
  }
  // Only read this time: the file stays as it is for the next start to offer again.
  database.reset();
  database = OpenProgramDatabase();
}

CatalogDatabaseOpener::Result CatalogDatabaseOpener::Open() {
  Result result;
  if (settings_.IsReadOnly()) {
    result.database = OpenProgramDatabase();
    return result;
  }
  result.database =
      std::make_unique<PavorunDatabase>(settings_.UserFolder(), PavorunDatabase::kReadWrite);
  const bool inProgramFolder = settings_.DataMode() == UserDataMode::kProgramFolder;
  result.userDatabase = !inProgramFolder;
  // The query also finds damage that the file's first page does not show.
  const bool hasCircles =
      result.database->IsOpen() && result.database->HasCircles(values_.eventNumber);
  if (result.database->IsDamaged()) {
    ReplaceDamaged(result);
    return result;
  }
  if (inProgramFolder) return result;
  if (hasCircles) {
    values_.noDatabase = 0;
    return result;
  }
  if (!initialize_) {
    // Nothing can initialise it: run on the program folder's catalogue this time, and keep
    // asking on later starts.
    result.database.reset();
    result.database = OpenProgramDatabase();
    return result;
  }
  if (values_.noDatabase == 0) {
    if (AskToInitialize()) {
      const int done = initialize_(result.database);
      values_.noDatabase = done == 1 ? 0 : 1;
    } else {
      values_.noDatabase = 1;
    }
  }
  if (values_.noDatabase == 1 || !result.database) {
    result.database.reset();
    result.database = OpenProgramDatabase();
  }
  return result;
}

}  // namespace vx
