#include "web/HttpRequest.h"

#include <curl/curl.h>

#include <memory>
#include <mutex>
#include <utility>

#include "web/HttpErrorText.h"
#include "web/HttpTransfer.h"

namespace vx {
namespace {

struct UrlHandleDelete {
  void operator()(CURLU* url) const { curl_url_cleanup(url); }
};
using UrlHandle = std::unique_ptr<CURLU, UrlHandleDelete>;

struct RequestAddress {
  std::string url;  // without credentials and fragment
  std::string userName;
  std::string password;
  std::uint32_t errorCode = 0;  // why the address cannot be used
  std::string errorText;
};

void InitCurlOnce() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

std::string UrlPart(CURLU* url, CURLUPart part, unsigned flags = 0) {
  char* text = nullptr;
  if (curl_url_get(url, part, &text, flags) != CURLUE_OK || text == nullptr) return {};
  std::string value(text);
  curl_free(text);
  return value;
}

bool Refuse(RequestAddress& address, CURLcode code, std::string text) {
  address.errorCode = TransportErrorCode(code);
  address.errorText = std::move(text);
  return false;
}

bool SplitAddress(const std::string& url, RequestAddress& address) {
  UrlHandle handle(curl_url());
  const CURLUcode parsed =
      handle ? curl_url_set(handle.get(), CURLUPART_URL, url.c_str(), CURLU_NON_SUPPORT_SCHEME)
             : CURLUE_OUT_OF_MEMORY;
  if (parsed != CURLUE_OK) {
    return Refuse(address, CURLE_URL_MALFORMAT, curl_url_strerror(parsed));
  }
  const std::string scheme = UrlPart(handle.get(), CURLUPART_SCHEME);
  if (scheme != "http" && scheme != "https") {
    return Refuse(address, CURLE_UNSUPPORTED_PROTOCOL, "invalid protocol");
  }
  address.userName = UrlPart(handle.get(), CURLUPART_USER, CURLU_URLDECODE);
  address.password = UrlPart(handle.get(), CURLUPART_PASSWORD, CURLU_URLDECODE);
  curl_url_set(handle.get(), CURLUPART_USER, nullptr, 0);
  curl_url_set(handle.get(), CURLUPART_PASSWORD, nullptr, 0);
  curl_url_set(handle.get(), CURLUPART_FRAGMENT, nullptr, 0);
  address.url = UrlPart(handle.get(), CURLUPART_URL);
  return true;
}

}  // namespace

int HttpRequest(const std::filesystem::path& outputFile, HttpProgressCallback callback,
                HttpConnection& connection, std::string_view method, const std::string& url,
                void* context) {
  InitCurlOnce();
  connection.StartReply();
  RequestAddress address;
  if (!SplitAddress(url, address)) {
    connection.SetError(address.errorCode, std::move(address.errorText));
    return kHttpBadAddress;
  }
  if (!address.userName.empty() || !address.password.empty()) {
    connection.SetCredentials(address.userName.empty() ? connection.userName_ : address.userName,
                              address.password.empty() ? connection.password_ : address.password);
  }
  if (!connection.userName_.empty() || !connection.password_.empty()) {
    AddBasicAuthHeader(connection, connection.userName_, connection.password_);
  }
  connection.errorText_.clear();
  HttpTransfer transfer(connection, callback, context);
  return transfer.Perform(method, address.url, outputFile);
}

}  // namespace vx
