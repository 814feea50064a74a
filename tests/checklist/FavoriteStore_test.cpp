#include "checklist/FavoriteStore.h"

#include "platform/CodePage.h"
#include "tests/checklist/StoreFixture.h"

#include <climits>
#include <filesystem>

namespace vxtest {
namespace {

using vx::Sjis;

class FavoriteStoreTest : public StoreFixture {
 protected:
  void AddRow(int action, int circleId, int color, const std::string& memo = "") {
    vx::FavoriteImportRecord row{0, action, color, circleId, {}};
    row.texts[vx::kImportMemo] = memo;
    Store().GetImportRecords().push_back(row);
  }

  // The memo after committing a file memo over an old one.
  std::string Merge(const std::string& oldMemo, const std::string& fileMemo, bool replace) {
    Store().Purge(true);
    Store().GetImportRecords().clear();
    if (!oldMemo.empty()) Store().SetColorAndMemo(1, 1, oldMemo);
    AddRow(vx::kImportRegister, 1, 1, fileMemo);
    Store().CommitImportRecords(replace, false);
    const vx::CircleRecord* circle = Store().FindCircle(1);
    return circle != nullptr ? circle->memo : "(none)";
  }
};

TEST_F(FavoriteStoreTest, CheckingAddsCatalogueRecordsAtTheEndOfThePrintOrder) {
  ASSERT_TRUE(Store().SetColor(5, 2));
  Store().SetPrintOrder(5, 7);  // a gap does not move the next number
  const int ids[] = {4, 5, 999, 3, 4};
  EXPECT_FALSE(Store().SetColorMany(ids, 1));  // 999 is left out
  EXPECT_EQ(PrintOrderIds(), (std::vector<int>{4, 3, 5}));
  EXPECT_EQ(Store().GetColor(5), 1);
  EXPECT_EQ(Store().FindCircle(4)->genreName + Store().FindCircle(5)->genreName,
            Sjis("ゲームゲーム"));
  EXPECT_FALSE(Store().SetColor(999, 1));
  EXPECT_TRUE(Store().SetColor(999, -1));  // unchecking an absent circle is no failure
  EXPECT_EQ(Store().GetEntryCount(), 3);
}

TEST_F(FavoriteStoreTest, CheckingManyWithoutTheCatalogueLeavesNoEmptyEntries) {
  Store().SetColor(1, 1);
  // The query's own connection opens a fresh empty file while the main one still reads the old.
  std::filesystem::remove(dir_ / vx::PavorunDatabase::kFileName);
  const int ids[] = {1, 2, 3};
  EXPECT_FALSE(Store().SetColorMany(ids, 4));
  EXPECT_EQ(Store().GetColor(1), 4);  // existing entries need no record
  EXPECT_EQ(Store().GetEntryCount(), 1);
}

TEST_F(FavoriteStoreTest, UncheckingAndErasingKeepOnlyCirclesWithAColourOrAMemo) {
  Store().SetColorAndMemo(1, 3, "keep");
  Store().SetColor(2, 3);
  vx::CircleRecord texts;
  texts.memo = "lost";
  const int unknown = Store().AddUnknownCircle(4, texts);
  for (const int id : {1, 2, unknown}) Store().SetColor(id, -1);
  EXPECT_NE(Store().FindCircle(2), nullptr);  // stays until the purge
  Store().Purge(false);
  EXPECT_EQ(Store().GetEntryCount(), 1);
  EXPECT_EQ(Store().GetColor(1), 0);

  // The commit keeps any circle with a memo, and an empty memo changes none.
  EXPECT_TRUE(Store().SetColorAndMemo(Store().AddUnknownCircle(2, {}), -1, "memo"));
  EXPECT_TRUE(Store().SetColorAndMemo(1, 5, ""));
  EXPECT_TRUE(Store().SetColorAndMemo(6, -1, "absent"));
  EXPECT_FALSE(Store().SetColorAndMemo(999, 1, "x"));
  EXPECT_EQ(PrintOrderIds(), (std::vector<int>{1, INT_MIN + 2}));
  EXPECT_EQ(Store().FindCircle(1)->memo, "keep");
  Store().EraseUncheckedMemos();
  EXPECT_EQ(PrintOrderIds(), std::vector<int>{1});
  Store().EraseAllMemos();
  EXPECT_EQ(Store().FindCircle(1)->memo, "");
}

TEST_F(FavoriteStoreTest, PrintOrderWithTiesByCircleIdIsRenumberedByThePurge) {
  const int ids[] = {1, 2, 3, 4, 5};
  Store().SetColorMany(ids, 1);
  Store().SetPrintOrderList(std::vector<int>{4, 2, 3, 1});  // 5 keeps 5
  Store().SetPrintOrder(3, 2);
  Store().SetPrintOrder(4, 9);
  Store().SetColor(5, -1);
  Store().Purge(false);
  Store().SetColor(6, 1);  // numbered after the last of 1 to 4, not before 4's old 9
  EXPECT_EQ(PrintOrderIds(), (std::vector<int>{2, 3, 1, 4, 6}));
}

TEST_F(FavoriteStoreTest, UnknownCircleIdsCountUpAndRestartAfterAFullPurge) {
  vx::CircleRecord texts;
  texts.circleName = "First";
  texts.pageNo = 12;
  EXPECT_EQ(Store().AddUnknownCircle(3, texts), INT_MIN + 1);
  EXPECT_EQ(Store().AddUnknownCircle(3, texts), INT_MIN + 2);
  ASSERT_NE(Store().FindCircle(INT_MIN + 1), nullptr);
  const vx::CircleRecord& r = *Store().FindCircle(INT_MIN + 1);
  EXPECT_EQ(std::tie(r.id, r.day, r.pageNo, r.circleName),
            std::make_tuple(INT_MIN + 1, -1, 0, std::string("First")));
  Store().Purge(false);  // keeps counting
  EXPECT_EQ(Store().AddUnknownCircle(1, texts), INT_MIN + 3);
  Store().Purge(true);
  EXPECT_EQ(Store().GetEntryCount(), 0);
  EXPECT_EQ(Store().AddUnknownCircle(1, texts), INT_MIN + 1);
}

TEST_F(FavoriteStoreTest, WalksChooseTheirEntries) {
  Store().SetColor(1, 1);  // day 1, block 1: circles 2 and 3 stand there too; 4 is on day 3
  EXPECT_TRUE(Store().LoadSameBlockCircles());
  Store().SetColor(6, 1);  // no day
  Store().AddUnknownCircle(2, {});
  EXPECT_EQ(Ids([&](const auto& visit) { Store().AddAllToPrintRecords(visit); }),
            (std::vector<int>{INT_MIN + 1, 1, 2, 3, 6}));
  EXPECT_EQ(Ids([&](const auto& visit) { Store().ExportPlacedToPortal(visit); }),
            std::vector<int>{1});
  EXPECT_EQ(PrintOrderIds(), (std::vector<int>{1, 6, INT_MIN + 1}));
}

TEST_F(FavoriteStoreTest, CommittedMemosMergeUnlessReplacedAndAreNeverCleared) {
  EXPECT_EQ(Merge("abc", "xabcx", false), "xabcx");
  EXPECT_EQ(Merge("xabcx", "abc", false), "xabcx");
  EXPECT_EQ(Merge("abc", "def", false), "abcdef");
  EXPECT_EQ(Merge("", "def", false), "def");
  EXPECT_EQ(Merge("abc", "", false), "abc");
  // "表" is 0x95 0x5C: its second byte followed by "n" is not the text "\n".
  EXPECT_EQ(Merge(Sjis("表n"), "\\n", false), Sjis("表n") + "\\n");
  EXPECT_EQ(Merge("old", "new", true), "new");
  EXPECT_EQ(Merge("old", "", true), "old");
}

TEST_F(FavoriteStoreTest, ACommitKeepsACheckedCirclesColourUnlessFileColoursWin) {
  EXPECT_FALSE(Store().CommitImportRecords(true, true));  // no rows
  Store().SetColor(1, 3);
  Store().SetColorAndMemo(2, 0, "memo only");
  for (const int id : {1, 2, 3}) AddRow(vx::kImportRegister, id, 5);
  AddRow(vx::kImportRegister, 4, 0, "just a note");
  AddRow(vx::kImportSkip, 5, 1);
  AddRow(vx::kImportRegister, 0, 1);                           // without a candidate
  EXPECT_TRUE(Store().AddImportRecordBySerial(1006, 12, ""));  // above the count: kept
  EXPECT_FALSE(Store().AddImportRecordBySerial(77, 2, ""));
  EXPECT_TRUE(Store().CommitImportRecords(false, false));
  const auto colors = [&] {
    std::vector<int> colors;
    for (const int id : {1, 2, 3, 4, 5, 6}) colors.push_back(Store().GetColor(id));
    return colors;
  };
  EXPECT_EQ(colors(), (std::vector<int>{3, 5, 5, 0, -1, 12}));
  Store().CommitImportRecords(false, true);
  EXPECT_EQ(colors(), (std::vector<int>{5, 5, 5, 0, -1, 12}));
  Store().DefaultImportColors();  // after the confirmation page
  EXPECT_EQ(Store().GetImportRecords()[3].color, 1);
}

}  // namespace
}  // namespace vxtest
