#include "data/CircleRecord.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A row of `width` columns: "1".."8" for the numbers, "t8".."t14" for the texts, then the later
// generations; memo, genre name and feed text hold stale values.
vx::CircleRecord Fill(std::size_t width, bool nulls = false) {
  std::vector<std::string> texts;
  for (int i = 0; i < 8; ++i) texts.push_back(std::to_string(i + 1));
  for (int i = 8; i < 15; ++i) texts.push_back("t" + std::to_string(i));
  for (const char* v : {"4711", "upd", "orb", "rss", "1", "tw", "px"}) texts.push_back(v);
  std::vector<char*> columns;
  for (std::size_t i = 0; i < width; ++i) columns.push_back(nulls ? nullptr : texts[i].data());
  vx::CircleRecord record;
  record.memo = "old memo";
  record.genreName = "old genre";
  record.rssInfo = "old feed";
  record.circleName = "old name";
  record.FillFromRow(static_cast<int>(width), columns.data());
  return record;
}

std::string Summary(const vx::CircleRecord& r) {
  return std::to_string(r.id) + "|" + std::to_string(r.genreId) + "|" + r.circleName + "|" +
         r.circleKana + "|" + r.description + "|" + std::to_string(r.updateId) + "|" +
         r.updateData + "|" + r.orbalink + "|" + std::to_string(r.updateFlag) + "|" + r.twitter +
         "|" + r.pixiv + "|" + r.memo + r.genreName + r.rssInfo;
}

TEST(CircleRecord, FillsTheFieldsEachRowWidthHas) {
  const std::pair<std::size_t, std::string> widths[] = {
      {22, "1|8|t8|t9|t14|4711|upd|orb|1|tw|px|"}, {20, "1|8|t8|t9|t14|4711|upd|orb|1|||"},
      {16, "1|8|t8|t9|t14|4711|||0|||"},           {15, "1|8|t8|t9|t14|0|||0|||"},
      {9, "1|8|t8|||0|||0|||"},
  };
  for (const auto& [width, expected] : widths) EXPECT_EQ(Summary(Fill(width)), expected) << width;
  EXPECT_EQ(Summary(Fill(22, true)), "0|0||||0|||0|||");
  const vx::CircleRecord full = Fill(22);
  EXPECT_EQ(full.spaceNoSub, 7);
  EXPECT_EQ(full.rss, "rss");
}

TEST(CircleRecord, ClearEmptiesTextsAndIdButKeepsTheOtherNumbers) {
  vx::CircleRecord r = Fill(22);
  r.memo = "m";
  r.SetRssInfo("feed");
  r.Clear();
  EXPECT_EQ(Summary(r), "0|8||||4711|||1|||");
  EXPECT_EQ(r.pageNo, 2);
  EXPECT_TRUE(vx::NewCircleRecords(-3).empty());
  EXPECT_EQ(vx::NewCircleRecords(36).size(), 36u);
}

}  // namespace
