#include "data/SearchConnection.h"

#include "data/SearchCondition.h"
#include "platform/CodePage.h"
#include "tests/data/InstalledSampleDisc.h"
#include "tests/data/TestCatalog.h"
#include "tests/support/TempDir.h"
#include "tests/support/ThreadCounter.h"

#include <gtest/gtest.h>
#include <malloc.h>

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define VX_SANITIZER_HEAP 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
#define VX_SANITIZER_HEAP 1
#endif
#endif
#ifdef VX_SANITIZER_HEAP
// The sanitizers' runtimes define it; GCC ships no header for it.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

#include <chrono>
#include <future>
#include <optional>

namespace {

using vx::SearchCondition;
using vx::SearchConnection;

// Far less than a wait for a locked database lasts (2 s for each statement).
constexpr auto kPromptly = std::chrono::seconds(1);

// Keeps every other connection from reading the database while it lives, as a long write does.
class ExclusiveLock {
 public:
  explicit ExclusiveLock(vx::PavorunDatabase& db) : db_(db) {
    EXPECT_EQ(db_.Exec(nullptr, nullptr, "BEGIN EXCLUSIVE;"), 0) << db_.LastError();
  }
  ~ExclusiveLock() { db_.Exec(nullptr, nullptr, "COMMIT;"); }
  ExclusiveLock(const ExclusiveLock&) = delete;
  ExclusiveLock& operator=(const ExclusiveLock&) = delete;

 private:
  vx::PavorunDatabase& db_;
};

class SearchConnectionTest : public ::testing::Test {
 protected:
  vxtest::TempDir dir;
  vx::PavorunDatabase db{dir.Path()};

  void SetUp() override {
    ASSERT_TRUE(db.IsOpen()) << db.LastError();
    vxtest::BuildSampleCatalog(db, 90);
  }

  // A search without keywords: it opens the search connection and reads no texts. Opening waits
  // for a locked database as every connection does; what follows is the read.
  static void OpenConnection(SearchCondition& search) {
    search.Reset();
    search.AddDay(1);
    EXPECT_EQ(search.CountMatches(), 3);
  }
};

// A search with folded keywords in the default fields, as the search dialog runs it.
void Find(SearchCondition& search, const char* keyword) {
  search.Reset();
  search.SetKeywordFields(SearchCondition::DefaultKeywordFields());
  search.SetNormalizedMatch(true);
  search.SetKeywords(vx::Sjis(keyword));
}

// The count and the rows, which the condition keeps in between, dropped.
int Search(SearchCondition& search, const char* keyword) {
  Find(search, keyword);
  const int count = search.CountMatches();
  EXPECT_EQ(search.Run(nullptr, nullptr), 0);
  return count;
}

// Heap in use, small blocks and mapped ones: a copy's texts are large enough to be mapped. Under a
// sanitizer its allocator takes malloc's place and keeps the figure.
std::size_t HeapInUse() {
#ifdef VX_SANITIZER_HEAP
  return __sanitizer_get_current_allocated_bytes();
#else
  const struct mallinfo2 heap = mallinfo2();
  return heap.uordblks + heap.hblkhd;
#endif
}

class SampleDiscSearchConnectionTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { sample_ = vxtest::InstalledSampleDisc::Install(); }
  static void TearDownTestSuite() { sample_.reset(); }
  static std::unique_ptr<vxtest::InstalledSampleDisc> sample_;
};
std::unique_ptr<vxtest::InstalledSampleDisc> SampleDiscSearchConnectionTest::sample_;

// Every condition kept a connection with its page cache and a copy of the event's texts of its
// own for the whole session: 27 MB each on the full-size catalogue.
TEST_F(SampleDiscSearchConnectionTest, ConditionsShareOneCopyThatGoesWithTheLastHold) {
  ASSERT_TRUE(sample_) << "no sample disc at $VX_SAMPLE_DISC";
  vx::PavorunDatabase& db = sample_->Database();
  SearchCondition dialogs(db);
  SearchCondition lists(db);
  ASSERT_GT(Search(dialogs, "の"), 0);  // the fold tables and the thread's buffers made
  const std::size_t start = HeapInUse();
  Search(lists, "の");
  EXPECT_LT(HeapInUse(), start + 64 * 1024) << "kept after a search that nothing held";

  SearchCondition::TextsHold dialog = dialogs.HoldTexts();
  SearchCondition::TextsHold list = lists.HoldTexts();
  Search(dialogs, "ねこ");
  const std::size_t one = HeapInUse() - start;
  EXPECT_GT(one, 256 * 1024u) << "the copy and the page cache of the small catalogue";
  Search(lists, "本");
  EXPECT_LT(HeapInUse() - start, one + one / 8) << "a second copy";
  dialog.reset();
  EXPECT_TRUE(SearchConnection::Exists(db)) << "the list still holds it";
  list.reset();
  EXPECT_FALSE(SearchConnection::Exists(db));
  EXPECT_LT(HeapInUse(), start + one / 8);
}

// The read-ahead ran outside any worker and could not be stopped: closing the search dialog or
// quitting waited until it had read the whole event.
TEST_F(SearchConnectionTest, TheLastHoldGoingStopsAReadAheadThatWaitsForTheDatabase) {
  SearchCondition search(db);
  SearchCondition::TextsHold hold = search.HoldTexts();
  OpenConnection(search);
  std::optional<ExclusiveLock> lock(std::in_place, db);
  hold = search.ReadTextsAhead();
  auto released = std::async(std::launch::async, [&hold] { hold.reset(); });
  ASSERT_EQ(released.wait_for(kPromptly), std::future_status::ready);
  EXPECT_FALSE(SearchConnection::Exists(db));
  lock.reset();
  Find(search, "delta");
  EXPECT_EQ(search.CountMatches(), 1);
}

// Counts the uses of search connections as they ask for one, while it lives.
class UseCounts {
 public:
  UseCounts() {
    current_ = this;
    SearchConnection::ObserveUses(&Observe);
  }
  ~UseCounts() {
    SearchConnection::ObserveUses(nullptr);
    current_ = nullptr;
  }
  UseCounts(const UseCounts&) = delete;
  UseCounts& operator=(const UseCounts&) = delete;

  vxtest::ThreadCounter took;   // found the connection free
  vxtest::ThreadCounter waits;  // found it in use and waited

 private:
  static void Observe(bool waits) { (waits ? current_->waits : current_->took).Raise(); }
  static inline UseCounts* current_ = nullptr;
};

// The cancel reaches the read-ahead two ways: a search that asks for the connection after the
// cancel stops it then, a cancel that comes while the search waits stops it itself.
class CancelDuringReadAheadTest : public SearchConnectionTest,
                                  public ::testing::WithParamInterface<bool> {};

TEST_P(CancelDuringReadAheadTest, CancellingASearchStopsTheReadAheadItWaitsFor) {
  const bool whileWaiting = GetParam();
  SearchCondition search(db);
  SearchCondition::TextsHold hold = search.HoldTexts();
  OpenConnection(search);
  Find(search, "alpha");
  UseCounts uses;
  std::optional<ExclusiveLock> lock(std::in_place, db);
  hold = search.ReadTextsAhead();
  ASSERT_TRUE(uses.took.WaitFor(1));  // the read holds the connection, waiting for the database
  if (!whileWaiting) search.Cancel();
  auto counted = std::async(std::launch::async, [&search] { return search.CountMatches(); });
  if (whileWaiting) {
    ASSERT_TRUE(uses.waits.WaitFor(1));
    search.Cancel();
  }
  ASSERT_EQ(counted.wait_for(kPromptly), std::future_status::ready);
  EXPECT_EQ(counted.get(), -1);
  EXPECT_EQ(search.LastResult(), SearchCondition::kCancelled) << search.LastError();
  lock.reset();
  EXPECT_EQ(search.Run(nullptr, nullptr), SearchCondition::kCancelled);  // the cancel's run
  EXPECT_EQ(search.CountMatches(), 1);
}

INSTANTIATE_TEST_SUITE_P(, CancelDuringReadAheadTest, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                           return info.param ? "WhileTheSearchWaits" : "BeforeTheSearchAsks";
                         });

}  // namespace
