// ZIP archives written in the test with minizip, including entries whose declared size or CRC
// does not match their data.
#pragma once

#include <minizip/zip.h>
#include <zlib.h>

#include <filesystem>
#include <stdexcept>
#include <string>

namespace vxtest {

class ZipWriter {
 public:
  explicit ZipWriter(const std::filesystem::path& path) : zip_(zipOpen64(path.c_str(), 0)) {
    if (!zip_) throw std::runtime_error("cannot create " + path.string());
  }
  ~ZipWriter() { Close(); }
  ZipWriter(const ZipWriter&) = delete;
  ZipWriter& operator=(const ZipWriter&) = delete;

  // A deflated entry (stored when `level` is 0).
  ZipWriter& Add(const std::string& name, const std::string& bytes,
                 int level = Z_DEFAULT_COMPRESSION) {
    zip_fileinfo info{};
    Check(zipOpenNewFileInZip(zip_, name.c_str(), &info, nullptr, 0, nullptr, 0, nullptr,
                              level == 0 ? 0 : Z_DEFLATED, level));
    Check(zipWriteInFileInZip(zip_, bytes.data(), static_cast<unsigned>(bytes.size())));
    Check(zipCloseFileInZip(zip_));
    return *this;
  }

  // A stored entry whose header claims `declaredSize` bytes with checksum `crc`.
  ZipWriter& AddForged(const std::string& name, const std::string& bytes,
                       unsigned long declaredSize, unsigned long crc) {
    zip_fileinfo info{};
    Check(zipOpenNewFileInZip2(zip_, name.c_str(), &info, nullptr, 0, nullptr, 0, nullptr, 0, 0,
                               1));
    Check(zipWriteInFileInZip(zip_, bytes.data(), static_cast<unsigned>(bytes.size())));
    Check(zipCloseFileInZipRaw(zip_, declaredSize, crc));
    return *this;
  }

  void Close() {
    if (zip_) zipClose(zip_, nullptr);
    zip_ = nullptr;
  }

 private:
  static void Check(int result) {
    if (result != ZIP_OK) throw std::runtime_error("zip write failed");
  }
  zipFile zip_;
};

inline unsigned long Crc32Of(const std::string& bytes) {
  return crc32(0, reinterpret_cast<const Bytef*>(bytes.data()),
               static_cast<uInt>(bytes.size()));
}

}  // namespace vxtest
