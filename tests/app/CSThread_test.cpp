#include "app/CSThread.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <memory>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;

TEST(CSThread, PausesFiveMillisecondsBetweenStepsAndCompletesAfterTheLast) {
  for (int stepsBeforeEnd : {0, 3}) {
    int calls = 0, callsAtCompletion = -1;
    std::vector<std::chrono::milliseconds> pauses;
    vx::CSThread thread([&] { return ++calls > stepsBeforeEnd ? 1 : 0; },
                        [&] { callsAtCompletion = calls; },
                        [&](std::chrono::milliseconds p) { pauses.push_back(p); });
    thread.Run();
    EXPECT_EQ(callsAtCompletion, stepsBeforeEnd + 1);
    EXPECT_EQ(pauses, std::vector<std::chrono::milliseconds>(stepsBeforeEnd, 5ms));
  }
}

TEST(StartWorkerThread, RunsTheJobOnAnotherThreadAndReleasesItAfterwards) {
  // Shared: the worker may still be leaving set_value() when the test ends.
  auto worker = std::make_shared<std::promise<std::thread::id>>();
  auto token = std::make_shared<int>(0);
  std::weak_ptr<int> watch = token;
  ASSERT_EQ(vx::StartWorkerThread([token] { return 1; },
                                  [worker] { worker->set_value(std::this_thread::get_id()); }),
            1);
  token.reset();
  auto done = worker->get_future();
  ASSERT_EQ(done.wait_for(5s), std::future_status::ready);
  EXPECT_NE(done.get(), std::this_thread::get_id());
  for (int i = 0; i < 5000 && !watch.expired(); ++i) std::this_thread::sleep_for(1ms);
  EXPECT_TRUE(watch.expired());

  // Empty work starts nothing; a thread that cannot start drops the job and never completes.
  bool started = false, completed = false;
  auto failingStarter = [&](std::function<void()>) {
    started = true;
    return false;
  };
  EXPECT_EQ(vx::StartWorkerThread({}, [] {}, failingStarter), 0);
  EXPECT_FALSE(started);
  token = std::make_shared<int>(0);
  watch = token;
  EXPECT_EQ(vx::StartWorkerThread([token] { return 1; }, [&] { completed = true; },
                                  failingStarter),
            0);
  token.reset();
  EXPECT_TRUE(started && watch.expired() && !completed);
}

}  // namespace
