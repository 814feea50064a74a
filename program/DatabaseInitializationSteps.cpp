#include "program/DatabaseInitializationSteps.h"

#include "app/ImageDataLocator.h"
#include "app/ProgressJobRunner.h"
#include "data/DiscImportUiPrompts.h"
#include "platform/Paths.h"
#include "ui/dialogs/CatalogImportProgress.h"
#include "ui/dialogs/DatabaseMergeProgress.h"

namespace vx {

DatabaseInitializer::Steps DatabaseInitializationSteps(UiServices& ui, ProgressJobRunner& runner) {
  DatabaseInitializer::Steps steps;
  steps.importDisc = [&ui](PavorunDatabase& database, int event,
                           const std::filesystem::path& folder, bool& errorShown) {
    CatalogImportProgress install(nullptr, ui, database, event, folder);
    const int result = install.DoModal();
    errorShown = result == DatabaseInitializer::kFailed && install.ErrorShown();
    return result;
  };
  steps.merge = [](PavorunDatabase& target, SqliteDatabase& source, int limit) {
    return DatabaseMergeProgress(nullptr, target, source, limit).DoModal();
  };
  steps.runJob = [&runner](ProgressJob& job, std::string_view caption) {
    return runner.Run(job, caption, nullptr);
  };
  steps.askForFile = [&ui](const std::string& fileName) {
    return DiscImportUiPrompts(ui, nullptr).LocateFile(fileName, DocumentsFolder());
  };
  steps.discRoots = ListOpticalDiscMounts();
  return steps;
}

}  // namespace vx
