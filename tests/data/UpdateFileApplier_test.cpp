#include "data/UpdateFileApplier.h"

#include "data/PavorunDatabase.h"
#include "data/TextLineReader.h"
#include "platform/CodePage.h"
#include "tests/data/DiscTextFiles.h"
#include "tests/data/TestCatalog.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using vx::Sjis;
using vxtest::QueryTexts;
using Texts = std::vector<std::string>;

// An update line: update id, then columns 1 to 19 with recognisable texts.
std::string UpdateLine(const std::string& updateId, int genreCode, const std::string& tag) {
  return updateId + "\t9\t9\t土\t-\tＡ\t9\t" + std::to_string(genreCode) + "\tname" + tag +
         "\tkana" + tag + "\tpen" + tag + "\tbook" + tag + "\turl" + tag + "\tmail" + tag +
         "\tdesc" + tag + "\tupd" + tag + "\torba" + tag + "\trss" + tag + "\ttw" + tag + "\tpx" +
         tag + "\n";
}

class UpdateApplyTest : public ::testing::Test {
 protected:
  vxtest::TempDir dir;
  vx::PavorunDatabase db{dir.path()};

  // Circles 1..6 of the sample catalogue carry update ids 1001..1006.
  void SetUpEvent(int eventNo) {
    ASSERT_TRUE(db.IsOpen());
    ASSERT_EQ(db.BeginTransaction(), 0);
    vxtest::BuildSampleCatalog(db, eventNo);
  }

  vx::ImportStatus Apply(const std::string& utf8, vx::ImportProgress* progress = nullptr) {
    vxtest::WriteFileBytes(dir / "UPDATE.TXT", vxtest::DiscText(utf8));
    const vx::FileHandle file = vx::OpenFileForReading(dir / "UPDATE.TXT");
    return db.ApplyUpdateFile(file.get(), progress);
  }

  Texts Circle(int id, const char* columns) {
    return QueryTexts(db, std::string("select ") + columns + " from PavorunCircle where "
                          "pavorunNo=" + std::to_string(db.GetEventNo()) + " and id=" +
                          std::to_string(id) + ";");
  }
};

TEST_F(UpdateApplyTest, MatchingLineChangesContactTextsAndFlagsTheCircle) {
  SetUpEvent(90);
  ASSERT_FALSE(Apply(UpdateLine("1003", 220, "X")).Failed());
  EXPECT_EQ(Circle(3, "penName,bookName,url,mailAddr,updateData,orbalink,rss,twitter,pixiv,"
                      "updateFlag"),
            (Texts{"penX|bookX|urlX|mailX|updX|orbaX|rssX|twX|pxX|1"}));
  EXPECT_EQ(Circle(3, "pageNo,cutIndex,day,blockId,spaceNo,genreId,circleName,circleKana,"
                      "description,updateId"),
            (Texts{"3|36|1|1|2|2|Gamma|||1003"}));
  EXPECT_EQ(Circle(2, "updateFlag,penName"), (Texts{"0|"}));
}

TEST_F(UpdateApplyTest, OlderEventsTakeUpdateInformationFromTheDescriptionColumn) {
  SetUpEvent(74);
  ASSERT_FALSE(Apply(UpdateLine("1001", 110, "Y")).Failed());
  EXPECT_EQ(Circle(1, "updateData,description"), (Texts{"descY|"}));
  db.Rollback();
  SetUpEvent(75);
  ASSERT_FALSE(Apply(UpdateLine("1001", 110, "Y")).Failed());
  EXPECT_EQ(Circle(1, "updateData,description"), (Texts{"updY|"}));
}

TEST_F(UpdateApplyTest, UnknownUpdateIdsAddUnplacedCirclesAfterTheLargestId) {
  SetUpEvent(90);
  ASSERT_FALSE(Apply(UpdateLine("5000", 220, "A") + UpdateLine("5001", 999, "B")).Failed());
  EXPECT_EQ(Circle(7, "*"),
            (Texts{"90|7|0|0|0|0|0|0|2|nameA|kanaA|penA|bookA|urlA|mailA|descA||5000|updA|"
                   "orbaA|rssA|0|twA|pxA"}));
  EXPECT_EQ(Circle(8, "updateId,genreId,circleName"), (Texts{"5001|0|nameB"}));
}

TEST_F(UpdateApplyTest, BlankLinesAndLinesWithoutUpdateIdAddNothing) {
  SetUpEvent(90);
  ASSERT_FALSE(Apply("\n" + UpdateLine("", 110, "N") + UpdateLine("abc", 110, "N") +
                     UpdateLine("0", 110, "N") + "\n" + UpdateLine("5000", 110, "A"))
                   .Failed());
  EXPECT_EQ(QueryTexts(db, "select id,circleName from PavorunCircle where pavorunNo=90 and "
                           "id>6;"),
            (Texts{"7|nameA"}));
}

TEST_F(UpdateApplyTest, NextIdComesFromTheTableNotFromTheSelectedEvent) {
  SetUpEvent(90);
  ASSERT_EQ(db.GetMaxCircleId(), 6);
  // Rows added after the event was selected (an earlier update in the same run).
  vx::CircleRecord late;
  late.id = 11;
  late.circleName = "late";
  ASSERT_EQ(db.CircleTable().InsertRow(late), 0);
  ASSERT_FALSE(Apply(UpdateLine("5000", 110, "A")).Failed());
  EXPECT_EQ(Circle(12, "circleName"), (Texts{"nameA"}));
}

TEST_F(UpdateApplyTest, ReportsEveryTenthLineAndStopsOnTheStopFlag) {
  SetUpEvent(90);
  std::string text;
  for (int i = 0; i < 25; ++i) text += UpdateLine(std::to_string(6000 + i), 110, "");
  db.CircleStop() = true;  // from an earlier cancel; cleared when the apply starts
  vxtest::RecordingProgress progress;
  progress.onReport = [this](int position) {
    if (position == 10) db.CircleStop() = true;
  };
  ASSERT_FALSE(Apply(text, &progress).Failed());
  EXPECT_EQ(progress.positions, (std::vector<int>{0, 10, -1}));
  EXPECT_EQ(vxtest::CountRows(db, "PavorunCircle", 90), 6 + 11);
}

TEST_F(UpdateApplyTest, EmptyFileOnlyReportsTheEnd) {
  SetUpEvent(90);
  vxtest::RecordingProgress progress;
  ASSERT_FALSE(Apply("", &progress).Failed());
  EXPECT_EQ(progress.positions, (std::vector<int>{-1}));
  EXPECT_EQ(vxtest::CountRows(db, "PavorunCircle", 90), 6);
}

TEST_F(UpdateApplyTest, RefusedWriteIsReported) {
  SetUpEvent(90);
  ASSERT_EQ(db.Exec(nullptr, nullptr, "drop table PavorunCircle;"), 0);
  const vx::ImportStatus status = Apply(UpdateLine("5000", 110, "A") + UpdateLine("5001", 110, "B"));
  EXPECT_TRUE(status.Failed());
  EXPECT_FALSE(status.message.empty());
}

}  // namespace
