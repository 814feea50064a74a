#include "web/PortalLogin.h"

#include <cstdint>

#include "app/AppSettings.h"
#include "app/ProgressTask.h"
#include "platform/CodePage.h"
#include "platform/DataProtection.h"
#include "web/HttpErrorText.h"
#include "web/HttpRequest.h"
#include "web/OAuthLoginFlow.h"
#include "web/PortalConnection.h"
#include "web/PortalDialogs.h"
#include "web/PortalReply.h"
#include "web/TextConversions.h"

namespace vx {
namespace {

constexpr std::string_view kClientId = "Hx4RqL9mTz2WcV7bNp3KdY8sFj6GuA1eQo5XtMw0";
constexpr std::string_view kClientSecret = "Jd2XwN7pLq5RzC8vMb4KtH1sYg9FeU6aTo3WcQi0";
constexpr std::string_view kSandboxClientSecret = "Pm8VzK3qWr6TnB1xLc9HdS4yGf7JuE2aRk5NoQt0";

std::string TokenKey(std::string_view prefix) { return std::string(prefix) + "AccessToken"; }

using KeyState = DataProtection::KeyFileState;

// Why the token could not be kept, and what to do about it; CP932.
std::string UnkeptTokenReason(const AppSettings& settings) {
  const DataProtection protection(DataProtection::DefaultKeyFile());
  const std::string key = Sjis("鍵ファイル ") + Utf8ToAnsi(protection.KeyFile().string());
  const std::string remove = Sjis("このファイルを削除すると、次のログインで新しい鍵が作られます。");
  switch (protection.CheckKeyFile()) {
    case KeyState::kLink:
      return key + Sjis(" がシンボリックリンクです。") + remove;
    case KeyState::kNotAFile:
      return key + Sjis(" が通常のファイルではありません。") + remove;
    case KeyState::kNotOwned:
      return key + Sjis(" がほかのユーザーのものです。") + remove;
    case KeyState::kOpenToOthers:
      return key + Sjis(" をほかのユーザーも読み書きできます。") + remove;
    case KeyState::kWrongSize:
      return key + Sjis(" の中身が鍵ではありません。") + remove;
    case KeyState::kUnreadable:
      return key + Sjis(" を読めません。") + remove;
    case KeyState::kMissing:
      return key + Sjis(" を作れません。そのフォルダーに書き込めるようにしてください。");
    case KeyState::kUsable:
      break;
  }
  return Sjis("設定ファイル ") + Utf8ToAnsi(settings.UserSettingsFile().string()) +
         Sjis(" に書き込めません。");
}

// A failed page load's box text: an HTTP status, or (0 and below as a signed value) a failure code.
std::string NavigationErrorText(std::uint32_t status) {
  const bool httpStatus = static_cast<std::int32_t>(status) > 0;
  return HttpErrorText(Sjis(httpStatus ? "HTTP通信エラー" : "通信エラー"), status);
}

}  // namespace

struct PortalLogin::Client {
  std::string baseUrl;
  std::string secret;
};

PortalLogin::PortalLogin(ProgressTask& task, const PortalServices& services)
    : task_(task), services_(services) {}

bool PortalLogin::IsSandboxMode() const {
  return task_.owner != nullptr && task_.owner->ReadAuthInt("SandBox") != 0;
}

void PortalLogin::ClearAccessToken(std::string_view keyPrefix) const {
  if (task_.owner != nullptr) task_.owner->WriteProtectedString(TokenKey(keyPrefix), "");
}

std::string PortalLogin::ApiBaseUrl() const {
  return IsSandboxMode() ? services_.config.sandboxApiServer : services_.config.apiServer;
}

std::string PortalLogin::EventNumberText() const { return IsSandboxMode() ? "84" : "96"; }

PortalLogin::Client PortalLogin::ChosenClient() const {
  if (IsSandboxMode()) {
    return {services_.config.sandboxAuthServer, std::string(kSandboxClientSecret)};
  }
  return {services_.config.authServer, std::string(kClientSecret)};
}

int PortalLogin::GetAccessToken(std::string& token) {
  std::string stored;
  if (task_.owner != nullptr && task_.owner->ReadProtectedString(TokenKey(kKeyPrefix), stored) &&
      !stored.empty()) {
    token = stored;
    tokenWithheld_ = false;
    return kTokenReady;
  }
  caption_ = Sjis("認証処理失敗");
  const Client client = ChosenClient();
  OAuthLoginFlow flow(client.baseUrl, std::string(kClientId));
  if (const int result = RunLogin(flow); result != kTokenReady) return result;
  const int result = RequestToken(client, flow.Code(), token);
  tokenWithheld_ = result == kTokenLoginAgain;
  return result;
}

int PortalLogin::RunLogin(OAuthLoginFlow& flow) {
  if (services_.dialogs != nullptr) {
    services_.dialogs->RunLogin(flow, services_.config.caFile, services_.owner);
  }
  flow.Cancel();  // a login page that closed without an outcome counts as cancelled
  return flow.Result() == kOAuthCodeReceived ? kTokenReady : ReportLoginFailure(flow);
}

int PortalLogin::ReportLoginFailure(const OAuthLoginFlow& flow) {
  switch (flow.Result()) {
    case kOAuthCancelled:
      ShowError(Sjis("認証処理がキャンセルされました"));
      return kTokenCancelled;
    case kOAuthPortalError:
      ShowError(Sjis("認証エラー:") + flow.Error() + "\r\n" + flow.ErrorDescription());
      return kTokenRefused;
    default:
      break;
  }
  const std::uint32_t status = flow.NavigationStatus();
  std::string text = NavigationErrorText(status);
  if (!flow.FailedHost().empty()) text += Sjis("\r\nサーバー: ") + flow.FailedHost();
  ShowError(text);
  if (flow.Result() == kOAuthDownloadFailed || static_cast<std::int32_t>(status) <= 0) {
    return kTokenUnreachable;
  }
  return status == 403 ? kTokenRefused : kTokenHttpError;
}

int PortalLogin::RequestToken(const Client& client, const std::string& code, std::string& token) {
  HttpConnection connection = NewPortalConnection(services_.config, &task_.stop);
  connection.AddFormParam("grant_type", "authorization_code");
  connection.AddFormParam("code", code);
  connection.AddFormParam("client_id", kClientId);
  connection.AddFormParam("client_secret", client.secret);
  const int sent = connection.Post(client.baseUrl + "OAuth2/Token");
  if (sent == kHttpCancelled) {
    ShowError(Sjis("認証処理がキャンセルされました"));
    return kTokenCancelled;
  }
  if (sent != kHttpReplied) {
    ShowError(HttpErrorText(Sjis("通信エラー"), connection.GetErrorCode()));
    return kTokenUnreachable;
  }
  caption_ = Sjis("アクセストークン取得失敗");
  if (connection.GetStatus() != 200) {
    ShowError(HttpErrorText(Sjis("HTTP通信エラー"), connection.GetStatus()));
    return connection.GetStatus() == 403 ? kTokenRefused : kTokenHttpError;
  }
  PortalReply reply;
  if (!reply.Parse(connection.GetReplyText())) {
    ShowError(Sjis("不正な結果:") + reply.ParseError());
    return kTokenRefused;
  }
  const auto found = reply.Object().find("access_token");
  if (found == reply.Object().end()) {
    // The code is a secret: it is not shown.
    ShowError(Sjis("アクセストークン取得失敗のため再認証します:") +
              Utf8ToAnsi(JsonMemberText(reply.Object(), "error")) + "\r\n" +
              Utf8ToAnsi(JsonMemberText(reply.Object(), "error_description")));
    return kTokenLoginAgain;
  }
  // A token that is no text, or empty, would pass for "no token" at the next call.
  if (!found->second.is<std::string>() || found->second.get<std::string>().empty()) {
    ShowError(Sjis("不正な結果:") + "access_token");
    return kTokenRefused;
  }
  token = found->second.get<std::string>();
  KeepToken(token);
  return kTokenReady;
}

// A token that cannot be kept still serves this command; the user hears once why the next one
// will ask for a login again.
void PortalLogin::KeepToken(const std::string& token) {
  if (task_.owner == nullptr || task_.owner->WriteProtectedString(TokenKey(kKeyPrefix), token)) {
    return;
  }
  PortalSessionNotices& notices = services_.notices != nullptr ? *services_.notices : ownNotices_;
  if (!notices.FirstUnkeptLogin()) return;
  services_.ShowBox(Sjis("ログインを記憶できません。次の操作でもまたログインが必要です。\r\n") +
                        UnkeptTokenReason(*task_.owner),
                    Sjis("ログインの記憶"), MB_OK | MB_ICONWARNING);
}

void PortalLogin::ShowError(std::string_view text) const {
  services_.ShowBox(text, caption_, MB_OK | MB_ICONERROR);
}

void PortalLogin::RepeatWhileRefused(const std::function<int()>& pass,
                                     const std::function<bool()>& stopped,
                                     std::string_view caption) const {
  for (int logins = 0; logins < kMaxLogins; ++logins) {
    if (pass() != kTokenLoginAgain || stopped()) return;
  }
  services_.ShowBox(Sjis(tokenWithheld_ ? "ポータルからアクセストークンを取得できませんでした。"
                                          "時間をおいてやり直してください。"
                                        : "ポータルが新しいアクセストークンも受け付けません。"
                                          "時間をおいてやり直してください。"),
                    caption, MB_OK | MB_ICONERROR);
}

}  // namespace vx
