// Installs one event's catalogue from the disc's text files under the progress dialog, inside one
// transaction, asking for files that are not where the definition file is.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

class QWidget;

namespace vx {

class PavorunDatabase;
class ProgressDialog;
class UiServices;

class CatalogImportProgress {
 public:
  // Makes `eventNo` the database's current event number. `sourceFolder` holds the text files.
  CatalogImportProgress(QWidget* parent, UiServices& ui, PavorunDatabase& database, int eventNo,
                        const std::filesystem::path& sourceFolder);
  ~CatalogImportProgress();
  CatalogImportProgress(const CatalogImportProgress&) = delete;
  CatalogImportProgress& operator=(const CatalogImportProgress&) = delete;

  // 1 done (committed), 0 cancelled, 2 failed (rolled back either way).
  int DoModal();
  // After a failure: why (CP932; empty when the transaction itself could not be ended), and
  // whether the import has shown it to the user already.
  const std::string& ErrorText() const;
  bool ErrorShown() const;
  ProgressDialog& Dialog() { return *dialog_; }

 private:
  class Prompts;
  class Job;

  std::unique_ptr<Prompts> prompts_;
  std::unique_ptr<Job> job_;
  std::unique_ptr<ProgressDialog> dialog_;
};

}  // namespace vx
