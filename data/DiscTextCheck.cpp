#include "data/DiscTextCheck.h"

#include "platform/CodePage.h"
#include "platform/Sjis.h"

#include <algorithm>

namespace vx {
namespace {

bool IsSjisTrailByte(unsigned char c) { return c >= 0x40 && c <= 0xFC && c != 0x7F; }

bool IsSingleByteChar(unsigned char c) {
  return c == '\t' || (c >= 0x20 && c < 0x7F) || (c >= 0xA1 && c <= 0xDF);
}

bool IsUtf8Continuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// The length of the UTF-8 character whose first byte is `c`; 0 when no character starts so.
std::size_t Utf8Length(unsigned char c) {
  if (c >= 0xC2 && c <= 0xDF) return 2;
  if (c >= 0xE0 && c <= 0xEF) return 3;
  if (c >= 0xF0 && c <= 0xF4) return 4;
  return 0;
}

// Only the shortest form of a character within Unicode is UTF-8; CP932 bytes rarely meet this.
bool IsShortestUtf8(unsigned char first, unsigned char second) {
  switch (first) {
    case 0xE0:
      return second >= 0xA0;
    case 0xED:
      return second < 0xA0;  // no surrogates
    case 0xF0:
      return second >= 0x90;
    case 0xF4:
      return second < 0x90;
    default:
      return true;
  }
}

bool IsBlank(char c) { return c == ' '; }

// The fields up to the last one that holds text.
std::size_t FilledFieldCount(std::string_view line) {
  return TabFieldCount(line.substr(0, line.find_last_not_of('\t') + 1));
}

bool EndsInHalfCharacter(std::string_view line) {
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (!IsSjisLeadByte(static_cast<unsigned char>(line[i]))) continue;
    if (i + 1 == line.size()) return true;
    ++i;
  }
  return false;
}

}  // namespace

bool IsSjisTextLine(std::string_view line) {
  for (std::size_t i = 0; i < line.size(); ++i) {
    const auto c = static_cast<unsigned char>(line[i]);
    if (IsSjisLeadByte(c)) {
      if (i + 1 >= line.size() || !IsSjisTrailByte(static_cast<unsigned char>(line[i + 1]))) {
        return false;
      }
      ++i;
    } else if (!IsSingleByteChar(c)) {
      return false;
    }
  }
  return true;
}

bool LooksLikeUtf8(std::string_view line) {
  bool wide = false;
  for (std::size_t i = 0; i < line.size();) {
    const auto c = static_cast<unsigned char>(line[i]);
    if (c < 0x80) {
      ++i;
      continue;
    }
    const std::size_t length = Utf8Length(c);
    if (length == 0 || i + length > line.size()) return false;
    for (std::size_t k = 1; k < length; ++k) {
      if (!IsUtf8Continuation(static_cast<unsigned char>(line[i + k]))) return false;
    }
    if (!IsShortestUtf8(c, static_cast<unsigned char>(line[i + 1]))) return false;
    wide = wide || length >= 3;
    i += length;
  }
  return wide;
}

bool IsNumberField(std::string_view field) {
  std::size_t i = 0;
  while (i < field.size() && IsBlank(field[i])) ++i;
  if (i == field.size()) return true;
  if (field[i] == '+' || field[i] == '-') ++i;
  const std::size_t digits = i;
  while (i < field.size() && field[i] >= '0' && field[i] <= '9') ++i;
  if (i == digits) return false;
  while (i < field.size() && IsBlank(field[i])) ++i;
  return i == field.size();
}

std::string NumberColumnsProblem(std::span<const std::string_view> columns,
                                 std::initializer_list<std::size_t> numbers) {
  for (const std::size_t c : numbers) {
    if (c < columns.size() && !IsNumberField(columns[c])) {
      return Sjis("列 ") + std::to_string(c + 1) + Sjis(" が数値ではありません");
    }
  }
  return {};
}

std::string DiscTextProblem(std::string_view line) {
  if (LooksLikeUtf8(line)) {
    return Sjis("UTF-8 のテキストです (Shift-JIS のファイルが必要です)");
  }
  if (!IsSjisTextLine(line)) return Sjis("Shift-JIS のテキストではありません");
  return {};
}

std::string FieldCountProblem(std::string_view line, std::size_t minFields, std::size_t maxFields) {
  const std::size_t count = TabFieldCount(line);
  if (count >= minFields && FilledFieldCount(line) <= maxFields) return {};
  return Sjis("列の数 (") + std::to_string(count) + Sjis(") が ") + std::to_string(minFields) +
         Sjis(" から ") + std::to_string(maxFields) + Sjis(" ではありません");
}

std::string NulByteProblem(std::string_view wholeLine) {
  const std::size_t nul = wholeLine.find('\0');
  if (nul == std::string_view::npos) return {};
  return Sjis("列 ") + std::to_string(TabFieldCount(wholeLine.substr(0, nul))) +
         Sjis(" に NUL 文字 (0x00) があります. ファイルが壊れている可能性があります");
}

std::string CutShortRowProblem(std::string_view line, std::size_t rowFields) {
  const std::size_t fields = TabFieldCount(line);
  std::string detail;
  if (fields < rowFields) {
    detail = Sjis("列の数 ") + std::to_string(fields) + Sjis(", 行の列の数 ") +
             std::to_string(rowFields);
  } else if (EndsInHalfCharacter(line)) {
    detail = Sjis("最後の文字が欠けています");
  } else {
    return {};
  }
  return Sjis("行の途中でファイルが終わっています (") + detail +
         Sjis("). ファイルが途中で切れている可能性があります");
}

std::string LineRefusalText(int lineNumber, const std::string& why) {
  return Sjis("行 ") + std::to_string(lineNumber) + ": " + why + ".";
}

std::size_t TabFieldCount(std::string_view line) {
  return 1 + static_cast<std::size_t>(std::count(line.begin(), line.end(), '\t'));
}

}  // namespace vx
