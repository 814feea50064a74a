#include "data/SearchCondition.h"

#include "data/PavorunDatabase.h"
#include "platform/CodePage.h"
#include "tests/data/TestCatalog.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

using vx::SearchCondition;
using vx::Sjis;

// The checklist store as the search sees it; a hook runs inside FindCircle, which getMemo calls
// for every row the memo filter looks at.
class FakeStore : public vx::CircleMemoLookup {
 public:
  void Add(int id, const std::string& memo) {
    records_[id].id = id;
    records_[id].memo = memo;
    records_[id].circleName = "stored" + std::to_string(id);
  }
  const vx::CircleRecord* FindCircle(int circleId) const override {
    if (onFind) onFind();
    const auto found = records_.find(circleId);
    return found == records_.end() ? nullptr : &found->second;
  }
  std::function<void()> onFind;

 private:
  std::map<int, vx::CircleRecord> records_;
};

struct Delivered {
  std::vector<int> ids;
  std::vector<vx::CircleRecord> records;
};

void Collect(void* context, const vx::CircleRecord& record) {
  auto* delivered = static_cast<Delivered*>(context);
  delivered->ids.push_back(record.id);
  delivered->records.push_back(record);
}

class SearchTest : public ::testing::Test {
 protected:
  vxtest::TempDir dir;
  vx::PavorunDatabase db{dir.path()};
  std::unique_ptr<SearchCondition> search;

  // The sample catalogue of event 90 (circles 1-6), with readings and texts added; event 91 holds
  // the same circles, so every query must name the current event.
  void SetUp() override {
    ASSERT_TRUE(db.IsOpen()) << db.LastError();
    vxtest::BuildSampleCatalog(db, 91);
    vxtest::BuildSampleCatalog(db, 90);
    SetText(1, "circleKana", Sjis("アルファ"));
    SetText(2, "circleKana", Sjis("ベータ"));
    SetText(3, "circleKana", Sjis("ガンマ"));
    SetText(4, "circleKana", Sjis("デルタ"));
    SetText(5, "circleKana", Sjis("ガッコウ"));
    SetText(6, "circleKana", Sjis("ｶﾞｲﾔ"));
    SetText(2, "description", "It's new");
    SetText(4, "penName", Sjis("山田"));
    search = std::make_unique<SearchCondition>(db);
  }

  void SetText(int id, const char* column, const std::string& value) {
    ASSERT_EQ(db.ExecPrintf(nullptr, nullptr,
                            "update PavorunCircle set %s=%Q where id=%d and pavorunNo=90;", column,
                            value.c_str(), id),
              0)
        << db.LastError();
  }

  std::vector<int> RunIds() {
    Delivered delivered;
    EXPECT_EQ(search->Run(Collect, &delivered), 0);
    return delivered.ids;
  }

  // A normalised keyword search over the given fields.
  void FindNormalized(int fields, const std::string& keywords) {
    search->Reset();
    search->SetKeywordFields(fields);
    search->SetNormalizedMatch(true);
    search->SetMatchAll(true);
    search->SetKeywords(keywords);
  }
};

using Ids = std::vector<int>;

// ---- keyword terms ----

TEST_F(SearchTest, TwoWordsWithAFullWidthBlankGiveTwoAndTerms) {
  search->SetMatchAll(true);
  search->SetKeywordFields(3);
  search->SetKeywords(Sjis("abc　def"));
  EXPECT_EQ(search->KeywordExpression(),
            " cnt(circleName||circleKana,'abc') AND  cnt(circleName||circleKana,'def')");
  EXPECT_EQ(search->KeywordText(), Sjis("abc　def"));
}

TEST_F(SearchTest, AnyWordTermsUseOrAndNormalisedTermsFoldTheWord) {
  search->SetKeywordFields(SearchCondition::kFieldPenName);
  search->SetNormalizedMatch(true);
  search->SetKeywords(Sjis("ＡＢ\tガッコウ"));
  EXPECT_EQ(search->KeywordExpression(),
            " ncnt(penName,'ab') OR  ncnt(penName,'" + Sjis("ｶﾂｺｳ") + "')");
}

TEST_F(SearchTest, EveryFieldInItsOrderWithMemoAndGenreLast) {
  search->SetKeywordFields(SearchCondition::kAllKeywordFields);
  search->SetKeywords("x");
  EXPECT_EQ(search->KeywordExpression(),
            " cnt(circleName||circleKana||penName||bookName||url||mailAddr||description||"
            "updateData||orbalink||rss||twitter||pixiv||getMemo(PavorunCircle.id)||"
            "PavorunGenre.name,'x')");
  EXPECT_TRUE(search->JoinsGenre());
}

TEST_F(SearchTest, SeparatorRunsAndEndsMakeNoEmptyWords) {
  search->SetKeywordFields(1);
  search->SetKeywords(Sjis(" \t　a　　 b\t　"));
  EXPECT_EQ(search->KeywordExpression(), " cnt(circleName,'a') OR  cnt(circleName,'b')");
  search->SetKeywords(Sjis("　 \t"));
  EXPECT_EQ(search->KeywordExpression(), "");
}

TEST_F(SearchTest, AFullWidthBlankIsNeverFoundAcrossTwoCharacters) {
  // ａ is 0x82 0x81; followed by '@' (0x40) its trail byte and the '@' look like a full-width
  // blank.
  const std::string word = Sjis("ａ") + "@mail";
  search->SetKeywordFields(1);
  search->SetKeywords(word);
  EXPECT_EQ(search->KeywordExpression(), " cnt(circleName,'" + word + "')");
}

TEST_F(SearchTest, NoWordEndsInALoneLeadByte) {
  search->SetKeywordFields(1);
  search->SetKeywords("abc\x82");
  EXPECT_EQ(search->KeywordExpression(), " cnt(circleName,'abc')");
  search->SetKeywords("abc \x82");
  EXPECT_EQ(search->KeywordExpression(), " cnt(circleName,'abc')");
}

TEST_F(SearchTest, QuotesAreDoubledAfterFolding) {
  search->SetKeywordFields(1);
  search->SetNormalizedMatch(true);
  search->SetKeywords("it's");
  EXPECT_EQ(search->KeywordExpression(), " ncnt(circleName,'it''s')");
  search->SetKeywords(Sjis("it’s"));  // the right single quotation mark folds to '
  EXPECT_EQ(search->KeywordExpression(), " ncnt(circleName,'it''s')");
  search->SetKeywords(Sjis("it´s"));  // so does the acute accent
  EXPECT_EQ(search->KeywordExpression(), " ncnt(circleName,'it''s')");
  search->SetNormalizedMatch(false);
  search->SetKeywords("it's");
  EXPECT_EQ(search->KeywordExpression(), " cnt(circleName,'it''s')");
}

TEST_F(SearchTest, QuotedWordsReachTheStatementIntact) {
  FindNormalized(SearchCondition::kFieldDescription, Sjis("ＩＴ’Ｓ"));
  EXPECT_EQ(RunIds(), (Ids{2}));
  search->Reset();
  search->SetKeywordFields(SearchCondition::kFieldDescription);
  search->SetKeywords("It's");
  EXPECT_EQ(RunIds(), (Ids{2}));
  search->SetKeywords("x') OR 1=1 OR ('");
  EXPECT_EQ(search->CountMatches(), 0);
}

TEST_F(SearchTest, ANulEndsTheKeywordText) {
  search->SetKeywordFields(1);
  search->SetKeywords(std::string("ab\0' OR 1=1", 11));
  EXPECT_EQ(search->KeywordText(), "ab");
  EXPECT_EQ(search->KeywordExpression(), " cnt(circleName,'ab')");
}

TEST_F(SearchTest, WithoutFieldsOrAfterClearKeywordsNoTermRemains) {
  search->SetKeywordFields(1);
  search->SetKeywords("old");
  search->SetKeywordFields(0);
  search->SetKeywords("new");
  EXPECT_EQ(search->KeywordText(), "new");
  EXPECT_EQ(search->KeywordExpression(), "");
  EXPECT_EQ(RunIds(), (Ids{1, 2, 3, 4, 5, 6}));
  search->SetKeywordFields(1);
  search->SetKeywords("Alpha");
  search->ClearKeywords();
  EXPECT_EQ(search->KeywordText(), "");
  EXPECT_EQ(search->KeywordExpression(), "");
  EXPECT_EQ(search->CountMatches(), 6);
}

// ---- choices and WHERE text ----

TEST_F(SearchTest, ClearChoicesResetsFlagsAndFieldsButKeepsTheText) {
  search->SetKeywordFields(1);
  search->SetMatchAll(true);
  search->SetNormalizedMatch(true);
  search->SetMemoOnly(true);
  search->SetUpdatedOnly(true);
  search->AddDay(1);
  search->AddGenre(2);
  search->SetKeywords("abc");
  search->ClearChoices();
  EXPECT_FALSE(search->MatchAll());
  EXPECT_FALSE(search->NormalizedMatch());
  EXPECT_FALSE(search->MemoOnly());
  EXPECT_FALSE(search->UpdatedOnly());
  EXPECT_EQ(search->KeywordFields(), 0xFFFF);
  EXPECT_TRUE(search->Days().empty());
  EXPECT_TRUE(search->Genres().empty());
  EXPECT_EQ(search->KeywordText(), "abc");
  EXPECT_EQ(search->KeywordExpression(), "");
  EXPECT_EQ(search->Where(), "");
}

TEST_F(SearchTest, WherePartsComeInTheirOrder) {
  search->SetKeywordFields(1);
  search->SetKeywords("a");
  search->SetUpdatedOnly(true);
  search->SetMemoOnly(true);
  search->AddBlock(4);
  search->AddGenre(2);
  search->AddDay(1);
  search->AddDay(0);
  EXPECT_EQ(search->Where(),
            " AND day in (1,0) AND genreId in (2) AND blockId in (4) AND ( cnt(circleName,'a'))"
            " AND getMemo(PavorunCircle.id)<>'' AND PavorunCircle.updateFlag<>0");
}

TEST_F(SearchTest, NoChoicesMatchEveryCircleOfTheEventInIdOrder) {
  EXPECT_EQ(search->Where(), "");
  EXPECT_EQ(search->CountMatches(), 6);
  EXPECT_EQ(RunIds(), (Ids{1, 2, 3, 4, 5, 6}));
}

TEST_F(SearchTest, AllDaysIncludeTheUnplacedAndAllGenresStartAtOne) {
  search->AddAllDays();
  search->AddAllGenres();
  EXPECT_EQ(search->Days(), (Ids{0, 1, 2, 3}));
  EXPECT_EQ(search->Genres(), (Ids{1, 2}));
  EXPECT_TRUE(search->HasDay(0));
  EXPECT_FALSE(search->HasDay(4));
  EXPECT_TRUE(search->HasGenre(2));
  EXPECT_FALSE(search->HasGenre(0));
  EXPECT_EQ(RunIds(), (Ids{1, 2, 3, 4, 5, 6}));
}

TEST_F(SearchTest, DaysGenresAndBlocksRestrictTogether) {
  search->AddDay(1);
  EXPECT_EQ(RunIds(), (Ids{1, 2, 3}));
  search->AddDay(0);
  EXPECT_EQ(RunIds(), (Ids{1, 2, 3, 6}));
  search->AddGenre(2);
  EXPECT_EQ(RunIds(), (Ids{3}));
  search->Reset();
  search->AddBlock(1);
  search->AddGenre(2);
  EXPECT_EQ(RunIds(), (Ids{3, 4}));
}

TEST_F(SearchTest, NormalisedKeywordsMatchEveryKanaForm) {
  for (const char* keyword : {"がっこう", "ｶﾞｯｺｳ", "ガッコウ"}) {
    FindNormalized(SearchCondition::kFieldCircleName, Sjis(keyword));
    EXPECT_EQ(RunIds(), (Ids{5})) << keyword;
  }
  search->SetNormalizedMatch(false);
  search->SetKeywords(Sjis("ｶﾞｯｺｳ"));
  EXPECT_EQ(search->CountMatches(), 0);
  search->SetKeywords(Sjis("がっこう"));
  EXPECT_EQ(RunIds(), (Ids{5}));
}

TEST_F(SearchTest, AllOrAnyWord) {
  search->SetKeywordFields(SearchCondition::kFieldCircleName | SearchCondition::kFieldPenName);
  search->SetMatchAll(true);
  search->SetKeywords(Sjis("Delta 山田"));
  EXPECT_EQ(RunIds(), (Ids{4}));
  search->SetKeywords(Sjis("Alpha 山田"));
  EXPECT_EQ(RunIds(), Ids{});
  search->SetMatchAll(false);
  search->SetKeywords(Sjis("Alpha 山田"));
  EXPECT_EQ(RunIds(), (Ids{1, 4}));
}

// ---- kana initials ----

TEST_F(SearchTest, FirstCharTakesOneWholeCharacter) {
  std::vector<std::string> got;
  auto collect = [](void* context, int, char** columns, char**) {
    static_cast<std::vector<std::string>*>(context)->push_back(columns[0] ? columns[0] : "<null>");
    return 0;
  };
  const std::string kana = Sjis("ソース");  // ソ is 0x83 0x5C: a trail byte that is a backslash
  ASSERT_EQ(db.ExecPrintf(collect, &got, "select firstchar(%Q);", kana.c_str()), 0);
  ASSERT_EQ(db.Exec(collect, &got, "select firstchar('Ab');"), 0);
  ASSERT_EQ(db.Exec(collect, &got, "select firstchar('');"), 0);
  ASSERT_EQ(db.Exec(collect, &got, "select firstchar(NULL);"), 0);
  ASSERT_EQ(db.Exec(collect, &got, "select firstchar(x'82');"), 0);
  EXPECT_EQ(got, (std::vector<std::string>{Sjis("ソ"), "A", "", "<null>", "\x82"}));
}

TEST_F(SearchTest, KanaInitialsMatchTheFoldedFirstCharacterAndOrderByReading) {
  search->AddKanaInitial(0xB6);  // ｶ: ガッコウ, ガンマ and ｶﾞｲﾔ, voicing dropped
  EXPECT_EQ(search->CountMatches(), 3);
  EXPECT_EQ(RunIds(), (Ids{5, 3, 6}));
  search->AddKanaInitial(0xB1);  // ｱ
  EXPECT_EQ(RunIds(), (Ids{1, 5, 3, 6}));
  search->ClearChoices();
  search->AddKanaInitial(0xC0);  // ﾀ matches no first character; デルタ only ends in it
  EXPECT_EQ(search->CountMatches(), 0);
}

TEST_F(SearchTest, KanaInitialsOutsideTheCodeRangeAreIgnored) {
  search->AddKanaInitial(0);
  search->AddKanaInitial(-5);
  search->AddKanaInitial(0x10000);
  EXPECT_EQ(search->Where(), "");
}

// ---- narrowing ----

TEST_F(SearchTest, KeepAsBaseNarrowsTheLastSearchAndResetForgetsIt) {
  search->AddDay(1);
  EXPECT_EQ(RunIds(), (Ids{1, 2, 3}));
  search->KeepAsBase();
  EXPECT_EQ(search->Base(), " AND day in (1)");
  search->AddGenre(2);
  EXPECT_EQ(RunIds(), (Ids{3}));
  search->Reset();
  EXPECT_EQ(search->Base(), "");
  search->AddGenre(2);
  EXPECT_EQ(RunIds(), (Ids{3, 4, 5}));
}

TEST_F(SearchTest, ClearChoicesRedoesANarrowingOnTheSameBaseAndNarrowingsStack) {
  search->AddDay(1);
  search->AddDay(3);
  EXPECT_EQ(RunIds(), (Ids{1, 2, 3, 4, 5}));
  search->KeepAsBase();
  search->AddGenre(1);
  EXPECT_EQ(RunIds(), (Ids{1, 2}));
  search->ClearChoices();  // redo the narrowing with another genre
  search->AddGenre(2);
  EXPECT_EQ(RunIds(), (Ids{3, 4, 5}));
  search->KeepAsBase();
  search->AddBlock(1);
  EXPECT_EQ(search->Where(), " AND day in (1,3) AND genreId in (2) AND blockId in (1)");
  EXPECT_EQ(RunIds(), (Ids{3, 4}));
}

// ---- genre join ----

TEST_F(SearchTest, GenreNameKeywordsJoinTheGenreTableUntilReset) {
  FindNormalized(SearchCondition::kFieldGenreName, Sjis("げーむ"));
  EXPECT_TRUE(search->JoinsGenre());
  EXPECT_EQ(search->CountMatches(), 3);
  EXPECT_EQ(RunIds(), (Ids{3, 4, 5}));
  search->KeepAsBase();
  EXPECT_TRUE(search->JoinsGenre());  // the base still names the genre table
  search->AddDay(3);
  EXPECT_EQ(RunIds(), (Ids{4, 5}));
  search->Reset();
  EXPECT_FALSE(search->JoinsGenre());
  EXPECT_EQ(RunIds(), (Ids{1, 2, 3, 4, 5, 6}));
}

TEST_F(SearchTest, JoinedRowsCarryTheCircleColumns) {
  FindNormalized(SearchCondition::kFieldGenreName | SearchCondition::kFieldCircleName,
                 Sjis("deltaゲーム"));  // the name comes before the genre
  Delivered delivered;
  ASSERT_EQ(search->Run(Collect, &delivered), 0);
  ASSERT_EQ(delivered.records.size(), 1u);
  const vx::CircleRecord& r = delivered.records[0];
  EXPECT_EQ(r.id, 4);
  EXPECT_EQ(r.pageNo, 5);
  EXPECT_EQ(r.genreId, 2);
  EXPECT_EQ(r.circleName, "Delta");
  EXPECT_EQ(r.genreName, Sjis("ゲーム"));
}

// ---- memo and update filters, records handed on ----

TEST_F(SearchTest, MemoOnlyFindsCirclesWithANonEmptyMemo) {
  FakeStore store;
  store.Add(2, Sjis("新刊"));
  store.Add(4, Sjis("列ナシ"));
  store.Add(5, "");
  db.SetFavoriteStore(&store);
  search->SetMemoOnly(true);
  EXPECT_EQ(search->CountMatches(), 2);
  EXPECT_EQ(RunIds(), (Ids{2, 4}));
  FindNormalized(SearchCondition::kFieldMemo, Sjis("なし"));
  EXPECT_EQ(RunIds(), (Ids{4}));
  db.SetFavoriteStore(nullptr);
}

TEST_F(SearchTest, UpdatedOnlyFindsUpdatedCircles) {
  vx::CircleRecord update = vxtest::MakeCircle(3, 3, 36, 1, 1, 2, 0, 2, "Gamma");
  update.updateData = Sjis("スペース変更");
  ASSERT_EQ(db.CircleTable().UpdateCircle(update), 0) << db.LastError();
  search->SetUpdatedOnly(true);
  EXPECT_EQ(RunIds(), (Ids{3}));
  FindNormalized(SearchCondition::kFieldUpdateData, Sjis("すぺーす"));
  EXPECT_EQ(RunIds(), (Ids{3}));
}

TEST_F(SearchTest, CheckedCirclesArriveAsTheStoresRecord) {
  FakeStore store;
  store.Add(2, Sjis("メモ"));
  db.SetFavoriteStore(&store);
  search->AddDay(1);
  Delivered delivered;
  ASSERT_EQ(search->Run(Collect, &delivered), 0);
  ASSERT_EQ(delivered.records.size(), 3u);
  EXPECT_EQ(delivered.records[0].circleName, "Alpha");
  EXPECT_EQ(delivered.records[0].genreName, Sjis("創作"));
  EXPECT_EQ(delivered.records[0].circleKana, Sjis("アルファ"));
  EXPECT_EQ(delivered.records[0].updateId, 1001);
  EXPECT_EQ(delivered.records[1].circleName, "stored2");
  EXPECT_EQ(delivered.records[1].memo, Sjis("メモ"));
  EXPECT_EQ(delivered.records[2].circleName, "Gamma");
  EXPECT_EQ(delivered.records[2].memo, "");
  db.SetFavoriteStore(nullptr);
}

TEST_F(SearchTest, RunWithoutCallbackStillRuns) { EXPECT_EQ(search->Run(nullptr, nullptr), 0); }

TEST_F(SearchTest, WithoutADatabaseNothingMatches) {
  vx::PavorunDatabase closed(dir.path() / "missing" / "folder");
  ASSERT_FALSE(closed.IsOpen());
  SearchCondition lost(closed);
  Delivered delivered;
  EXPECT_EQ(lost.CountMatches(), 0);
  EXPECT_EQ(lost.Run(Collect, &delivered), -1);
  EXPECT_TRUE(delivered.ids.empty());
}

// ---- cancel ----

TEST_F(SearchTest, CancelStopsAtTheNextRowAndOnlyThatRun) {
  struct Stopper {
    SearchCondition* search;
    std::vector<int> ids;
  } stopper{search.get(), {}};
  auto stopAfterFirst = [](void* context, const vx::CircleRecord& record) {
    auto* s = static_cast<Stopper*>(context);
    s->ids.push_back(record.id);
    s->search->Cancel();
  };
  EXPECT_EQ(search->Run(stopAfterFirst, &stopper), 4);
  EXPECT_EQ(stopper.ids, (Ids{1}));
  EXPECT_EQ(RunIds(), (Ids{1, 2, 3, 4, 5, 6}));
}

TEST_F(SearchTest, ACancelWhileCountingStopsTheRunThatFollows) {
  FakeStore store;
  store.Add(1, "memo");
  store.Add(2, "memo");
  store.onFind = [this] { search->Cancel(); };  // getMemo runs inside the count
  db.SetFavoriteStore(&store);
  search->SetMemoOnly(true);
  EXPECT_EQ(search->CountMatches(), 2);
  store.onFind = nullptr;
  Delivered delivered;
  EXPECT_EQ(search->Run(Collect, &delivered), 4);
  EXPECT_TRUE(delivered.ids.empty());
  EXPECT_EQ(RunIds(), (Ids{1, 2}));  // the cancel was used up by the stopped run
  db.SetFavoriteStore(nullptr);
}

TEST_F(SearchTest, ALeftOverCancelDoesNotStopTheNextSearch) {
  search->AddDay(1);
  search->Cancel();  // pressed after a count that found nothing, so no run consumed it
  search->Reset();
  search->AddDay(3);
  EXPECT_EQ(RunIds(), (Ids{4, 5}));
}

TEST_F(SearchTest, CancelFromAnotherThreadStopsAWorkersRun) {
  struct Gate {
    std::mutex mutex;
    std::condition_variable changed;
    bool firstRow = false;
    bool cancelled = false;
    std::vector<int> ids;
  } gate;
  auto waitForCancel = [](void* context, const vx::CircleRecord& record) {
    auto* g = static_cast<Gate*>(context);
    std::unique_lock lock(g->mutex);
    g->ids.push_back(record.id);
    g->firstRow = true;
    g->changed.notify_all();
    g->changed.wait(lock, [g] { return g->cancelled; });
  };
  int rc = -2;
  std::thread worker([&] { rc = search->Run(waitForCancel, &gate); });
  {
    std::unique_lock lock(gate.mutex);
    gate.changed.wait(lock, [&] { return gate.firstRow; });
    search->Cancel();
    gate.cancelled = true;
    gate.changed.notify_all();
  }
  worker.join();
  EXPECT_EQ(rc, 4);
  EXPECT_EQ(gate.ids, (Ids{1}));
}

}  // namespace
