#include "tools/sample-disc/ZipWriter.h"

#include <minizip/zip.h>
#include <zlib.h>

namespace vx::sampledisc {
namespace {

// 2024-01-01 09:00:00 in MS-DOS form.
constexpr uLong kFixedDosDate = ((2024 - 1980) << 25) | (1 << 21) | (1 << 16) | (9 << 11);

}  // namespace

ZipWriter::ZipWriter(const std::filesystem::path& path) : path_(path) {
  zip_ = zipOpen64(path.c_str(), APPEND_STATUS_CREATE);
  if (!zip_) Fail("cannot create");
}

ZipWriter::~ZipWriter() {
  if (zip_) zipClose(static_cast<zipFile>(zip_), nullptr);
}

bool ZipWriter::Fail(const std::string& what) {
  if (ok_) error_ = path_.string() + ": " + what;
  ok_ = false;
  return false;
}

bool ZipWriter::Add(const std::string& name, const std::string& bytes, bool deflate) {
  if (!ok_) return false;
  zip_fileinfo info{};
  info.dosDate = kFixedDosDate;
  zipFile zip = static_cast<zipFile>(zip_);
  const int method = deflate ? Z_DEFLATED : 0;
  const int level = deflate ? Z_DEFAULT_COMPRESSION : 0;
  if (zipOpenNewFileInZip64(zip, name.c_str(), &info, nullptr, 0, nullptr, 0, nullptr, method,
                            level, 0) != ZIP_OK) {
    return Fail("cannot add entry " + name);
  }
  const int written = zipWriteInFileInZip(zip, bytes.data(), static_cast<unsigned>(bytes.size()));
  const int closed = zipCloseFileInZip(zip);
  if (written != ZIP_OK || closed != ZIP_OK) return Fail("cannot write entry " + name);
  return true;
}

bool ZipWriter::Close() {
  if (!zip_) return ok_;
  const int result = zipClose(static_cast<zipFile>(zip_), nullptr);
  zip_ = nullptr;
  if (result != ZIP_OK) return Fail("cannot finish the archive");
  return ok_;
}

}  // namespace vx::sampledisc
