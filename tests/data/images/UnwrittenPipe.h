// A named pipe that no one writes to. Whatever takes it for a file waits in its open for a writer,
// which would hang the test: past a deadline a writer comes and goes until the step returns, so
// that the test fails instead.
#pragma once

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <functional>
#include <mutex>
#include <thread>

namespace vxtest {

class UnwrittenPipe {
 public:
  explicit UnwrittenPipe(std::filesystem::path path) : path_(std::move(path)) {
    made_ = ::mkfifo(path_.c_str(), 0600) == 0;
  }

  bool Made() const { return made_; }

  // False when `step` still waited on the pipe at the deadline.
  bool Returns(const std::function<void()>& step) const {
    using namespace std::chrono_literals;
    std::mutex mutex;
    std::condition_variable stepped;
    bool done = false, late = false;
    std::thread writer([&] {
      std::unique_lock lock(mutex);
      if (stepped.wait_for(lock, 10s, [&] { return done; })) return;
      late = true;
      do {  // each open of the pipe waits for a writer of its own
        const int fd = ::open(path_.c_str(), O_RDWR | O_NONBLOCK);
        if (fd >= 0) ::close(fd);
      } while (!stepped.wait_for(lock, 50ms, [&] { return done; }));
    });
    step();
    {
      std::lock_guard lock(mutex);
      done = true;
    }
    stepped.notify_all();
    writer.join();
    return !late;
  }

 private:
  std::filesystem::path path_;
  bool made_ = false;
};

}  // namespace vxtest
