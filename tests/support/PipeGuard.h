#pragma once

#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <future>
#include <vector>

namespace vxtest {

// Runs `step` on this thread while no one writes to the named pipes. A step that waits for a writer
// fails the test (false) rather than hanging it: after ten seconds another thread opens and closes
// each pipe until the step returns.
inline bool ReturnsWithoutAWriter(const std::vector<std::filesystem::path>& pipes,
                                  const std::function<void()>& step) {
  std::promise<void> finished;
  std::future<bool> waited = std::async(std::launch::async, [&, done = finished.get_future()] {
    if (done.wait_for(std::chrono::seconds(10)) == std::future_status::ready) return false;
    while (done.wait_for(std::chrono::milliseconds(50)) != std::future_status::ready) {
      for (const auto& pipe : pipes) ::close(::open(pipe.c_str(), O_RDWR | O_NONBLOCK));
    }
    return true;
  });
  step();
  finished.set_value();
  return !waited.get();
}

}  // namespace vxtest
