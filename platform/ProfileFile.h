// Ini-style profile files with the behaviour programs expect of the classic private-profile
// calls: case-insensitive sections and keys, trimmed values, surrounding quotes removed, integers
// read from leading decimal digits, bytes kept as they are (CP932), CRLF line ends, and edits in
// place that keep comments and every other line.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace vx {

// The whole file in memory; Write* changes the lines and Save() writes them back.
class ProfileFile {
 public:
  ProfileFile() = default;
  // Reads `path`; a missing file is an empty profile.
  explicit ProfileFile(std::filesystem::path path);

  bool Load();   // false when the file exists but cannot be read
  bool Save() const;  // writes atomically (temporary file, then rename)

  std::string GetString(std::string_view section, std::string_view key,
                        std::string_view defaultValue) const;
  int GetInt(std::string_view section, std::string_view key, int defaultValue) const;
  bool HasKey(std::string_view section, std::string_view key) const;
  std::vector<std::string> Sections() const;
  std::vector<std::string> Keys(std::string_view section) const;

  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void DeleteKey(std::string_view section, std::string_view key);
  void DeleteSection(std::string_view section);

  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
  std::vector<std::string> lines_;
};

// One-call forms reading or rewriting the file each time. A null key deletes the section; a null
// value deletes the key. Writes answer false when the file cannot be written.
std::string GetPrivateProfileString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue,
                                    const std::filesystem::path& file);
int GetPrivateProfileInt(std::string_view section, std::string_view key, int defaultValue,
                         const std::filesystem::path& file);
bool WritePrivateProfileString(std::string_view section, const char* key, const char* value,
                               const std::filesystem::path& file);

}  // namespace vx
