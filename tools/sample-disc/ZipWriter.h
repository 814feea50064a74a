// Writes a ZIP archive with minizip. Every entry carries one fixed date, so the same entries
// give the same bytes on every run.
#pragma once

#include <filesystem>
#include <string>

namespace vx::sampledisc {

class ZipWriter {
 public:
  explicit ZipWriter(const std::filesystem::path& path);
  ~ZipWriter();
  ZipWriter(const ZipWriter&) = delete;
  ZipWriter& operator=(const ZipWriter&) = delete;

  // Stored entries suit data that is compressed already (PNG); text is deflated.
  bool Add(const std::string& name, const std::string& bytes, bool deflate);
  // Writes the central directory; false when any step of the archive failed.
  bool Close();
  bool Ok() const { return ok_; }
  const std::string& Error() const { return error_; }

 private:
  bool Fail(const std::string& what);

  std::filesystem::path path_;
  void* zip_ = nullptr;
  bool ok_ = true;
  std::string error_;
};

}  // namespace vx::sampledisc
