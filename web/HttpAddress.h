// An address as a request uses it: only http and https, split into the parts that decide where it
// goes (scheme, host, port) and the credentials it carries, which never travel in the address.
#pragma once

#include <cstdint>
#include <string>

namespace vx {

class HttpAddress {
 public:
  // False, with ErrorCode() and ErrorText() set, when `url` is malformed or neither http nor
  // https ("invalid protocol").
  bool Parse(const std::string& url);

  // Without credentials and fragment.
  const std::string& Url() const { return url_; }
  const std::string& Scheme() const { return scheme_; }
  const std::string& Host() const { return host_; }  // lower case
  const std::string& UserName() const { return userName_; }
  const std::string& Password() const { return password_; }
  // Same scheme, host and port (a port left out counts as the scheme's own).
  bool SameOrigin(const HttpAddress& other) const;

  std::uint32_t ErrorCode() const { return errorCode_; }
  const std::string& ErrorText() const { return errorText_; }

 private:
  bool Refuse(int curlCode, std::string text);

  std::string url_;
  std::string scheme_;
  std::string host_;
  std::string port_;
  std::string userName_;
  std::string password_;
  std::uint32_t errorCode_ = 0;
  std::string errorText_;
};

}  // namespace vx
