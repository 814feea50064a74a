#include "platform/qt/UiThread.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QMetaObject>
#include <QThread>
#include <atomic>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/EventLoopDeadline.h"

namespace {

using vxtest::ExecWithDeadline;

TEST(RunOnUiThread, WorkersWaitForTheirWorkToRunOnTheUiThread) {
  bool ranDirectly = false;
  vx::RunOnUiThread([&] { ranDirectly = true; });
  EXPECT_TRUE(ranDirectly);  // the UI thread itself needs no event loop

  constexpr int kWorkers = 8;
  constexpr int kCalls = 25;
  QThread* uiThread = QCoreApplication::instance()->thread();
  int calls = 0;                // touched only on the UI thread
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
  const bool ended = ExecWithDeadline(loop);
  for (std::thread& worker : workers) worker.join();
  ASSERT_TRUE(ended);
  EXPECT_EQ(calls, kWorkers * kCalls);
  EXPECT_EQ(faults, 0);
  EXPECT_EQ(caught, std::vector<std::string>(kWorkers, "no disc"));
}

TEST(PostToUiThread, QueuesWithoutWaitingFromEveryThread) {
  std::vector<QThread*> ranOn;
  QEventLoop loop;
  const auto record = [&] {
    ranOn.push_back(QThread::currentThread());
    if (ranOn.size() == 2) loop.quit();
  };
  std::thread([&] { vx::PostToUiThread(record); }).join();
  vx::PostToUiThread(record);
  EXPECT_TRUE(ranOn.empty());
  ASSERT_TRUE(ExecWithDeadline(loop));
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
      vx::PostToUiThread([&] {
        order.push_back(3);
        inner.quit();
      });
      ExecWithDeadline(inner);
      order.push_back(4);
      outer.quit();
    });
    vx::PostToUiThread([&] { order.push_back(2); });
  }).join();
  ASSERT_TRUE(ExecWithDeadline(outer));
  EXPECT_EQ(order, (std::vector<int>{1, 2, 3, 4}));
}

// The pieces take the queue every queued call of the UI thread takes: one order with Qt's own
// queued calls (a dialog starts its worker that way), and delivered by any pass over that queue,
// also one that leaves socket notifiers out.
TEST(PostToUiThread, PiecesShareOneQueueWithQtsQueuedCalls) {
  std::vector<char> order;
  QObject receiver;
  QMetaObject::invokeMethod(
      &receiver, [&] { order.push_back('a'); }, Qt::QueuedConnection);
  std::thread([&] { vx::PostToUiThread([&] { order.push_back('b'); }); }).join();
  QMetaObject::invokeMethod(
      &receiver, [&] { order.push_back('c'); }, Qt::QueuedConnection);
  QCoreApplication::processEvents(QEventLoop::ExcludeSocketNotifiers);
  EXPECT_EQ(order, (std::vector<char>{'a', 'b', 'c'}));
}

// A piece queued for a window that is gone before it runs is dropped; the others run.
TEST(PostToUiThread, APieceForAContextThatWentIsDropped) {
  auto going = std::make_unique<QObject>();
  QObject staying;
  std::vector<std::string> ran;
  QEventLoop loop;
  std::thread([&] {
    vx::PostToUiThread(going.get(), [&] { ran.push_back("going"); });
    vx::PostToUiThread(&staying, [&] { ran.push_back("staying"); });
    vx::PostToUiThread([&] {
      ran.push_back("no context");
      loop.quit();
    });
  }).join();
  going.reset();
  ASSERT_TRUE(ExecWithDeadline(loop));
  EXPECT_EQ(ran, (std::vector<std::string>{"staying", "no context"}));
}

}  // namespace
