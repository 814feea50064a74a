// The texts of communication error boxes: an HTTP status with its reason phrase, or a transport
// failure with its code and what it means.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vx {

// A transport failure's error code: this base plus libcurl's own code. As a signed 32-bit value
// it is negative, so HttpErrorText reads it as a failure code rather than an HTTP status.
inline constexpr std::uint32_t kTransportErrorBase = 0xA0000000;
std::uint32_t TransportErrorCode(int curlCode);

// The download of a page failed (the code the portal login reports for an unreachable page).
inline constexpr std::uint32_t kDownloadFailureCode = 0x800C0008;

// Redirects that are not followed: from https to http, and one that would send the request's body
// to another server.
inline constexpr std::uint32_t kInsecureRedirectCode = kTransportErrorBase + 0x1000;
inline constexpr std::uint32_t kBodyRedirectCode = kTransportErrorBase + 0x1002;

// What a failure code (0 or negative as a signed value) means, CP932.
std::string FailureMessage(std::uint32_t code);

// CP932. `code` as a signed 32-bit value: 0 or negative -> "prefix:%08x:message" (the message
// "未知のエラーコード" when the code has none); 400-415, 449 and 500-505 -> "prefix:phrase:code";
// any other positive code -> "prefix:Other Error:code". `prefix` is CP932.
std::string HttpErrorText(std::string_view prefix, std::uint32_t code);

}  // namespace vx
