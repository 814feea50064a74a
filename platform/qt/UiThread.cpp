#include "platform/qt/UiThread.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>
#include <exception>
#include <stdexcept>
#include <utility>

namespace vx {

bool IsUiThread() {
  const QCoreApplication* app = QCoreApplication::instance();
  return app == nullptr || QThread::currentThread() == app->thread();
}

bool HasUiThread() { return QCoreApplication::instance() != nullptr; }

void RunOnUiThread(std::function<void()> work) {
  if (IsUiThread()) {
    work();
    return;
  }
  std::exception_ptr failure;
  auto guarded = [&work, &failure] {
    try {
      work();
    } catch (...) {
      failure = std::current_exception();
    }
  };
  if (!QMetaObject::invokeMethod(QCoreApplication::instance(), guarded,
                                 Qt::BlockingQueuedConnection)) {
    throw std::runtime_error("RunOnUiThread: the call could not be queued to the UI thread");
  }
  if (failure) std::rethrow_exception(failure);
}

void PostToUiThread(std::function<void()> work) {
  QCoreApplication* app = QCoreApplication::instance();
  if (app == nullptr) {
    work();
    return;
  }
  QMetaObject::invokeMethod(app, std::move(work), Qt::QueuedConnection);
}

}  // namespace vx
