#include "platform/qt/ModalWorker.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "platform/qt/UiThread.h"

namespace {

using Steps = std::vector<std::string>;

// The wait outlived the modal loop: the worker, still running, needs the UI thread for a box
// after the stop and only then sends its end message; the join comes last.
TEST(ModalWorker, StopsARunningWorkerShowsItsBoxWaitsForItsEndThenJoins) {
  std::atomic<bool> stopped{false};
  bool ended = false;  // these two on the UI thread only
  Steps steps;
  std::thread worker([&] {
    while (!stopped) std::this_thread::yield();
    vx::RunOnUiThread([&] { steps.push_back("box"); });
    vx::PostToUiThread([&] {
      steps.push_back("end");
      ended = true;
    });
  });
  const vx::ModalWorker modal({[&] {
                                 steps.push_back("stop");
                                 stopped = true;
                               },
                               [&] { return ended; },
                               [&] {
                                 steps.push_back("join");
                                 worker.join();
                               }});
  modal.Finish();
  EXPECT_EQ(steps, (Steps{"stop", "box", "end", "join"}));
}

TEST(ModalWorker, AWorkerThatHasEndedIsOnlyJoined) {
  Steps steps;
  vx::ModalWorker({[&] { steps.push_back("stop"); }, [] { return true; },
                   [&] { steps.push_back("join"); }})
      .Finish();
  EXPECT_EQ(steps, Steps{"join"});
}

}  // namespace
