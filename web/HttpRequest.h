// One HTTP request, performed synchronously on the calling thread.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "web/HttpConnection.h"

namespace vx {

enum HttpResult : int {
  kHttpFileFailed = -1,    // a 200 reply whose body could not be written to the output file
  kHttpReplied = 0,        // a reply arrived, of any status; the caller judges the status
  kHttpBadAddress = 1,     // the address is malformed, or its scheme is not http or https
  kHttpRequestFailed = 3,  // connecting, the TLS handshake, sending or receiving failed; nothing
                           // of a reply that broke off is kept (status 0, empty body)
  kHttpCancelled = 4,      // the progress callback answered false, or the abort flag was raised
};

// `method` "GET" sends no body; any other method sends the form body (POST, PUT, ...). A user
// name and password in `url` replace the connection's and travel as Basic authorisation, never
// in the address. `outputFile` and `callback` may be empty; `context` goes to the callback.
int HttpRequest(const std::filesystem::path& outputFile, HttpProgressCallback callback,
                HttpConnection& connection, std::string_view method, const std::string& url,
                void* context);

}  // namespace vx
