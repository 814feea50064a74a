#include "platform/UiServices.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <utility>

namespace vx {

std::vector<int> MessageBoxAnswers(unsigned flags) {
  switch (flags & MB_TYPEMASK) {
    case MB_OKCANCEL: return {IDOK, IDCANCEL};
    case MB_ABORTRETRYIGNORE: return {IDABORT, IDRETRY, IDIGNORE};
    case MB_YESNOCANCEL: return {IDYES, IDNO, IDCANCEL};
    case MB_YESNO: return {IDYES, IDNO};
    case MB_RETRYCANCEL: return {IDRETRY, IDCANCEL};
    default: return {IDOK};
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

bool IsOpenableUrl(std::string_view url) {
  std::string lower(url.substr(0, std::min<std::size_t>(url.size(), 8)));
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower.starts_with("http://") || lower.starts_with("https://") ||
         lower.starts_with("mailto:");
}

}  // namespace vx
