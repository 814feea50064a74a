#include "checklist/ChecklistText.h"

#include "platform/Sjis.h"

namespace vx {
namespace {

bool IsRecordByte(char c) { return c == ',' || c == '"' || c == '\r' || c == '\n'; }

bool IsTrailByte(unsigned char c) { return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC); }

bool IsLeadByte(char c) { return IsSjisLeadByte(static_cast<unsigned char>(c)); }

// Whether text[i] starts a double-byte character that the text completes.
bool StartsPair(std::string_view text, std::size_t i) {
  return IsLeadByte(text[i]) && i + 1 < text.size() &&
         IsTrailByte(static_cast<unsigned char>(text[i + 1]));
}

// Whether the first byte EscapeLongText writes for text[from..] would complete a lead byte
// written just before it.
bool EscapedTextStartsWithTrailByte(std::string_view text, std::size_t from) {
  while (from < text.size() && (text[from] == '\r' || text[from] == '\0')) ++from;
  if (from >= text.size()) return false;
  return text[from] == '\n' || IsTrailByte(static_cast<unsigned char>(text[from]));
}

}  // namespace

void AppendCsvText(std::string& out, std::string_view text) {
  bool quoted = false;
  for (const char c : text) quoted = quoted || IsRecordByte(c);
  if (quoted) out.push_back('"');
  for (const char c : text) {
    if (c == '\0') continue;
    if (c == '"') out.push_back('"');
    out.push_back(c);
  }
  if (quoted) out.push_back('"');
}

std::string EscapeLongText(std::string_view text) {
  std::string escaped;
  escaped.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (StartsPair(text, i)) {
      escaped.append(text.substr(i++, 2));
    } else if (IsLeadByte(c)) {
      if (!EscapedTextStartsWithTrailByte(text, i + 1)) escaped.push_back(c);
    } else if (c == '\n') {
      escaped.append("\\n");
    } else if (c == '\\') {
      escaped.append("\\\\");
    } else if (c != '\r' && c != '\0') {
      escaped.push_back(c);
    }
  }
  return escaped;
}

std::string UnescapeLongText(std::string_view text) {
  std::string plain;
  plain.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    if (text[i] == '\\' && i + 1 < text.size()) {
      ++i;  // the escaped character follows
      if (text[i] == 'n') {
        plain.append("\r\n");
        ++i;
        continue;
      }
    }
    const std::size_t length = SjisCharLength(text, i);
    plain.append(text.substr(i, length));
    i += length;
  }
  return plain;
}

}  // namespace vx
