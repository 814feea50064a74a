// ZIP archives written with minizip, including entries whose header lies about their data.
#pragma once

#include <minizip/zip.h>

#include <filesystem>
#include <stdexcept>
#include <string>

namespace vxtest {

class ZipWriter {
 public:
  explicit ZipWriter(const std::filesystem::path& path) : zip_(zipOpen64(path.c_str(), 0)) {
    if (!zip_) throw std::runtime_error("cannot create " + path.string());
  }
  ~ZipWriter() { zipClose(zip_, nullptr); }
  ZipWriter(const ZipWriter&) = delete;
  ZipWriter& operator=(const ZipWriter&) = delete;

  // Deflated; or stored as it is, under a header claiming `declaredSize` bytes and `crc`.
  ZipWriter& Add(const std::string& name, const std::string& bytes, long declaredSize = -1,
                 unsigned long crc = 0) {
    const bool forged = declaredSize >= 0;
    zip_fileinfo info{};
    if (zipOpenNewFileInZip2(zip_, name.c_str(), &info, nullptr, 0, nullptr, 0, nullptr,
                             forged ? 0 : Z_DEFLATED, Z_DEFAULT_COMPRESSION, forged) != ZIP_OK ||
        zipWriteInFileInZip(zip_, bytes.data(), unsigned(bytes.size())) != ZIP_OK ||
        (forged ? zipCloseFileInZipRaw(zip_, declaredSize, crc) : zipCloseFileInZip(zip_)) !=
            ZIP_OK) {
      throw std::runtime_error("cannot add " + name);
    }
    return *this;
  }

 private:
  zipFile zip_;
};

}  // namespace vxtest
