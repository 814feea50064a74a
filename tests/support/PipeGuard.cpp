#include "tests/support/PipeGuard.h"

#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace vxtest {

bool ReturnsWithoutAWriter(const std::vector<std::filesystem::path>& pipes,
                           const std::function<void()>& step) {
  std::mutex mutex;
  std::condition_variable changed;
  bool returned = false, waited = false;
  std::thread watchdog([&] {
    std::unique_lock lock(mutex);
    if (changed.wait_for(lock, std::chrono::seconds(10), [&] { return returned; })) return;
    waited = true;
    while (!changed.wait_for(lock, std::chrono::milliseconds(50), [&] { return returned; })) {
      for (const auto& pipe : pipes) ::close(::open(pipe.c_str(), O_RDWR | O_NONBLOCK));
    }
  });
  step();
  {
    const std::lock_guard lock(mutex);
    returned = true;
  }
  changed.notify_all();
  watchdog.join();
  return !waited;
}

}  // namespace vxtest
