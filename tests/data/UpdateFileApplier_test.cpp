#include "data/UpdateFileApplier.h"

#include "data/PavorunDatabase.h"
#include "data/TextLineReader.h"
#include "tests/data/DiscTextFiles.h"
#include "tests/data/TestCatalog.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using vxtest::QueryTexts;
using Texts = std::vector<std::string>;

// An update line: update id, then columns 1 to 19 with texts ending in `tag`.
std::string UpdateLine(const std::string& updateId, int genreCode, const std::string& tag) {
  std::string line = updateId + "\t9\t9\t土\t-\tＡ\t9\t" + std::to_string(genreCode);
  for (const char* column : {"name", "kana", "pen", "book", "url", "mail", "desc", "upd", "orba",
                             "rss", "tw", "px"}) {
    line += "\t" + std::string(column) + tag;
  }
  return line + "\n";
}

class UpdateApplyTest : public ::testing::Test {
 protected:
  vxtest::TempDir dir;
  vx::PavorunDatabase db{dir.path()};

  // Circles 1..6 of the sample catalogue carry update ids 1001..1006.
  void SetUp() override {
    ASSERT_TRUE(db.IsOpen());
    ASSERT_EQ(db.BeginTransaction(), 0);
    vxtest::BuildSampleCatalog(db, 90);
  }

  vx::ImportStatus Apply(const std::string& utf8, vx::ImportProgress* progress = nullptr) {
    vxtest::WriteFileBytes(dir / "UPDATE.TXT", vxtest::DiscText(utf8));
    const vx::FileHandle file = vx::OpenFileForReading(dir / "UPDATE.TXT");
    return db.ApplyUpdateFile(file.get(), progress);
  }

  Texts Circles(const std::string& columns, const std::string& where) {
    return QueryTexts(db, "select " + columns + " from PavorunCircle where pavorunNo=" +
                              std::to_string(db.GetEventNo()) + " and " + where + " order by id;");
  }
};

TEST_F(UpdateApplyTest, MatchingLineChangesContactTextsAndFlagsTheCircle) {
  ASSERT_FALSE(Apply(UpdateLine("1003", 220, "X")).Failed());
  EXPECT_EQ(Circles("penName,bookName,url,mailAddr,updateData,orbalink,rss,twitter,pixiv,"
                    "updateFlag,pageNo,cutIndex,day,blockId,spaceNo,genreId,circleName,"
                    "circleKana,description,updateId",
                    "updateFlag<>0"),
            (Texts{"penX|bookX|urlX|mailX|updX|orbaX|rssX|twX|pxX|1|3|36|1|1|2|2|Gamma|||1003"}));
  // Events before 75 carry the update text in the description column.
  vxtest::BuildSampleCatalog(db, 74);
  ASSERT_FALSE(Apply(UpdateLine("1001", 110, "Y")).Failed());
  EXPECT_EQ(Circles("updateData,description", "id=1"), (Texts{"descY|"}));
}

TEST_F(UpdateApplyTest, OnlyLinesWithAnUnknownUpdateIdAddUnplacedCirclesAfterTheLargestId) {
  // A row added after the event was selected: the next id comes from the table.
  ASSERT_EQ(db.CircleTable().InsertRow(vxtest::MakeCircle(11, 0, 0, 0, 0, 0, 0, 0, "late")), 0);
  ASSERT_FALSE(Apply("\n" + UpdateLine("", 110, "N") + UpdateLine("abc", 110, "N") +
                     UpdateLine("0", 110, "N") + "\n" + UpdateLine("5000", 220, "A") +
                     UpdateLine("5001", 999, "B"))
                   .Failed());
  EXPECT_EQ(Circles("*", "id>11"),
            (Texts{"90|12|0|0|0|0|0|0|2|nameA|kanaA|penA|bookA|urlA|mailA|descA||5000|updA|"
                   "orbaA|rssA|0|twA|pxA",
                   "90|13|0|0|0|0|0|0|0|nameB|kanaB|penB|bookB|urlB|mailB|descB||5001|updB|"
                   "orbaB|rssB|0|twB|pxB"}));
  EXPECT_EQ(vxtest::CountRows(db, "PavorunCircle", 90), 9);
}

TEST_F(UpdateApplyTest, ReportsEveryTenthLineAndStopsOnTheStopFlag) {
  vxtest::RecordingProgress progress;
  ASSERT_FALSE(Apply("", &progress).Failed());
  EXPECT_EQ(progress.positions, (std::vector<int>{-1}));
  std::string text;
  for (int i = 0; i < 25; ++i) text += UpdateLine(std::to_string(6000 + i), 110, "");
  db.CircleStop() = true;  // from an earlier cancel; cleared when the apply starts
  progress.positions.clear();
  progress.onReport = [this](int position) {
    if (position == 10) db.CircleStop() = true;
  };
  ASSERT_FALSE(Apply(text, &progress).Failed());
  EXPECT_EQ(progress.positions, (std::vector<int>{0, 10, -1}));
  EXPECT_EQ(vxtest::CountRows(db, "PavorunCircle", 90), 6 + 11);
}

TEST_F(UpdateApplyTest, RefusedWriteIsReported) {
  ASSERT_EQ(db.Exec(nullptr, nullptr, "drop table PavorunCircle;"), 0);
  const vx::ImportStatus status = Apply(UpdateLine("5000", 110, "A"));
  EXPECT_TRUE(status.Failed());
  EXPECT_FALSE(status.message.empty());
}

}  // namespace
