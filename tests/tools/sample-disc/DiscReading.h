// Reading generated disc files back in tests.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace vxtest {

using Rows = std::vector<std::vector<std::string>>;

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
// TAB-separated data lines by "*Section" (the empty name before any); comments and blank lines
// dropped.
std::map<std::string, Rows> Sections(const std::string& text);
// A circle line of either file form as the single form's 20 columns: a day-file line loses its
// flag, and its short form, which has no id and page columns, gets "0" for both.
std::vector<std::string> CircleColumns(const std::string& line);

// True when the bytes are valid CP932 (they survive a round trip through UTF-8 unchanged).
bool IsCp932(const std::string& bytes);
std::string Sj(const char* utf8);  // CP932 bytes of a UTF-8 literal

// Comma-separated records: quoted fields may hold commas, doubled quotes and line breaks; a
// record ending in a comma ends in an empty field.
Rows ParseCsvRecords(const std::string& cp932Text);

// All files under a folder, relative with '/' separators, sorted.
std::vector<std::string> ListFiles(const std::filesystem::path& root);

}  // namespace vxtest
