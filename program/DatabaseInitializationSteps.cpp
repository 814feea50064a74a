#include "program/DatabaseInitializationSteps.h"

#include "app/ProgressJobRunner.h"
#include "ui/dialogs/CatalogImportProgress.h"
#include "ui/dialogs/DatabaseMergeProgress.h"

namespace vx {

DatabaseInitializer::Steps DatabaseInitializationSteps(UiServices& ui, ProgressJobRunner& runner) {
  DatabaseInitializer::Steps steps;
  steps.importDisc = [&ui](PavorunDatabase& database, int event,
                           const std::filesystem::path& folder) {
    return CatalogImportProgress(nullptr, ui, database, event, folder).DoModal();
  };
  steps.merge = [](PavorunDatabase& target, SqliteDatabase& source, int limit) {
    return DatabaseMergeProgress(nullptr, target, source, limit).DoModal();
  };
  steps.runJob = [&runner](ProgressJob& job, std::string_view caption) {
    return runner.Run(job, caption, nullptr);
  };
  return steps;
}

}  // namespace vx
