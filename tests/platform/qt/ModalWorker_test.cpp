#include "platform/qt/ModalWorker.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>
#include <QWindow>

#ifdef VX_HAVE_QPA
#include <qpa/qwindowsysteminterface.h>
#endif

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "platform/qt/UiThread.h"
#include "tests/support/EventLoopDeadline.h"
#include "tests/support/ThreadCounter.h"

namespace {

using Steps = std::vector<std::string>;

// The wait outlived the modal loop: the worker, still running, needs the UI thread for a box
// after the stop and only then sends its end message; the join comes last.
TEST(ModalWorker, StopsARunningWorkerShowsItsBoxWaitsForItsEndThenJoins) {
  vxtest::ThreadCounter stops;
  bool ended = false;  // these two on the UI thread only
  Steps steps;
  std::thread worker([&] {
    stops.WaitFor(1);
    vx::RunOnUiThread([&] { steps.push_back("box"); });
    vx::PostToUiThread([&] {
      steps.push_back("end");
      ended = true;
    });
  });
  const vx::ModalWorker modal({[&] {
                                 steps.push_back("stop");
                                 stops.Raise();
                               },
                               [&] { return ended; },
                               [&] {
                                 steps.push_back("join");
                                 worker.join();
                               }});
  modal.Finish();
  EXPECT_EQ(steps, (Steps{"stop", "box", "end", "join"}));
}

TEST(ModalWorker, AWorkerThatHasEndedIsOnlyJoined) {
  Steps steps;
  vx::ModalWorker(
      {[&] { steps.push_back("stop"); }, [] { return true; }, [&] { steps.push_back("join"); }})
      .Finish();
  EXPECT_EQ(steps, Steps{"join"});
}

// The dialogs wait from inside the handler of a queued message (the job's end message), and the
// worker's end may already wait in the queue behind that message.
TEST(ModalWorker, SeesAnEndQueuedBeforeTheCallersOwnQueuedCall) {
  bool ended = false;
  bool late = false;
  QTimer deadline;
  deadline.setSingleShot(true);
  QObject::connect(&deadline, &QTimer::timeout, [&] { late = true; });
  QEventLoop loop;
  vx::PostToUiThread([&] {
    deadline.start(vxtest::kTestDeadline);
    vx::ModalWorker({{}, [&] { return ended || late; }, {}}).Finish();
    loop.quit();
  });
  std::thread([&] { vx::PostToUiThread([&] { ended = true; }); }).join();
  ASSERT_TRUE(vxtest::ExecWithDeadline(loop));
  EXPECT_TRUE(ended);
  EXPECT_FALSE(late);
}

#ifdef VX_HAVE_QPA
// A window whose click starts a command.
class CommandWindow : public QWindow {
 public:
  int commands = 0;

 protected:
  void mousePressEvent(QMouseEvent*) override { ++commands; }
};

// A close that waits for its worker must not start a command meanwhile: a click the window
// system delivers during the wait stays queued for later. The window's move, queued by the
// window system after the click, shows that the wait handled the window system's events up to
// there.
TEST(ModalWorker, InputThatArrivesWhileItWaitsStartsNoCommandUntilAfterIt) {
  CommandWindow window;
  window.setGeometry(40, 40, 200, 100);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  const QPointF inside(20, 20);
  bool moved = false;
  QObject::connect(&window, &QWindow::xChanged, [&] { moved = true; });

  using Async = QWindowSystemInterface::AsynchronousDelivery;
  vxtest::ThreadCounter stops;
  bool ended = false;
  std::thread worker([&] {
    stops.WaitFor(1);
    vx::PostToUiThread([&] { ended = true; });
  });
  int commandsInTheWait = -1;
  vx::ModalWorker(
      {[&] {
         const QPointF global = window.mapToGlobal(inside);
         QWindowSystemInterface::handleMouseEvent<Async>(&window, inside, global, Qt::LeftButton,
                                                         Qt::LeftButton, QEvent::MouseButtonPress);
         QWindowSystemInterface::handleMouseEvent<Async>(
             &window, inside, global, Qt::NoButton, Qt::LeftButton, QEvent::MouseButtonRelease);
         QWindowSystemInterface::handleGeometryChange<Async>(&window,
                                                             window.geometry().translated(30, 0));
         stops.Raise();
       },
       [&] { return ended && moved; },
       [&] {
         commandsInTheWait = window.commands;
         worker.join();
       }})
      .Finish();
  EXPECT_EQ(commandsInTheWait, 0);
  // The click was a real one, left waiting in the window system's queue for a later pass.
  QWindowSystemInterface::sendWindowSystemEvents(QEventLoop::AllEvents);
  EXPECT_EQ(window.commands, 1);
}
#else
TEST(ModalWorker, InputThatArrivesWhileItWaitsStartsNoCommandUntilAfterIt) {
  GTEST_SKIP() << "needs Qt's platform headers (qt6-base-private-dev) to queue window input";
}
#endif

}  // namespace
