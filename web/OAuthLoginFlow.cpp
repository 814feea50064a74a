#include "web/OAuthLoginFlow.h"

#include <curl/curl.h>
#include <sodium.h>

#include <array>
#include <map>
#include <stdexcept>
#include <utility>

#include "platform/CodePage.h"
#include "web/HttpAddress.h"
#include "web/HttpErrorText.h"
#include "web/QueryString.h"
#include "web/TextConversions.h"

namespace vx {
namespace {

using QueryPairs = std::map<std::string, std::string>;

std::string Member(const QueryPairs& pairs, const char* name) {
  const auto it = pairs.find(name);
  return it != pairs.end() ? it->second : std::string();
}

bool IsHttps(const std::string& url) {
  HttpAddress address;
  return address.Parse(url) && address.Scheme() == "https";
}

// The portal's texts arrive percent-encoded UTF-8.
std::string PortalText(const QueryPairs& pairs, const char* name) {
  return Utf8ToAnsi(Member(pairs, name));
}

}  // namespace

OAuthLoginFlow::OAuthLoginFlow(std::string baseUrl, std::string clientId, std::string state)
    : baseUrl_(std::move(baseUrl)),
      clientId_(std::move(clientId)),
      state_(std::move(state)),
      blankUrl_(baseUrl_ + "OAuth2/Blank"),
      errorUrl_(baseUrl_ + "OAuth2/Error"),
      onHttps_(IsHttps(baseUrl_)) {}

std::string OAuthLoginFlow::NewState() {
  if (sodium_init() < 0) throw std::runtime_error("no random source");
  std::array<unsigned char, 16> bytes;
  randombytes_buf(bytes.data(), bytes.size());
  std::array<char, 2 * 16 + 1> hex;
  sodium_bin2hex(hex.data(), hex.size(), bytes.data(), bytes.size());
  return std::string(hex.data(), 2 * bytes.size());
}

std::string OAuthLoginFlow::AuthorizationUrl() const {
  return baseUrl_ + "OAuth2/?response_type=code&state=" + state_ + "&client_id=" + clientId_ +
         "&redirect_uri=" + blankUrl_ + "&scope=" + std::string(kScope);
}

bool OAuthLoginFlow::MayGoTo(std::string_view url, bool mainFrame) {
  HttpAddress address;
  if (!address.Parse(std::string(url))) return true;  // no server to be talked to in clear
  if (address.Scheme() == "https") {
    onHttps_ = onHttps_ || mainFrame;
    return true;
  }
  if (!onHttps_) return true;
  if (mainFrame && !Finished()) {
    navigationStatus_ = kInsecureRedirectCode;
    result_ = kOAuthDownloadFailed;
    failedHost_ = address.Host();
  }
  return false;
}

bool OAuthLoginFlow::Examine(std::string_view url) {
  if (Finished()) return false;
  if (IsPage(url, blankUrl_)) {
    ReadReturnPage(url, true);
  } else if (IsPage(url, errorUrl_)) {
    ReadReturnPage(url, false);
  }
  return Finished();
}

bool OAuthLoginFlow::IsPage(std::string_view url, const std::string& page) const {
  if (url.starts_with(page)) return true;
  constexpr std::string_view kHttp = "http:";
  return page.starts_with(kHttp) && url.starts_with("https:") &&
         url.substr(std::string_view("https:").size()).starts_with(page.substr(kHttp.size()));
}

// The blank page carries the code (which wins over an error beside it) or the portal's error; the
// error page only an error.
void OAuthLoginFlow::ReadReturnPage(std::string_view url, bool blankPage) {
  QueryPairs pairs;
  if (!ParseQueryString(url, pairs)) {
    Fail("invalid_response", Sjis("ログインの応答に読めないエスケープがあります。"));
    return;
  }
  const std::string code = blankPage ? Member(pairs, "code") : std::string();
  if (code.empty()) {
    Fail(PortalText(pairs, "error"), PortalText(pairs, "error_description"));
  } else if (Member(pairs, "state") != state_) {
    Fail("invalid_state", Sjis("ログインの応答がこのログインのものではありません。"));
  } else {
    code_ = code;
    result_ = kOAuthCodeReceived;
  }
}

void OAuthLoginFlow::NavigationFailed(std::uint32_t status) {
  if (Finished()) return;
  navigationStatus_ = status;
  result_ = status == kDownloadFailureCode ? kOAuthDownloadFailed : kOAuthNavigationFailed;
}

void OAuthLoginFlow::CertificateFailed(std::string host) {
  if (Finished()) return;
  NavigationFailed(TransportErrorCode(CURLE_PEER_FAILED_VERIFICATION));
  result_ = kOAuthDownloadFailed;
  failedHost_ = std::move(host);
}

void OAuthLoginFlow::Cancel() {
  if (!Finished()) result_ = kOAuthCancelled;
}

void OAuthLoginFlow::Fail(std::string error, std::string description) {
  error_ = std::move(error);
  errorDescription_ = std::move(description);
  result_ = kOAuthPortalError;
}

}  // namespace vx
