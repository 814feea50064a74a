// Reading generated disc files back in tests.
#pragma once

#include <minizip/unzip.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "platform/CodePage.h"

namespace vxtest {

using Rows = std::vector<std::vector<std::string>>;

// Every entry of a ZIP archive by name; empty when the archive cannot be read.
inline std::map<std::string, std::string> ReadZipEntries(const std::filesystem::path& archive) {
  std::map<std::string, std::string> entries;
  unzFile zip = unzOpen64(archive.c_str());
  if (!zip) return entries;
  for (int r = unzGoToFirstFile(zip); r == UNZ_OK; r = unzGoToNextFile(zip)) {
    char name[1024];
    unz_file_info64 info;
    if (unzGetCurrentFileInfo64(zip, &info, name, sizeof name, nullptr, 0, nullptr, 0) != UNZ_OK)
      break;
    std::string bytes(info.uncompressed_size, '\0');
    if (unzOpenCurrentFile(zip) == UNZ_OK) {
      const int read = unzReadCurrentFile(zip, bytes.data(), static_cast<unsigned>(bytes.size()));
      bytes.resize(read > 0 ? static_cast<std::size_t>(read) : 0);
      unzCloseCurrentFile(zip);
    }
    entries[name] = bytes;
  }
  unzClose(zip);
  return entries;
}

// Zero sizes when the bytes are no PNG.
struct PngHeader {
  int width = 0;
  int height = 0;
  int colorType = -1;  // 0 grey, 2 RGB, 6 RGBA
};

inline PngHeader ReadPngHeader(const std::string& bytes) {
  if (bytes.size() < 26 || bytes.compare(0, 8, "\x89PNG\r\n\x1a\n") != 0 ||
      bytes.compare(12, 4, "IHDR") != 0) {
    return {};
  }
  auto u32 = [&](std::size_t at) {
    int value = 0;
    for (std::size_t i = at; i < at + 4; ++i)
      value = value << 8 | static_cast<unsigned char>(bytes[i]);
    return value;
  };
  return {u32(16), u32(20), static_cast<unsigned char>(bytes[25])};
}

inline std::vector<std::string> SplitCrLfLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(text.substr(start, end - start));
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

inline std::vector<std::string> SplitTabs(const std::string& line) {
  std::vector<std::string> fields;
  for (std::size_t start = 0, end = 0; end != std::string::npos; start = end + 1) {
    end = line.find('\t', start);
    fields.push_back(line.substr(start, end - start));
  }
  return fields;
}

// TAB-separated data lines by "*Section" (the empty name before any); comments and blank lines
// dropped.
inline std::map<std::string, Rows> Sections(const std::string& text) {
  std::map<std::string, Rows> sections;
  std::string current;
  for (const std::string& line : SplitCrLfLines(text)) {
    if (line.empty() || line[0] == '#') continue;
    if (line[0] == '*') {
      sections[current = SplitTabs(line.substr(1))[0]];
    } else {
      sections[current].push_back(SplitTabs(line));
    }
  }
  return sections;
}

// The fields of a circle line of either file form as the single form's 20 columns: a day-file
// line loses its flag, and its short form, which has no id and page columns, gets "0" for both.
inline std::vector<std::string> CircleColumns(std::vector<std::string> fields) {
  if (fields.size() == 19 && fields[0].empty()) fields.insert(fields.begin() + 1, 2, "0");
  if (fields.size() == 21) fields.erase(fields.begin());
  return fields;
}

// True when the bytes are valid CP932 (they survive a round trip through UTF-8 unchanged).
inline bool IsCp932(const std::string& bytes) {
  return vx::Utf8ToCp932(vx::Cp932ToUtf8(bytes)) == bytes;
}
inline std::string Sj(const char* utf8) { return vx::Utf8ToCp932(utf8); }

// Comma-separated records: quoted fields may hold commas, doubled quotes and line breaks; a
// record ending in a comma ends in an empty field. No CP932 trail byte is a comma, quote, CR or LF.
inline Rows ParseCsvRecords(const std::string& text) {
  Rows records(1, std::vector<std::string>(1));
  bool quoted = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    std::string& field = records.back().back();
    const char c = text[i];
    if (quoted && text.compare(i, 2, "\"\"") == 0) {
      field += text[i++];
    } else if (c == '"' && (quoted || field.empty())) {
      quoted = !quoted;
    } else if (quoted || (c != ',' && text.compare(i, 2, "\r\n") != 0)) {
      field += c;
    } else if (c == ',') {
      records.back().emplace_back();
    } else {
      records.emplace_back(1);
      ++i;
    }
  }
  if (records.back() == std::vector<std::string>(1)) records.pop_back();
  return records;
}

// All files under a folder, relative with '/' separators, sorted.
inline std::vector<std::string> ListFiles(const std::filesystem::path& root) {
  std::vector<std::string> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
    if (entry.is_regular_file())
      files.push_back(entry.path().lexically_relative(root).generic_string());
  }
  std::sort(files.begin(), files.end());
  return files;
}

}  // namespace vxtest
