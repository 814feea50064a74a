// What minizip itself finds in an archive, walking it entry by entry as the slow index does: the
// measure the central directory read in one piece is held to.
#pragma once

#include <minizip/unzip.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "data/images/ZipCentralDirectory.h"

namespace vxtest {

using ZipEntries = std::vector<vx::ZipCentralDirectory::Entry>;

// The size a ZIP64 extra field holds for an entry whose directory record gives 0xFFFFFFFF: the
// first eight bytes of the field (id 1). The minizip packaged here reads the field only on
// systems where a long has 32 bits, and gives 0xFFFFFFFF elsewhere.
inline std::uint64_t SizeFromZip64Field(unzFile zip, std::uint64_t size) {
  if (size != 0xFFFFFFFF) return size;
  std::string extra(0xFFFF, '\0');
  unz_file_info64 info{};
  if (unzGetCurrentFileInfo64(zip, &info, nullptr, 0, extra.data(), extra.size(), nullptr, 0) !=
      UNZ_OK) {
    return size;
  }
  const auto get = [&](std::size_t at, int n) {
    std::uint64_t v = 0;
    for (int i = n - 1; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(extra[at + i]);
    return v;
  };
  for (std::size_t at = 0; at + 4 <= info.size_file_extra; at += 4 + get(at + 2, 2)) {
    if (get(at, 2) == 1) return at + 12 <= info.size_file_extra ? get(at + 4, 8) : size;
  }
  return size;
}

// Entries whose information minizip cannot read, or whose name no look-up could give, are left
// out, as the index leaves them out.
inline ZipEntries WalkWithMinizip(const std::filesystem::path& path) {
  ZipEntries entries;
  unzFile zip = unzOpen64(path.c_str());
  if (!zip) return entries;
  for (int r = unzGoToFirstFile(zip); r == UNZ_OK; r = unzGoToNextFile(zip)) {
    unz_file_info64 info{};
    char name[1024];
    unz64_file_pos pos{};
    if (unzGetCurrentFileInfo64(zip, &info, name, sizeof name, nullptr, 0, nullptr, 0) != UNZ_OK ||
        info.size_filename >= sizeof name || unzGetFilePos64(zip, &pos) != UNZ_OK) {
      continue;
    }
    entries.push_back({std::string(name, info.size_filename), pos.pos_in_zip_directory,
                       pos.num_of_file, SizeFromZip64Field(zip, info.uncompressed_size)});
  }
  unzClose(zip);
  return entries;
}

// The first entry where the two differ, or "" when they agree.
inline std::string FirstDifference(const ZipEntries& read, const ZipEntries& walked) {
  const auto text = [](const ZipEntries& entries, std::size_t i) {
    if (i >= entries.size()) return std::string("(none)");
    const auto& e = entries[i];
    return e.name.substr(0, 12) + "@" + std::to_string(e.directoryOffset) + "#" +
           std::to_string(e.number) + ":" + std::to_string(e.uncompressedSize);
  };
  for (std::size_t i = 0; i < std::max(read.size(), walked.size()); ++i) {
    if (text(read, i) != text(walked, i)) return text(read, i) + " / " + text(walked, i);
  }
  return "";
}

}  // namespace vxtest
