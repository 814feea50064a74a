#include "web/PortalJob.h"

#include "app/ProgressTask.h"
#include "platform/CodePage.h"
#include "web/HttpErrorText.h"
#include "web/HttpRequest.h"
#include "web/PortalReply.h"

namespace vx {

PortalJob::PortalJob(ProgressTask& task, const PortalServices& services)
    : ProgressJob(Options{nullptr, true}),
      task_(task),
      services_(services),
      login_(task, services) {}

void PortalJob::OnCancel() { task_.stop = true; }

bool PortalJob::Stopped() const { return task_.stop.load() || StopRequested(); }

void PortalJob::RunPasses(const std::function<int()>& pass) {
  login_.RepeatWhileRefused(
      pass, [this] { return Stopped(); }, Sjis(FailureCaption()));
}

int PortalJob::ReadReply(int sent, const HttpConnection& connection, PortalReply& reply) {
  if (sent == kHttpCancelled) return kRequestGivenUp;
  if (sent != kHttpReplied) {
    ShowError(HttpErrorText(Sjis("通信エラー"), connection.GetErrorCode()));
    return 2;
  }
  if (connection.GetStatus() != 200 && connection.GetStatus() != 403) {
    ShowError(HttpErrorText(Sjis("HTTP通信エラー"), connection.GetStatus()));
    return 3;
  }
  if (!reply.Parse(connection.GetReplyText())) {
    ShowError(Sjis("不正な結果:") + reply.ParseError());
    login_.ClearAccessToken();
    return 1;
  }
  return 0;
}

int PortalJob::RefusedToken(const PortalReply& reply) {
  if (reply.Classify() == PortalStatus::kTokenDenied) ShowError(reply.TokenDeniedText());
  login_.ClearAccessToken();
  return kTokenLoginAgain;
}

void PortalJob::ShowError(std::string_view text) const {
  ShowBox(text, FailureCaption(), MB_ICONERROR);
}

void PortalJob::ShowBox(std::string_view text, const char* utf8Caption, unsigned icon) const {
  services_.ShowBox(text, Sjis(utf8Caption), MB_OK | icon);
}

}  // namespace vx
