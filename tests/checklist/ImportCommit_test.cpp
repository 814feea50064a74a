#include "checklist/FavoriteStore.h"

#include "platform/CodePage.h"
#include "tests/checklist/StoreFixture.h"

#include <climits>

namespace vxtest {
namespace {

using vx::FavoriteImportRecord;

class ImportCommitTest : public StoreFixture {
 protected:
  FavoriteImportRecord& AddRow(int action, int circleId, int color, const std::string& memo) {
    FavoriteImportRecord row;
    row.action = action;
    row.circleId = circleId;
    row.color = color;
    row.texts[vx::kImportMemo] = memo;
    store().ImportRecords().push_back(row);
    return store().ImportRecords().back();
  }

  // The memo after committing a file memo over an old one, without replacing memos.
  std::string Merge(const std::string& oldMemo, const std::string& fileMemo) {
    store().Purge(true);
    store().ImportRecords().clear();
    if (!oldMemo.empty()) store().SetColorAndMemo(1, 1, oldMemo);
    AddRow(vx::kImportRegister, 1, 1, fileMemo);
    store().CommitImportRecords(false, false);
    return store().FindCircle(1) ? store().FindCircle(1)->memo : "<absent>";
  }
};

TEST_F(ImportCommitTest, WithoutRowsNothingIsCommitted) {
  EXPECT_FALSE(store().CommitImportRecords(true, true));
}

TEST_F(ImportCommitTest, MemosMergeUnlessReplaced) {
  EXPECT_EQ(Merge("abc", "xabcx"), "xabcx");
  EXPECT_EQ(Merge("xabcx", "abc"), "xabcx");
  EXPECT_EQ(Merge("abc", "def"), "abcdef");
  EXPECT_EQ(Merge("", "def"), "def");
  EXPECT_EQ(Merge("abc", ""), "abc");
  // "表" is 0x95 0x5C: its second byte followed by "n" is not the text "\n".
  EXPECT_EQ(Merge(vx::Sjis("表n"), "\\n"), vx::Sjis("表n") + "\\n");
}

TEST_F(ImportCommitTest, ReplacingMemosTakesTheFileMemoButNeverClears) {
  store().SetColorAndMemo(1, 1, "old");
  store().SetColorAndMemo(2, 1, "kept");
  AddRow(vx::kImportRegister, 1, 1, "new");
  AddRow(vx::kImportRegister, 2, 1, "");
  EXPECT_TRUE(store().CommitImportRecords(true, false));
  EXPECT_EQ(store().FindCircle(1)->memo, "new");
  EXPECT_EQ(store().FindCircle(2)->memo, "kept");
}

TEST_F(ImportCommitTest, ACheckedCircleKeepsItsColourUnlessFileColoursWin) {
  store().SetColor(1, 3);
  store().SetColorAndMemo(2, 0, "memo only");
  AddRow(vx::kImportRegister, 1, 5, "");
  AddRow(vx::kImportRegister, 2, 5, "");
  AddRow(vx::kImportRegister, 3, 5, "");
  store().CommitImportRecords(false, false);
  EXPECT_EQ(store().GetColor(1), 3);
  EXPECT_EQ(store().GetColor(2), 5);
  EXPECT_EQ(store().GetColor(3), 5);

  store().CommitImportRecords(false, true);
  EXPECT_EQ(store().GetColor(1), 5);
}

TEST_F(ImportCommitTest, MemoOnlyRowsStayMemoOnly) {
  AddRow(vx::kImportRegister, 4, 0, "just a note");
  store().CommitImportRecords(false, false);
  EXPECT_EQ(store().GetColor(4), 0);
  EXPECT_EQ(store().FindCircle(4)->memo, "just a note");
}

TEST_F(ImportCommitTest, UnknownRowsBecomeUnknownCirclesAndSkipsDoNothing) {
  FavoriteImportRecord& unknown = AddRow(vx::kImportRegisterUnknown, 0, 6, "memo");
  unknown.texts[vx::kImportCircleName] = "Lost";
  unknown.texts[vx::kImportPenName] = "Pen";
  unknown.texts[vx::kImportRssInfo] = "feed text";
  unknown.texts[vx::kImportTwitter] = "tw";
  unknown.texts[vx::kImportPixiv] = "px";
  AddRow(vx::kImportSkip, 2, 1, "");
  AddRow(vx::kImportRegister, 0, 1, "");  // register without a candidate
  EXPECT_TRUE(store().CommitImportRecords(false, false));

  EXPECT_EQ(store().GetEntryCount(), 1);
  const vx::CircleRecord* record = store().FindCircle(INT_MIN + 1);
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(store().GetColor(INT_MIN + 1), 6);
  EXPECT_EQ(record->circleName, "Lost");
  EXPECT_EQ(record->penName, "Pen");
  EXPECT_EQ(record->memo, "memo");
  EXPECT_EQ(record->twitter, "tw");
  EXPECT_EQ(record->pixiv, "px");
  EXPECT_EQ(record->rssInfo, "feed text");
}

TEST_F(ImportCommitTest, FeedTextsComeBackWithTheirCircles) {
  store().SetColor(1, 1);
  store().ForEachChecked([](vx::FavoriteEntry& e) {
    e.record.SetRssInfo("old news");
    return true;
  });
  AddRow(vx::kImportRegister, 1, 1, "").texts[vx::kImportRssInfo] = "";
  AddRow(vx::kImportRegister, 2, 1, "").texts[vx::kImportRssInfo] = "news";
  store().CommitImportRecords(false, false);
  EXPECT_EQ(store().FindCircle(1)->rssInfo, "old news");
  EXPECT_EQ(store().FindCircle(2)->rssInfo, "news");
}

TEST_F(ImportCommitTest, RowsWithoutColourGetColourOne) {
  AddRow(vx::kImportRegister, 1, 0, "");
  AddRow(vx::kImportRegister, 2, 4, "");
  store().DefaultImportColors();
  EXPECT_EQ(store().ImportRecords()[0].color, 1);
  EXPECT_EQ(store().ImportRecords()[1].color, 4);
}

TEST_F(ImportCommitTest, RowsBySerialNameTheCurrentEventsCircle) {
  EXPECT_TRUE(store().AddImportRecordBySerial(1003, 2, "from the portal"));
  EXPECT_FALSE(store().AddImportRecordBySerial(77, 2, "none"));
  ASSERT_EQ(store().ImportRecords().size(), 1u);
  const FavoriteImportRecord& row = store().ImportRecords()[0];
  EXPECT_EQ(row.groupRows, 0);
  EXPECT_EQ(row.action, vx::kImportRegister);
  EXPECT_EQ(row.circleId, 3);
  EXPECT_EQ(row.color, 2);
  EXPECT_EQ(row.texts[vx::kImportMemo], "from the portal");
  EXPECT_EQ(row.texts[vx::kImportCircleName], "");
}

}  // namespace
}  // namespace vxtest
