// The apply walk hands the checklist to the windows in runs: every entry in print order as
// UM_CIRCLE_CHECKED and UM_CHECKLIST_ENTRY_CHANGED, a wait for the UI thread per run rather than
// per entry, and a stop between runs once nobody waits for the walk.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <vector>

#include "app/ChecklistApplyJob.h"
#include "app/ChecklistDialogs.h"
#include "checklist/FavoriteStore.h"
#include "res/ResourceIds.h"
#include "tests/app/ControllerFixture.h"

namespace vxtest {
namespace {

// Frames that remember the runs they took and when the runs ended.
class RunFrame : public FakeFrame {
 public:
  void OnAppMessageRun(std::span<const vx::AppMessage> run) override {
    runs.emplace_back(run.begin(), run.end());
  }
  void OnAppMessageRunsEnded() override { ++ends; }
  std::vector<std::vector<vx::AppMessage>> runs;
  int ends = 0;
};

class ApplyJobTest : public ControllerTest {
 protected:
  // `count` circles the catalogue does not hold, colours 1..9, in the order added.
  void AddCircles(int count) {
    for (int i = 0; i < count; ++i) {
      ids.push_back(Store().AddUnknownCircle(1 + i % 9, vx::CircleRecord{}));
    }
  }
  vx::FavoriteStore& Store() { return *controller.GetFavoriteStore(); }

  // Runs the job on this thread; the hop counts how often the UI thread was waited for.
  int Run(vx::ChecklistApplyJob& job) { return vx::RunJobWithoutDialog(job); }
  vx::ChecklistApplyJob Job() {
    const auto deliver = [this](std::span<const vx::AppMessage> run) {
      delivered.emplace_back(run.begin(), run.end());
    };
    return vx::ChecklistApplyJob(Store(), deliver, [this](const std::function<void()>& work) {
      ++hops;
      if (!hopWorks) return false;
      work();
      return true;
    });
  }

  std::vector<int> ids;
  std::vector<std::vector<vx::AppMessage>> delivered;
  int hops = 0;
  bool hopWorks = true;
};

TEST_F(ApplyJobTest, EveryEntryGoesOverInPrintOrderInAFewRuns) {
  AddCircles(1000);
  Store().SetColor(ids[5], -1);         // unchecked: counted, not handed over
  Store().SetPrintOrder(ids[0], 5000);  // the first added goes last
  vx::ChecklistApplyJob job = Job();
  EXPECT_EQ(Run(job), 1);
  ASSERT_GE(delivered.size(), 2u);
  EXPECT_EQ(delivered.front().size(), 2 * vx::ChecklistApplyJob::kFirstRunEntries);
  EXPECT_EQ(hops, static_cast<int>(delivered.size()));
  std::vector<vx::AppMessage> all;
  for (const auto& run : delivered) all.insert(all.end(), run.begin(), run.end());
  std::vector<vx::AppMessage> expected;
  for (std::size_t i = 1; i <= ids.size(); ++i) {
    const int id = ids[i % ids.size()];
    if (id == ids[5]) continue;
    expected.push_back({UM_CIRCLE_CHECKED, static_cast<vx::WParam>(Store().GetColor(id)), id});
    expected.push_back({UM_CHECKLIST_ENTRY_CHANGED, 0, id});
  }
  EXPECT_EQ(all, expected);
  EXPECT_EQ(job.Total(), 1000);
  EXPECT_EQ(job.ProgressText(-1, job.Total()),
            vx::Sjis("ロード結果をウィンドウに反映させています...(1000/1000)"));
}

TEST_F(ApplyJobTest, AWalkNobodyWaitsForStopsBetweenRunsAsCancelled) {
  AddCircles(1000);
  vx::ChecklistApplyJob wanted = Job();
  int asked = 0;
  wanted.SetStillWanted([&] { return ++asked == 1; });  // the program quits after the first run
  EXPECT_EQ(Run(wanted), 0);
  EXPECT_EQ(delivered.size(), 1u);
  EXPECT_EQ(asked, 2);
  EXPECT_EQ(wanted.State(), vx::JobState::kCancelled);

  delivered.clear();
  hopWorks = false;  // no way to the UI thread
  vx::ChecklistApplyJob stranded = Job();
  EXPECT_EQ(Run(stranded), 0);
  EXPECT_TRUE(delivered.empty());
  EXPECT_EQ(hops, 3);  // two of the first job, one tried here
}

TEST(ApplyRunLength, FollowsTheTimeARunTookWithinBounds) {
  using vx::ChecklistApplyJob;
  const auto ms = [](int n) { return std::chrono::milliseconds(n); };
  EXPECT_EQ(ChecklistApplyJob::NextRunEntries(256, ms(1)), 512u);  // at most twice as long
  EXPECT_EQ(ChecklistApplyJob::NextRunEntries(4000, ms(200)), 2000u);
  EXPECT_EQ(ChecklistApplyJob::NextRunEntries(100, ms(10000)), ChecklistApplyJob::kMinRunEntries);
  EXPECT_EQ(ChecklistApplyJob::NextRunEntries(16000, ms(0)), ChecklistApplyJob::kMaxRunEntries);
}

// The windows take the checklist as runs and bring their command states up to date once.
TEST_F(ApplyJobTest, TheControllerHandsEveryWindowTheRunsThenTheEnd) {
  RunFrame runFrame;
  ASSERT_TRUE(controller.RegisterWindow(vx::kMainWindowId, &runFrame, "runs"));
  AddCircles(300);
  log.clear();
  controller.RefreshChecklistViews();
  std::size_t messages = 0;
  for (const auto& run : runFrame.runs) messages += run.size();
  EXPECT_EQ(messages, 600u);
  EXPECT_EQ(runFrame.runs.size(), 2u);
  EXPECT_EQ(runFrame.ends, 1);
  EXPECT_EQ(ReceivedBy(main).size(), 601u);  // the reset, then every message one by one
}

}  // namespace
}  // namespace vxtest
