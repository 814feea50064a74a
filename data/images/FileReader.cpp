#include "data/images/FileReader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vx {
namespace {

// Non-blocking, so that a pipe with no writer does not hold the open; only a regular file is
// read, for a pipe or a device would hold the reads.
std::FILE* OpenRegularFile(const std::filesystem::path& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) return nullptr;
  struct stat status {};
  std::FILE* file = nullptr;
  if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode)) {
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    file = ::fdopen(fd, "rb");
  }
  if (file == nullptr) ::close(fd);
  return file;
}

}  // namespace

FileReader::FileReader(const std::filesystem::path& path) : file_(OpenRegularFile(path)) {}

FileReader::~FileReader() {
  if (file_) std::fclose(file_);
}

std::size_t FileReader::Read(void* buffer, std::size_t count) {
  if (!file_ || count == 0) return 0;
  return std::fread(buffer, 1, count, file_);
}

}  // namespace vx
