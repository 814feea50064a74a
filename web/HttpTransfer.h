// The libcurl side of one request: the transport rules of HttpConnection set on an easy handle,
// redirects followed by our own rules, the reply's status, length and body taken into the
// connection (or held for the output file), and the progress stages reported to the caller's
// callback.
#pragma once

#include <curl/curl.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "web/HttpAddress.h"
#include "web/HttpConnection.h"

namespace vx {

class HttpTransfer {
 public:
  HttpTransfer(HttpConnection& connection, HttpProgressCallback callback, void* context);
  ~HttpTransfer();
  HttpTransfer(const HttpTransfer&) = delete;
  HttpTransfer& operator=(const HttpTransfer&) = delete;

  // Answers an HttpResult.
  int Perform(std::string_view method, const HttpAddress& address,
              const std::filesystem::path& outputFile);

 private:
  static std::size_t OnHeader(char* data, std::size_t size, std::size_t count, void* self);
  static std::size_t OnBody(char* data, std::size_t size, std::size_t count, void* self);
  static int OnTransferInfo(void* self, curl_off_t, curl_off_t, curl_off_t, curl_off_t);

  void SetRequestOptions(std::string_view method, const std::string& url);
  void SetTransportOptions();
  // Basic credentials go only to the origin the request started on.
  void SetHeaderLines(bool withAuthorization);
  // The address of the redirect the last reply asks for, or null when it is no redirect to follow.
  const char* RedirectTarget() const;
  // Moves `current` on to the redirect's target. False, with the connection's error set, when the
  // redirect is refused: from https to http, or the body to another origin than `start`'s.
  // `method` becomes GET where the redirect says so.
  bool FollowRedirect(const char* target, const HttpAddress& start, std::string& method,
                      HttpAddress& current);
  bool RefuseRedirect(std::uint32_t code, const char* target);
  bool Report(int stage, int percent);
  // Status and length of the reply being read, stage 2, and where its body goes.
  bool StartReplyBody();
  bool TakeBody(std::string_view bytes);
  int Finish(CURLcode code, const std::filesystem::path& outputFile);
  int Fail(CURLcode code);

  HttpConnection& connection_;
  HttpProgressCallback callback_;
  void* context_;
  CURL* curl_ = nullptr;
  curl_slist* headerLines_ = nullptr;
  char errorBuffer_[CURL_ERROR_SIZE] = {};
  bool wantsFile_ = false;
  bool replyStarted_ = false;
  bool redirectReply_ = false;
  bool locationGiven_ = false;  // the reply being read names where to go
  bool headersReported_ = false;
  bool toFile_ = false;
  bool cancelled_ = false;
  bool tooLarge_ = false;
  std::string fileBody_;
  std::uint64_t received_ = 0;
  int lastPercent_ = 0;
};

}  // namespace vx
