// The one way work that runs off the UI thread ends while the UI thread waits for it, in a modal
// dialog or in a join. Whatever ended the wait early (Cancel, a hidden dialog, or the program
// quitting, which ends every modal loop), the worker is asked to stop, the UI thread goes on
// handling events until the worker's end message has come through its queue, and only then is
// the thread joined. Until its end a worker may wait for the UI thread (a box it asked for, a
// broadcast); after it, the worker needs nothing more, so the join cannot deadlock. User input
// waits meanwhile, so that no click or key starts a new command inside the wait.
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
  // is only joined. `ended` must turn true on the UI thread, through work the worker queued to
  // it (PostToUiThread) as its last act. Without an application object, or once it is being
  // destroyed, nothing more comes through that queue: the worker is stopped and joined.
  void Finish() const;

 private:
  Hooks hooks_;
};

}  // namespace vx
