#include "web/HttpTransfer.h"

#include <algorithm>
#include <cctype>
#include <utility>
#include <vector>

#include "platform/AtomicFile.h"
#include "web/HttpErrorText.h"
#include "web/HttpRequest.h"

namespace vx {
namespace {

std::string_view HeaderName(std::string_view line) { return line.substr(0, line.find(':')); }

bool IsFollowedRedirect(long status) {
  return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

bool SameName(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) ==
           std::tolower(static_cast<unsigned char>(y));
  });
}

}  // namespace

HttpTransfer::HttpTransfer(HttpConnection& connection, HttpProgressCallback callback, void* context)
    : connection_(connection), callback_(callback), context_(context) {}

HttpTransfer::~HttpTransfer() {
  if (curl_ != nullptr) curl_easy_cleanup(curl_);
  curl_slist_free_all(headerLines_);
}

int HttpTransfer::Perform(std::string_view method, const HttpAddress& address,
                          const std::filesystem::path& outputFile) {
  if (!Report(0, 0)) return kHttpCancelled;
  curl_ = curl_easy_init();
  if (curl_ == nullptr) {
    connection_.SetError(TransportErrorCode(CURLE_FAILED_INIT),
                         curl_easy_strerror(CURLE_FAILED_INIT));
    return kHttpBadAddress;
  }
  if (!Report(1, 0)) return kHttpCancelled;
  wantsFile_ = !outputFile.empty();
  SetTransportOptions();
  std::string verb(method);
  HttpAddress current = address;
  for (int redirects = 0;; ++redirects) {
    SetHeaderLines(current.SameOrigin(address));
    SetRequestOptions(verb, current.Url());
    const CURLcode code = curl_easy_perform(curl_);
    const char* target = code == CURLE_OK && !cancelled_ ? RedirectTarget() : nullptr;
    if (target == nullptr) return Finish(code, outputFile);
    if (redirects == HttpConnection::kMaxRedirects) return Fail(CURLE_TOO_MANY_REDIRECTS);
    if (!FollowRedirect(target, address, verb, current)) return kHttpRequestFailed;
  }
}

void HttpTransfer::SetTransportOptions() {
  const HttpTransportOptions& options = connection_.GetTransportOptions();
  curl_easy_setopt(curl_, CURLOPT_ERRORBUFFER, errorBuffer_);
  curl_easy_setopt(curl_, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(curl_, CURLOPT_PROTOCOLS_STR, "http,https");
  // libcurl would re-send a body after a 307 to any host, and leave https for http.
  curl_easy_setopt(curl_, CURLOPT_FOLLOWLOCATION, 0L);
  curl_easy_setopt(curl_, CURLOPT_SSL_VERIFYPEER, 1L);
  curl_easy_setopt(curl_, CURLOPT_SSL_VERIFYHOST, 2L);
  if (!options.caFile.empty()) curl_easy_setopt(curl_, CURLOPT_CAINFO, options.caFile.c_str());
  curl_easy_setopt(curl_, CURLOPT_CONNECTTIMEOUT_MS,
                   static_cast<long>(options.connectTimeout.count()));
  curl_easy_setopt(curl_, CURLOPT_LOW_SPEED_LIMIT, options.lowSpeedBytes);
  const long lowSpeedSeconds =
      std::max<long>(1, static_cast<long>((options.lowSpeedTime.count() + 999) / 1000));
  curl_easy_setopt(curl_, CURLOPT_LOW_SPEED_TIME, lowSpeedSeconds);
  curl_easy_setopt(curl_, CURLOPT_MAXFILESIZE_LARGE,
                   static_cast<curl_off_t>(options.maxReplyBytes));
  curl_easy_setopt(curl_, CURLOPT_USERAGENT, connection_.GetUserAgent().c_str());
  curl_easy_setopt(curl_, CURLOPT_HEADERFUNCTION, &HttpTransfer::OnHeader);
  curl_easy_setopt(curl_, CURLOPT_HEADERDATA, this);
  curl_easy_setopt(curl_, CURLOPT_WRITEFUNCTION, &HttpTransfer::OnBody);
  curl_easy_setopt(curl_, CURLOPT_WRITEDATA, this);
  curl_easy_setopt(curl_, CURLOPT_XFERINFOFUNCTION, &HttpTransfer::OnTransferInfo);
  curl_easy_setopt(curl_, CURLOPT_XFERINFODATA, this);
  curl_easy_setopt(curl_, CURLOPT_NOPROGRESS, 0L);
}

// The connection's lines in the order added, a later line replacing an earlier one of the same
// name; no Content-Type or Expect of libcurl's own unless the caller gave one.
void HttpTransfer::SetHeaderLines(bool withAuthorization) {
  std::vector<std::string_view> lines;
  for (const std::string& line : connection_.GetHeaders()) {
    if (!withAuthorization && SameName(HeaderName(line), "Authorization")) continue;
    const auto same = std::ranges::find_if(lines, [&line](std::string_view kept) {
      return SameName(HeaderName(kept), HeaderName(line));
    });
    if (same != lines.end()) {
      *same = line;
    } else {
      lines.push_back(line);
    }
  }
  for (std::string_view name : {"Content-Type", "Expect"}) {
    if (std::ranges::none_of(
            lines, [name](std::string_view l) { return SameName(HeaderName(l), name); })) {
      lines.push_back(name == "Expect" ? "Expect:" : "Content-Type:");
    }
  }
  curl_slist_free_all(headerLines_);
  headerLines_ = nullptr;
  for (std::string_view line : lines) {
    headerLines_ = curl_slist_append(headerLines_, std::string(line).c_str());
  }
  curl_easy_setopt(curl_, CURLOPT_HTTPHEADER, headerLines_);
}

void HttpTransfer::SetRequestOptions(std::string_view method, const std::string& url) {
  curl_easy_setopt(curl_, CURLOPT_URL, url.c_str());
  const bool custom = method != "GET" && method != "POST";
  curl_easy_setopt(curl_, CURLOPT_CUSTOMREQUEST, custom ? std::string(method).c_str() : nullptr);
  if (method == "GET") {
    curl_easy_setopt(curl_, CURLOPT_HTTPGET, 1L);
    return;
  }
  const std::string& body = connection_.GetFormBody();
  curl_easy_setopt(curl_, CURLOPT_POST, 1L);
  curl_easy_setopt(curl_, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(body.size()));
  curl_easy_setopt(curl_, CURLOPT_POSTFIELDS, body.c_str());
}

const char* HttpTransfer::RedirectTarget() const {
  long status = 0;
  curl_easy_getinfo(curl_, CURLINFO_RESPONSE_CODE, &status);
  if (!IsFollowedRedirect(status)) return nullptr;
  const char* target = nullptr;
  curl_easy_getinfo(curl_, CURLINFO_REDIRECT_URL, &target);
  return target;
}

bool HttpTransfer::FollowRedirect(const char* target, const HttpAddress& start, std::string& method,
                                  HttpAddress& current) {
  HttpAddress address;
  if (!address.Parse(target)) {
    connection_.StartReply();
    connection_.SetError(address.ErrorCode(), address.ErrorText());
    return false;
  }
  // From http on to https is fine; once on https, the request stays there.
  if (current.Scheme() == "https" && address.Scheme() != "https") {
    return RefuseRedirect(kInsecureRedirectCode, target);
  }
  long status = 0;
  curl_easy_getinfo(curl_, CURLINFO_RESPONSE_CODE, &status);
  // As browsers do: 303 asks for a GET, and a POST answered 301 or 302 becomes one.
  if (status == 303 || (method == "POST" && (status == 301 || status == 302))) method = "GET";
  if (method != "GET" && !address.SameOrigin(start)) {
    return RefuseRedirect(kBodyRedirectCode, target);
  }
  current = std::move(address);
  return true;
}

bool HttpTransfer::RefuseRedirect(std::uint32_t code, const char* target) {
  connection_.StartReply();
  connection_.SetError(code, FailureMessage(code) + ": " + target);
  return false;
}

bool HttpTransfer::Report(int stage, int percent) {
  if (callback_ == nullptr || callback_(context_, stage, percent)) return true;
  cancelled_ = true;
  return false;
}

// Every reply (a redirect's too) begins with its status line: what came before belongs to a reply
// that libcurl followed, and is forgotten.
std::size_t HttpTransfer::OnHeader(char* data, std::size_t size, std::size_t count, void* self) {
  auto& transfer = *static_cast<HttpTransfer*>(self);
  const std::string_view line(data, size * count);
  if (line.starts_with("HTTP/")) {
    transfer.replyStarted_ = false;
    transfer.redirectReply_ = false;
    transfer.locationGiven_ = false;
    transfer.toFile_ = false;
    transfer.received_ = 0;
    transfer.lastPercent_ = 0;
    transfer.fileBody_.clear();
    transfer.connection_.StartReply();
  } else if (SameName(HeaderName(line), "Location") &&
             line.find_first_not_of(" \t\r\n", line.find(':') + 1) != std::string_view::npos) {
    transfer.locationGiven_ = true;
  }
  return line.size();
}

std::size_t HttpTransfer::OnBody(char* data, std::size_t size, std::size_t count, void* self) {
  auto& transfer = *static_cast<HttpTransfer*>(self);
  const std::size_t bytes = size * count;
  // Answering fewer bytes than given ends the transfer.
  if (!transfer.StartReplyBody() || !transfer.TakeBody({data, bytes})) return 0;
  return bytes;
}

int HttpTransfer::OnTransferInfo(void* self, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
  auto& transfer = *static_cast<HttpTransfer*>(self);
  const std::atomic<bool>* abort = transfer.connection_.abort_;
  if (abort == nullptr || !abort->load()) return 0;
  transfer.cancelled_ = true;
  return 1;
}

bool HttpTransfer::StartReplyBody() {
  if (replyStarted_) return true;
  replyStarted_ = true;
  long status = 0;
  curl_easy_getinfo(curl_, CURLINFO_RESPONSE_CODE, &status);
  curl_off_t length = -1;
  curl_easy_getinfo(curl_, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length);
  connection_.status_ = static_cast<std::uint32_t>(status);
  connection_.contentLength_ =
      length > 0 ? static_cast<std::uint32_t>(std::min<curl_off_t>(length, UINT32_MAX)) : 0;
  // A redirect's body is nobody's reply. libcurl names the address only once the transfer has
  // ended, so the reply's own Location line tells.
  redirectReply_ = IsFollowedRedirect(status) && locationGiven_;
  if (redirectReply_) return true;
  toFile_ = wantsFile_ && status == 200;
  if (headersReported_) return true;
  headersReported_ = true;
  return Report(2, 0);
}

bool HttpTransfer::TakeBody(std::string_view bytes) {
  if (received_ + bytes.size() > connection_.GetTransportOptions().maxReplyBytes) {
    tooLarge_ = true;
    return false;
  }
  received_ += bytes.size();
  if (redirectReply_) return true;  // kept to the cap all the same
  (toFile_ ? fileBody_ : connection_.replyBody_).append(bytes);
  const std::uint32_t length = connection_.contentLength_;
  if (callback_ == nullptr || length == 0) return true;
  const int percent = static_cast<int>(static_cast<double>(received_) * 100.0 / length);
  if (percent <= lastPercent_) return true;
  lastPercent_ = percent;
  return Report(3, percent);
}

int HttpTransfer::Finish(CURLcode code, const std::filesystem::path& outputFile) {
  if (cancelled_) return kHttpCancelled;
  if (tooLarge_) code = CURLE_FILESIZE_EXCEEDED;
  if (code != CURLE_OK) return Fail(code);
  if (!StartReplyBody()) return kHttpCancelled;  // a reply without a body
  if (callback_ != nullptr && connection_.contentLength_ > 0 && !Report(4, 0)) {
    return kHttpCancelled;
  }
  if (!toFile_) return kHttpReplied;
  const std::error_code error = WriteFileAtomically(outputFile, fileBody_);
  if (!error) return kHttpReplied;
  connection_.errorText_ = outputFile.string() + ": " + error.message();
  return kHttpFileFailed;
}

// What arrived of a reply that broke off is not a reply.
int HttpTransfer::Fail(CURLcode code) {
  connection_.StartReply();
  std::string text = errorBuffer_[0] != '\0' ? std::string(errorBuffer_) : curl_easy_strerror(code);
  if (code == CURLE_FILESIZE_EXCEEDED) {
    text = "reply larger than " + std::to_string(connection_.GetTransportOptions().maxReplyBytes) +
           " bytes";
  }
  connection_.SetError(TransportErrorCode(code), std::move(text));
  return kHttpRequestFailed;
}

}  // namespace vx
