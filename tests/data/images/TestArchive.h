// ZIP archives written with minizip, including entries whose header lies about their data, and
// end records that lie about their directory.
#pragma once

#include <minizip/zip.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>

namespace vxtest {

class ZipWriter {
 public:
  explicit ZipWriter(const std::filesystem::path& path) : zip_(zipOpen64(path.c_str(), 0)) {
    if (!zip_) throw std::runtime_error("cannot create " + path.string());
  }
  ~ZipWriter() { zipClose(zip_, comment_.empty() ? nullptr : comment_.c_str()); }
  ZipWriter(const ZipWriter&) = delete;
  ZipWriter& operator=(const ZipWriter&) = delete;

  // Deflated; or stored as it is, under a header claiming `declaredSize` bytes and `crc`.
  ZipWriter& Add(const std::string& name, const std::string& bytes, long declaredSize = -1,
                 unsigned long crc = 0) {
    const bool forged = declaredSize >= 0;
    zip_fileinfo info{};
    if (zipOpenNewFileInZip3_64(zip_, name.c_str(), &info, nullptr, 0, nullptr, 0, nullptr,
                                forged ? 0 : Z_DEFLATED, Z_DEFAULT_COMPRESSION, forged, -MAX_WBITS,
                                DEF_MEM_LEVEL, Z_DEFAULT_STRATEGY, nullptr, 0, zip64_) != ZIP_OK ||
        zipWriteInFileInZip(zip_, bytes.data(), unsigned(bytes.size())) != ZIP_OK ||
        (forged ? zipCloseFileInZipRaw(zip_, declaredSize, crc) : zipCloseFileInZip(zip_)) !=
            ZIP_OK) {
      throw std::runtime_error("cannot add " + name);
    }
    return *this;
  }
  // Entries added from now on carry ZIP64 extra fields.
  ZipWriter& Zip64() {
    zip64_ = 1;
    return *this;
  }
  ZipWriter& Comment(const std::string& text) {
    comment_ = text;
    return *this;
  }

 private:
  zipFile zip_;
  int zip64_ = 0;
  std::string comment_;
};

inline std::string Le(std::uint64_t v, int n) {
  std::string bytes;
  for (int i = 0; i < n; ++i) bytes.push_back(char(v >> (8 * i)));
  return bytes;
}

struct DirectoryPlace {
  std::optional<std::uint64_t> size, offset;  // what the record declares, when not the truth
};

// The same archive with its end record in the ZIP64 form, as large archives have it; `forged`
// makes the record lie about where its central directory is.
inline std::string WithZip64End(const std::string& zip, const DirectoryPlace& forged = {}) {
  const std::size_t end = zip.rfind("PK\x05\x06");
  const auto field = [&](std::size_t at, int n) {
    std::uint64_t v = 0;
    for (int i = n - 1; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(zip[end + at + i]);
    return v;
  };
  const std::uint64_t count = field(10, 2), size = forged.size.value_or(field(12, 4)),
                      offset = forged.offset.value_or(field(16, 4));
  return zip.substr(0, end) + "PK\x06\x06" + Le(44, 8) + Le(45, 2) + Le(45, 2) + Le(0, 8) +
         Le(count, 8) + Le(count, 8) + Le(size, 8) + Le(offset, 8) + "PK\x06\x07" + Le(0, 4) +
         Le(end, 8) + Le(1, 4) + "PK\x05\x06" + Le(0, 4) + Le(0xFFFF, 2) + Le(0xFFFF, 2) +
         Le(0xFFFFFFFF, 4) + Le(0xFFFFFFFF, 4) + Le(0, 2);
}

}  // namespace vxtest
