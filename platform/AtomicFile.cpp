#include "platform/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <string>

namespace vx {
namespace {

namespace fs = std::filesystem;

std::error_code LastError() { return {errno, std::generic_category()}; }

fs::path ResolveLinks(const fs::path& target) {
  std::error_code ec;
  if (!fs::is_symlink(target, ec)) return target;
  const fs::path resolved = fs::weakly_canonical(target, ec);
  return ec ? target : resolved;
}

std::error_code WriteAll(int fd, std::string_view bytes, const FileWriteCall& write) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = write ? write(fd, bytes.data() + done, bytes.size() - done)
                            : ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return LastError();
    if (n == 0) return std::make_error_code(std::errc::io_error);
    done += static_cast<std::size_t>(n);
  }
  return {};
}

void KeepPermissions(int fd, const fs::path& target) {
  struct stat old {};
  if (::stat(target.c_str(), &old) == 0) ::fchmod(fd, old.st_mode & 07777);
}

// The rename is durable only once the folder itself is on disk; a failure here loses nothing.
void SyncFolder(const fs::path& target) {
  fs::path folder = target.parent_path();
  if (folder.empty()) folder = ".";
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

int CreateFileBeside(const fs::path& target, mode_t mode, fs::path& created,
                     std::error_code& error) {
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    fs::path candidate = target;
    candidate += ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
    const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd >= 0) {
      created = candidate;
      return fd;
    }
    if (errno != EEXIST) break;
  }
  error = LastError();
  return -1;
}

std::error_code WriteAllAndClose(int fd, std::string_view bytes, const FileWriteCall& write) {
  std::error_code error = WriteAll(fd, bytes, write);
  if (!error && ::fsync(fd) != 0) error = LastError();
  if (::close(fd) != 0 && !error) error = LastError();
  return error;
}

std::error_code WriteFileAtomically(const fs::path& path, std::string_view bytes,
                                    const FileWriteCall& write) {
  const fs::path target = ResolveLinks(path);
  std::error_code error;
  fs::path temporary;
  const int fd = CreateFileBeside(target, 0666, temporary, error);  // the umask decides
  if (fd < 0) return error;
  KeepPermissions(fd, target);
  error = WriteAllAndClose(fd, bytes, write);
  if (!error && ::rename(temporary.c_str(), target.c_str()) != 0) error = LastError();
  if (error) {
    ::unlink(temporary.c_str());
    return error;
  }
  SyncFolder(target);
  return {};
}

}  // namespace vx
