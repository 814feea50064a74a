// One login to the portal in a browser: the address of its login page, and what the addresses the
// browser then reaches say. The login ends when the portal sends the browser to its blank page
// (with the authorization code, or with an error), to its error page, or when a page cannot be
// loaded or the user cancels. The blank page must carry back the random state this login sent;
// an answer to another login, or an address with broken escapes, fails the login. The browser
// never leaves https, as the HTTP client never does: once the login has been on https (it may
// start there), an http address is refused and ends the login.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vx {

enum OAuthLoginResult : int {
  kOAuthPending = 0,
  kOAuthCodeReceived = 1,
  kOAuthCancelled = 2,
  kOAuthPortalError = 3,       // the portal (or a reply that cannot be trusted) reported an error
  kOAuthDownloadFailed = 4,    // a page could not be downloaded at all
  kOAuthNavigationFailed = 5,  // a page failed with another status (HTTP statuses included)
};

class OAuthLoginFlow {
 public:
  static constexpr std::string_view kScope =
      "circle_read circle_write favorite_read favorite_write";

  // `baseUrl` is the authorisation server's address, ending in "/".
  OAuthLoginFlow(std::string baseUrl, std::string clientId, std::string state = NewState());

  // 32 hexadecimal digits from the system's random source.
  static std::string NewState();

  // base + "OAuth2/?response_type=code&state=<state>&client_id=<id>&redirect_uri=<blank page>
  // &scope=<scope>", the pieces joined as they stand.
  std::string AuthorizationUrl() const;
  const std::string& BlankUrl() const { return blankUrl_; }  // base + "OAuth2/Blank"
  const std::string& ErrorUrl() const { return errorUrl_; }  // base + "OAuth2/Error"
  const std::string& State() const { return state_; }

  // Whether the browser may go to `url` (in its main frame, or in a frame of the page). A refused
  // address of the main frame ends the login, naming its server.
  bool MayGoTo(std::string_view url, bool mainFrame);
  // A page the browser is about to show or has shown. True when it ends the login: the blank
  // page (compared case-sensitively at its start) or the error page, or on an http portal their
  // https forms. Other pages are the portal's own and change nothing. Nothing changes once the
  // login has ended.
  bool Examine(std::string_view url);
  // A page could not be loaded: `status` is an HTTP status, or kDownloadFailureCode when nothing
  // could be downloaded.
  void NavigationFailed(std::uint32_t status);
  // A page's server presented a certificate that could not be verified: the page could not be
  // downloaded, for the reason the HTTP client gives for such a server.
  void CertificateFailed(std::string host);
  void Cancel();

  int Result() const { return result_; }
  bool Finished() const { return result_ != kOAuthPending; }
  const std::string& Code() const { return code_; }
  // CP932.
  const std::string& Error() const { return error_; }
  const std::string& ErrorDescription() const { return errorDescription_; }
  std::uint32_t NavigationStatus() const { return navigationStatus_; }
  // The server whose certificate failed, or that the browser was refused to go to over http; ""
  // for other failures.
  const std::string& FailedHost() const { return failedHost_; }

 private:
  // `page` or, on an http portal, its https form begins `url`.
  bool IsPage(std::string_view url, const std::string& page) const;
  void ReadReturnPage(std::string_view url, bool blankPage);
  void Fail(std::string error, std::string description);

  std::string baseUrl_;
  std::string clientId_;
  std::string state_;
  std::string blankUrl_;
  std::string errorUrl_;
  int result_ = kOAuthPending;
  std::string code_;
  std::string error_;
  std::string errorDescription_;
  std::uint32_t navigationStatus_ = 0;
  std::string failedHost_;
  bool onHttps_;  // the login has been on https: it stays there
};

}  // namespace vx
