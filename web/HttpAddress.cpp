#include "web/HttpAddress.h"

#include <curl/curl.h>

#include <algorithm>
#include <cctype>
#include <memory>
#include <utility>

#include "web/HttpErrorText.h"

namespace vx {
namespace {

struct UrlHandleDelete {
  void operator()(CURLU* url) const { curl_url_cleanup(url); }
};
using UrlHandle = std::unique_ptr<CURLU, UrlHandleDelete>;

std::string UrlPart(CURLU* url, CURLUPart part, unsigned flags = 0) {
  char* text = nullptr;
  if (curl_url_get(url, part, &text, flags) != CURLUE_OK || text == nullptr) return {};
  std::string value(text);
  curl_free(text);
  return value;
}

std::string Lower(std::string text) {
  std::ranges::transform(text, text.begin(),
                         [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

}  // namespace

bool HttpAddress::Parse(const std::string& url) {
  UrlHandle handle(curl_url());
  const CURLUcode parsed =
      handle ? curl_url_set(handle.get(), CURLUPART_URL, url.c_str(), CURLU_NON_SUPPORT_SCHEME)
             : CURLUE_OUT_OF_MEMORY;
  if (parsed != CURLUE_OK) return Refuse(CURLE_URL_MALFORMAT, curl_url_strerror(parsed));
  scheme_ = Lower(UrlPart(handle.get(), CURLUPART_SCHEME));
  if (scheme_ != "http" && scheme_ != "https") {
    return Refuse(CURLE_UNSUPPORTED_PROTOCOL, "invalid protocol");
  }
  host_ = Lower(UrlPart(handle.get(), CURLUPART_HOST));
  port_ = UrlPart(handle.get(), CURLUPART_PORT, CURLU_DEFAULT_PORT);
  userName_ = UrlPart(handle.get(), CURLUPART_USER, CURLU_URLDECODE);
  password_ = UrlPart(handle.get(), CURLUPART_PASSWORD, CURLU_URLDECODE);
  curl_url_set(handle.get(), CURLUPART_USER, nullptr, 0);
  curl_url_set(handle.get(), CURLUPART_PASSWORD, nullptr, 0);
  curl_url_set(handle.get(), CURLUPART_FRAGMENT, nullptr, 0);
  url_ = UrlPart(handle.get(), CURLUPART_URL);
  return true;
}

bool HttpAddress::SameOrigin(const HttpAddress& other) const {
  return scheme_ == other.scheme_ && host_ == other.host_ && port_ == other.port_;
}

bool HttpAddress::Refuse(int curlCode, std::string text) {
  errorCode_ = TransportErrorCode(curlCode);
  errorText_ = std::move(text);
  return false;
}

}  // namespace vx
