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

}  // namespace vxtest
