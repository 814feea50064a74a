// The worker thread behind every progress dialog: it calls a work function again and again until
// the work reports that it has ended, then calls a completion function once.
#pragma once

#include <chrono>
#include <functional>
#include <thread>

namespace vx {

// One step of work: 0 = call again, anything else = finished.
using WorkFunction = std::function<int()>;
// Runs once after the last step, on the worker thread; may be empty.
using CompletionFunction = std::function<void()>;
// Starts `body` on a new thread; throws std::system_error when no thread can be made.
using ThreadStarter = std::function<std::thread(std::function<void()> body)>;

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

// The default starter: a plain std::thread.
std::thread StartThread(std::function<void()> body);

// Runs `work` and then `completion` on a thread of their own, which the caller joins after the
// completion. The thread is not joinable when `work` is empty or no thread could be started (then
// no completion will ever come). The job is released when it returns; nobody may touch it after
// the completion.
std::thread StartWorkerThread(WorkFunction work, CompletionFunction completion,
                              const ThreadStarter& starter = StartThread);

}  // namespace vx
