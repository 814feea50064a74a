#include "web/PortalReply.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <stdexcept>

#include "platform/CodePage.h"
#include "web/TextConversions.h"

namespace vx {
namespace {

bool IsJsonSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

constexpr std::size_t kExcerptBytes = 40;

// The parser quotes the reply from where it stopped to the end of that line, which may be the whole
// reply (a reply nested too deep is one line of "["): a short excerpt is enough, in our code page.
std::string ShortParseError(const std::string& error) {
  constexpr std::string_view kNear = "near: ";
  const std::size_t near = error.find(kNear);
  if (near == std::string::npos) return error;
  std::string_view excerpt(error);
  excerpt.remove_prefix(near + kNear.size());
  const bool cut = excerpt.size() > kExcerptBytes;
  if (cut) {
    std::size_t end = kExcerptBytes;
    while (end > 0 && (static_cast<unsigned char>(excerpt[end]) & 0xC0) == 0x80) --end;
    excerpt = excerpt.substr(0, end);
  }
  return error.substr(0, near + kNear.size()) + Utf8ToAnsi(excerpt) + (cut ? "..." : "");
}

}  // namespace

bool PortalReply::Parse(std::string_view body) {
  value_ = picojson::value();
  parseError_.clear();
  std::string_view::const_iterator end;
  try {
    end = picojson::parse(value_, body.begin(), body.end(), &parseError_);
  } catch (const std::overflow_error&) {
    // What the parser throws, without a word, for a number beyond a double (1e999).
    value_ = picojson::value();
    parseError_ = "number out of range";
    return false;
  }
  if (!parseError_.empty()) {
    parseError_ = ShortParseError(parseError_);
    return false;
  }
  if (!std::all_of(end, body.end(), IsJsonSpace)) {
    parseError_ = "trailing data after the value";
    return false;
  }
  return value_.is<picojson::object>();
}

const picojson::object* PortalReply::Response() const {
  return JsonMemberObject(Object(), "response");
}

std::string PortalReply::Status() const { return JsonMemberText(Object(), "status"); }

PortalStatus PortalReply::Classify() const {
  const std::string status = Status();
  if (status == "success") return PortalStatus::kSuccess;
  if (status == "access_token_denied") return PortalStatus::kTokenDenied;
  if (status == "access_token_not_found") return PortalStatus::kTokenNotFound;
  if (status == "failure") return PortalStatus::kFailure;
  if (status == "server_error") return PortalStatus::kServerError;
  return PortalStatus::kOther;
}

std::string PortalReply::ErrorMember(const char* key) const {
  std::string text = JsonMemberText(Object(), key);
  if (const picojson::object* response = Response(); response && response->contains(key)) {
    text = JsonMemberText(*response, key);
  }
  return Utf8ToAnsi(text);
}

std::string PortalReply::Error() const { return ErrorMember("error"); }

std::string PortalReply::ErrorDescription() const { return ErrorMember("error_description"); }

std::string PortalReply::TokenDeniedText() const {
  return Sjis("アクセストークンが無効なためクリアして再認証します") + "\r\n" + Error() + ":" +
         ErrorDescription();
}

std::string PortalReply::FailureText() const {
  return Sjis("処理失敗:") + Utf8ToAnsi(Status()) + "\r\n" + Error() + "\r\n" + ErrorDescription();
}

int JsonInt(const picojson::value& value) {
  if (value.is<std::int64_t>()) {
    return static_cast<int>(std::clamp<std::int64_t>(value.get<std::int64_t>(), INT_MIN, INT_MAX));
  }
  if (!value.is<double>()) return 0;
  const double number = std::trunc(value.get<double>());
  return static_cast<int>(
      std::clamp(number, static_cast<double>(INT_MIN), static_cast<double>(INT_MAX)));
}

bool JsonFitsInt(const picojson::value& value) {
  if (value.is<std::int64_t>()) {
    const std::int64_t number = value.get<std::int64_t>();
    return number >= INT_MIN && number <= INT_MAX;
  }
  if (!value.is<double>()) return true;
  const double number = std::trunc(value.get<double>());
  return number >= static_cast<double>(INT_MIN) && number <= static_cast<double>(INT_MAX);
}

int JsonMemberInt(const picojson::object& object, const char* key) {
  const auto it = object.find(key);
  return it != object.end() ? JsonInt(it->second) : 0;
}

std::string JsonMemberText(const picojson::object& object, const char* key) {
  const auto it = object.find(key);
  return it != object.end() && it->second.is<std::string>() ? it->second.get<std::string>() : "";
}

const picojson::object* JsonMemberObject(const picojson::object& object, const char* key) {
  const auto it = object.find(key);
  return it != object.end() && it->second.is<picojson::object>()
             ? &it->second.get<picojson::object>()
             : nullptr;
}

}  // namespace vx
