#include "platform/Paths.h"

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace vx {
namespace {

namespace fs = std::filesystem;

// An environment variable holding an absolute path; relative values are invalid for XDG
// variables and are ignored like unset ones.
std::optional<fs::path> AbsoluteFromEnvironment(const char* name) {
  const char* value = std::getenv(name);
  if (!value || *value != '/') return std::nullopt;
  return fs::path(value);
}

fs::path HomeFolder() {
  if (const char* home = std::getenv("HOME"); home && *home) return home;
  if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir) return entry->pw_dir;
  return "/";
}

fs::path ConfigHomeFolder() {
  return AbsoluteFromEnvironment("XDG_CONFIG_HOME").value_or(HomeFolder() / ".config");
}

std::string_view TrimSpaces(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
    s.remove_suffix(1);
  return s;
}

// The value of a user-dirs.dirs assignment: quotes dropped, backslash escapes resolved and a
// leading $HOME expanded. Nothing for a relative path, which the format does not allow.
std::optional<fs::path> UserDirValue(std::string_view raw) {
  if (raw.size() >= 2 && raw.front() == '"' && raw.back() == '"')
    raw = raw.substr(1, raw.size() - 2);
  std::string value;
  for (std::size_t i = 0; i < raw.size(); ++i) {
    if (raw[i] == '\\' && i + 1 < raw.size()) ++i;
    value.push_back(raw[i]);
  }
  for (std::string_view prefix : {"${HOME}", "$HOME"}) {
    if (value.starts_with(prefix)) {
      return fs::path(HomeFolder().string() + value.substr(prefix.size()));
    }
  }
  if (!value.starts_with('/')) return std::nullopt;
  return fs::path(value);
}

std::optional<fs::path> DocumentsFromUserDirs() {
  std::ifstream in(ConfigHomeFolder() / "user-dirs.dirs");
  const std::string_view name = "XDG_DOCUMENTS_DIR";
  for (std::string line; std::getline(in, line);) {
    std::string_view rest = TrimSpaces(line);
    if (!rest.starts_with(name)) continue;
    rest = TrimSpaces(rest.substr(name.size()));
    if (!rest.starts_with('=')) continue;
    if (auto value = UserDirValue(TrimSpaces(rest.substr(1)))) return value;
  }
  return std::nullopt;
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](char x, char y) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return lower(x) == lower(y);
  });
}

std::vector<std::string> SplitComponents(std::string_view relative) {
  std::vector<std::string> parts;
  std::string current;
  for (char c : relative) {
    if (c == '/' || c == '\\') {
      if (!current.empty()) parts.push_back(std::move(current));
      current.clear();
    } else {
      current.push_back(c);
    }
  }
  if (!current.empty()) parts.push_back(std::move(current));
  return parts;
}

bool Exists(const fs::path& path) {
  std::error_code ec;
  return fs::exists(path, ec);
}

std::string Recased(std::string_view name, bool upper) {
  std::string out(name);
  for (char& c : out) {
    if (upper && c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (!upper && c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

// The entry of `folder` named `name` in any case. The exact name wins; all lower and all upper
// case are tried next so that the usual disc layouts need no directory listing; otherwise the
// first match in name order, so the answer does not depend on the listing order.
std::optional<fs::path> FindEntry(const fs::path& folder, std::string_view name) {
  for (const std::string& candidate :
       {std::string(name), Recased(name, false), Recased(name, true)}) {
    if (Exists(folder / candidate)) return folder / candidate;
  }
  std::optional<std::string> best;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::string entry = it->path().filename().string();
    if (EqualsIgnoringAsciiCase(entry, name) && (!best || entry < *best)) best = std::move(entry);
  }
  if (!best) return std::nullopt;
  return folder / *best;
}

}  // namespace

fs::path ProgramFolder() {
  if (const char* overridden = std::getenv("VINDAXEL_PROGRAM_DIR"); overridden && *overridden) {
    return overridden;
  }
  std::error_code ec;
  const fs::path executable = fs::read_symlink("/proc/self/exe", ec);
  if (!ec) return executable.parent_path();
  return fs::current_path(ec);
}

fs::path DocumentsFolder() {
  if (auto fromEnvironment = AbsoluteFromEnvironment("XDG_DOCUMENTS_DIR")) return *fromEnvironment;
  if (auto fromUserDirs = DocumentsFromUserDirs()) return *fromUserDirs;
  return HomeFolder() / "Documents";
}

fs::path DataHomeFolder() {
  return AbsoluteFromEnvironment("XDG_DATA_HOME").value_or(HomeFolder() / ".local" / "share");
}

std::optional<fs::path> ResolveCaseInsensitive(const fs::path& base, std::string_view relative) {
  if (!Exists(base)) return std::nullopt;
  fs::path current = base;
  for (const std::string& part : SplitComponents(relative)) {
    if (part == ".") continue;
    // A look-up under a folder never climbs out of it.
    if (part == "..") return std::nullopt;
    std::optional<fs::path> next = FindEntry(current, part);
    if (!next) return std::nullopt;
    current = std::move(*next);
  }
  return current;
}

fs::path JoinPath(const fs::path& a, std::string_view b) {
  if (a.empty()) return fs::path(b);
  if (b.empty()) return a;
  while (!b.empty() && (b.front() == '/' || b.front() == '\\')) b.remove_prefix(1);
  std::string head = a.string();
  while (head.size() > 1 && head.back() == '/') head.pop_back();
  if (head.back() != '/') head.push_back('/');
  return fs::path(head + std::string(b));
}

}  // namespace vx
