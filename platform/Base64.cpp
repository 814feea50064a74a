#include "platform/Base64.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace vx {
namespace {

constexpr std::string_view kAlphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr char kPad = '=';
constexpr std::int8_t kNotInAlphabet = -1;

constexpr std::array<std::int8_t, 256> MakeDecodeTable() {
  std::array<std::int8_t, 256> table{};
  table.fill(kNotInAlphabet);
  for (std::size_t i = 0; i < kAlphabet.size(); ++i) {
    table[static_cast<unsigned char>(kAlphabet[i])] = static_cast<std::int8_t>(i);
  }
  return table;
}

constexpr std::array<std::int8_t, 256> kDecodeTable = MakeDecodeTable();

bool IsWhitespace(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

std::string WithoutWhitespace(std::string_view text) {
  std::string compact;
  compact.reserve(text.size());
  for (char c : text) {
    if (!IsWhitespace(c)) compact += c;
  }
  return compact;
}

// Appends the bytes of one group of four characters, `padding` of them '=' at the end.
bool DecodeGroup(std::string_view group, std::size_t padding, std::string& out) {
  std::uint32_t bits = 0;
  for (std::size_t i = 0; i < 4; ++i) {
    std::int8_t value = 0;
    if (i < 4 - padding) {
      value = kDecodeTable[static_cast<unsigned char>(group[i])];
      if (value == kNotInAlphabet) return false;
    }
    bits = (bits << 6) | static_cast<std::uint32_t>(value);
  }
  const std::size_t bytes = 3 - padding;
  for (std::size_t i = 0; i < bytes; ++i) out += static_cast<char>((bits >> (16 - 8 * i)) & 0xFF);
  return true;
}

}  // namespace

std::string Base64Encode(std::string_view bytes) {
  std::string text;
  text.reserve((bytes.size() + 2) / 3 * 4);
  for (std::size_t i = 0; i < bytes.size(); i += 3) {
    const std::size_t count = std::min<std::size_t>(3, bytes.size() - i);
    std::uint32_t bits = 0;
    for (std::size_t k = 0; k < 3; ++k) {
      const unsigned char byte = k < count ? static_cast<unsigned char>(bytes[i + k]) : 0;
      bits = (bits << 8) | byte;
    }
    for (std::size_t k = 0; k < 4; ++k) {
      text += k <= count ? kAlphabet[(bits >> (18 - 6 * k)) & 0x3F] : kPad;
    }
  }
  return text;
}

std::size_t Base64DecodedLength(std::string_view text) {
  std::size_t characters = 0;
  for (char c : text) {
    if (!IsWhitespace(c) && c != kPad) ++characters;
  }
  return characters * 3 / 4;
}

std::optional<std::string> Base64Decode(std::string_view text) {
  const std::string compact = WithoutWhitespace(text);
  if (compact.size() % 4 != 0) return std::nullopt;
  const std::size_t padding = compact.ends_with("==") ? 2 : compact.ends_with('=') ? 1 : 0;
  std::string out;
  out.reserve(compact.size() / 4 * 3);
  for (std::size_t i = 0; i < compact.size(); i += 4) {
    const bool last = i + 4 == compact.size();
    if (!DecodeGroup(std::string_view(compact).substr(i, 4), last ? padding : 0, out)) {
      return std::nullopt;
    }
  }
  return out;
}

}  // namespace vx
