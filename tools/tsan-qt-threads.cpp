// Preloaded into every process of a tools/tsan.sh run. Qt is not instrumented: on a thread that
// Qt starts for itself the sanitizer sees memory only through the C library (malloc, free,
// memcpy), never the atomics and futex-based QMutex that order it inside Qt, and it names no Qt
// function there but the direct caller of the C function, mostly an unexported one. No
// suppression can single those reports out; this library keeps them from arising, for the
// threads of the Qt classes named below and no others.
//
// Built against Qt's headers but not linked to Qt: the one Qt function it calls is looked up
// only when Qt starts a thread, and Xvfb or cupsd, which inherit the preload, never do.
#include <dlfcn.h>
#include <pthread.h>

#include <QMetaObject>
#include <QThread>
#include <QThreadPool>

#include <cstring>

// Defined only in the instrumented processes.
extern "C" void __tsan_ignore_thread_begin() __attribute__((weak));
extern "C" void __tsan_ignore_thread_end() __attribute__((weak));

// Qt Gui hands slices of image conversions and smooth scaling to the global pool, and does them
// itself when there is none. Reported missing, the work stays on the thread of ours that asked for
// it, where the sanitizer checks it against our other threads rather than losing it on Qt's.
QThreadPool* QThreadPool::globalInstance() { return nullptr; }

namespace {

// Qt's threads that run nothing of ours and share nothing with us but through Qt's own queues.
constexpr const char* kQtOwnThreads[] = {
    "QXcbEventQueue",          // reads the X connection; its events reach our filters on the
                               // UI thread through a queue of atomics
    "QDBusConnectionManager",  // the session bus, with glib's loop and Qt's strings of its own
    "QFileInfoGatherer",       // the file dialog's folder reader, fed under a QMutex
};

bool IsQtOwnThread(const QThread& thread) {
  const char* name = thread.metaObject()->className();
  for (const char* own : kQtOwnThreads) {
    if (std::strcmp(name, own) == 0) return true;
  }
  return false;
}

bool IsQThreadStart(void* caller) {
  Dl_info info;
  return dladdr(caller, &info) != 0 && info.dli_sname != nullptr &&
         std::strcmp(info.dli_sname, "_ZN7QThread5startENS_8PriorityE") == 0;
}

struct ThreadStart {
  void* (*routine)(void*);
  void* argument;
};

// Its reads and writes go unchecked; its locks and atomics still order ours.
void* StartUnchecked(void* start) {
  const ThreadStart qtStart = *static_cast<ThreadStart*>(start);
  delete static_cast<ThreadStart*>(start);
  __tsan_ignore_thread_begin();
  void* result = qtStart.routine(qtStart.argument);
  __tsan_ignore_thread_end();  // a thread may not end ignored
  return result;
}

}  // namespace

// QThread::start passes the QThread itself as the argument.
extern "C" int pthread_create(pthread_t* thread, const pthread_attr_t* attributes,
                              void* (*routine)(void*), void* argument) {
  using Create = int (*)(pthread_t*, const pthread_attr_t*, void* (*)(void*), void*);
  static const auto next = reinterpret_cast<Create>(dlsym(RTLD_NEXT, "pthread_create"));
  if (__tsan_ignore_thread_begin == nullptr || !IsQThreadStart(__builtin_return_address(0)) ||
      !IsQtOwnThread(*static_cast<const QThread*>(argument))) {
    return next(thread, attributes, routine, argument);
  }
  auto* start = new ThreadStart{routine, argument};
  const int error = next(thread, attributes, StartUnchecked, start);
  if (error != 0) delete start;
  return error;
}
