// One HTTP exchange at a time: the request as it is collected (user agent, Basic credentials,
// header lines, form parameters) and the reply of the last request (status, content length, body,
// error). HttpRequest performs the request; Get and Post are its two usual forms. A connection
// may run several requests in a row; headers and form parameters stay for the later ones.
//
// Transport rules that hold for every request: certificates and host names are always verified
// (a CA file may be named, for test servers), redirects never leave https (from http they may
// go on to https) and never carry a body or Basic credentials to another origin (at most
// kMaxRedirects; a refused one is a failure of the request), connecting and stalled transfers
// time out, and a reply larger than the reply cap is refused.
#pragma once

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace vx {

// (context, stage, percent) -> false cancels the request. Stages: 0 started, 1 connection set up,
// 2 reply headers read, 3 body percent read (only with a known content length, and only when the
// percent grew), 4 body read (only with a known content length).
using HttpProgressCallback = bool (*)(void* context, int stage, int percent);

struct HttpTransportOptions {
  static constexpr std::size_t kDefaultMaxReplyBytes = 64 << 20;

  std::filesystem::path caFile;  // empty: the system's certificate store
  std::chrono::milliseconds connectTimeout{30000};
  // A transfer slower than lowSpeedBytes a second for lowSpeedTime is given up.
  std::chrono::milliseconds lowSpeedTime{60000};
  long lowSpeedBytes = 1;
  std::size_t maxReplyBytes = kDefaultMaxReplyBytes;
};

class HttpConnection {
 public:
  static constexpr int kMaxRedirects = 10;

  // Texts are bytes as they go on the wire.
  HttpConnection(std::string userAgent, std::string userName, std::string password);

  // Appends the line "name: value". A later line of the same name replaces it on the wire.
  void AddHeader(std::string_view name, std::string_view value);
  // Appends "&" (from the second pair on), the percent-encoded name, "=" and the value.
  void AddFormParam(std::string_view name, std::string_view value);
  void AddFormParamInt(std::string_view name, int value);
  void ClearFormParams();
  // [A-Za-z0-9] stay; every other byte becomes %XX with upper-case digits.
  void AppendUrlEncoded(std::string_view text);

  // POST of the form body to `url`. Results as HttpRequest.
  int Post(const std::string& url);
  // GET of `url`, with "?" and the form body appended when there is one. The body goes to
  // `outputFile` (when not empty) only after a 200 reply, and the file appears only once the
  // whole body has arrived; any other reply's body goes to memory.
  int Get(const std::string& url, const std::filesystem::path& outputFile = {},
          HttpProgressCallback callback = nullptr, void* context = nullptr);

  // The last reply.
  std::uint32_t GetStatus() const { return status_; }
  std::uint32_t GetContentLength() const { return contentLength_; }
  const std::string& GetReplyText() const { return replyBody_; }
  std::string GetReplyString() const { return replyBody_; }
  // Why the last request failed (results 1 and 3): the transport's own words, and its code
  // (see HttpErrorText).
  const std::string& GetErrorText() const { return errorText_; }
  std::uint32_t GetErrorCode() const { return errorCode_; }

  void SetTransportOptions(const HttpTransportOptions& options) { transport_ = options; }
  const HttpTransportOptions& GetTransportOptions() const { return transport_; }
  // A flag that, once raised (from any thread), ends the running request with result 4.
  void SetAbortFlag(const std::atomic<bool>* flag) { abort_ = flag; }

  const std::string& GetUserAgent() const { return userAgent_; }
  const std::string& GetUserName() const { return userName_; }
  const std::string& GetPassword() const { return password_; }
  const std::vector<std::string>& GetHeaders() const { return headers_; }
  const std::string& GetFormBody() const { return formBody_; }

 private:
  friend int HttpRequest(const std::filesystem::path& outputFile, HttpProgressCallback callback,
                         HttpConnection& connection, std::string_view method,
                         const std::string& url, void* context);
  friend class HttpTransfer;

  void SetCredentials(std::string userName, std::string password);
  void SetError(std::uint32_t code, std::string text);
  void StartReply();

  std::string userAgent_;
  std::string userName_;
  std::string password_;
  std::string formBody_;
  std::vector<std::string> headers_;
  std::uint32_t status_ = 0;
  std::uint32_t contentLength_ = 0;
  std::string replyBody_;
  bool formHasPairs_ = false;
  std::string errorText_;
  std::uint32_t errorCode_ = 0;
  HttpTransportOptions transport_;
  const std::atomic<bool>* abort_ = nullptr;
};

// Adds "Authorization: Basic " + base64(userName ":" password).
void AddBasicAuthHeader(HttpConnection& connection, std::string_view userName,
                        std::string_view password);

}  // namespace vx
