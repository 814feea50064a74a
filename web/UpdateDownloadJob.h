// The update of the current event's circle data, as the job of the shared progress dialog: the
// archive "VQ%03dSJIS.ZIP" is downloaded from the update server (or a file the user chose is
// taken), its "UPDATE.TXT" is unpacked to a temporary file and applied to the catalogue database,
// all inside one transaction that is committed only when everything went through. Temporary files
// are removed in every case.
//
// A caller runs it in the progress dialog under the modal guard (CatalogController::
// RunProgressJob with Caption()), then shows ResultText() titled ResultTitle() with ResultIcon(),
// and restarts the program after kDone.
#pragma once

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <string>

#include "app/ProgressJob.h"
#include "app/SteppedJobProgress.h"
#include "data/ImportProgress.h"
#include "web/HttpConnection.h"
#include "web/UpdateArchive.h"
#include "web/WebServiceConfig.h"

namespace vx {

class PavorunDatabase;

class UpdateDownloadJob : public ProgressJob {
 public:
  enum Outcome : int { kCancelled = 1, kDone = 2, kNoUpdate = 3, kError = 4 };

  // An empty `archive` downloads the event's archive from `config`'s update server.
  UpdateDownloadJob(PavorunDatabase& database, int eventNumber, std::filesystem::path archive,
                    const WebServiceConfig& config);

  static std::string Caption();      // "サークル情報の更新", CP932
  static std::string ResultTitle();  // "データベースの更新"
  // The box after the dialog; an error says what failed, a finished update the lines of the
  // update text it left out.
  std::string ResultText(int outcome) const;
  static unsigned ResultIcon(int outcome);
  // CP932; empty unless the outcome is kError.
  const std::string& ErrorDetail() const { return errorDetail_; }

  void SetMaxUpdateTextBytes(std::uint64_t bytes) { maxUpdateTextBytes_ = bytes; }

  StepResult Step() override;
  std::string ProgressText(int position, int total) const override;
  int Result(JobState finalState) const override;
  void OnCancel() override;

 private:
  enum class Phase { kStart, kDownload, kApply };

  class ApplyProgress : public ImportProgress {
   public:
    explicit ApplyProgress(UpdateDownloadJob& job) : job_(job) {}
    void ReportProgress(int position) override { job_.ReportProgress(position); }

   private:
    UpdateDownloadJob& job_;
  };

  StepResult Download();
  StepResult ApplyArchive(const std::filesystem::path& archive);
  StepResult ApplyUpdateText(const std::filesystem::path& text);
  StepResult Fail(std::string detail);
  static bool OnDownloadProgress(void* context, int stage, int percent);

  SqliteTransactionTarget transaction_;
  PavorunDatabase& database_;
  int eventNumber_;
  std::filesystem::path archive_;
  WebServiceConfig config_;
  HttpConnection connection_;
  std::atomic<bool> abort_{false};
  std::atomic<Phase> phase_{Phase::kStart};
  std::uint64_t maxUpdateTextBytes_ = kMaxUpdateTextBytes;
  bool noUpdate_ = false;
  std::string errorDetail_;
  std::string noticeText_;  // lines left out of a finished update
};

}  // namespace vx
