#include "platform/Base64.h"

#include <sodium.h>

namespace vx {
namespace {

constexpr int kVariant = sodium_base64_VARIANT_ORIGINAL;
constexpr char kWhitespace[] = " \t\r\n\f\v";

bool IsWhitespace(char c) {
  return std::string_view(kWhitespace).find(c) != std::string_view::npos;
}

}  // namespace

std::string Base64Encode(std::string_view bytes) {
  // The encoded length counts the terminator that libsodium writes.
  std::string text(sodium_base64_ENCODED_LEN(bytes.size(), kVariant), '\0');
  sodium_bin2base64(text.data(), text.size(), reinterpret_cast<const unsigned char*>(bytes.data()),
                    bytes.size(), kVariant);
  text.pop_back();
  return text;
}

std::size_t Base64DecodedLength(std::string_view text) {
  std::size_t characters = 0;
  for (char c : text) {
    if (!IsWhitespace(c) && c != '=') ++characters;
  }
  return characters * 3 / 4;
}

std::optional<std::string> Base64Decode(std::string_view text) {
  std::string bytes(Base64DecodedLength(text), '\0');
  std::size_t length = 0;
  // Without an end pointer libsodium refuses anything after the padding; it also refuses
  // missing padding and stray bits in the last character.
  if (sodium_base642bin(reinterpret_cast<unsigned char*>(bytes.data()), bytes.size(), text.data(),
                        text.size(), kWhitespace, &length, nullptr, kVariant) != 0) {
    return std::nullopt;
  }
  bytes.resize(length);
  return bytes;
}

}  // namespace vx
