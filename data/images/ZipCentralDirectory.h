// The central directory of a ZIP archive read in one piece: every entry's name, where minizip finds
// the entry (its unz64_file_pos) and its uncompressed size, in directory order. Opening a large cut
// archive entry by entry through minizip costs a seek and a read per entry.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace vx {

class ZipCentralDirectory {
 public:
  struct Entry {
    std::string name;
    std::uint64_t directoryOffset = 0;  // unz64_file_pos::pos_in_zip_directory
    std::uint64_t number = 0;           // unz64_file_pos::num_of_file
    std::uint64_t uncompressedSize = 0;
  };

  // Nothing when the file cannot be read or its directory is not laid out as one plain archive
  // on one disk describes it; the caller then walks the archive the slow way.
  static std::optional<std::vector<Entry>> Read(const std::filesystem::path& path);
};

}  // namespace vx
