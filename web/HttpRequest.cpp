#include "web/HttpRequest.h"

#include <curl/curl.h>

#include <mutex>

#include "web/HttpAddress.h"
#include "web/HttpTransfer.h"

namespace vx {
namespace {

void InitCurlOnce() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

}  // namespace

int HttpRequest(const std::filesystem::path& outputFile, HttpProgressCallback callback,
                HttpConnection& connection, std::string_view method, const std::string& url,
                void* context) {
  InitCurlOnce();
  connection.StartReply();
  HttpAddress address;
  if (!address.Parse(url)) {
    connection.SetError(address.ErrorCode(), address.ErrorText());
    return kHttpBadAddress;
  }
  if (!address.UserName().empty() || !address.Password().empty()) {
    connection.SetCredentials(
        address.UserName().empty() ? connection.userName_ : address.UserName(),
        address.Password().empty() ? connection.password_ : address.Password());
  }
  if (!connection.userName_.empty() || !connection.password_.empty()) {
    AddBasicAuthHeader(connection, connection.userName_, connection.password_);
  }
  connection.errorText_.clear();
  HttpTransfer transfer(connection, callback, context);
  return transfer.Perform(method, address, outputFile);
}

}  // namespace vx
