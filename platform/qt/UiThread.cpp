#include "platform/qt/UiThread.h"

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QSocketNotifier>
#include <QThread>

#include <sys/eventfd.h>
#include <unistd.h>

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <exception>
#include <mutex>
#include <stdexcept>
#include <utility>

namespace vx {

namespace {

// What other threads hand to the UI thread waits in a queue of our own, and a count on an eventfd
// wakes the UI thread for it. Other threads touch neither Qt objects nor Qt's event queue, and
// the hand-over is ordered by a mutex that ThreadSanitizer sees (it cannot see into Qt, which is
// not instrumented). On the UI thread each piece becomes an event of its own, so that pieces keep
// their order among the other events and also run while an earlier one waits in a modal loop.
class UiMailbox final : public QObject {
 public:
  UiMailbox()
      : fd_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)),
        type_(static_cast<QEvent::Type>(QEvent::registerEventType())),
        notifier_(fd_, QSocketNotifier::Read) {
    connect(&notifier_, &QSocketNotifier::activated, this, [this] { TakeDelivery(); });
  }
  ~UiMailbox() override { ::close(fd_); }

  bool Open() const { return fd_ >= 0; }

  // Any thread.
  void Post(std::function<void()> work) {
    {
      std::lock_guard lock(mutex_);
      queue_.push_back(std::move(work));
    }
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = ::write(fd_, &one, sizeof one);
  }

 protected:
  bool event(QEvent* e) override {
    if (e->type() != type_) return QObject::event(e);
    std::function<void()> work;
    {
      std::lock_guard lock(mutex_);
      if (queue_.empty()) return true;
      work = std::move(queue_.front());
      queue_.pop_front();
    }
    work();
    return true;
  }

 private:
  void TakeDelivery() {
    std::uint64_t count = 0;
    if (::read(fd_, &count, sizeof count) != sizeof count) return;
    for (; count > 0; --count) QCoreApplication::postEvent(this, new QEvent(type_));
  }

  const int fd_;
  const QEvent::Type type_;
  QSocketNotifier notifier_;
  std::mutex mutex_;
  std::deque<std::function<void()>> queue_;
};

std::mutex g_mailboxMutex;
UiMailbox* g_mailbox = nullptr;  // under g_mailboxMutex; lives as long as the application

// Runs on the UI thread as the application object is made.
void OpenMailbox() {
  std::lock_guard lock(g_mailboxMutex);
  g_mailbox = new UiMailbox;
  if (!g_mailbox->Open()) {
    delete g_mailbox;
    g_mailbox = nullptr;
    return;
  }
  qAddPostRoutine([] {
    std::lock_guard lock(g_mailboxMutex);
    delete g_mailbox;
    g_mailbox = nullptr;
  });
}

// Through Qt's own queue when no eventfd could be had; false when the application is gone.
bool Post(std::function<void()> work) {
  std::lock_guard lock(g_mailboxMutex);
  if (g_mailbox != nullptr) {
    g_mailbox->Post(std::move(work));
    return true;
  }
  QCoreApplication* app = QCoreApplication::instance();
  return app != nullptr && QMetaObject::invokeMethod(app, std::move(work), Qt::QueuedConnection);
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(OpenMailbox)

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
  std::mutex mutex;
  std::condition_variable ran;
  bool done = false;
  std::exception_ptr failure;
  const bool posted = Post([&] {
    try {
      work();
    } catch (...) {
      failure = std::current_exception();
    }
    std::lock_guard lock(mutex);
    done = true;
    ran.notify_one();
  });
  if (!posted) throw std::runtime_error("RunOnUiThread: the application has ended");
  std::unique_lock lock(mutex);
  ran.wait(lock, [&] { return done; });
  if (failure) std::rethrow_exception(failure);
}

void PostToUiThread(std::function<void()> work) {
  if (QCoreApplication::instance() == nullptr) {
    work();
    return;
  }
  Post(std::move(work));
}

}  // namespace vx
