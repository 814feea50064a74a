// A count that threads raise and a test waits for, in place of polling a flag: a wait that passes
// its deadline fails the test.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace vxtest {

// Long enough for a loaded machine; a test that needs it has failed anyway.
inline constexpr std::chrono::milliseconds kTestDeadline{20000};

class ThreadCounter {
 public:
  // Any thread.
  void Raise() {
    {
      std::lock_guard lock(mutex_);
      ++count_;
    }
    changed_.notify_all();
  }

  int Value() const {
    std::lock_guard lock(mutex_);
    return count_;
  }

  // True once the count has reached `atLeast`; false, failing the test, after the deadline.
  bool WaitFor(int atLeast, std::chrono::milliseconds deadline = kTestDeadline) {
    std::unique_lock lock(mutex_);
    if (changed_.wait_for(lock, deadline, [&] { return count_ >= atLeast; })) return true;
    ADD_FAILURE() << "waited " << deadline.count() << " ms for a count of " << atLeast
                  << "; it stayed at " << count_;
    return false;
  }

 private:
  mutable std::mutex mutex_;
  std::condition_variable changed_;
  int count_ = 0;
};

}  // namespace vxtest
