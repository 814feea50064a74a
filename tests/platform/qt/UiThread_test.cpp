#include "platform/qt/UiThread.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace {

TEST(RunOnUiThread, WorkersWaitForTheirWorkToRunOnTheUiThread) {
  bool ranDirectly = false;
  vx::RunOnUiThread([&] { ranDirectly = true; });
  EXPECT_TRUE(ranDirectly);  // the UI thread itself needs no event loop

  constexpr int kWorkers = 8;
  constexpr int kCalls = 25;
  QThread* uiThread = QCoreApplication::instance()->thread();
  int calls = 0;  // touched only on the UI thread
  std::atomic<int> faults = 0;  // work on the wrong thread, or a call returning before its work
  std::vector<std::string> caught(kWorkers);
  QEventLoop loop;  // as a progress dialog runs while its workers call in
  std::atomic<int> running = kWorkers;
  std::vector<std::thread> workers;
  for (int w = 0; w < kWorkers; ++w) {
    workers.emplace_back([&, w] {
      if (vx::IsUiThread()) ++faults;
      for (int i = 0; i < kCalls; ++i) {
        bool ranOnUi = false;
        vx::RunOnUiThread([&] {
          ranOnUi = QThread::currentThread() == uiThread;
          ++calls;
        });
        if (!ranOnUi) ++faults;
      }
      try {
        vx::RunOnUiThread([] { throw std::runtime_error("no disc"); });
      } catch (const std::runtime_error& error) {
        caught[w] = error.what();
      }
      if (--running == 0) vx::PostToUiThread([&loop] { loop.quit(); });
    });
  }
  loop.exec();
  for (std::thread& worker : workers) worker.join();
  EXPECT_EQ(calls, kWorkers * kCalls);
  EXPECT_EQ(faults, 0);
  EXPECT_EQ(caught, std::vector<std::string>(kWorkers, "no disc"));
}

TEST(PostToUiThread, QueuesWithoutWaitingFromEveryThread) {
  std::vector<QThread*> ranOn;
  const auto record = [&] { ranOn.push_back(QThread::currentThread()); };
  std::thread([&] { vx::PostToUiThread(record); }).join();
  vx::PostToUiThread(record);
  EXPECT_TRUE(ranOn.empty());
  EXPECT_TRUE(QTest::qWaitFor([&] { return ranOn.size() == 2; }));
  EXPECT_EQ(ranOn, std::vector<QThread*>(2, QCoreApplication::instance()->thread()));
}

// A piece may wait in a modal loop of its own (a box it shows); the pieces after it still run
// meanwhile, in order.
TEST(PostToUiThread, PiecesRunInOrderAlsoWhileAnEarlierOneWaitsInALoop) {
  std::vector<int> order;
  QEventLoop outer;
  std::thread([&] {
    vx::PostToUiThread([&] {
      order.push_back(1);
      QEventLoop inner;
      QTimer::singleShot(10000, &inner, &QEventLoop::quit);  // fails instead of hanging
      vx::PostToUiThread([&] {
        order.push_back(3);
        inner.quit();
      });
      inner.exec();
      order.push_back(4);
      outer.quit();
    });
    vx::PostToUiThread([&] { order.push_back(2); });
  }).join();
  outer.exec();
  EXPECT_EQ(order, (std::vector<int>{1, 2, 3, 4}));
}

}  // namespace
