// The portal's access token for the favourites jobs: the one kept in the protected settings group
// when there is one, otherwise a new one from a login on the portal's page (OAuth2 authorization
// code) and the exchange of its code at the token endpoint, kept for later runs. Also the sandbox
// switch that points everything at the portal's sandbox servers.
//
// Runs on the worker thread of the job's progress dialog; every failure shows one error box, owned
// by the services' owner window, before it is answered. A token that cannot be kept (the key
// file of the protected settings cannot be used) is said once a session (once by this object when
// the services bring no session notices), with the file to put right.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "web/PortalServices.h"
#include "web/PortalSessionNotices.h"

namespace vx {

class OAuthLoginFlow;
struct ProgressTask;

enum AccessTokenResult : int {
  kTokenReady = 0,
  kTokenRefused = 1,      // the portal refused the login or the code, or answered nonsense
  kTokenUnreachable = 2,  // the portal could not be reached
  kTokenHttpError = 3,    // the portal answered another HTTP status
  kTokenLoginAgain = 4,   // the token reply held no token: log in again
  kTokenCancelled = 6,    // the user cancelled the login
};

class PortalLogin {
 public:
  // The prefix of the token's key in the protected group ("auth" + "AccessToken").
  static constexpr std::string_view kKeyPrefix = "auth";
  // Passes of one job: a portal that refuses every new token is not asked for ever.
  static constexpr int kMaxLogins = 3;

  // The task's owner is the settings store (may be null: then no token is kept); its stop flag
  // gives up a token request under way.
  PortalLogin(ProgressTask& task, const PortalServices& services);

  // "SandBox" of the protected group is not 0.
  bool IsSandboxMode() const;
  void ClearAccessToken(std::string_view keyPrefix = kKeyPrefix) const;
  // kTokenReady with `token` filled in; any other result leaves `token` as it was.
  int GetAccessToken(std::string& token);

  // Runs `pass` again while it answers kTokenLoginAgain (the token was refused and cleared, so the
  // next pass logs in anew) and `stopped` answers false; after kMaxLogins passes, an error box
  // titled `caption` (CP932) says that the portal keeps refusing its tokens, or, when the last
  // token request brought none, that no token could be obtained.
  void RepeatWhileRefused(const std::function<int()>& pass, const std::function<bool()>& stopped,
                          std::string_view caption) const;

  // The favourites API of the chosen server, ending in "/".
  std::string ApiBaseUrl() const;
  // The event number the portal knows the catalogue by: "84" on the sandbox, "96" otherwise.
  std::string EventNumberText() const;

 private:
  struct Client;
  Client ChosenClient() const;
  int RunLogin(OAuthLoginFlow& flow);
  int ReportLoginFailure(const OAuthLoginFlow& flow);
  int RequestToken(const Client& client, const std::string& code, std::string& token);
  void KeepToken(const std::string& token);
  void ShowError(std::string_view text) const;

  ProgressTask& task_;
  const PortalServices& services_;
  std::string caption_;
  bool tokenWithheld_ = false;       // the last token request was answered without a token
  PortalSessionNotices ownNotices_;  // when the services bring none
};

}  // namespace vx
