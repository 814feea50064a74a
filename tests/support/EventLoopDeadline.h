// Running a Qt event loop in a test until the test's own events end it, with a deadline that
// fails the test instead of a fallback that lets it go on.
#pragma once

#include <gtest/gtest.h>

#include <QEventLoop>
#include <QTimer>

#include <chrono>

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

}  // namespace vxtest
