#include "app/CSThread.h"

#include <memory>
#include <system_error>
#include <thread>
#include <utility>

namespace vx {

CSThread::CSThread(WorkFunction work, CompletionFunction completion, Pause pause)
    : work_(std::move(work)), completion_(std::move(completion)), pause_(std::move(pause)) {}

void CSThread::Run() {
  if (work_) {
    while (work_() == 0) pause_(kStepInterval);
  }
  if (completion_) completion_();
}

void CSThread::SleepFor(std::chrono::milliseconds interval) {
  std::this_thread::sleep_for(interval);
}

std::thread StartThread(std::function<void()> body) { return std::thread(std::move(body)); }

std::thread StartWorkerThread(WorkFunction work, CompletionFunction completion,
                              const ThreadStarter& starter) {
  if (!work || !starter) return {};
  // Shared so that the body can be copied into a std::function; the last copy goes with the
  // thread, or with the body when the thread never starts.
  auto job = std::make_shared<CSThread>(std::move(work), std::move(completion));
  try {
    return starter([job] { job->Run(); });
  } catch (const std::system_error&) {
    return {};
  }
}

}  // namespace vx
