#include "print/OutputPath.h"

#include <cstdio>

namespace vx {
namespace {

std::string_view FilePart(std::string_view text) {
  const std::size_t slash = text.rfind('/');
  return slash == std::string_view::npos ? text : text.substr(slash + 1);
}

std::string FolderPart(std::string_view text) {
  const std::size_t slash = text.rfind('/');
  if (slash == std::string_view::npos) return {};
  const std::string_view folder = text.substr(0, slash + 1);
  const std::size_t lead = folder.rfind("//", 0) == 0 ? 2 : 0;
  std::string out(folder.substr(0, lead));
  for (std::size_t i = lead; i < folder.size(); ++i) {
    if (folder[i] == '/' && !out.empty() && out.back() == '/') continue;
    out += folder[i];
  }
  return out;
}

void AppendWithoutQuotes(std::string& out, std::string_view text) {
  for (const char c : text) {
    if (c != '"') out += c;
  }
}

}  // namespace

std::string MakeOutputPath(std::string_view folder, std::string_view name,
                           std::string_view extension) {
  const std::string_view extensionFile = FilePart(extension);
  const std::size_t dot = extensionFile.rfind('.');
  std::string out;
  AppendWithoutQuotes(out, FolderPart(folder));
  AppendWithoutQuotes(out, FilePart(name));
  if (dot != std::string_view::npos) AppendWithoutQuotes(out, extensionFile.substr(dot));
  return out;
}

std::string PageFileName(std::string_view baseName, int page) {
  char number[16];
  std::snprintf(number, sizeof number, "%03d", page);
  return std::string(baseName) + number;
}

std::string OutputFolder_ToSettings(const std::filesystem::path& folder,
                                    const std::filesystem::path& profile) {
  const std::filesystem::path absolute = folder.lexically_normal();
  const std::filesystem::path inside = absolute.lexically_relative(profile.lexically_normal() / "");
  const bool within = !profile.empty() && !inside.empty() && *inside.begin() != "..";
  std::string text = within ? inside.string() : absolute.string();
  if (text.empty() || text.back() != '/') text.push_back('/');  // the profile itself is "./"
  return text;
}

std::filesystem::path OutputFolder_FromSettings(std::string_view kept,
                                                const std::filesystem::path& profile) {
  const std::filesystem::path folder(kept);
  if (kept.empty() || folder.is_absolute()) return folder;
  return (profile / folder).lexically_normal();
}

}  // namespace vx
