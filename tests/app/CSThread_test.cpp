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
  for (bool threadStarts : {true, false}) {
    auto worker = std::make_shared<std::promise<std::thread::id>>();  // shared with the worker
    auto token = std::make_shared<int>(0);
    std::weak_ptr<int> watch = token;
    const int started = vx::StartWorkerThread(
        [token] { return 1; }, [worker] { worker->set_value(std::this_thread::get_id()); },
        [&](std::function<void()> body) { return threadStarts && vx::StartDetachedThread(body); });
    EXPECT_EQ(started, threadStarts ? 1 : 0);
    token.reset();
    auto done = worker->get_future();
    // A thread that cannot start drops the job and never completes.
    ASSERT_EQ(done.wait_for(threadStarts ? 5s : 0s),
              threadStarts ? std::future_status::ready : std::future_status::timeout);
    EXPECT_TRUE(!threadStarts || done.get() != std::this_thread::get_id());
    for (int i = 0; i < 5000 && !watch.expired(); ++i) std::this_thread::sleep_for(1ms);
    EXPECT_TRUE(watch.expired());
  }
  EXPECT_EQ(vx::StartWorkerThread({}, [] {}), 0);  // no work, no thread
}

}  // namespace
