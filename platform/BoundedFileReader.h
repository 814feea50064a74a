// Reads a file the user names only when it is a regular file no larger than a bound, checked
// before a byte is read: a device, a pipe or a huge file would otherwise be read whole into
// memory (on the UI thread), or block.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

namespace vx {

class BoundedFileReader {
 public:
  enum class Outcome { kRead, kCannotOpen, kNotRegularFile, kTooLarge };

  explicit BoundedFileReader(std::uintmax_t maxBytes) : maxBytes_(maxBytes) {}

  // What Read would answer, without reading.
  Outcome Check(const std::filesystem::path& path) const;
  // The whole file into `bytes` (emptied otherwise); a file that grows past the bound while it
  // is read is too large as well.
  Outcome Read(const std::filesystem::path& path, std::string& bytes) const;
  // The file opened for binary reading when Read would read it (the caller closes it), else
  // null; a reader that stops at a line or a record need not hold the whole file.
  std::FILE* OpenStream(const std::filesystem::path& path, Outcome& outcome) const;

 private:
  // An open descriptor of a regular file within the bound, or -1 with `outcome` set.
  int Open(const std::filesystem::path& path, Outcome& outcome) const;

  std::uintmax_t maxBytes_;
};

}  // namespace vx
