#include "app/PageHistory.h"

#include <gtest/gtest.h>

namespace {

using vx::HistoryEntry;
using vx::PageHistory;
using Entries = std::vector<HistoryEntry>;

TEST(PageHistory, SameCircleAgainRecordsNothing) {
  PageHistory history;
  history.Record({2, 1});
  history.Record({5, 1});  // the same circle shown on another page is not a new place
  EXPECT_EQ(history.Entries(), (Entries{{2, 1}}));
}

TEST(PageHistory, BackAndForwardWalkTheEntriesAndStopAtTheEnds) {
  PageHistory history;
  history.Record({2, 1});
  history.Record({3, 5});
  history.Record({5, 9});
  EXPECT_EQ(history.StepForward(), std::nullopt);
  EXPECT_EQ(history.StepBack(), (HistoryEntry{3, 5}));
  EXPECT_EQ(history.StepBack(), (HistoryEntry{2, 1}));
  EXPECT_EQ(history.StepBack(), std::nullopt);
  EXPECT_EQ(history.Index(), 0);
  EXPECT_EQ(history.StepForward(), (HistoryEntry{3, 5}));
  EXPECT_EQ(history.Index(), 1);
}

TEST(PageHistory, RecordingAfterGoingBackDropsWhatLayAhead) {
  PageHistory history;
  history.Record({2, 1});
  history.Record({3, 5});
  history.Record({5, 9});
  history.StepBack();
  history.StepBack();
  history.Record({7, 11});  // from page 2 to page 7
  EXPECT_EQ(history.Entries(), (Entries{{2, 1}, {7, 11}}));
  EXPECT_EQ(history.StepForward(), std::nullopt);

  history.StepBack();
  history.Record({2, 3});  // a move within the entry's page
  EXPECT_EQ(history.Entries(), (Entries{{2, 3}}));
}

}  // namespace
