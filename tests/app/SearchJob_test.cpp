#include "app/SearchJob.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/ConditionSearch.h"
#include "data/PavorunDatabase.h"
#include "data/SearchCondition.h"
#include "platform/CodePage.h"
#include "tests/app/ControllerCatalog.h"
#include "tests/support/TempDir.h"

namespace {

using vx::CircleRecord;

// A search over the circles with ids 1..rows that behaves as the search condition does: a
// cancel stops the running or the next Run at its next row and is consumed by the end of a Run.
class FakeSearch : public vx::CircleSearch {
 public:
  int CountMatches() override {
    if (onCount) onCount();
    return count;
  }
  int Run(const RowSink& sink) override {
    ++runs;
    int rc = runResult;
    for (int id = 1; rc == 0 && id <= rows; ++id) {
      if (cancelled) {
        rc = 4;
        break;
      }
      CircleRecord row;
      row.id = id;
      row.circleName = "C" + std::to_string(id);
      sink(std::move(row));
      if (onRow) onRow(id);
    }
    cancelled = false;
    if (afterRun) afterRun();
    return rc;
  }
  void Cancel() override {
    ++cancels;
    cancelled = true;
  }
  void ForgetCancel() override { cancelled = false; }
  std::string LastError() const override { return "locked"; }

  int count = 0;
  int rows = 0;
  int runResult = 0;
  bool cancelled = false;
  int runs = 0;
  int cancels = 0;
  std::function<void()> onCount;
  std::function<void(int)> onRow;
  std::function<void()> afterRun;
};

// The dialog's protocol on one thread: begin, the worker's steps, end.
int RunJob(vx::SearchJob& job) {
  if (!job.Begin()) return job.End();
  while (job.RunStep() == 0) {
  }
  return job.End();
}

std::vector<int> Ids(const std::vector<CircleRecord>& rows) {
  std::vector<int> ids;
  for (const CircleRecord& row : rows) ids.push_back(row.id);
  return ids;
}

TEST(SearchJobText, SaysWhatItFoundAndHowFarTheRowsHaveCome) {
  FakeSearch search;
  vx::SearchJob job(search);
  EXPECT_EQ(vx::Cp932ToUtf8(job.ProgressText(100, 250)),
            "250 件のサークルが見つかりました.\n検索結果を取得しています...(100/250)");
  EXPECT_EQ(vx::Cp932ToUtf8(job.ProgressText(0, 0)), "サークル情報を検索しています...");
}

struct Outcome {
  const char* name;
  int count;
  int rows;
  int runResult;
  int cancelAtRow;  // 0: none; -1: while counting; rows + 1: after the search ended
  int result;
  int counted;
  int delivered;
};

class SearchJobOutcome : public ::testing::TestWithParam<Outcome> {};

TEST_P(SearchJobOutcome, EndsWithTheResultAndTheCountsOfHowFarItGot) {
  const Outcome& o = GetParam();
  FakeSearch search;
  search.count = o.count;
  search.rows = o.rows;
  search.runResult = o.runResult;
  vx::SearchJob job(search);
  if (o.cancelAtRow == -1) search.onCount = [&] { job.RequestCancel(); };
  if (o.cancelAtRow > 0 && o.cancelAtRow <= o.rows) {
    search.onRow = [&](int id) {
      if (id == o.cancelAtRow) job.RequestCancel();
    };
  }
  if (o.cancelAtRow > o.rows) search.afterRun = [&] { job.RequestCancel(); };

  EXPECT_EQ(RunJob(job), o.result) << o.name;
  EXPECT_EQ(job.Counted(), o.counted) << o.name;
  EXPECT_EQ(job.Delivered(), o.delivered) << o.name;
  EXPECT_EQ(static_cast<int>(job.TakeRows().size()), o.delivered) << o.name;
  // No cancel stays behind to stop the next search.
  EXPECT_FALSE(search.cancelled) << o.name;
  if (o.result == 2) {
    EXPECT_EQ(job.ErrorText(), "locked") << o.name;
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, SearchJobOutcome,
                         ::testing::Values(Outcome{"NoMatch", 0, 0, 0, 0, 1, 0, 0},
                                           Outcome{"AllRows", 3, 3, 0, 0, 1, 3, 3},
                                           Outcome{"CancelWhileCounting", 5, 5, 0, -1, 0, 0, 0},
                                           Outcome{"CancelAtRow2", 5, 5, 0, 2, 0, 5, 2},
                                           Outcome{"CancelAfterTheLastRow", 4, 4, 0, 5, 0, 4, 4},
                                           Outcome{"CountFailed", -1, 0, 0, 0, 2, 0, 0},
                                           Outcome{"RowsFailed", 3, 3, 1, 0, 2, 3, 0}),
                         [](const ::testing::TestParamInfo<Outcome>& info) {
                           return std::string(info.param.name);
                         });

TEST(SearchJobCancel, WhileCountingTheRowsAreNeverFetched) {
  FakeSearch search;
  search.count = 7;
  search.rows = 7;
  vx::SearchJob job(search);
  search.onCount = [&] { EXPECT_TRUE(job.RequestCancel()); };
  EXPECT_EQ(RunJob(job), 0);
  EXPECT_EQ(search.runs, 0);
  EXPECT_EQ(search.cancels, 1);
}

TEST(SearchJobCancel, AfterTheJobEndedNeitherCountsNorReachesTheSearch) {
  FakeSearch search;
  search.count = 2;
  search.rows = 2;
  vx::SearchJob job(search);
  EXPECT_EQ(RunJob(job), 1);
  EXPECT_FALSE(job.RequestCancel());
  EXPECT_EQ(search.cancels, 0);
}

TEST(SearchJobCancel, BeforeTheWorkerStartedTheSearchNeverRuns) {
  FakeSearch search;
  search.count = 2;
  vx::SearchJob job(search);
  ASSERT_TRUE(job.Begin());
  EXPECT_TRUE(job.RequestCancel());
  while (job.RunStep() == 0) {
  }
  EXPECT_EQ(job.End(), 0);
  EXPECT_EQ(search.cancels, 0);
  EXPECT_EQ(search.runs, 0);
}

// The real condition, with a cancel pressed just after its rows were all delivered.
class LateCancel : public vx::CircleSearch {
 public:
  explicit LateCancel(vx::SearchCondition& condition) : inner_(condition) {}
  int CountMatches() override { return inner_.CountMatches(); }
  int Run(const RowSink& sink) override {
    const int rc = inner_.Run(sink);
    if (afterRun) afterRun();
    return rc;
  }
  void Cancel() override { inner_.Cancel(); }
  void ForgetCancel() override { inner_.ForgetCancel(); }
  std::function<void()> afterRun;

 private:
  vx::ConditionSearch inner_;
};

class SearchJobOnCatalogue : public ::testing::Test {
 protected:
  void SetUp() override { vxtest::BuildControllerCatalog(db); }

  vxtest::TempDir dir;
  vx::PavorunDatabase db{dir.Path()};
  vx::SearchCondition condition{db};
};

TEST_F(SearchJobOnCatalogue, ACancelAfterTheRowsDoesNotStopTheNextRunOfTheSameSearch) {
  condition.AddDay(1);
  const std::vector<int> dayOne = {101, 102, 103, 104, 112, 113, 115, 133, 134, 136};

  LateCancel late(condition);
  vx::SearchJob first(late);
  late.afterRun = [&] { first.RequestCancel(); };
  EXPECT_EQ(RunJob(first), 0);
  EXPECT_EQ(Ids(first.TakeRows()), dayOne);

  vx::ConditionSearch search(condition);
  vx::SearchJob second(search);
  EXPECT_EQ(RunJob(second), 1);
  EXPECT_EQ(second.Counted(), 10);
  EXPECT_EQ(Ids(second.TakeRows()), dayOne);
}

TEST_F(SearchJobOnCatalogue, RowsAreValuesThatOutliveTheSearch) {
  condition.AddDay(2);
  vx::ConditionSearch search(condition);
  vx::SearchJob job(search);
  EXPECT_EQ(RunJob(job), 1);
  const std::vector<CircleRecord> rows = job.TakeRows();
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].circleName, "C131");
  EXPECT_EQ(rows[2].circleName, "C135");
  EXPECT_EQ(rows[1].genreName, vx::Sjis("音楽"));
}

}  // namespace
