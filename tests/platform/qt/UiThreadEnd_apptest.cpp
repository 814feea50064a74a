// The UI-thread hand-over when the application object ends: each test makes and ends its own.
#include "platform/qt/UiThread.h"

#include <gtest/gtest.h>

#include <QAbstractEventDispatcher>
#include <QCoreApplication>

#include <atomic>
#include <chrono>
#include <future>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>

#include "tests/support/ThreadCounter.h"

namespace {

// The UI thread of these tests runs no event loop: the wake-up that every post to its queue makes
// tells the test that a piece waits there.
class WakeUpCounter final : public QAbstractEventDispatcher {
 public:
  bool processEvents(QEventLoop::ProcessEventsFlags) override { return false; }
  void registerSocketNotifier(QSocketNotifier*) override {}
  void unregisterSocketNotifier(QSocketNotifier*) override {}
  void registerTimer(int, qint64, Qt::TimerType, QObject*) override {}
  bool unregisterTimer(int) override { return true; }
  bool unregisterTimers(QObject*) override { return true; }
  QList<TimerInfo> registeredTimers(QObject*) const override { return {}; }
  int remainingTime(int) override { return -1; }
  void wakeUp() override { wakeUps.Raise(); }
  void interrupt() override {}

  vxtest::ThreadCounter wakeUps;
};

// The worker's side, shared so that a worker left waiting by a failed test harms nothing.
struct WaitingWorker {
  std::promise<std::string> outcome;  // what RunOnUiThread did: "returned" or its error
  std::atomic<bool> ran{false};
};

TEST(ApplicationEnd, AWorkerWaitingInRunOnUiThreadGetsTheErrorWithinASecond) {
  int argc = 1;
  char name[] = "UiThreadEnd";
  char* argv[] = {name, nullptr};
  auto* dispatcher = new WakeUpCounter;  // the application takes it over
  QCoreApplication::setEventDispatcher(dispatcher);
  auto app = std::make_unique<QCoreApplication>(argc, argv);
  const int wakeUpsBefore = dispatcher->wakeUps.Value();

  auto worker = std::make_shared<WaitingWorker>();
  std::future<std::string> outcome = worker->outcome.get_future();
  std::thread thread([worker] {
    try {
      vx::RunOnUiThread([worker] { worker->ran = true; });
      worker->outcome.set_value("returned");
    } catch (const std::runtime_error& error) {
      worker->outcome.set_value(error.what());
    }
  });
  ASSERT_TRUE(dispatcher->wakeUps.WaitFor(wakeUpsBefore + 1)) << "the piece was never queued";

  app.reset();
  const bool answered = outcome.wait_for(std::chrono::seconds(1)) == std::future_status::ready;
  if (!answered) {
    thread.detach();
    FAIL() << "the worker still waits a second after the application ended";
  }
  thread.join();
  EXPECT_EQ(outcome.get(), "RunOnUiThread: the application has ended");
  EXPECT_FALSE(worker->ran);
}

}  // namespace
