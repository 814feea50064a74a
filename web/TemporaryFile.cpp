#include "web/TemporaryFile.h"

#include <unistd.h>

#include <cstdlib>
#include <string>
#include <system_error>

namespace vx {

TemporaryFile::TemporaryFile() {
  std::error_code error;
  const std::filesystem::path folder = std::filesystem::temp_directory_path(error);
  if (error) return;
  std::string name = (folder / "vindaxelXXXXXX").string();
  const int fd = ::mkstemp(name.data());
  if (fd < 0) return;
  ::close(fd);
  path_ = name;
}

TemporaryFile::~TemporaryFile() {
  if (path_.empty()) return;
  std::error_code ignored;
  std::filesystem::remove(path_, ignored);
}

}  // namespace vx
