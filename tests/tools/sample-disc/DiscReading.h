// Reading generated disc files back in tests: ZIP entries, PNG headers, CP932 text lines and
// fields, comma-separated records with quoted fields.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace vxtest {

// Every entry of a ZIP archive by name; empty when the archive cannot be read.
std::map<std::string, std::string> ReadZipEntries(const std::filesystem::path& archive);

struct PngHeader {
  bool valid = false;
  int width = 0;
  int height = 0;
  int colorType = -1;  // 0 grey, 2 RGB, 6 RGBA
};
PngHeader ReadPngHeader(const std::string& bytes);

// Lines split at CR LF; false in `allCrLf` when a lone CR or LF is met.
std::vector<std::string> SplitCrLfLines(const std::string& text, bool* allCrLf = nullptr);
std::vector<std::string> SplitTabs(const std::string& line);
// True when the bytes are valid CP932 (they survive a round trip through UTF-8 unchanged).
bool IsCp932(const std::string& bytes);
// CP932 bytes of a UTF-8 literal.
std::string Sj(const char* utf8);

// Comma-separated records: quoted fields may hold commas, quotes (doubled) and line breaks.
// Each record's trailing empty field after its final comma is kept as an empty last field.
std::vector<std::vector<std::string>> ParseCsvRecords(const std::string& cp932Text);

// All files under a folder, as paths relative to it with '/' separators, sorted.
std::vector<std::string> ListFiles(const std::filesystem::path& root);

}  // namespace vxtest
