// The one way work that runs off the UI thread ends while the UI thread waits for it, in a modal
// dialog or in a join. Whatever ended the wait early (Cancel, a hidden dialog, or the program
// quitting, which ends every modal loop), the worker is asked to stop, the UI thread goes on
// handling events until the worker's end message has come through its queue, and only then is
// the thread joined. Until its end a worker may wait for the UI thread (a box it asked for, a
// broadcast); after it, the worker needs nothing more, so the join cannot deadlock.
#pragma once

#include <functional>
#include <utility>

namespace vx {

class ModalWorker {
 public:
  struct Hooks {
    std::function<void()> stop;   // asks the worker to end soon; empty when it cannot be stopped
    std::function<bool()> ended;  // its end message has been handled, or no worker was started
    std::function<void()> join;   // waits for its thread
  };

  explicit ModalWorker(Hooks hooks) : hooks_(std::move(hooks)) {}

  // UI thread. Returns once the worker has ended and has been joined; one that has ended already
  // is only joined. `ended` must turn true through an event queued to the UI thread. Without an
  // application object nothing needs the UI thread: the worker is stopped and joined.
  void Finish() const;

 private:
  Hooks hooks_;
};

}  // namespace vx
