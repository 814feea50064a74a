#include "tests/support/ChildProcess.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <latch>
#include <mutex>
#include <thread>

namespace {

using vxtest::ChildProcess;

TEST(ChildProcessTest, ReportsTheExitCodeAndWhatTheChildWrote) {
  ChildProcess child;
  ASSERT_TRUE(child.Start("/bin/sh", {"-c", "echo out; echo err >&2; exit 3"}));
  ASSERT_TRUE(child.WaitForExit());
  EXPECT_TRUE(child.ExitedNormally());
  EXPECT_EQ(child.ExitCode(), 3);
  EXPECT_EQ(child.Output(), "out\nerr\n");
}

TEST(ChildProcessTest, SetsAndRemovesVariablesOfTheEnvironment) {
  ::setenv("VX_CHILD_REMOVED", "here", 1);
  ChildProcess child;
  ASSERT_TRUE(child.Start("/bin/sh", {"-c", "echo ${VX_CHILD_SET-unset} ${VX_CHILD_REMOVED-unset}"},
                          {"VX_CHILD_SET=set", "VX_CHILD_REMOVED"}));
  ASSERT_TRUE(child.WaitForExit());
  ::unsetenv("VX_CHILD_REMOVED");
  EXPECT_EQ(child.Output(), "set unset\n");
}

TEST(ChildProcessTest, AProgramThatCannotStartFailsTheTest) {
  ChildProcess child;
  EXPECT_NONFATAL_FAILURE(EXPECT_FALSE(child.Start("/nonexistent/vx-program", {})),
                          "did not start: No such file or directory");
  EXPECT_FALSE(child.IsRunning());
}

TEST(ChildProcessTest, ASanitizerReportInTheOutputFailsTheTest) {
  EXPECT_NONFATAL_FAILURE(
      {
        ChildProcess child;
        ASSERT_TRUE(
            child.Start("/bin/sh", {"-c", "echo 'a.cpp:9:7: runtime error: overflow' >&2"}));
        ASSERT_TRUE(child.WaitForExit());
      },
      "/bin/sh made sanitizer reports:\na.cpp:9:7: runtime error: overflow");
}

TEST(ChildProcessTest, ARunningChildOutlivesADeadlineAndEndsOnTerminate) {
  ChildProcess child;
  ASSERT_TRUE(child.Start("/bin/sleep", {"600"}));
  EXPECT_NONFATAL_FAILURE(EXPECT_FALSE(child.WaitForExit(std::chrono::milliseconds(20))),
                          "still running after 20 ms");
  EXPECT_TRUE(child.IsRunning());
  child.Terminate();
  ASSERT_TRUE(child.WaitForExit());
  EXPECT_FALSE(child.IsRunning());
  EXPECT_FALSE(child.ExitedNormally());
  EXPECT_EQ(child.ExitCode(), -1);
}

// For tools/tsan.sh: a child started as QProcess starts one, in memory shared with this process,
// left the sanitizer's records of this process wrong. With another thread running meanwhile, the
// next thread started ended the process ("starting new threads after multi-threaded fork");
// without one, this thread's locks went unseen and the hand-off below was reported as a race.
TEST(ChildProcessTest, ThreadsAndLocksAfterAStartStayInTheSanitizersSight) {
  std::latch started(1);
  std::thread waiting([&] { started.wait(); });
  ChildProcess child;
  EXPECT_TRUE(child.Start("/bin/true", {}) && child.WaitForExit());
  started.count_down();
  waiting.join();

  std::mutex mutex;
  int count = 0;
  const auto count1000 = [&] {
    for (int i = 0; i < 1000; ++i) {
      std::lock_guard lock(mutex);
      ++count;
    }
  };
  std::thread other(count1000);
  count1000();
  other.join();
  EXPECT_EQ(count, 2000);
}

}  // namespace
