// Running a Qt event loop in a test until the test's own events end it, with a deadline that
// fails the test instead of a fallback that lets it go on.
#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <chrono>
#include <functional>

#include "tests/support/ThreadCounter.h"

namespace vxtest {

// Runs `loop` until something quits it: true; false, failing the test, when the deadline
// passes first (the loop is then quit).
inline bool ExecWithDeadline(QEventLoop& loop, std::chrono::milliseconds deadline = kTestDeadline) {
  bool late = false;
  QTimer timer;
  timer.setSingleShot(true);
  QObject::connect(&timer, &QTimer::timeout, &loop, [&] {
    late = true;
    loop.quit();
  });
  timer.start(deadline);
  loop.exec();
  if (late) ADD_FAILURE() << "the event loop was still running after " << deadline.count() << " ms";
  return !late;
}

// For a test that runs the application's own loops (QApplication::exec(), a program's Run()):
// while it lives, the deadline fails the test and tells every loop to end with code 1, after
// `atDeadline` has let go whatever the test held back.
class MainLoopDeadline {
 public:
  explicit MainLoopDeadline(std::chrono::milliseconds deadline = kTestDeadline,
                            std::function<void()> atDeadline = {}) {
    timer_.setSingleShot(true);
    QObject::connect(&timer_, &QTimer::timeout, [deadline, atDeadline] {
      ADD_FAILURE() << "the program was still running after " << deadline.count() << " ms";
      if (atDeadline) atDeadline();
      QCoreApplication::exit(1);
    });
    timer_.start(deadline);
  }

 private:
  QTimer timer_;
};

}  // namespace vxtest
