// Import rows share their texts: a record's file texts with every row made for it, a candidate's
// texts with every row that proposes it; a row changed through itself gets its own copy.
#include "checklist/ImportRowTexts.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/checklist/StoreFixture.h"

namespace vxtest {
namespace {

TEST(ImportRowTexts, AChangeThroughOneRowLeavesTheRowsItSharedWith) {
  auto file = std::make_shared<vx::ImportFileTexts>();
  (*file)[vx::kImportMemo] = "memo";
  auto candidate = std::make_shared<vx::ImportCandidateTexts>();
  (*candidate)[0] = "name";
  vx::ImportRowTexts first(file, candidate);
  const vx::ImportRowTexts second(file, nullptr);
  first[vx::kImportMemo] = "changed";
  EXPECT_EQ(second[vx::kImportMemo], "memo");
  EXPECT_EQ((*file)[vx::kImportMemo], "memo");
  EXPECT_EQ(first[vx::kImportCandidateName], "name");
  EXPECT_EQ(second[vx::kImportCandidateName], "");  // no candidate: empty texts

  vx::ImportRowTexts empty;
  EXPECT_EQ(empty, vx::ImportRowTexts(std::make_shared<vx::ImportFileTexts>(), nullptr));
  empty[vx::kImportPixiv] = "p";
  EXPECT_NE(empty, vx::ImportRowTexts());
  const auto all = static_cast<std::array<std::string, vx::kImportTextCount>>(first);
  EXPECT_EQ(std::vector<std::string>(all.begin(), all.end()),
            std::vector<std::string>(first.begin(), first.end()));
  EXPECT_EQ(first.end() - first.begin(), vx::kImportTextCount);
}

// Circles 21 to 23 share the pen name "Many": each of two records without strict matching gets
// all three as candidates.
TEST_F(StoreFixture, TheRowsOfAGroupAndOfACandidateShareOneCopyOfTheirTexts) {
  for (int id = 21; id <= 23; ++id) {
    vx::CircleRecord circle = MakeCircle(id, 2, id - 10, 1, 1, 1, 0, 1, "c" + std::to_string(id));
    circle.penName = "Many";
    InsertCircle(Db(), circle);
  }
  std::string text = HeaderLine(95);
  for (const char* memo : {"one", "two"}) {
    text += CircleLine({{2, "1"}, {10, "gone"}, {12, "Many"}, {17, memo}});
  }
  Store().SetStrictMatch(false);
  Store().LoadText(text, false, true);
  const std::vector<vx::FavoriteImportRecord>& rows = Rows();
  ASSERT_EQ(rows.size(), 8u);  // two groups of three candidates and a skip row
  const auto& firstGroup = rows[0].texts;
  for (int i = 1; i <= 3; ++i) {
    EXPECT_EQ(&rows[i].texts[vx::kImportMemo], &firstGroup[vx::kImportMemo]) << i;
  }
  EXPECT_NE(&rows[4].texts[vx::kImportMemo], &firstGroup[vx::kImportMemo]);
  EXPECT_EQ(rows[4].texts[vx::kImportMemo], "two");
  EXPECT_EQ(rows[4].circleId, rows[0].circleId);
  EXPECT_EQ(&rows[4].texts[vx::kImportCandidateName], &firstGroup[vx::kImportCandidateName]);
  EXPECT_EQ(rows[4].texts[vx::kImportCandidateName], "c21");
}

}  // namespace
}  // namespace vxtest
