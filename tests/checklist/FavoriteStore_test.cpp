#include "checklist/FavoriteStore.h"

#include "platform/CodePage.h"
#include "tests/checklist/StoreFixture.h"

#include <climits>
#include <filesystem>

namespace vxtest {
namespace {

using vx::FavoriteEntry;
using vx::Sjis;

using FavoriteStoreTest = StoreFixture;

TEST_F(FavoriteStoreTest, CheckingAddsTheCatalogueRecordAtTheEndOfThePrintOrder) {
  ASSERT_TRUE(store().SetColor(5, 2));
  store().SetPrintOrder(5, 7);  // a gap does not move the next number
  ASSERT_TRUE(store().SetColor(1, 1));

  const vx::CircleRecord* record = store().FindCircle(5);
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(record->circleName, Sjis("がっこう"));
  EXPECT_EQ(record->genreName, Sjis("ゲーム"));
  EXPECT_EQ(record->updateId, 1005);
  EXPECT_EQ(store().GetColor(5), 2);
  EXPECT_EQ(store().GetColor(4), -1);
  EXPECT_EQ(PrintOrderIds(), (std::vector<int>{1, 5}));  // 1 got number 2
}

TEST_F(FavoriteStoreTest, CheckingACircleMissingFromTheCatalogueAddsNothing) {
  EXPECT_FALSE(store().SetColor(999, 1));
  EXPECT_EQ(store().GetEntryCount(), 0);
  EXPECT_TRUE(store().SetColor(999, -1));  // unchecking an absent circle is no failure
  EXPECT_EQ(store().GetEntryCount(), 0);
}

TEST_F(FavoriteStoreTest, UncheckingKeepsACatalogueMemoButNotAnUnknownOne) {
  store().SetColor(1, 3);
  store().SetMemo(1, "keep");
  store().SetColor(2, 3);
  vx::CircleRecord texts;
  texts.circleName = "Gone";
  texts.memo = "lost";
  const int unknown = store().AddUnknownCircle(4, texts);

  store().SetColor(1, -1);
  store().SetColor(2, -1);
  store().SetColor(unknown, -1);
  EXPECT_EQ(store().GetColor(1), 0);
  EXPECT_EQ(store().GetColor(2), -1);
  EXPECT_NE(store().FindCircle(2), nullptr);  // stays until the purge
  EXPECT_EQ(store().GetColor(unknown), -1);

  store().Purge(false);
  EXPECT_EQ(store().GetColor(1), 0);
  EXPECT_EQ(store().FindCircle(1)->memo, "keep");
  EXPECT_EQ(store().FindCircle(2), nullptr);
  EXPECT_EQ(store().FindCircle(unknown), nullptr);
}

TEST_F(FavoriteStoreTest, CheckingManyReadsNewRecordsAndNumbersThemInListOrder) {
  store().SetColor(2, 1);
  const int ids[] = {4, 2, 3, 4};
  EXPECT_TRUE(store().SetColorMany(ids, 5));
  EXPECT_EQ(store().GetColor(2), 5);
  EXPECT_EQ(store().GetColor(3), 5);
  EXPECT_EQ(store().GetColor(4), 5);
  EXPECT_EQ(store().FindCircle(4)->circleName, "Delta");
  EXPECT_EQ(store().FindCircle(4)->genreName, Sjis("ゲーム"));
  EXPECT_EQ(PrintOrderIds(), (std::vector<int>{2, 4, 3}));
}

TEST_F(FavoriteStoreTest, CheckingManyLeavesOutCirclesWhoseRecordCannotBeRead) {
  const int ids[] = {1, 999, 2};
  EXPECT_FALSE(store().SetColorMany(ids, 2));
  EXPECT_EQ(store().GetEntryCount(), 2);
  EXPECT_EQ(store().FindCircle(999), nullptr);
  EXPECT_EQ(store().FindCircle(2)->circleName, "Beta");
}

TEST_F(FavoriteStoreTest, CheckingManyWithoutTheCatalogueLeavesNoEmptyEntries) {
  store().SetColor(1, 1);
  // The second connection opens a fresh empty file: the query fails while the main connection
  // still reads the old one.
  std::filesystem::remove(dir_ / vx::PavorunDatabase::kFileName);
  const int ids[] = {1, 2, 3};
  EXPECT_FALSE(store().SetColorMany(ids, 4));
  EXPECT_EQ(store().GetColor(1), 4);  // existing entries need no record
  EXPECT_EQ(store().GetEntryCount(), 1);
  EXPECT_EQ(store().FindCircle(2), nullptr);
}

TEST_F(FavoriteStoreTest, ColourAndMemoKeepsAnyCircleWithAMemo) {
  vx::CircleRecord texts;
  texts.circleName = "Unknown";
  const int unknown = store().AddUnknownCircle(2, texts);
  EXPECT_TRUE(store().SetColorAndMemo(unknown, -1, "memo"));
  EXPECT_EQ(store().GetColor(unknown), 0);
  EXPECT_EQ(store().FindCircle(unknown)->memo, "memo");

  EXPECT_TRUE(store().SetColorAndMemo(3, 4, "new"));
  EXPECT_EQ(store().FindCircle(3)->memo, "new");
  EXPECT_TRUE(store().SetColorAndMemo(3, 5, ""));  // an empty memo changes nothing
  EXPECT_EQ(store().FindCircle(3)->memo, "new");
  EXPECT_EQ(store().GetColor(3), 5);
  EXPECT_TRUE(store().SetColorAndMemo(6, -1, "absent"));  // nothing for an absent circle
  EXPECT_EQ(store().FindCircle(6), nullptr);
  EXPECT_FALSE(store().SetColorAndMemo(999, 1, "x"));
}

TEST_F(FavoriteStoreTest, PrintOrderWithTiesByCircleIdIsRenumberedByThePurge) {
  const int ids[] = {1, 2, 3, 4, 5};
  store().SetColorMany(ids, 1);
  store().SetPrintOrder(1, 5);
  store().SetPrintOrder(2, 2);
  store().SetPrintOrder(3, 2);
  store().SetPrintOrder(4, 9);
  store().SetColor(5, -1);
  store().Purge(false);

  EXPECT_EQ(PrintOrderIds(), (std::vector<int>{2, 3, 1, 4}));
  EXPECT_EQ(store().GetEntryCount(), 4);
  std::vector<int> numbers;
  store().ForEachInPrintOrder([&](const FavoriteEntry& e) {
    numbers.push_back(e.printOrder);
    return true;
  });
  EXPECT_EQ(numbers, (std::vector<int>{1, 2, 3, 4}));

  const int order[] = {4, 1};  // 4 -> 1 and 1 -> 2 join 2 (1) and 3 (2)
  store().SetPrintOrderList(order);
  store().SetPrintOrder(42, 1);  // absent: nothing
  EXPECT_EQ(PrintOrderIds(), (std::vector<int>{2, 4, 1, 3}));
}

TEST_F(FavoriteStoreTest, UnknownCircleIdsCountUpAndRestartAfterAFullPurge) {
  vx::CircleRecord texts;
  texts.circleName = "First";
  texts.twitter = "tw";
  texts.rssInfo = "not kept";
  texts.genreName = "not kept";
  texts.pageNo = 12;
  const int first = store().AddUnknownCircle(3, texts);
  EXPECT_EQ(first, INT_MIN + 1);
  EXPECT_EQ(store().AddUnknownCircle(3, texts), INT_MIN + 2);

  const vx::CircleRecord* record = store().FindCircle(first);
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(record->id, first);
  EXPECT_EQ(record->day, -1);
  EXPECT_EQ(record->pageNo, 0);
  EXPECT_EQ(record->circleName, "First");
  EXPECT_EQ(record->twitter, "tw");
  EXPECT_EQ(record->rssInfo, "");
  EXPECT_EQ(record->genreName, "");

  store().Purge(false);  // keeps counting
  EXPECT_EQ(store().AddUnknownCircle(1, texts), INT_MIN + 3);
  store().Purge(true);
  EXPECT_EQ(store().GetEntryCount(), 0);
  EXPECT_EQ(store().AddUnknownCircle(1, texts), INT_MIN + 1);
}

TEST_F(FavoriteStoreTest, ErasingMemos) {
  store().SetColor(1, 1);
  store().SetMemo(1, "checked memo");
  store().SetColor(2, 0);
  store().SetMemo(2, "memo only");
  store().SetColor(3, 2);

  store().EraseUncheckedMemos();
  EXPECT_EQ(store().FindCircle(2), nullptr);
  EXPECT_EQ(store().FindCircle(1)->memo, "checked memo");

  store().SetColor(4, 0);
  store().SetMemo(4, "memo only");
  store().SetColor(3, -1);
  store().EraseAllMemos();
  EXPECT_EQ(store().FindCircle(1)->memo, "");
  EXPECT_EQ(store().GetColor(1), 1);
  EXPECT_EQ(store().FindCircle(3), nullptr);
  EXPECT_EQ(store().FindCircle(4), nullptr);
  EXPECT_EQ(PrintOrderIds(), (std::vector<int>{1}));
}

TEST_F(FavoriteStoreTest, BlockNeighboursJoinUnchecked) {
  store().SetColor(1, 1);  // day 1, block 1: circles 2 and 3 stand there too; 4 is on day 3
  EXPECT_TRUE(store().LoadSameBlockCircles());
  EXPECT_EQ(store().GetColor(1), 1);
  EXPECT_EQ(store().GetColor(2), -1);
  ASSERT_NE(store().FindCircle(3), nullptr);
  EXPECT_EQ(store().FindCircle(3)->circleName, "Gamma");
  EXPECT_EQ(store().FindCircle(4), nullptr);
  EXPECT_EQ(PrintOrderIds(), (std::vector<int>{1}));

  std::vector<int> all;
  store().AddAllToPrintRecords([&](const FavoriteEntry& e) {
    all.push_back(e.record.id);
    return true;
  });
  EXPECT_EQ(all, (std::vector<int>{1, 2, 3}));
}

TEST_F(FavoriteStoreTest, WalksChooseTheirEntriesAndStopWhenAsked) {
  store().SetColor(4, 1);  // day 3
  store().SetColor(6, 1);  // no day
  store().SetColor(2, 0);
  store().SetMemo(2, "m");
  store().SetColor(3, 1);
  store().SetColor(3, -1);
  vx::CircleRecord texts;
  store().AddUnknownCircle(2, texts);

  std::vector<int> checked;
  store().ForEachChecked([&](FavoriteEntry& e) {
    checked.push_back(e.record.id);
    return checked.size() < 3;
  });
  EXPECT_EQ(checked, (std::vector<int>{INT_MIN + 1, 2, 4}));

  std::vector<int> sent;
  store().ExportPlacedToPortal([&](const FavoriteEntry& e) {
    sent.push_back(e.record.id);
    return true;
  });
  EXPECT_EQ(sent, (std::vector<int>{2, 4}));
}

TEST_F(FavoriteStoreTest, CopyCircleDuplicatesTheStoredRecord) {
  store().SetColor(1, 1);
  store().SetMemo(1, "m");
  vx::CircleRecord copy;
  ASSERT_TRUE(store().CopyCircle(1, copy));
  EXPECT_EQ(copy.memo, "m");
  copy.memo = "changed";
  EXPECT_EQ(store().FindCircle(1)->memo, "m");
  EXPECT_FALSE(store().CopyCircle(2, copy));
  EXPECT_FALSE(store().SetMemo(2, "x"));
}

TEST_F(FavoriteStoreTest, ColourDefinitions) {
  store().SetColorDef(0, 0x0000ff, 0x000080, Sjis("赤"));
  store().SetColorDef(0, 0x00ff00, 0x008000, Sjis("緑"));
  EXPECT_EQ(store().GetCheckColor(0), 0x00ff00u);
  EXPECT_EQ(store().GetPrintColor(0), 0x008000u);
  EXPECT_EQ(store().GetColorName(0), Sjis("緑"));
  EXPECT_EQ(store().GetCheckColor(1), 0u);
  EXPECT_EQ(store().GetPrintColor(-1), 0u);
  EXPECT_EQ(store().GetColorName(5), "");
}

TEST_F(FavoriteStoreTest, MemoFunctionOfTheDatabaseReadsTheStore) {
  db().SetFavoriteStore(&store());
  store().SetColor(2, 1);
  store().SetMemo(2, "it's here");
  std::string memo = "unset";
  db().ExecRows("select getMemo(2), getMemo(3);", [&](int n, char** columns) {
    EXPECT_EQ(n, 2);
    memo = columns[0];
    EXPECT_STREQ(columns[1], "");
    return 0;
  });
  EXPECT_EQ(memo, "it's here");
  db().SetFavoriteStore(nullptr);
}

}  // namespace
}  // namespace vxtest
