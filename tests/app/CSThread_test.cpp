#include "app/CSThread.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <memory>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;
using vx::CSThread;

// Work that reports "not yet" `stepsBeforeEnd` times, then finished.
vx::WorkFunction CountingWork(int stepsBeforeEnd, int& calls) {
  return [stepsBeforeEnd, &calls] { return ++calls > stepsBeforeEnd ? 1 : 0; };
}

TEST(CSThreadRun, WorkEndingOnFirstCallCompletesWithoutPause) {
  int calls = 0, completions = 0;
  std::vector<std::chrono::milliseconds> pauses;
  CSThread thread(CountingWork(0, calls), [&] { ++completions; },
                  [&](std::chrono::milliseconds p) { pauses.push_back(p); });
  thread.Run();
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(completions, 1);
  EXPECT_TRUE(pauses.empty());
}

TEST(CSThreadRun, PausesFiveMillisecondsBetweenStepsUntilDone) {
  int calls = 0;
  std::vector<std::chrono::milliseconds> pauses;
  int callsAtCompletion = -1;
  CSThread thread(CountingWork(3, calls), [&] { callsAtCompletion = calls; },
                  [&](std::chrono::milliseconds p) { pauses.push_back(p); });
  thread.Run();
  EXPECT_EQ(calls, 4);
  EXPECT_EQ(callsAtCompletion, 4);  // the completion comes after the last step
  EXPECT_EQ(pauses, std::vector<std::chrono::milliseconds>(3, 5ms));
}

TEST(CSThreadRun, RealPausesSpaceTheSteps) {
  int calls = 0;
  CSThread thread(CountingWork(3, calls), {});
  const auto start = std::chrono::steady_clock::now();
  thread.Run();
  EXPECT_GE(std::chrono::steady_clock::now() - start, 15ms);
}

TEST(StartWorkerThread, RunsTheJobOnAnotherThreadThenCompletes) {
  // Shared: the worker may still be leaving set_value() when the test ends.
  auto workThread = std::make_shared<std::promise<std::thread::id>>();
  auto completed = std::make_shared<std::promise<int>>();
  auto calls = std::make_shared<int>(0);
  auto work = [=] {
    if (++*calls == 1) workThread->set_value(std::this_thread::get_id());
    return *calls == 3 ? 1 : 0;
  };
  ASSERT_EQ(vx::StartWorkerThread(work, [=] { completed->set_value(*calls); }), 1);
  auto done = completed->get_future();
  ASSERT_EQ(done.wait_for(5s), std::future_status::ready);
  EXPECT_EQ(done.get(), 3);
  EXPECT_NE(workThread->get_future().get(), std::this_thread::get_id());
}

TEST(StartWorkerThread, ReleasesTheJobWhenTheThreadEnds) {
  auto token = std::make_shared<int>(0);
  std::weak_ptr<int> watch = token;
  auto completed = std::make_shared<std::promise<void>>();
  ASSERT_EQ(vx::StartWorkerThread([token] { return 1; }, [completed] { completed->set_value(); }),
            1);
  token.reset();
  ASSERT_EQ(completed->get_future().wait_for(5s), std::future_status::ready);
  const auto deadline = std::chrono::steady_clock::now() + 5s;
  while (!watch.expired() && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(1ms);
  }
  EXPECT_TRUE(watch.expired());
}

TEST(StartWorkerThread, EmptyWorkStartsNothing) {
  bool starterCalled = false;
  auto starter = [&](std::function<void()>) { return starterCalled = true; };
  EXPECT_EQ(vx::StartWorkerThread({}, [] {}, starter), 0);
  EXPECT_FALSE(starterCalled);
}

TEST(StartWorkerThread, ThreadThatCannotStartAnswersZeroAndDropsTheJob) {
  auto token = std::make_shared<int>(0);
  std::weak_ptr<int> watch = token;
  bool completed = false;
  auto failingStarter = [](std::function<void()>) { return false; };
  EXPECT_EQ(vx::StartWorkerThread([token] { return 1; }, [&] { completed = true; },
                                  failingStarter),
            0);
  token.reset();
  EXPECT_TRUE(watch.expired());
  EXPECT_FALSE(completed);
}

}  // namespace
