#include "tests/support/FileSizeLimit.h"

#include <stdexcept>

namespace vxtest {

FileSizeLimit::FileSizeLimit(std::uint64_t bytes) {
  struct sigaction ignore {};
  ignore.sa_handler = SIG_IGN;
  if (getrlimit(RLIMIT_FSIZE, &saved_) != 0 || sigaction(SIGXFSZ, &ignore, &savedAction_) != 0) {
    throw std::runtime_error("cannot limit the file size");
  }
  rlimit limited = saved_;
  limited.rlim_cur = static_cast<rlim_t>(bytes);
  if (setrlimit(RLIMIT_FSIZE, &limited) != 0) {
    throw std::runtime_error("cannot limit the file size");
  }
}

FileSizeLimit::~FileSizeLimit() {
  setrlimit(RLIMIT_FSIZE, &saved_);
  sigaction(SIGXFSZ, &savedAction_, nullptr);
}

}  // namespace vxtest
