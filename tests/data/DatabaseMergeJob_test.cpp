#include "data/DatabaseMergeJob.h"

#include "data/PavorunDatabase.h"
#include "tests/data/CommitBreaker.h"
#include "tests/data/DiscTextFiles.h"
#include "tests/data/TestCatalog.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <string>
#include <vector>

namespace {

using vx::DatabaseMergeJob;
using vx::MergeState;
using vxtest::QueryTexts;
using Texts = std::vector<std::string>;

const char* const kTables[] = {"PavorunInfo",   "PavorunDate",   "PavorunMap",
                               "PavorunArea",   "PavorunBlock",  "PavorunGenre",
                               "PavorunLayout", "PavorunCircle", "PavorunJiko"};

std::vector<int> RowCounts(vx::PavorunDatabase& db, int eventNo) {
  std::vector<int> counts;
  for (const char* table : kTables) counts.push_back(vxtest::CountRows(db, table, eventNo));
  return counts;
}

// A database of the oldest schema: narrower map, area and circle rows. Event 94 is older than the
// limit 96; the row of event 96 must stay behind.
void WriteOlderDatabase(vx::SqliteDatabase& db) {
  const char* statements[] = {
      "create table PavorunInfo(pavorunNo,b,c,d,e,f,g,h,i,j,k,l);",
      "create table PavorunDate(pavorunNo,b,c,d,e,f);",
      "create table PavorunMap(pavorunNo,b,c,d,e,f,g,h);",
      "create table PavorunArea(pavorunNo,b,c,d,e,f,g,h,i);",
      "create table PavorunBlock(pavorunNo,b,c,d);",
      "create table PavorunGenre(pavorunNo,b,c,d);",
      "create table PavorunLayout(pavorunNo,b,c,d,e,f,g);",
      "create table PavorunCircle(pavorunNo,b,c,d,e,f,g,h,i,j,k,l,m,n,o,p,q);",
      "create table PavorunJiko(pavorunNo,b,c,d,e,f);",
      "insert into PavorunJiko values(94,1,1,2,1,3);",
      "insert into PavorunInfo values(94,'It''s 94',1,2,3,4,5,6,7,8,9,10);",
      "insert into PavorunInfo values(96,'newer',1,2,3,4,5,6,7,8,9,10);",
      "insert into PavorunDate values(94,1,2018,8,10,6);",
      "insert into PavorunMap values(94,1,'East''s','e123',10,20,30,40);",
      "insert into PavorunArea values(94,1,'A''1','A',1,5,6,7,8);",
      "insert into PavorunBlock values(94,1,'B',1);",
      "insert into PavorunGenre values(94,1,'G',110);",
      "insert into PavorunLayout values(94,1,1,20,50,1,1);",
      "insert into PavorunCircle values(94,7,2,1,1,1,1,0,1,'O''Brien','k','p','b','u','m','d','');",
      "insert into PavorunCircle values(94,8,2,2,1,1,2,0,1,"
      "'x''); drop table PavorunCircle; --','k','p','b','u','m','d','');",
  };
  for (const char* sql : statements) ASSERT_EQ(db.Exec(nullptr, nullptr, sql), 0) << sql;
}

class DatabaseMergeJobTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // The target holds the current event 96 and a stale event 94 with rows in every table.
    vxtest::BuildSampleCatalog(target, 96);
    vxtest::BuildSampleCatalog(target, 94);
    ASSERT_EQ(target.GetJikoTable().InsertRow(1, 2, 1, 0, 5), 0);
    WriteOlderDatabase(source);
    before96 = RowCounts(target, 96);
  }

  vxtest::TempDir dir;
  vx::PavorunDatabase target{dir.Path(), "target.db", vx::SqliteDatabase::kReadWrite};
  vx::SqliteDatabase source{dir.Path(), "vindaxel_old.db"};
  std::vector<int> before96;
};

TEST_F(DatabaseMergeJobTest, OlderRowsReplaceTheEventWithTheDefaultsOfTheirMissingColumns) {
  DatabaseMergeJob job(target, source, 96);
  ASSERT_EQ(job.Run(), DatabaseMergeJob::kResultDone) << job.ErrorText();
  EXPECT_EQ(RowCounts(target, 94), (std::vector<int>{1, 1, 1, 1, 1, 1, 1, 2, 1}));
  EXPECT_EQ(RowCounts(target, 96), before96);
  EXPECT_EQ(QueryTexts(target, "select pavorunName from PavorunInfo order by pavorunNo;"),
            (Texts{"It's 94", vx::Sjis("テスト")}));
  EXPECT_EQ(QueryTexts(target, "select * from PavorunMap where pavorunNo=94;"),
            (Texts{"94|1|East's|e123|10|20|30|40||20|40|60|80|0"}));
  EXPECT_EQ(QueryTexts(target, "select * from PavorunArea where pavorunNo=94;"),
            (Texts{"94|1|A'1|A|1|5|6|7|8||10|12|14|16"}));
  EXPECT_EQ(QueryTexts(target, "select * from PavorunCircle where pavorunNo=94 order by id;"),
            (Texts{"94|7|2|1|1|1|1|0|1|O'Brien|k|p|b|u|m|d||7||||0||",
                   "94|8|2|2|1|1|2|0|1|x'); drop table PavorunCircle; --|k|p|b|u|m|d||8||||0||"}));
  EXPECT_EQ(QueryTexts(target, "select * from PavorunJiko where pavorunNo=94;"),
            (Texts{"94|1|1|2|1|3"}));
}

// Twice the largest number of a 64-bit row overflowed; the doubled range is held to the int range.
TEST_F(DatabaseMergeJobTest, DoubledRangesOfOlderRowsStayInTheIntRange) {
  ASSERT_EQ(source.Exec(nullptr, nullptr,
                        "update PavorunMap set e='9223372036854775807',f='-9223372036854775808';"),
            0);
  DatabaseMergeJob job(target, source, 96);
  ASSERT_EQ(job.Run(), DatabaseMergeJob::kResultDone) << job.ErrorText();
  EXPECT_EQ(QueryTexts(target, "select x2,y2,w2,h2 from PavorunMap where pavorunNo=94;"),
            (Texts{"2147483646|-2147483648|60|80"}));
}

TEST_F(DatabaseMergeJobTest, ShortRowFailsAndCancelEndsAsCancelBothLeavingTheTargetAlone) {
  const std::vector<int> before94 = RowCounts(target, 94);
  ASSERT_EQ(source.Exec(nullptr, nullptr,
                        "drop table PavorunJiko;"
                        "create table PavorunJiko(pavorunNo,b,c,d,e);"
                        "insert into PavorunJiko values(94,1,1,1,1);"),
            0);
  DatabaseMergeJob shortRow(target, source, 96);
  EXPECT_EQ(shortRow.Run(), DatabaseMergeJob::kResultFailed);
  EXPECT_EQ(shortRow.State(), MergeState::kFailed);
  EXPECT_EQ(shortRow.ErrorText(), "PavorunJiko: a row of 5 columns");
  EXPECT_EQ(RowCounts(target, 94), before94);

  vxtest::RecordingProgress progress;
  DatabaseMergeJob cancelled(target, source, 96, &progress);
  progress.onReport = [&](int) {
    if (cancelled.State() == MergeState::kCircle) cancelled.Cancel();
  };
  EXPECT_EQ(cancelled.Run(), DatabaseMergeJob::kResultCancelled);
  EXPECT_EQ(cancelled.State(), MergeState::kCancelled);
  EXPECT_EQ(RowCounts(target, 94), before94);
  EXPECT_EQ(RowCounts(target, 96), before96);
}

// The target refuses the circles of the merged event (a trigger stands in for a full disk or a
// constraint): the merge fails with the engine's reason, and the event it had begun to replace is
// there as it was.
TEST_F(DatabaseMergeJobTest, AnInsertTheTargetRefusesFailsTheMergeAndChangesNothing) {
  const std::vector<int> before94 = RowCounts(target, 94);
  ASSERT_EQ(target.Exec(nullptr, nullptr,
                        "create trigger refuse before insert on PavorunCircle "
                        "when new.pavorunNo=94 begin select raise(abort, 'no room for circles'); "
                        "end;"),
            0);
  DatabaseMergeJob job(target, source, 96);
  EXPECT_EQ(job.Run(), DatabaseMergeJob::kResultFailed);
  EXPECT_EQ(job.State(), MergeState::kFailed);
  EXPECT_EQ(job.ErrorText(), "PavorunCircle: no room for circles");
  EXPECT_EQ(RowCounts(target, 94), before94);
  EXPECT_EQ(QueryTexts(target, "select pavorunName from PavorunInfo where pavorunNo=94;"),
            (Texts{vx::Sjis("テスト")}));
  EXPECT_NE(sqlite3_get_autocommit(target.Connection()), 0) << "no transaction left open";
}

// Every row went in but the COMMIT fails (a deferred foreign key the merge breaks): the merge
// fails and its rows are rolled back, not left in an open transaction.
TEST_F(DatabaseMergeJobTest, ACommitThatFailsFailsTheMergeAndRollsItBack) {
  const std::vector<int> before94 = RowCounts(target, 94);
  vxtest::BreakCommitsAfterInsertsInto(target, "PavorunJiko");
  DatabaseMergeJob job(target, source, 96);
  EXPECT_EQ(job.Run(), DatabaseMergeJob::kResultFailed);
  EXPECT_EQ(job.State(), MergeState::kFailed);
  EXPECT_EQ(job.ErrorText(), "COMMIT: FOREIGN KEY constraint failed");
  EXPECT_EQ(RowCounts(target, 94), before94);
  EXPECT_EQ(RowCounts(target, 96), before96);
  EXPECT_NE(sqlite3_get_autocommit(target.Connection()), 0) << "no transaction left open";
}

}  // namespace
