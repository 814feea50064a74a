#include "web/UpdateDownloadJob.h"

#include <cstdio>
#include <memory>
#include <utility>

#include "data/PavorunDatabase.h"
#include "data/TextLineReader.h"
#include "platform/CodePage.h"
#include "platform/UiServices.h"
#include "web/CountProgressText.h"
#include "web/HttpErrorText.h"
#include "web/HttpRequest.h"
#include "web/TemporaryFile.h"

namespace vx {
namespace {

constexpr int kDownloadTotal = 100;

// The name the user knows the update text by, whatever the archive's entry is called.
constexpr const char* kUpdateTextName = "UPDATE.TXT";

struct FileClose {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

UpdateDownloadJob::UpdateDownloadJob(PavorunDatabase& database, int eventNumber,
                                     std::filesystem::path archive, const WebServiceConfig& config)
    : ProgressJob(Options{&transaction_, true}),
      transaction_(database),
      database_(database),
      eventNumber_(eventNumber),
      archive_(std::move(archive)),
      config_(config),
      connection_("Lothervanquist", "", "") {
  connection_.SetTransportOptions(config_.Transport());
  connection_.SetAbortFlag(&abort_);
  SetTotal(kDownloadTotal);
}

std::string UpdateDownloadJob::Caption() { return Sjis("サークル情報の更新"); }

std::string UpdateDownloadJob::ResultTitle() { return Sjis("データベースの更新"); }

std::string UpdateDownloadJob::ResultText(int outcome) const {
  switch (outcome) {
    case kCancelled:
      return Sjis("データベースの更新がキャンセルされました.");
    case kDone: {
      std::string text = Sjis("データベースの更新が完了しました.");
      if (!noticeText_.empty()) text += "\r\n" + noticeText_;
      return text;
    }
    case kNoUpdate:
      return Sjis("更新用の情報は存在しませんでした.");
    default: {
      std::string text = Sjis("データベースの更新中にエラーが生じました.");
      if (!errorDetail_.empty()) text += "\r\n" + errorDetail_;
      return text;
    }
  }
}

unsigned UpdateDownloadJob::ResultIcon(int outcome) {
  switch (outcome) {
    case kCancelled:
      return MB_ICONEXCLAMATION;
    case kDone:
    case kNoUpdate:
      return MB_ICONINFORMATION;
    default:
      return MB_ICONHAND;
  }
}

StepResult UpdateDownloadJob::Step() {
  if (archive_.empty()) return Download();
  return ApplyArchive(archive_);
}

std::string UpdateDownloadJob::ProgressText(int position, int total) const {
  switch (phase_.load()) {
    case Phase::kDownload:
      return CountProgressText("ダウンロード中", position, total);
    case Phase::kApply:
      return CountProgressText("更新中", position, total);
    default:
      return {};
  }
}

int UpdateDownloadJob::Result(JobState finalState) const {
  switch (finalState) {
    case JobState::kCancelled:
      return kCancelled;
    case JobState::kDone:
      return kDone;
    default:
      return noUpdate_ ? kNoUpdate : kError;
  }
}

// Stops the download at its next report or stall check, and the apply after its current line.
void UpdateDownloadJob::OnCancel() {
  abort_ = true;
  database_.GetCircleStop() = true;
}

StepResult UpdateDownloadJob::Download() {
  const TemporaryFile archive;
  if (!archive.Created()) return Fail(Sjis("一時ファイルを作成できません。"));
  phase_ = Phase::kDownload;
  const int result = connection_.Get(config_.UpdateArchiveUrl(eventNumber_), archive.Path(),
                                     &UpdateDownloadJob::OnDownloadProgress, this);
  if (result == kHttpCancelled || StopRequested()) return StepResult::kFailed;
  if (result != kHttpReplied) {
    return Fail(HttpErrorText(Sjis("通信エラー"), connection_.GetErrorCode()) + "\r\n" +
                connection_.GetErrorText());
  }
  if (connection_.GetStatus() == 404) {
    noUpdate_ = true;
    return StepResult::kFailed;
  }
  if (connection_.GetStatus() != 200) {
    return Fail(HttpErrorText(Sjis("HTTP通信エラー"), connection_.GetStatus()));
  }
  return ApplyArchive(archive.Path());
}

bool UpdateDownloadJob::OnDownloadProgress(void* context, int stage, int percent) {
  auto& job = *static_cast<UpdateDownloadJob*>(context);
  // Stages without a percent keep what was shown: the download ends at 100, not back at 0.
  job.ReportProgress(stage == 3 ? percent : job.Position(), kDownloadTotal);
  return !job.StopRequested();
}

StepResult UpdateDownloadJob::ApplyArchive(const std::filesystem::path& archive) {
  const TemporaryFile text;
  if (!text.Created()) return Fail(Sjis("一時ファイルを作成できません。"));
  const UpdateArchiveStatus status = ExtractUpdateText(archive, text.Path(), maxUpdateTextBytes_);
  if (status != UpdateArchiveStatus::kOk) return Fail(UpdateArchiveStatusText(status));
  return ApplyUpdateText(text.Path());
}

StepResult UpdateDownloadJob::ApplyUpdateText(const std::filesystem::path& text) {
  const std::unique_ptr<std::FILE, FileClose> file(std::fopen(text.c_str(), "rb"));
  if (!file) return Fail(UpdateArchiveStatusText(UpdateArchiveStatus::kWriteFailed));
  const int lines = CountFileLines(file.get());
  phase_ = Phase::kApply;
  ReportProgress(0, lines);
  if (StopRequested()) return StepResult::kFailed;
  ApplyProgress progress(*this);
  const ImportStatus applied = database_.ApplyUpdateFile(file.get(), &progress);
  // A refused file is the file's fault, not the database's; the transaction undoes what it did.
  if (applied.FileRefused()) {
    return Fail(std::string(kUpdateTextName) + ": " + applied.message + "\r\n" +
                Sjis("データベースは更新前のままです."));
  }
  if (applied.Failed()) {
    return Fail(Sjis("データベースに書き込めません: ") + applied.message);
  }
  if (applied.refusedLines > 0) {
    noticeText_ = std::string(kUpdateTextName) + ": " + applied.RefusedLinesText() +
                  Sjis(" これらの行は反映していません.");
  }
  return StopRequested() ? StepResult::kFailed : StepResult::kFinished;
}

StepResult UpdateDownloadJob::Fail(std::string detail) {
  errorDetail_ = std::move(detail);
  return StepResult::kFailed;
}

}  // namespace vx
