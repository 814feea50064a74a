#include "checklist/FavoriteStore.h"

#include <climits>
#include <filesystem>

#include "platform/CodePage.h"
#include "tests/checklist/StoreFixture.h"

namespace vxtest {
namespace {

using vx::FavoriteEntry;
using vx::FavoriteImportRecord;
using vx::Sjis;

class FavoriteStoreTest : public StoreFixture {
 protected:
  std::vector<int> PrintOrderIds() const {
    std::vector<int> ids;
    store_->ForEachInPrintOrder([&](const FavoriteEntry& e) {
      ids.push_back(e.record.id);
      return true;
    });
    return ids;
  }

  FavoriteImportRecord& AddRow(int action, int circleId, int color, const std::string& memo) {
    FavoriteImportRecord& row = store().ImportRecords().emplace_back();
    row.action = action;
    row.circleId = circleId;
    row.color = color;
    row.texts[vx::kImportMemo] = memo;
    return row;
  }

  // The memo after committing a file memo over an old one.
  std::string Merge(const std::string& oldMemo, const std::string& fileMemo, bool replace) {
    store().Purge(true);
    store().ImportRecords().clear();
    if (!oldMemo.empty()) store().SetColorAndMemo(1, 1, oldMemo);
    AddRow(vx::kImportRegister, 1, 1, fileMemo);
    store().CommitImportRecords(replace, false);
    return store().FindCircle(1)->memo;
  }
};

TEST_F(FavoriteStoreTest, CheckingAddsCatalogueRecordsAtTheEndOfThePrintOrder) {
  ASSERT_TRUE(store().SetColor(5, 2));
  store().SetPrintOrder(5, 7);  // a gap does not move the next number
  const int ids[] = {4, 5, 999, 3, 4};
  EXPECT_FALSE(store().SetColorMany(ids, 1));  // 999 is left out
  EXPECT_EQ(PrintOrderIds(), (std::vector<int>{4, 3, 5}));
  EXPECT_EQ(store().GetColor(5), 1);
  EXPECT_EQ(store().FindCircle(4)->genreName + store().FindCircle(5)->genreName,
            Sjis("ゲームゲーム"));
  EXPECT_FALSE(store().SetColor(999, 1));
  EXPECT_TRUE(store().SetColor(999, -1));  // unchecking an absent circle is no failure
  EXPECT_EQ(store().GetEntryCount(), 3);
}

TEST_F(FavoriteStoreTest, UncheckingKeepsACatalogueMemoButNotAnUnknownOne) {
  store().SetColorAndMemo(1, 3, "keep");
  store().SetColor(2, 3);
  vx::CircleRecord texts;
  texts.memo = "lost";
  const int unknown = store().AddUnknownCircle(4, texts);
  for (const int id : {1, 2, unknown}) store().SetColor(id, -1);
  EXPECT_EQ(store().GetColor(1), 0);
  EXPECT_NE(store().FindCircle(2), nullptr);  // stays until the purge
  store().Purge(false);
  EXPECT_EQ(store().FindCircle(1)->memo, "keep");
  EXPECT_EQ(store().GetEntryCount(), 1);

  // The commit keeps any circle with a memo, and an empty memo changes none.
  EXPECT_TRUE(store().SetColorAndMemo(store().AddUnknownCircle(2, {}), -1, "memo"));
  EXPECT_EQ(store().GetColor(INT_MIN + 2), 0);
  EXPECT_TRUE(store().SetColorAndMemo(1, 5, ""));
  EXPECT_EQ(store().FindCircle(1)->memo, "keep");
  EXPECT_TRUE(store().SetColorAndMemo(6, -1, "absent"));
  EXPECT_FALSE(store().SetColorAndMemo(999, 1, "x"));
  EXPECT_EQ(store().GetEntryCount(), 2);
}

TEST_F(FavoriteStoreTest, CheckingManyWithoutTheCatalogueLeavesNoEmptyEntries) {
  store().SetColor(1, 1);
  // The query's own connection opens a fresh empty file while the main one still reads the old.
  std::filesystem::remove(dir_ / vx::PavorunDatabase::kFileName);
  const int ids[] = {1, 2, 3};
  EXPECT_FALSE(store().SetColorMany(ids, 4));
  EXPECT_EQ(store().GetColor(1), 4);  // existing entries need no record
  EXPECT_EQ(store().GetEntryCount(), 1);
}

TEST_F(FavoriteStoreTest, PrintOrderWithTiesByCircleIdIsRenumberedByThePurge) {
  const int ids[] = {1, 2, 3, 4, 5};
  store().SetColorMany(ids, 1);
  store().SetPrintOrderList(std::vector<int>{4, 2, 3, 1});  // 5 keeps 5
  store().SetPrintOrder(3, 2);
  store().SetPrintOrder(4, 9);
  store().SetColor(5, -1);
  store().Purge(false);
  std::vector<std::pair<int, int>> order;
  store().ForEachInPrintOrder([&](const FavoriteEntry& e) {
    order.emplace_back(e.record.id, e.printOrder);
    return true;
  });
  EXPECT_EQ(order, (std::vector<std::pair<int, int>>{{2, 1}, {3, 2}, {1, 3}, {4, 4}}));
}

TEST_F(FavoriteStoreTest, UnknownCircleIdsCountUpAndRestartAfterAFullPurge) {
  vx::CircleRecord texts;
  texts.circleName = "First";
  texts.pageNo = 12;
  EXPECT_EQ(store().AddUnknownCircle(3, texts), INT_MIN + 1);
  EXPECT_EQ(store().AddUnknownCircle(3, texts), INT_MIN + 2);
  const vx::CircleRecord& r = *store().FindCircle(INT_MIN + 1);
  EXPECT_EQ(std::tie(r.id, r.day, r.pageNo, r.circleName),
            std::make_tuple(INT_MIN + 1, -1, 0, std::string("First")));
  store().Purge(false);  // keeps counting
  EXPECT_EQ(store().AddUnknownCircle(1, texts), INT_MIN + 3);
  store().Purge(true);
  EXPECT_EQ(store().GetEntryCount(), 0);
  EXPECT_EQ(store().AddUnknownCircle(1, texts), INT_MIN + 1);
}

TEST_F(FavoriteStoreTest, ErasingMemos) {
  store().SetColorAndMemo(1, 1, "checked memo");
  store().SetColorAndMemo(2, 0, "memo only");
  store().EraseUncheckedMemos();
  EXPECT_EQ(store().FindCircle(1)->memo, "checked memo");
  store().SetColorAndMemo(4, 0, "memo only");
  store().EraseAllMemos();
  EXPECT_EQ(store().FindCircle(1)->memo, "");
  EXPECT_EQ(store().GetEntryCount(), 1);
}

TEST_F(FavoriteStoreTest, WalksChooseTheirEntries) {
  store().SetColor(1, 1);  // day 1, block 1: circles 2 and 3 stand there too; 4 is on day 3
  EXPECT_TRUE(store().LoadSameBlockCircles());
  store().SetColor(6, 1);  // no day
  store().AddUnknownCircle(2, {});
  std::vector<int> all, sent;
  store().AddAllToPrintRecords([&](const FavoriteEntry& e) {
    all.push_back(e.record.id);
    return true;
  });
  store().ExportPlacedToPortal([&](const FavoriteEntry& e) {
    sent.push_back(e.record.id);
    return true;
  });
  EXPECT_EQ(all, (std::vector<int>{INT_MIN + 1, 1, 2, 3, 6}));
  EXPECT_EQ(sent, std::vector<int>{1});
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
  EXPECT_FALSE(store().CommitImportRecords(true, true));  // no rows
  store().SetColor(1, 3);
  store().SetColorAndMemo(2, 0, "memo only");
  for (const int id : {1, 2, 3}) AddRow(vx::kImportRegister, id, 5, "");
  AddRow(vx::kImportRegister, 4, 0, "just a note");
  EXPECT_TRUE(store().CommitImportRecords(false, false));
  const auto colors = [&] {
    return std::vector<int>{store().GetColor(1), store().GetColor(2), store().GetColor(3),
                            store().GetColor(4)};
  };
  EXPECT_EQ(colors(), (std::vector<int>{3, 5, 5, 0}));
  store().CommitImportRecords(false, true);
  EXPECT_EQ(colors(), (std::vector<int>{5, 5, 5, 0}));
}

TEST_F(FavoriteStoreTest, ACommitAddsUnknownCirclesAndKeepsFeedTexts) {
  store().SetColor(1, 1);
  store().ForEachChecked([](FavoriteEntry& e) {
    e.record.SetRssInfo("old news");
    return true;
  });
  AddRow(vx::kImportRegister, 1, 1, "");  // an empty feed text clears none
  AddRow(vx::kImportRegister, 2, 1, "").texts[vx::kImportRssInfo] = "news";
  FavoriteImportRecord& unknown = AddRow(vx::kImportRegisterUnknown, 0, 6, "");
  for (int i = 0; i < vx::kImportTextCount; ++i) unknown.texts[i] = std::to_string(i);
  AddRow(vx::kImportSkip, 3, 1, "");
  AddRow(vx::kImportRegister, 0, 1, "");  // register without a candidate
  EXPECT_TRUE(store().CommitImportRecords(false, false));
  EXPECT_EQ(store().GetEntryCount(), 3);
  EXPECT_EQ(store().FindCircle(1)->rssInfo, "old news");
  EXPECT_EQ(store().FindCircle(2)->rssInfo, "news");
  const vx::CircleRecord& r = *store().FindCircle(INT_MIN + 1);
  EXPECT_EQ(store().GetColor(INT_MIN + 1), 6);
  EXPECT_EQ((std::vector<std::string>{r.circleName, r.circleKana, r.penName, r.bookName, r.url,
                                      r.mailAddr, r.description, r.updateData, r.orbalink, r.rss,
                                      r.memo, r.rssInfo, r.twitter, r.pixiv, r.genreName}),
            (std::vector<std::string>{"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11",
                                      "12", "13", ""}));
}

TEST_F(FavoriteStoreTest, RowsBySerialAndDefaultColours) {
  EXPECT_TRUE(store().AddImportRecordBySerial(1003, 0, "from the portal"));
  EXPECT_TRUE(store().AddImportRecordBySerial(1001, 12, ""));
  EXPECT_FALSE(store().AddImportRecordBySerial(77, 2, "none"));
  store().DefaultImportColors();
  EXPECT_EQ(RowIds(), (std::vector<int>{3, 1}));
  EXPECT_EQ(std::make_pair(Rows()[0].color, Rows()[1].color), std::make_pair(1, 9));
  EXPECT_EQ(Rows()[0].texts[vx::kImportMemo], "from the portal");
}

}  // namespace
}  // namespace vxtest
