#include "web/FavoriteExportJob.h"

#include "app/ProgressTask.h"
#include "checklist/FavoriteStore.h"
#include "platform/CodePage.h"
#include "web/HttpRequest.h"
#include "web/PortalConnection.h"
#include "web/PortalDialogs.h"
#include "web/PortalExportJob.h"
#include "web/PortalReply.h"
#include "web/TextConversions.h"

namespace vx {
namespace {

constexpr const char* kFailureCaption = "お気に入りエクスポート処理失敗";

}  // namespace

FavoriteExportJob::FavoriteExportJob(ProgressTask& task, const FavoriteStore& store,
                                     const PortalServices& services)
    : PortalJob(task, services), store_(store) {}

std::string FavoriteExportJob::Caption() { return Sjis("チェックリストのエクスポート"); }

std::string FavoriteExportJob::ResultText(const std::string& failureLines) {
  return Sjis("エクスポート結果\r\n\r\n以下のサークルのエクスポートは失敗しました\r\n\r\n") +
         failureLines + "\r\n";
}

std::string FavoriteExportJob::ProgressText(int position, int total) const {
  return FormatProgressText(Sjis("チェックリストを書き出しています"), position, total);
}

StepResult FavoriteExportJob::Step() {
  if (store_.GetEntryCount() == 0) return StepResult::kFinished;
  RunPasses([this] { return ExportFavoritesToPortal(); });
  return StepResult::kFinished;
}

int FavoriteExportJob::ExportFavoritesToPortal() {
  std::string token;
  if (const int result = login_.GetAccessToken(token); result != kTokenReady) return result;
  HttpConnection connection = NewPortalConnection(services_.config, &task_.stop);
  PortalExportJob job;
  job.connection = &connection;
  job.accessToken = token;
  job.eventNumber = login_.EventNumberText();
  job.requestUrl = login_.ApiBaseUrl() + "Readers/Favorite/";
  job.progress = [this](int position, int total) { ReportProgress(position, total); };
  job.total = store_.GetEntryCount();
  store_.ExportPlacedToPortal([&job](const FavoriteEntry&) {
    ++job.toSend;
    return true;
  });
  store_.ExportPlacedToPortal(
      [&](const FavoriteEntry& entry) { return ExportFavoriteToPortal(job, entry); });
  ReportPass(job);
  return job.result;
}

// Only a complete pass says it is complete; one that stopped (an error, which said why in its own
// box, or a cancel) says how far it got. After a refused token the next pass sends everything
// again and reports then.
void FavoriteExportJob::ReportPass(const PortalExportJob& job) const {
  if (job.result == kTokenLoginAgain) return;
  if (!job.failureLines.empty() && services_.dialogs != nullptr) {
    services_.dialogs->ShowExportResult(ResultText(job.failureLines), services_.owner);
  }
  if (job.result != 0) {
    ShowBox(Sjis("お気に入り ") + std::to_string(job.toSend) + Sjis(" 件のうち ") +
                std::to_string(job.done) + Sjis(" 件を送信しました。残りの ") +
                std::to_string(job.toSend - job.done) + Sjis(" 件は送信していません。"),
            "エクスポート中断", MB_ICONWARNING);
  } else if (job.failureLines.empty()) {
    ShowBox(Sjis("エクスポート完了しました"), "エクスポート完了", MB_ICONINFORMATION);
  }
}

bool FavoriteExportJob::ExportFavoriteToPortal(PortalExportJob& job, const FavoriteEntry& entry) {
  const CircleRecord& record = entry.record;
  job.connection->ClearFormParams();
  job.connection->AddFormParam("access_token", job.accessToken);
  job.connection->AddFormParam("eventNumber", job.eventNumber);
  job.connection->AddFormParam("eventName", "Vellastrade");
  job.connection->AddFormParamInt("updateId", record.updateId);
  job.connection->AddFormParamInt("color", entry.color);
  job.connection->AddFormParam("memo", AnsiToUtf8(record.memo));
  std::string error;
  Answer answer = Send(job, "POST", error);
  for (int puts = 0; answer == Answer::kExists && puts < kMaxPutRetries; ++puts) {
    answer = Send(job, "PUT", error);
  }
  if (answer == Answer::kFailed) return false;
  if (answer != Answer::kTaken) job.failureLines += record.circleName + ":" + error + "\r\n";
  Counted(job);
  return true;
}

FavoriteExportJob::Answer FavoriteExportJob::Send(PortalExportJob& job, const char* method,
                                                  std::string& error) {
  if (Stopped()) {
    job.result = 1;
    return Answer::kFailed;
  }
  HttpConnection& connection = *job.connection;
  const int sent = HttpRequest({}, nullptr, connection, method, job.requestUrl, nullptr);
  PortalReply reply;
  if (const int failed = ReadReply(sent, connection, reply); failed != 0) {
    job.result = failed == kRequestGivenUp ? 1 : failed;
    return Answer::kFailed;
  }
  error = reply.Error();
  return ReadAnswer(job, reply);
}

FavoriteExportJob::Answer FavoriteExportJob::ReadAnswer(PortalExportJob& job,
                                                        const PortalReply& reply) {
  switch (reply.Classify()) {
    case PortalStatus::kSuccess:
      return Answer::kTaken;
    case PortalStatus::kFailure:
      return reply.Error() == "favorite_exist" ? Answer::kExists : Answer::kRefused;
    case PortalStatus::kTokenDenied:
    case PortalStatus::kTokenNotFound:
      job.result = RefusedToken(reply);
      return Answer::kFailed;
    case PortalStatus::kServerError:
      ShowError(reply.FailureText());
      job.result = 3;
      return Answer::kFailed;
    default:
      ShowError(reply.FailureText());
      job.result = 1;
      return Answer::kFailed;
  }
}

void FavoriteExportJob::Counted(PortalExportJob& job) const {
  ++job.done;
  if (job.progress) job.progress(job.done, job.total);
}

const char* FavoriteExportJob::FailureCaption() const { return kFailureCaption; }

}  // namespace vx
