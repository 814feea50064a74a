// Standard base64 (RFC 4648 alphabet, '=' padding).
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vx {

std::string Base64Encode(std::string_view bytes);

// Bytes a decode of `text` produces at most (the length a caller must provide).
std::size_t Base64DecodedLength(std::string_view text);

// Decoded bytes, or nothing when `text` is not valid base64. Whitespace is ignored.
std::optional<std::string> Base64Decode(std::string_view text);

}  // namespace vx
