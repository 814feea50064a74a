#include "checklist/CircleReadAhead.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <string>

#include "tests/support/ThreadCounter.h"

namespace vxtest {
namespace {

using Records = vx::CircleReadAhead::Records;

// A read that finds rows until it is stopped, as a read of a large catalogue does; it gives up
// at the test's deadline, which fails the test, so that a stop that never comes cannot hang it.
struct EndlessRead {
  ThreadCounter firstRow;
  std::atomic<bool> stopped{false};

  vx::CircleReadAhead::Read Read() {
    return [this](const std::atomic<bool>& stop, Records& records) {
      const auto deadline = std::chrono::steady_clock::now() + kTestDeadline;
      for (int id = 1; !stop && std::chrono::steady_clock::now() < deadline; ++id) {
        records[id % 1000].id = id;
        if (id == 1) firstRow.Raise();
      }
      stopped = stop.load();
      return !stopped;
    };
  }
};

vx::CircleReadAhead::Read Reading(int id, bool whole = true) {
  return [id, whole](const std::atomic<bool>&, Records& records) {
    records[id].id = id;
    return whole;
  };
}

TEST(CircleReadAhead, HandsOverOnlyARecordSetThatWasReadWhole) {
  vx::CircleReadAhead ahead;
  EXPECT_FALSE(ahead.Take());  // nothing started
  ahead.Start(Reading(7));
  const std::optional<Records> taken = ahead.Take();
  ASSERT_TRUE(taken);
  EXPECT_EQ(taken->at(7).id, 7);
  EXPECT_FALSE(ahead.Take());  // taken once
  ahead.Start(Reading(8, false));
  EXPECT_FALSE(ahead.Take());  // a failed read: the caller reads itself
}

// A discarded load stops its read ahead at once, and a new load's read replaces it.
TEST(CircleReadAhead, StopAndANewStartEndARunningRead) {
  vx::CircleReadAhead ahead;
  EndlessRead discarded;
  ahead.Start(discarded.Read());
  ASSERT_TRUE(discarded.firstRow.WaitFor(1));
  ahead.Stop();
  EXPECT_TRUE(discarded.stopped);
  EXPECT_FALSE(ahead.Take());

  EndlessRead replaced;
  ahead.Start(replaced.Read());
  ASSERT_TRUE(replaced.firstRow.WaitFor(1));
  ahead.Start(Reading(9));
  EXPECT_TRUE(replaced.stopped);
  const std::optional<Records> taken = ahead.Take();
  ASSERT_TRUE(taken);
  EXPECT_EQ(taken->size(), 1u);
}

// Records a load read itself are handed over once, and a discarded load drops them.
TEST(CircleReadAhead, KeptRecordsAreTakenOnceOrDroppedWithTheLoad) {
  vx::CircleReadAhead ahead;
  EndlessRead running;
  ahead.Start(running.Read());
  ASSERT_TRUE(running.firstRow.WaitFor(1));
  ahead.Keep(Records{{5, {}}});
  EXPECT_TRUE(running.stopped);
  const std::optional<Records> taken = ahead.Take();
  ASSERT_TRUE(taken);
  EXPECT_EQ(taken->size(), 1u);
  EXPECT_FALSE(ahead.Take());

  ahead.Keep(Records{{6, {}}});
  ahead.Stop();
  EXPECT_FALSE(ahead.Take());
}

TEST(CircleReadAhead, ItsEndStopsARunningRead) {
  EndlessRead read;
  {
    vx::CircleReadAhead ahead;
    ahead.Start(read.Read());
    ASSERT_TRUE(read.firstRow.WaitFor(1));
  }
  EXPECT_TRUE(read.stopped);
}

}  // namespace
}  // namespace vxtest
