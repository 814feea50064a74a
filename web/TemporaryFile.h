// A new empty file "vindaxel......" in the temporary folder ($TMPDIR), removed with the object.
#pragma once

#include <filesystem>

namespace vx {

class TemporaryFile {
 public:
  TemporaryFile();
  ~TemporaryFile();
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  // False when no file could be made; Path() is then empty.
  bool Created() const { return !path_.empty(); }
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace vx
