// A JSON reply of the portal (token, favourites read and write): parsed whole, with the members
// every reply may carry, "status", "error" and "error_description", and the two boxes that report
// a refused request.
#pragma once

#include <picojson.h>

#include <string>
#include <string_view>

namespace vx {

// What a reply's "status" says.
enum class PortalStatus {
  kSuccess,        // "success"
  kTokenDenied,    // "access_token_denied": the token is no longer good
  kTokenNotFound,  // "access_token_not_found"
  kFailure,        // "failure": this one request was refused ("error" says why)
  kServerError,    // "server_error": the portal's own trouble; the token stays
  kOther,          // anything else, also none
};

class PortalReply {
 public:
  // False when the body is not one JSON value (trailing text included, a number out of range)
  // or not an object; ParseError() then holds the parser's words with a short excerpt of the
  // reply, CP932 ("" when the value only was not an object).
  bool Parse(std::string_view body);
  const std::string& ParseError() const { return parseError_; }

  const picojson::object& Object() const { return value_.get<picojson::object>(); }
  // The member "response" when it is an object, else null.
  const picojson::object* Response() const;
  // As sent (UTF-8); "" when absent or not a string.
  std::string Status() const;
  PortalStatus Classify() const;
  // CP932. Values inside "response" replace the top-level ones.
  std::string Error() const;
  std::string ErrorDescription() const;

  // "アクセストークンが無効なためクリアして再認証します\r\n<error>:<description>", CP932.
  std::string TokenDeniedText() const;
  // "処理失敗:<status>\r\n<error>\r\n<description>", CP932.
  std::string FailureText() const;

 private:
  std::string ErrorMember(const char* key) const;

  picojson::value value_;
  std::string parseError_;
};

// A JSON number truncated towards zero and held to the int range; 0 for anything else.
int JsonInt(const picojson::value& value);
// False for a number that, truncated towards zero, lies outside the int range; anything that is
// no number fits (it reads as 0).
bool JsonFitsInt(const picojson::value& value);
// The member `key` of `object` as a number (JsonInt); 0 when absent.
int JsonMemberInt(const picojson::object& object, const char* key);
// The member `key` when it is a string (UTF-8 as sent), else "".
std::string JsonMemberText(const picojson::object& object, const char* key);
// The member `key` when it is an object, else null.
const picojson::object* JsonMemberObject(const picojson::object& object, const char* key);

}  // namespace vx
