#include "print/QtPrintEventSink.h"

#include <gtest/gtest.h>

#include <QObject>
#include <QTest>
#include <thread>
#include <utility>
#include <vector>

#include "print/PrintMessageEvent.h"
#include "res/ResourceIds.h"

namespace vxtest {
namespace {

// Keeps the print messages it receives, in order.
class MessageWindow : public QObject {
 public:
  bool event(QEvent* e) override {
    if (e->type() != vx::PrintMessageEvent::EventType()) return QObject::event(e);
    const auto* m = static_cast<vx::PrintMessageEvent*>(e);
    received.emplace_back(m->message(), m->lParam());
    return true;
  }
  std::vector<std::pair<unsigned, std::intptr_t>> received;
};

TEST(QtPrintEventSinkTest, MessagesFromADocumentThreadArriveInOrderOnTheWindowsThread) {
  MessageWindow window;
  vx::QtPrintEventSink sink;
  std::thread worker([&] {
    sink.Post(&window, UM_PRINT_PROGRESS, 0);
    sink.Post(&window, UM_PRINT_PROGRESS, 5);
    sink.Post(&window, UM_PRINT_PAGE, 1);
    sink.Post(&window, UM_PRINT_DONE, 6);
    sink.Post(nullptr, UM_PRINT_FAILED, 0);  // no window: nothing
  });
  worker.join();
  EXPECT_TRUE(window.received.empty());  // posted, not sent
  EXPECT_TRUE(QTest::qWaitFor([&] { return window.received.size() == 4; }, 5000));
  EXPECT_EQ(
      window.received,
      (std::vector<std::pair<unsigned, std::intptr_t>>{
          {UM_PRINT_PROGRESS, 0}, {UM_PRINT_PROGRESS, 5}, {UM_PRINT_PAGE, 1}, {UM_PRINT_DONE, 6}}));
}

}  // namespace
}  // namespace vxtest
