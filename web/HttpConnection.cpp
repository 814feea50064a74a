#include "web/HttpConnection.h"

#include <utility>

#include "platform/Base64.h"
#include "web/HttpRequest.h"

namespace vx {
namespace {

bool IsUnreserved(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

}  // namespace

HttpConnection::HttpConnection(std::string userAgent, std::string userName, std::string password)
    : userAgent_(std::move(userAgent)),
      userName_(std::move(userName)),
      password_(std::move(password)) {}

void HttpConnection::AddHeader(std::string_view name, std::string_view value) {
  std::string line(name);
  line += ": ";
  line += value;
  headers_.push_back(std::move(line));
}

void HttpConnection::AddFormParam(std::string_view name, std::string_view value) {
  if (formHasPairs_) formBody_ += '&';
  AppendUrlEncoded(name);
  formBody_ += '=';
  AppendUrlEncoded(value);
  formHasPairs_ = true;
}

void HttpConnection::AddFormParamInt(std::string_view name, int value) {
  AddFormParam(name, std::to_string(value));
}

void HttpConnection::ClearFormParams() {
  formBody_.clear();
  formHasPairs_ = false;
}

void HttpConnection::AppendUrlEncoded(std::string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  for (const char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    if (IsUnreserved(c)) {
      formBody_ += ch;
    } else {
      formBody_ += '%';
      formBody_ += kHex[c >> 4];
      formBody_ += kHex[c & 0x0F];
    }
  }
}

int HttpConnection::Post(const std::string& url) {
  return HttpRequest({}, nullptr, *this, "POST", url, nullptr);
}

int HttpConnection::Get(const std::string& url, const std::filesystem::path& outputFile,
                        HttpProgressCallback callback, void* context) {
  const std::string address = formBody_.empty() ? url : url + "?" + formBody_;
  return HttpRequest(outputFile, callback, *this, "GET", address, context);
}

void HttpConnection::SetCredentials(std::string userName, std::string password) {
  userName_ = std::move(userName);
  password_ = std::move(password);
}

void HttpConnection::SetError(std::uint32_t code, std::string text) {
  errorCode_ = code;
  errorText_ = std::move(text);
}

void HttpConnection::StartReply() {
  status_ = 0;
  contentLength_ = 0;
  replyBody_.clear();
}

void AddBasicAuthHeader(HttpConnection& connection, std::string_view userName,
                        std::string_view password) {
  std::string credentials(userName);
  credentials += ':';
  credentials += password;
  connection.AddHeader("Authorization", "Basic " + Base64Encode(credentials));
}

}  // namespace vx
