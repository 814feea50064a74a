// A program that a test runs beside itself (the executable, the install tool, the sample disc
// maker), started with posix_spawn. Not QProcess: Qt starts children with
// clone(CLONE_VM | CLONE_VFORK), and ThreadSanitizer's hook on clone then does a forked child's
// bookkeeping in the memory it still shares with the test, after which the sanitizer no longer
// sees the test's locks and reports races that are none.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/ThreadCounter.h"

namespace vxtest {

class ChildProcess {
 public:
  ChildProcess() = default;
  // A child still running is killed and reaped. A sanitizer report in its output fails the test:
  // the undefined-behaviour runtime writes to the child's standard error whatever its log_path
  // says, and nothing else sees that.
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // Starts `program` with this process's environment, changed by `environment`: "NAME=value"
  // sets a variable, "NAME" alone removes it. Standard output and error both go to Output().
  // False, failing the test with the reason, when it cannot start.
  bool Start(const std::filesystem::path& program, const std::vector<std::string>& arguments,
             const std::vector<std::string>& environment = {});

  // True once the child has ended; false, failing the test, after the deadline.
  bool WaitForExit(std::chrono::milliseconds deadline = kTestDeadline);
  bool IsRunning() const;
  // SIGTERM, as a session's end sends it.
  void Terminate() const;

  // After WaitForExit: whether it returned from main or called exit, and with what code.
  bool ExitedNormally() const;
  int ExitCode() const;
  // What it wrote to standard output and error, interleaved as written.
  std::string Output() const;

 private:
  std::string program_;
  pid_t pid_ = -1;
  int pidFd_ = -1;
  int outputFd_ = -1;
  bool exited_ = false;
  int status_ = 0;
};

}  // namespace vxtest
