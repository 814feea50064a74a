#include "data/CircleRecord.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Column texts "1".."8" for the numbers, "t8".."t14" for the texts, then the later generations.
std::vector<std::string> FullRow() {
  std::vector<std::string> row;
  for (int i = 0; i < 8; ++i) row.push_back(std::to_string(i + 1));
  for (int i = 8; i < 15; ++i) row.push_back("t" + std::to_string(i));
  for (const char* v : {"4711", "upd", "orb", "rss", "1", "tw", "px"}) row.push_back(v);
  return row;
}

vx::CircleRecord Fill(std::vector<std::string> texts, std::size_t columns) {
  std::vector<char*> pointers;
  for (std::size_t i = 0; i < columns; ++i) pointers.push_back(texts[i].data());
  vx::CircleRecord record;
  record.memo = "old memo";
  record.genreName = "old genre";
  record.rssInfo = "old feed";
  record.FillFromRow(static_cast<int>(columns), pointers.data());
  return record;
}

TEST(CircleRecord, FillsEveryFieldFromAFullRow) {
  const vx::CircleRecord r = Fill(FullRow(), 22);
  EXPECT_EQ(r.id, 1);
  EXPECT_EQ(r.genreId, 8);
  EXPECT_EQ(r.spaceNoSub, 7);
  EXPECT_EQ(r.circleName, "t8");
  EXPECT_EQ(r.description, "t14");
  EXPECT_EQ(r.updateId, 4711);
  EXPECT_EQ(r.updateData, "upd");
  EXPECT_EQ(r.rss, "rss");
  EXPECT_EQ(r.updateFlag, 1);
  EXPECT_EQ(r.twitter, "tw");
  EXPECT_EQ(r.pixiv, "px");
  EXPECT_EQ(r.memo, "");
  EXPECT_EQ(r.genreName, "");
  EXPECT_EQ(r.rssInfo, "");
}

TEST(CircleRecord, OlderRowWidthsLeaveTheLaterFieldsEmpty) {
  const vx::CircleRecord r16 = Fill(FullRow(), 16);
  EXPECT_EQ(r16.updateId, 4711);
  EXPECT_EQ(r16.updateData, "");
  EXPECT_EQ(r16.orbalink, "");
  EXPECT_EQ(r16.updateFlag, 0);
  EXPECT_EQ(r16.pixiv, "");
  const vx::CircleRecord r15 = Fill(FullRow(), 15);
  EXPECT_EQ(r15.description, "t14");
  EXPECT_EQ(r15.updateId, 0);
  const vx::CircleRecord r20 = Fill(FullRow(), 20);
  EXPECT_EQ(r20.updateFlag, 1);
  EXPECT_EQ(r20.twitter, "");
}

TEST(CircleRecord, RowsShorterThanAnyGenerationAreReadSafely) {
  const vx::CircleRecord r = Fill(FullRow(), 9);
  EXPECT_EQ(r.genreId, 8);
  EXPECT_EQ(r.circleName, "t8");
  EXPECT_EQ(r.circleKana, "");
}

TEST(CircleRecord, NullColumnsReadAsZeroAndEmpty) {
  std::vector<char*> columns(22, nullptr);
  vx::CircleRecord r;
  r.pageNo = 9;
  r.circleName = "x";
  r.FillFromRow(22, columns.data());
  EXPECT_EQ(r.id, 0);
  EXPECT_EQ(r.pageNo, 0);
  EXPECT_EQ(r.circleName, "");
}

TEST(CircleRecord, ClearEmptiesTextsAndIdButKeepsTheOtherNumbers) {
  vx::CircleRecord r = Fill(FullRow(), 22);
  r.memo = "m";
  r.SetRssInfo("feed");
  r.Clear();
  EXPECT_EQ(r.id, 0);
  EXPECT_EQ(r.pageNo, 2);
  EXPECT_EQ(r.updateId, 4711);
  EXPECT_EQ(r.circleName, "");
  EXPECT_EQ(r.memo, "");
  EXPECT_EQ(r.rssInfo, "");
  EXPECT_EQ(r.pixiv, "");
}

TEST(CircleRecord, AssignCopiesEverythingIndependently) {
  vx::CircleRecord source = Fill(FullRow(), 22);
  source.memo = "memo";
  vx::CircleRecord target;
  target.Assign(source);
  source.circleName = "changed";
  EXPECT_EQ(target.circleName, "t8");
  EXPECT_EQ(target.memo, "memo");
  EXPECT_EQ(target.updateId, 4711);
}

TEST(CircleRecord, NewRecordsAreEmptyAndNoneForLessThanOne) {
  EXPECT_TRUE(vx::NewCircleRecords(0).empty());
  EXPECT_TRUE(vx::NewCircleRecords(-3).empty());
  const auto records = vx::NewCircleRecords(36);
  ASSERT_EQ(records.size(), 36u);
  EXPECT_EQ(records[35].id, 0);
}

}  // namespace
