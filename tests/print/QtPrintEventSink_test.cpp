#include "print/QtPrintEventSink.h"

#include <gtest/gtest.h>

#include <QEventLoop>
#include <QObject>
#include <functional>
#include <memory>
#include <thread>
#include <utility>
#include <vector>

#include "print/PrintEngine.h"
#include "print/PrintMessageEvent.h"
#include "res/ResourceIds.h"
#include "tests/support/EventLoopDeadline.h"
#include "tests/support/ThreadCounter.h"

namespace vxtest {
namespace {

using Messages = std::vector<std::pair<unsigned, std::intptr_t>>;

// Keeps the print messages it receives, in order.
class MessageWindow : public QObject {
 public:
  bool event(QEvent* e) override {
    if (e->type() != vx::PrintMessageEvent::EventType()) return QObject::event(e);
    const auto* m = static_cast<vx::PrintMessageEvent*>(e);
    received.emplace_back(m->Message(), m->LParam());
    if (m->Message() == UM_PRINT_DONE) onDone();
    return true;
  }
  Messages received;
  std::function<void()> onDone = [] {};
};

TEST(QtPrintEventSinkTest, MessagesFromADocumentThreadArriveInOrderOnTheWindowsThread) {
  MessageWindow window;
  QEventLoop loop;
  window.onDone = [&] { loop.quit(); };
  vx::QtPrintEventSink sink;
  std::thread worker([&] {
    sink.Post(&window, UM_PRINT_PROGRESS, 0);
    sink.Post(&window, UM_PRINT_PROGRESS, 5);
    sink.Post(&window, UM_PRINT_PAGE, 1);
    sink.Post(nullptr, UM_PRINT_FAILED, 0);  // no window: nothing
    sink.Post(&window, UM_PRINT_DONE, 6);
  });
  worker.join();
  EXPECT_TRUE(window.received.empty());  // posted, not sent
  ASSERT_TRUE(ExecWithDeadline(loop));
  EXPECT_EQ(
      window.received,
      (Messages{
          {UM_PRINT_PROGRESS, 0}, {UM_PRINT_PROGRESS, 5}, {UM_PRINT_PAGE, 1}, {UM_PRINT_DONE, 6}}));
}

// A dialog that has gone never gets the messages still on their way to it.
TEST(QtPrintEventSinkTest, MessagesToAWindowThatWentAreDropped) {
  auto going = std::make_unique<MessageWindow>();
  MessageWindow staying;
  QEventLoop loop;
  staying.onDone = [&] { loop.quit(); };
  bool wentReceived = false;
  going->onDone = [&] { wentReceived = true; };
  vx::QtPrintEventSink sink;
  std::thread([&] {
    sink.Post(going.get(), UM_PRINT_DONE, 1);
    sink.Post(&staying, UM_PRINT_DONE, 2);
  }).join();
  going.reset();
  ASSERT_TRUE(ExecWithDeadline(loop));
  EXPECT_FALSE(wentReceived);
  EXPECT_EQ(staying.received, (Messages{{UM_PRINT_DONE, 2}}));
}

// Waiting for a document thread returns only once every message the run posted has been
// delivered: a job started next never takes an earlier run's end message for its own.
TEST(QtPrintEventSinkTest, TheWaitForADocumentEndsBehindItsMessages) {
  vx::PrintEngine_Reset();
  MessageWindow window;
  vx::QtPrintEventSink sink;
  ThreadCounter threadsEnded;
  vx::PrintEngineServices services;
  services.events = &sink;
  services.startThread = [&](std::function<void()> body) {
    return std::thread([body = std::move(body), &threadsEnded] {
      body();
      threadsEnded.Raise();
    });
  };
  vx::PrintEngine_SetContext(services, {}, {});
  vx::PrintEngine_SetDocument(vx::kDocumentList, [](vx::PrintJob& job, int) {
    vx::PrintEngine_Post(job, UM_PRINT_DONE, 7);
    return 0;
  });
  vx::PrintJob& job = vx::PrintEngine_Job();
  job.ownerWindow = &window;
  vx::PrintThread_Start(vx::kDocumentList, job, vx::kTargetImageFiles);
  ASSERT_TRUE(threadsEnded.WaitFor(1));  // the thread is over; its end is still on its way
  vx::PrintEngine_WaitForJob();
  EXPECT_EQ(window.received, (Messages{{UM_PRINT_DONE, 7}}));
  vx::PrintEngine_Reset();
}

}  // namespace
}  // namespace vxtest
