// Memory that runs out on a thread of a checklist load's own must not end the program: this test
// program's allocations fail, while armed, on every thread but the one that arms them.
#include "checklist/FavoriteStore.h"

#include <atomic>
#include <string>
#include <thread>

#include "tests/checklist/StoreFixture.h"
#include "tests/support/ReplacedGlobalNew.h"

namespace {

std::atomic<bool> g_armed{false};
std::thread::id g_allowedThread;

}  // namespace

bool vxtest::AllocationRefused(std::size_t) {
  return g_armed.load(std::memory_order_acquire) && std::this_thread::get_id() != g_allowedThread;
}

namespace vxtest {
namespace {

class ImportRowsMemoryTest : public StoreFixture {
 protected:
  void FailAllocationsOffThisThread(bool fail) {
    g_allowedThread = std::this_thread::get_id();
    g_armed.store(fail, std::memory_order_release);
  }
};

// A pen name that 1,500 circles share, in 16 records: 24,016 rows, each copying its names and
// memo, and their circles read ahead for the commit. The rows are made on the reading thread; a
// read ahead that runs out of memory leaves the commit to read the circles itself.
TEST_F(ImportRowsMemoryTest, ALoadWhoseOtherThreadsRunOutOfMemoryStillCommitsEveryRow) {
  constexpr int kCrowd = 1500, kRecords = 16, kFirstId = 100;
  ASSERT_EQ(Db().BeginTransaction(), 0);
  for (int id = kFirstId; id < kFirstId + kCrowd; ++id) {
    const std::string name = "a circle named " + std::to_string(id);
    vx::CircleRecord r = MakeCircle(id, 4, id, 3, 2, id, 0, 1, name);
    r.penName = "Crowd";
    InsertCircle(Db(), r);
  }
  ASSERT_EQ(Db().Commit(), 0);
  std::string records = HeaderLine(95);
  for (int r = 0; r < kRecords; ++r) {
    records +=
        CircleLine({{2, "1"}, {10, "gone"}, {12, "Crowd"}, {17, "a memo that every row copies"}});
  }
  Store().SetStrictMatch(false);
  FailAllocationsOffThisThread(true);
  Store().LoadText(records, false, true);
  const std::size_t rows = Store().GetImportRecords().size();
  ASSERT_TRUE(Store().CommitImportRecords(false, false));
  FailAllocationsOffThisThread(false);
  EXPECT_EQ(rows, std::size_t{kRecords * (kCrowd + 1)});
  EXPECT_EQ(Store().GetEntryCount(), kCrowd);
}

}  // namespace
}  // namespace vxtest
