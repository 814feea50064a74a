#pragma once

#include <sys/resource.h>

#include <csignal>
#include <cstdint>

namespace vxtest {

// A disk that is full after `bytes`: while the object lives, a write that would make any file of
// this process larger fails with EFBIG (the kernel's file size limit, its signal ignored). It is
// process-wide, so hold it only around the step under test.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(std::uint64_t bytes);
  ~FileSizeLimit();
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit saved_{};
  struct sigaction savedAction_ {};
};

}  // namespace vxtest
