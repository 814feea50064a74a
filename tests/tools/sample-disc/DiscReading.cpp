#include "tests/tools/sample-disc/DiscReading.h"

#include <minizip/unzip.h>

#include <algorithm>
#include <fstream>
#include <iterator>

#include "platform/CodePage.h"

namespace vxtest {

std::map<std::string, std::string> ReadZipEntries(const std::filesystem::path& archive) {
  std::map<std::string, std::string> entries;
  unzFile zip = unzOpen64(archive.c_str());
  if (!zip) return entries;
  for (int r = unzGoToFirstFile(zip); r == UNZ_OK; r = unzGoToNextFile(zip)) {
    char name[1024];
    unz_file_info64 info;
    if (unzGetCurrentFileInfo64(zip, &info, name, sizeof name, nullptr, 0, nullptr, 0) != UNZ_OK) {
      break;
    }
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

PngHeader ReadPngHeader(const std::string& bytes) {
  static const std::string kSignature = "\x89PNG\r\n\x1a\n";
  PngHeader header;
  if (bytes.size() < 26 || bytes.compare(0, 8, kSignature) != 0 || bytes.compare(12, 4, "IHDR") != 0) {
    return header;
  }
  auto u32 = [&](std::size_t at) {
    return (static_cast<unsigned char>(bytes[at]) << 24) | (static_cast<unsigned char>(bytes[at + 1]) << 16) |
           (static_cast<unsigned char>(bytes[at + 2]) << 8) | static_cast<unsigned char>(bytes[at + 3]);
  };
  header.valid = true;
  header.width = static_cast<int>(u32(16));
  header.height = static_cast<int>(u32(20));
  header.colorType = static_cast<unsigned char>(bytes[25]);
  return header;
}

std::vector<std::string> SplitCrLfLines(const std::string& text, bool* allCrLf) {
  std::vector<std::string> lines;
  bool crlf = true;
  std::string line;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      lines.push_back(line);
      line.clear();
      ++i;
    } else {
      if (text[i] == '\r' || text[i] == '\n') crlf = false;
      line += text[i];
    }
  }
  if (!line.empty()) {
    lines.push_back(line);
    crlf = false;
  }
  if (allCrLf) *allCrLf = crlf;
  return lines;
}

std::vector<std::string> SplitTabs(const std::string& line) {
  std::vector<std::string> fields(1);
  for (char c : line) {
    if (c == '\t') {
      fields.emplace_back();
    } else {
      fields.back() += c;
    }
  }
  return fields;
}

bool IsCp932(const std::string& bytes) {
  return vx::Utf8ToCp932(vx::Cp932ToUtf8(bytes)) == bytes;
}

std::string Sj(const char* utf8) { return vx::Utf8ToCp932(utf8); }

std::vector<std::vector<std::string>> ParseCsvRecords(const std::string& text) {
  std::vector<std::vector<std::string>> records;
  std::vector<std::string> record;
  std::string field;
  bool quoted = false;
  bool any = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    const unsigned char u = static_cast<unsigned char>(c);
    const bool lead = (u >= 0x81 && u <= 0x9F) || (u >= 0xE0 && u <= 0xFC);
    if (lead && i + 1 < text.size()) {
      field += c;
      field += text[++i];
      any = true;
    } else if (quoted) {
      if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
        field += '"';
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        field += c;
      }
    } else if (c == '"' && field.empty()) {
      quoted = true;
      any = true;
    } else if (c == ',') {
      record.push_back(field);
      field.clear();
      any = true;
    } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      record.push_back(field);
      records.push_back(record);
      record.clear();
      field.clear();
      any = false;
      ++i;
    } else {
      field += c;
      any = true;
    }
  }
  if (any) {
    record.push_back(field);
    records.push_back(record);
  }
  return records;
}

std::vector<std::string> ListFiles(const std::filesystem::path& root) {
  std::vector<std::string> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
    if (entry.is_regular_file()) files.push_back(entry.path().lexically_relative(root).generic_string());
  }
  std::sort(files.begin(), files.end());
  return files;
}

}  // namespace vxtest
