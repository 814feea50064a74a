// The worker thread behind every progress dialog: it calls a work function again and again until
// the work reports that it has ended, then calls a completion function once.
#pragma once

#include <chrono>
#include <functional>

namespace vx {

// One step of work: 0 = call again, anything else = finished.
using WorkFunction = std::function<int()>;
// Runs once after the last step, on the worker thread; may be empty.
using CompletionFunction = std::function<void()>;
// Starts `body` on a new thread that nobody waits for; false when no thread could be made.
using ThreadStarter = std::function<bool(std::function<void()> body)>;

class CSThread {
 public:
  using Pause = std::function<void(std::chrono::milliseconds)>;
  static constexpr std::chrono::milliseconds kStepInterval{5};

  CSThread(WorkFunction work, CompletionFunction completion, Pause pause = SleepFor);

  // The whole job. The first step runs at once, so work that ends in one call costs no pause.
  void Run();

  static void SleepFor(std::chrono::milliseconds interval);

 private:
  WorkFunction work_;
  CompletionFunction completion_;
  Pause pause_;
};

// The default starter: a detached std::thread.
bool StartDetachedThread(std::function<void()> body);

// Runs `work` and then `completion` on a thread of their own. Answers 1 when the thread runs, 0
// when `work` is empty or no thread could be started (then no completion will ever come). The
// thread object is released when its job returns; nobody may touch it after the completion.
int StartWorkerThread(WorkFunction work, CompletionFunction completion,
                      const ThreadStarter& starter = StartDetachedThread);

}  // namespace vx
