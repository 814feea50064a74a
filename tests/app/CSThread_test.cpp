#include "app/CSThread.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <system_error>
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

TEST(StartWorkerThread, RunsTheJobOnAThreadToJoinAndReleasesItAfterwards) {
  for (bool threadStarts : {true, false}) {
    std::thread::id worker;
    auto token = std::make_shared<int>(0);
    std::weak_ptr<int> watch = token;
    std::thread thread = vx::StartWorkerThread(
        [token] { return 1; }, [&] { worker = std::this_thread::get_id(); },
        [&](std::function<void()> body) {
          if (!threadStarts) throw std::system_error(std::make_error_code(std::errc::io_error));
          return vx::StartThread(std::move(body));
        });
    token.reset();
    // A thread that cannot start drops the job and never completes.
    ASSERT_EQ(thread.joinable(), threadStarts);
    if (threadStarts) thread.join();
    EXPECT_EQ(worker != std::thread::id(), threadStarts);
    EXPECT_NE(worker, std::this_thread::get_id());
    EXPECT_TRUE(watch.expired());
  }
  EXPECT_FALSE(vx::StartWorkerThread({}, [] {}).joinable());  // no work, no thread
}

}  // namespace
