#include "platform/qt/UiThread.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace {

// Runs the UI thread's event loop until `done` is set by a queued call, or 10 s pass.
bool RunEventLoopUntil(const std::atomic<bool>& done) {
  QEventLoop loop;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
    if (done) loop.quit();
  });
  QTimer::singleShot(10000, &loop, &QEventLoop::quit);
  poll.start(1);
  loop.exec();
  return done;
}

TEST(RunOnUiThread, OnTheUiThreadRunsDirectly) {
  ASSERT_TRUE(vx::IsUiThread());
  bool ran = false;
  vx::RunOnUiThread([&] { ran = true; });
  EXPECT_TRUE(ran);  // no event loop ran in between
}

TEST(RunOnUiThread, FromAWorkerRunsOnTheUiThreadAndWaits) {
  QThread* uiThread = QCoreApplication::instance()->thread();
  QThread* ranOn = nullptr;
  bool workerSawResult = false;
  bool workerThoughtItWasUi = true;
  std::atomic<bool> done = false;

  std::thread worker([&] {
    workerThoughtItWasUi = vx::IsUiThread();
    int value = 0;
    vx::RunOnUiThread([&] {
      ranOn = QThread::currentThread();
      value = 42;
    });
    workerSawResult = value == 42;  // the call returned only after the work was done
    done = true;
  });
  const bool finished = RunEventLoopUntil(done);
  worker.join();

  ASSERT_TRUE(finished);
  EXPECT_FALSE(workerThoughtItWasUi);
  EXPECT_EQ(ranOn, uiThread);
  EXPECT_TRUE(workerSawResult);
}

TEST(RunOnUiThread, ManyWorkersAreServedOneAtATime) {
  constexpr int kWorkers = 8;
  int counter = 0;  // touched only on the UI thread
  std::atomic<int> finishedWorkers = 0;
  std::atomic<bool> done = false;
  std::vector<std::thread> workers;
  for (int w = 0; w < kWorkers; ++w) {
    workers.emplace_back([&] {
      for (int i = 0; i < 25; ++i) vx::RunOnUiThread([&] { ++counter; });
      if (++finishedWorkers == kWorkers) done = true;
    });
  }
  const bool finished = RunEventLoopUntil(done);
  for (std::thread& worker : workers) worker.join();

  ASSERT_TRUE(finished);
  EXPECT_EQ(counter, kWorkers * 25);
}

TEST(RunOnUiThread, ExceptionReachesTheWorker) {
  std::atomic<bool> done = false;
  std::string caught;
  std::thread worker([&] {
    try {
      vx::RunOnUiThread([] { throw std::runtime_error("no disc"); });
    } catch (const std::runtime_error& error) {
      caught = error.what();
    }
    done = true;
  });
  const bool finished = RunEventLoopUntil(done);
  worker.join();

  ASSERT_TRUE(finished);
  EXPECT_EQ(caught, "no disc");
}

TEST(PostToUiThread, RunsLaterOnTheUiThreadWithoutWaiting) {
  std::atomic<bool> posted = false;
  std::atomic<bool> ran = false;
  QThread* ranOn = nullptr;
  std::thread worker([&] {
    vx::PostToUiThread([&] {
      ranOn = QThread::currentThread();
      ran = true;
    });
    posted = true;
  });
  worker.join();  // returns although the UI thread has not run the work yet
  EXPECT_TRUE(posted);
  EXPECT_FALSE(ran);

  ASSERT_TRUE(RunEventLoopUntil(ran));
  EXPECT_EQ(ranOn, QCoreApplication::instance()->thread());
}

TEST(PostToUiThread, OnTheUiThreadItIsDeferredToTheEventLoop) {
  std::atomic<bool> ran = false;
  vx::PostToUiThread([&] { ran = true; });
  EXPECT_FALSE(ran);
  EXPECT_TRUE(RunEventLoopUntil(ran));
}

}  // namespace
