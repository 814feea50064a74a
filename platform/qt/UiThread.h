// Reaching the UI thread (the thread of the QApplication) from worker threads.
//
// RunOnUiThread blocks its caller until the function has run on the UI thread, so the UI thread
// must be free to run it: calling it from a worker while the UI thread waits for that worker
// (joining it, or holding a lock the worker needs) deadlocks. Callers avoid that by keeping an
// event loop running on the UI thread for as long as the worker runs, as progress dialogs do with
// their modal loop, and by joining a worker only after its end (ModalWorker).
//
// Both calls queue their work in Qt's event queue of the UI thread, the queue that every queued
// call and posted event of that thread goes through: pieces run in the order they were queued,
// also among queued calls made with QMetaObject::invokeMethod. Everything the queuing thread did
// before it queued a piece happens before the piece runs.
#pragma once

#include <functional>

class QObject;

namespace vx {

// True on the UI thread, and everywhere when no application object exists.
bool IsUiThread();

// True when an application object exists, so that RunOnUiThread reaches its thread from any
// other.
bool HasUiThread();

// Runs `work` on the UI thread and returns when it has finished: directly when the caller is on
// the UI thread (or no application object exists), otherwise queued to the UI thread's event
// loop. An exception thrown by `work` is rethrown to the caller; std::runtime_error when the
// application ends (or has ended) before `work` could run.
void RunOnUiThread(std::function<void()> work);

// Queues `work` to the UI thread's event loop and returns at once, also on the UI thread itself.
// `work` must not throw. Without an application object it runs at once; once the application
// object is ending it is dropped.
void PostToUiThread(std::function<void()> work);

// As above, for work on `context`, a QObject of the UI thread that the caller keeps alive while
// this call runs: when `context` is destroyed before the work has run, the work is dropped.
void PostToUiThread(QObject* context, std::function<void()> work);

}  // namespace vx
