#include "tests/support/ChildProcess.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/mman.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <sstream>
#include <string_view>

extern char** environ;

namespace vxtest {

namespace {

std::string VariableName(const std::string& entry) { return entry.substr(0, entry.find('=')); }

std::vector<std::string> ChangedEnvironment(const std::vector<std::string>& changes) {
  std::vector<std::string> variables;
  for (char** entry = environ; *entry; ++entry) variables.emplace_back(*entry);
  for (const std::string& change : changes) {
    const std::string name = VariableName(change);
    std::erase_if(variables, [&](const std::string& v) { return VariableName(v) == name; });
    if (change.find('=') != std::string::npos) variables.push_back(change);
  }
  return variables;
}

std::vector<char*> NullTerminated(std::vector<std::string>& strings) {
  std::vector<char*> pointers;
  for (std::string& s : strings) pointers.push_back(s.data());
  pointers.push_back(nullptr);
  return pointers;
}

// The test process may ignore or block signals (SIGPIPE above all); the child starts as a
// program started from a shell does.
class SpawnAttributes {
 public:
  SpawnAttributes() {
    posix_spawnattr_init(&attributes_);
    sigset_t set;
    sigemptyset(&set);
    posix_spawnattr_setsigmask(&attributes_, &set);
    for (const int signal : {SIGPIPE, SIGTERM, SIGINT, SIGHUP, SIGCHLD}) sigaddset(&set, signal);
    posix_spawnattr_setsigdefault(&attributes_, &set);
    posix_spawnattr_setflags(&attributes_, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
  }
  ~SpawnAttributes() { posix_spawnattr_destroy(&attributes_); }
  const posix_spawnattr_t* get() const { return &attributes_; }

 private:
  posix_spawnattr_t attributes_;
};

// Input from /dev/null; output and errors both into `outputFd`.
class SpawnFileActions {
 public:
  explicit SpawnFileActions(int outputFd) {
    posix_spawn_file_actions_init(&actions_);
    posix_spawn_file_actions_addopen(&actions_, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions_, outputFd, STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions_, outputFd, STDERR_FILENO);
  }
  ~SpawnFileActions() { posix_spawn_file_actions_destroy(&actions_); }
  const posix_spawn_file_actions_t* get() const { return &actions_; }

 private:
  posix_spawn_file_actions_t actions_;
};

constexpr std::string_view kSanitizerReportStarts[] = {
    "runtime error:",
    "ERROR: AddressSanitizer",
    "ERROR: LeakSanitizer",
    "WARNING: ThreadSanitizer",
};

// Each report's first line, as tools/asan.sh counts them, and the frames under it.
std::string SanitizerReports(const std::string& output) {
  constexpr int kLinesPerReport = 5;
  std::string reports;
  std::istringstream lines(output);
  int linesLeft = 0;
  for (std::string line; std::getline(lines, line);) {
    if (std::ranges::any_of(kSanitizerReportStarts, [&](std::string_view start) {
          return line.find(start) != std::string::npos;
        })) {
      linesLeft = kLinesPerReport;
    }
    if (linesLeft > 0) {
      reports += line + '\n';
      --linesLeft;
    }
  }
  return reports;
}

}  // namespace

ChildProcess::~ChildProcess() {
  if (pid_ > 0 && !exited_) {
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, &status_, 0);
  }
  const std::string reports = SanitizerReports(Output());
  if (!reports.empty()) ADD_FAILURE() << program_ << " made sanitizer reports:\n" << reports;
  if (pidFd_ >= 0) ::close(pidFd_);
  if (outputFd_ >= 0) ::close(outputFd_);
}

bool ChildProcess::Start(const std::filesystem::path& program,
                         const std::vector<std::string>& arguments,
                         const std::vector<std::string>& environment) {
  if (pid_ > 0) {
    ADD_FAILURE() << "a ChildProcess starts one program";
    return false;
  }
  outputFd_ = ::memfd_create("child output", MFD_CLOEXEC);
  if (outputFd_ < 0) {
    ADD_FAILURE() << "no file for the output of " << program << ": " << std::strerror(errno);
    return false;
  }
  program_ = program.string();
  std::vector<std::string> argv{program_};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  std::vector<std::string> envp = ChangedEnvironment(environment);
  const SpawnFileActions actions(outputFd_);
  const SpawnAttributes attributes;
  const int error = ::posix_spawn(&pid_, program.c_str(), actions.get(), attributes.get(),
                                  NullTerminated(argv).data(), NullTerminated(envp).data());
  if (error != 0) {
    pid_ = -1;
    ADD_FAILURE() << program << " did not start: " << std::strerror(error);
    return false;
  }
  pidFd_ = static_cast<int>(::syscall(SYS_pidfd_open, pid_, 0));
  if (pidFd_ < 0) ADD_FAILURE() << "no pidfd for " << program << ": " << std::strerror(errno);
  return pidFd_ >= 0;
}

bool ChildProcess::WaitForExit(std::chrono::milliseconds deadline) {
  if (exited_) return true;
  if (pidFd_ < 0) {
    ADD_FAILURE() << "no child was started";
    return false;
  }
  const auto end = std::chrono::steady_clock::now() + deadline;
  pollfd ended{pidFd_, POLLIN, 0};
  for (;;) {
    const auto left =
        std::chrono::ceil<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
    const int ready = ::poll(&ended, 1, static_cast<int>(std::max<std::int64_t>(left.count(), 0)));
    if (ready > 0) break;
    if (ready < 0 && errno == EINTR) continue;
    if (ready < 0) {
      ADD_FAILURE() << "waiting for the child " << pid_ << ": " << std::strerror(errno);
    } else {
      ADD_FAILURE() << "the child " << pid_ << " was still running after " << deadline.count()
                    << " ms";
    }
    return false;
  }
  exited_ = ::waitpid(pid_, &status_, 0) == pid_;
  if (!exited_) ADD_FAILURE() << "waitpid " << pid_ << ": " << std::strerror(errno);
  return exited_;
}

bool ChildProcess::IsRunning() const {
  if (exited_ || pidFd_ < 0) return false;
  pollfd ended{pidFd_, POLLIN, 0};
  return ::poll(&ended, 1, 0) == 0;
}

void ChildProcess::Terminate() const {
  if (pid_ > 0 && !exited_) ::kill(pid_, SIGTERM);
}

bool ChildProcess::ExitedNormally() const { return exited_ && WIFEXITED(status_); }

int ChildProcess::ExitCode() const { return ExitedNormally() ? WEXITSTATUS(status_) : -1; }

std::string ChildProcess::Output() const {
  std::string output;
  if (outputFd_ < 0) return output;
  char buffer[4096];
  for (off_t offset = 0;;) {
    const ssize_t got = ::pread(outputFd_, buffer, sizeof buffer, offset);
    if (got <= 0) break;
    output.append(buffer, static_cast<std::size_t>(got));
    offset += got;
  }
  return output;
}

}  // namespace vxtest
