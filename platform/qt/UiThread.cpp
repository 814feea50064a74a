#include "platform/qt/UiThread.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QObject>
#include <QThread>

#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <utility>

// Qt is not instrumented, so ThreadSanitizer cannot see that Qt's queue orders a piece after what
// the queuing thread did before queuing it; these annotations say so (only in such builds).
#if defined(__SANITIZE_THREAD__)
#define VX_TSAN_ANNOTATIONS 1
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define VX_TSAN_ANNOTATIONS 1
#endif
#endif

#ifdef VX_TSAN_ANNOTATIONS
extern "C" void __tsan_acquire(void* address);
extern "C" void __tsan_release(void* address);
extern "C" void __tsan_ignore_thread_begin();
extern "C" void __tsan_ignore_thread_end();
#endif

namespace vx {

namespace {

void HandOver([[maybe_unused]] void* piece) {
#ifdef VX_TSAN_ANNOTATIONS
  __tsan_release(piece);
#endif
}

void TakeOver([[maybe_unused]] void* piece) {
#ifdef VX_TSAN_ANNOTATIONS
  __tsan_acquire(piece);
#endif
}

// Qt's own event queue, written by the queuing thread under Qt's mutex, is left unchecked: the
// sanitizer would take the UI thread's use of it for a race. The hand-over annotations still count.
void CheckAccesses([[maybe_unused]] bool check) {
#ifdef VX_TSAN_ANNOTATIONS
  check ? __tsan_ignore_thread_end() : __tsan_ignore_thread_begin();
#endif
}

// The work as Qt's queue keeps it. Its last move, into Qt's slot object, is the hand-over: the
// queuing thread writes nothing of it afterwards. Running it, or destroying it unrun when its
// receiver goes, takes it over on the UI thread; after its run it is handed back, for Qt may
// destroy it on the queuing thread. `whenGone` runs as it is destroyed, run or not.
class UiPiece {
 public:
  explicit UiPiece(std::function<void()> work, std::function<void()> whenGone = {})
      : work_(std::move(work)), whenGone_(std::move(whenGone)) {}
  UiPiece(UiPiece&& other) noexcept
      : work_(std::exchange(other.work_, {})), whenGone_(std::exchange(other.whenGone_, {})) {
    HandOver(this);
  }
  UiPiece(const UiPiece&) = delete;
  UiPiece& operator=(const UiPiece&) = delete;
  UiPiece& operator=(UiPiece&&) = delete;
  ~UiPiece() {
    TakeOver(this);
    if (whenGone_) whenGone_();
  }

  void operator()() {
    TakeOver(this);
    if (work_) work_();
    HandOver(this);
  }

 private:
  std::function<void()> work_;
  std::function<void()> whenGone_;
};

// The receiver of the pieces that have no context object of their own. It lives on the UI thread
// from the application object's start until its end begins; deleting it drops what still waits.
std::mutex g_queueMutex;
QObject* g_queue = nullptr;  // under g_queueMutex

void CloseQueue() {
  QObject* queue = nullptr;
  {
    std::lock_guard lock(g_queueMutex);
    queue = std::exchange(g_queue, nullptr);
  }
  delete queue;
}

// Runs on the UI thread as each application object is made.
void OpenQueue() {
  std::lock_guard lock(g_queueMutex);
  g_queue = new QObject;
  qAddPostRoutine(CloseQueue);
}

// False, the piece dropped, once the application object is ending.
bool Queue(QObject* context, UiPiece piece) {
  std::lock_guard lock(g_queueMutex);
  if (g_queue == nullptr) return false;
  CheckAccesses(false);
  const bool queued = QMetaObject::invokeMethod(context ? context : g_queue, std::move(piece),
                                                Qt::QueuedConnection);
  CheckAccesses(true);
  return queued;
}

// A caller of RunOnUiThread waits here until its piece has run, or has gone unrun.
class BlockingCall {
 public:
  // Once: the first word counts (a piece that ran is destroyed afterwards).
  void Finish(bool ran, std::exception_ptr failure) {
    std::lock_guard lock(mutex_);
    if (finished_) return;
    finished_ = true;
    ran_ = ran;
    failure_ = std::move(failure);
    done_.notify_one();
  }
  // Throws what the work threw, or std::runtime_error when it never ran.
  void Wait() {
    std::unique_lock lock(mutex_);
    done_.wait(lock, [this] { return finished_; });
    if (!ran_) throw std::runtime_error("RunOnUiThread: the application has ended");
    // Taken, not shared: the exception then ends on the thread that catches it, whose reads of
    // it the sanitizer could not otherwise order before its end (libstdc++ counts its holders).
    if (failure_) std::rethrow_exception(std::exchange(failure_, nullptr));
  }

 private:
  std::mutex mutex_;
  std::condition_variable done_;
  bool finished_ = false;
  bool ran_ = false;
  std::exception_ptr failure_;
};

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(OpenQueue)

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
  const auto call = std::make_shared<BlockingCall>();
  Queue(nullptr, UiPiece(
                     [call, work = std::move(work)] {
                       std::exception_ptr failure;
                       try {
                         work();
                       } catch (...) {
                         failure = std::current_exception();
                       }
                       call->Finish(true, std::move(failure));
                     },
                     [call] { call->Finish(false, nullptr); }));
  call->Wait();
}

void PostToUiThread(std::function<void()> work) { PostToUiThread(nullptr, std::move(work)); }

void PostToUiThread(QObject* context, std::function<void()> work) {
  if (!HasUiThread()) {
    work();
    return;
  }
  Queue(context, UiPiece(std::move(work)));
}

}  // namespace vx
