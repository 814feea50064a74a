// Ini-style profile files with the behaviour programs expect of the classic private-profile
// calls: case-insensitive sections and keys, trimmed values, surrounding quotes removed, integers
// read from leading decimal digits, bytes kept as they are (CP932), CRLF line ends, and edits in
// place that keep comments and every other line.
//
// Details callers may rely on:
// - Only ASCII space and tab are blanks; a double-byte character is never trimmed, split or case
//   folded (0x81 0x40, the full-width blank, stays part of a value).
// - Lines whose first non-blank character is ';' are comments. Lines that are neither a section
//   header nor "key=value" are kept untouched and never match a key.
// - When a section or a key appears twice, the first one is read and written.
// - GetInt: a missing key or an empty value gives the default; otherwise the optional sign and
//   leading decimal digits are read ("12x" is 12, "x" is 0), saturating at the int range.
// - A value read ends at its first NUL byte (after blanks and quotes are taken off).
// - A value that reading would alter (surrounding blanks, or wrapped in matching quotes) is
//   written inside double quotes so that it reads back unchanged.
// - CR LF, LF and a lone CR end lines; lines are written with CR LF.
// - A UTF-8 byte order mark in front of the first line is not part of it and is written back.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <unordered_map>
#include <vector>

namespace vx {

// The whole file in memory; Write* changes the lines and Save() writes them back.
class ProfileFile {
 public:
  ProfileFile();
  // Reads `path`; a missing file is an empty profile.
  explicit ProfileFile(std::filesystem::path path);
  // A profile held in memory (a built-in file); it has no path and is never saved.
  static ProfileFile FromText(std::string_view text);

  bool Load();  // false when the file exists but cannot be read
  // Writes atomically (temporary file, then rename); the old file survives any failure. Refuses
  // (false) while the last Load() failed, so an unreadable file is never replaced by a blank one.
  // `error` says why a save failed (for a file that could not be read: why not).
  bool Save() const;
  bool Save(std::error_code& error) const;

  std::string GetString(std::string_view section, std::string_view key,
                        std::string_view defaultValue) const;
  int GetInt(std::string_view section, std::string_view key, int defaultValue) const;
  bool HasKey(std::string_view section, std::string_view key) const;
  std::vector<std::string> Sections() const;
  std::vector<std::string> Keys(std::string_view section) const;

  // False (nothing changed) when the names or the value cannot be held by one profile line: a
  // line break anywhere, an empty name, ']' in the section or a section ending in a lone lead
  // byte, '=' in the key or a key that would read as a comment or a section header.
  bool WriteString(std::string_view section, std::string_view key, std::string_view value);
  // Both answer whether anything was removed.
  bool DeleteKey(std::string_view section, std::string_view key);
  bool DeleteSection(std::string_view section);

  const std::filesystem::path& Path() const { return path_; }
  // False when the last Load() could not read an existing file; a pipe, a device or a file larger
  // than any settings file counts as one that cannot be read.
  bool Ok() const { return !loadFailed_; }
  // True once an edit changed the lines since the last Load().
  bool IsModified() const { return modified_; }
  // True once a WriteString was refused since the last Load(): what was saved is incomplete.
  bool RefusedWrites() const { return refusedWrites_; }

 private:
  struct Section {
    std::string header;              // "[name]" line as read; empty for the lines before it
    std::string folded;              // name folded for look-ups
    std::vector<std::string> lines;  // body lines as read, without line ends
    std::unordered_map<std::string, std::size_t> keys;  // folded key -> first line holding it
  };

  void Parse(std::string_view text);
  void IndexSections();
  static void IndexKeys(Section& section);
  const Section* FindSection(std::string_view name) const;
  Section* FindSection(std::string_view name);
  const std::string* FindLine(std::string_view section, std::string_view key) const;
  Section& AppendSection(std::string_view name);

  std::filesystem::path path_;
  std::vector<Section> sections_;  // sections_[0] holds the lines before the first header
  std::unordered_map<std::string, std::size_t> sectionIndex_;  // folded name -> first section
  bool loadFailed_ = false;
  std::error_code loadError_;
  bool modified_ = false;
  bool refusedWrites_ = false;
  bool byteOrderMark_ = false;
};

// One-call forms reading or rewriting the file each time. A null key deletes the section; a null
// value deletes the key. Writes answer false when the file cannot be read or written or the
// entry cannot be stored; a write that changes nothing leaves the file alone.
std::string GetPrivateProfileString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue,
                                    const std::filesystem::path& file);
int GetPrivateProfileInt(std::string_view section, std::string_view key, int defaultValue,
                         const std::filesystem::path& file);
bool WritePrivateProfileString(std::string_view section, const char* key, const char* value,
                               const std::filesystem::path& file);

}  // namespace vx
