#include "app/CatalogDatabaseOpener.h"

#include <utility>

#include "platform/CodePage.h"
#include "platform/UiServices.h"

namespace vx {

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

CatalogDatabaseOpener::Result CatalogDatabaseOpener::Open() {
  Result result;
  if (settings_.readOnly()) {
    result.database = OpenProgramDatabase();
    return result;
  }
  result.database =
      std::make_unique<PavorunDatabase>(settings_.userFolder(), PavorunDatabase::kReadWrite);
  if (settings_.userDataMode() == UserDataMode::kProgramFolder) return result;

  result.userDatabase = true;
  if (result.database->IsOpen() && result.database->HasCircles(values_.eventNumber)) {
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
