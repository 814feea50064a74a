#include "platform/UiServices.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <string>
#include <utility>

namespace vx {

std::vector<int> MessageBoxAnswers(unsigned flags) {
  switch (flags & MB_TYPEMASK) {
    case MB_OKCANCEL:
      return {IDOK, IDCANCEL};
    case MB_ABORTRETRYIGNORE:
      return {IDABORT, IDRETRY, IDIGNORE};
    case MB_YESNOCANCEL:
      return {IDYES, IDNO, IDCANCEL};
    case MB_YESNO:
      return {IDYES, IDNO};
    case MB_RETRYCANCEL:
      return {IDRETRY, IDCANCEL};
    default:
      return {IDOK};
  }
}

int MessageBoxDefaultAnswer(unsigned flags) {
  const std::vector<int> answers = MessageBoxAnswers(flags);
  const std::size_t index = (flags & MB_DEFMASK) >> 8;
  return index < answers.size() ? answers[index] : answers.front();
}

int MessageBoxEscapeAnswer(unsigned flags) {
  const std::vector<int> answers = MessageBoxAnswers(flags);
  if (std::find(answers.begin(), answers.end(), IDCANCEL) != answers.end()) return IDCANCEL;
  if ((flags & MB_TYPEMASK) == MB_YESNO) return IDNO;
  return answers.size() == 1 ? IDOK : 0;
}

std::filesystem::path WithDefaultExtension(std::filesystem::path path, std::string_view extension) {
  if (extension.empty() || path.filename().empty() || path.has_extension()) return path;
  path += ".";
  path += extension;
  return path;
}

std::vector<std::filesystem::path> UiServices::OpenFilesDialog(OwnerWindow owner,
                                                               const FileDialogRequest& request) {
  std::optional<std::filesystem::path> chosen = OpenFileDialog(owner, request);
  if (!chosen) return {};
  return {std::move(*chosen)};
}

namespace {

std::string LowerAscii(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

// Percent escapes decoded; nothing for a broken escape.
std::optional<std::string> PercentDecoded(std::string_view text) {
  std::string decoded;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      decoded += text[i];
      continue;
    }
    if (i + 2 >= text.size() || HexValue(text[i + 1]) < 0 || HexValue(text[i + 2]) < 0) {
      return std::nullopt;
    }
    decoded += static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
    i += 2;
  }
  return decoded;
}

// Mail programs take fields of their own from a mailto address, some of them files to attach
// ("attach", "attachment"): only the fields of a plain message may pass.
bool HasOnlyMessageFields(std::string_view mailto) {
  const std::size_t query = mailto.find('?');
  if (query == std::string_view::npos) return true;
  std::string_view fields = mailto.substr(query + 1);
  while (!fields.empty()) {
    const std::size_t end = fields.find('&');
    const std::string_view field = fields.substr(0, end);
    fields.remove_prefix(end == std::string_view::npos ? fields.size() : end + 1);
    if (field.empty()) continue;
    const std::optional<std::string> name = PercentDecoded(field.substr(0, field.find('=')));
    if (!name) return false;
    const std::string lower = LowerAscii(*name);
    if (lower != "to" && lower != "cc" && lower != "bcc" && lower != "subject" && lower != "body" &&
        lower != "in-reply-to") {
      return false;
    }
  }
  return true;
}

}  // namespace

bool IsOpenableUrl(std::string_view url) {
  const std::string scheme = LowerAscii(url.substr(0, std::min<std::size_t>(url.size(), 8)));
  if (scheme.starts_with("mailto:")) return HasOnlyMessageFields(url);
  return scheme.starts_with("http://") || scheme.starts_with("https://");
}

}  // namespace vx
