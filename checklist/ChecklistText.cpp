#include "checklist/ChecklistText.h"

#include "platform/Sjis.h"

namespace vx {
namespace {

bool NeedsQuotes(std::string_view text) {
  for (std::size_t i = 0; i < text.size(); i += SjisCharLength(text, i)) {
    const char c = text[i];
    if (c == ',' || c == '"' || c == '\r' || c == '\n') return true;
  }
  return false;
}

}  // namespace

void AppendCsvText(std::string& out, std::string_view text) {
  if (!NeedsQuotes(text)) {
    out.append(text);
    return;
  }
  out.push_back('"');
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length = SjisCharLength(text, i);
    if (length == 1 && text[i] == '"') out.push_back('"');
    out.append(text.substr(i, length));
    i += length;
  }
  out.push_back('"');
}

std::string EscapeLongText(std::string_view text) {
  std::string escaped;
  escaped.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length = SjisCharLength(text, i);
    const char c = text[i];
    if (length == 2) {
      escaped.append(text.substr(i, 2));
    } else if (c == '\n') {
      escaped.append("\\n");
    } else if (c == '\\') {
      escaped.append("\\\\");
    } else if (c != '\r') {
      escaped.push_back(c);
    }
    i += length;
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
