#include "platform/BoundedFileReader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace vx {

// Non-blocking, so that opening a pipe with no writer does not wait for one.
int BoundedFileReader::Open(const std::filesystem::path& path, Outcome& outcome) const {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) {
    outcome = Outcome::kCannotOpen;
    return -1;
  }
  struct stat status {};
  if (::fstat(fd, &status) != 0) {
    outcome = Outcome::kCannotOpen;
  } else if (!S_ISREG(status.st_mode)) {
    outcome = Outcome::kNotRegularFile;
  } else if (static_cast<std::uintmax_t>(status.st_size) > maxBytes_) {
    outcome = Outcome::kTooLarge;
  } else {
    outcome = Outcome::kRead;
    return fd;
  }
  ::close(fd);
  return -1;
}

BoundedFileReader::Outcome BoundedFileReader::Check(const std::filesystem::path& path) const {
  Outcome outcome = Outcome::kRead;
  const int fd = Open(path, outcome);
  if (fd >= 0) ::close(fd);
  return outcome;
}

std::FILE* BoundedFileReader::OpenStream(const std::filesystem::path& path,
                                         Outcome& outcome) const {
  outcome = Outcome::kRead;
  const int fd = Open(path, outcome);
  if (fd < 0) return nullptr;
  // Reads of a regular file never wait; the flag only kept the open from waiting.
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
  std::FILE* stream = ::fdopen(fd, "rb");
  if (stream == nullptr) {
    ::close(fd);
    outcome = Outcome::kCannotOpen;
  }
  return stream;
}

BoundedFileReader::Outcome BoundedFileReader::Read(const std::filesystem::path& path,
                                                   std::string& bytes) const {
  bytes.clear();
  Outcome outcome = Outcome::kRead;
  const int fd = Open(path, outcome);
  if (fd < 0) return outcome;
  char chunk[1 << 16];
  for (;;) {
    const ssize_t got = ::read(fd, chunk, sizeof chunk);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) outcome = Outcome::kCannotOpen;
    if (got <= 0) break;
    if (bytes.size() + static_cast<std::size_t>(got) > maxBytes_) {
      outcome = Outcome::kTooLarge;
      break;
    }
    bytes.append(chunk, static_cast<std::size_t>(got));
  }
  ::close(fd);
  if (outcome != Outcome::kRead) bytes.clear();
  return outcome;
}

}  // namespace vx
