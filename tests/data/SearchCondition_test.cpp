#include "data/SearchCondition.h"

#include "data/SqlRow.h"
#include "data/SqlText.h"
#include "platform/CodePage.h"
#include "tests/data/DiscTextFiles.h"
#include "tests/data/FakeMemoStore.h"
#include "tests/data/InstalledSampleDisc.h"
#include "tests/data/TestCatalog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <thread>
#include <vector>

namespace {

using vx::SearchCondition;
using vx::Sjis;
using Ids = std::vector<int>;

void Collect(void* context, vx::CircleRecord&& record) {
  static_cast<std::vector<vx::CircleRecord>*>(context)->push_back(std::move(record));
}

Ids RunIdsOf(SearchCondition& search) {
  Ids ids;
  EXPECT_EQ(search.Run([](void* c, vx::CircleRecord&& r) { static_cast<Ids*>(c)->push_back(r.id); },
                       &ids),
            0);
  return ids;
}

// The circles the WHERE text selects as it stands, ncnt folding every row.
Ids DefinedIds(vx::PavorunDatabase& db, SearchCondition& search) {
  const char* from = search.JoinsGenre()
                         ? " FROM PavorunCircle,PavorunGenre WHERE PavorunGenre.pavorunNo="
                           "PavorunCircle.pavorunNo AND PavorunGenre.id=PavorunCircle.genreId AND "
                         : " FROM PavorunCircle WHERE ";
  Ids ids;
  const int rc = db.QueryRowsOnNewConnection(
      vx::FormatSql("SELECT PavorunCircle.id%s PavorunCircle.pavorunNo=%d %s ORDER by "
                    "PavorunCircle.id;",
                    from, db.GetEventNo(), search.Where().c_str()),
      [&ids](const vx::SqlRow& row) {
        ids.push_back(row.Int(0));
        return 0;
      },
      nullptr);
  EXPECT_EQ(rc, 0);
  return ids;
}

class SearchTest : public ::testing::Test {
 protected:
  vxtest::TempDir dir;
  vx::PavorunDatabase db{dir.Path()};
  std::unique_ptr<SearchCondition> search;
  vxtest::FakeMemoStore store;

  // The sample catalogue of event 90 (circles 1-6) with readings and texts added; event 91 holds
  // the same circles, so every query must name the current event.
  void SetUp() override {
    ASSERT_TRUE(db.IsOpen()) << db.LastError();
    vxtest::BuildSampleCatalog(db, 91);
    vxtest::BuildSampleCatalog(db, 90);
    std::string sql = "update PavorunCircle set description='It''s new' where id=2;";
    const char* const kana[] = {"アルファ", "ベータ", "ガンマ", "デルタ", "ガッコウ", "ｶﾞｲﾔ"};
    for (int id = 1; id <= 6; ++id) {
      sql += vx::FormatSql("update PavorunCircle set circleKana=%Q where id=%d;",
                           Sjis(kana[id - 1]).c_str(), id);
    }
    ASSERT_EQ(db.Exec(nullptr, nullptr, sql), 0) << db.LastError();
    db.SetFavoriteStore(&store);
    search = std::make_unique<SearchCondition>(db);
  }

  std::vector<vx::CircleRecord> Run(int expectedRc = 0) {
    std::vector<vx::CircleRecord> records;
    EXPECT_EQ(search->Run(Collect, &records), expectedRc);
    return records;
  }
  Ids RunIds(int expectedRc = 0) {
    Ids ids;
    for (const vx::CircleRecord& r : Run(expectedRc)) ids.push_back(r.id);
    return ids;
  }

  void Find(int fields, const std::string& keywords, bool normalized = true, bool all = true) {
    search->Reset();
    search->SetKeywordFields(fields);
    search->SetNormalizedMatch(normalized);
    search->SetMatchAll(all);
    search->SetKeywords(keywords);
  }
};

// Normalised keywords are matched against folded texts kept from search to search; the circles
// found must stay those the WHERE text defines: a name ending in half a character, a NULL field,
// memos, the genre name, narrowing, and changes made between searches by the checklist and by
// another connection.
TEST_F(SearchTest, FoldedKeywordsFindWhatTheWhereTextDefines) {
  ASSERT_EQ(db.Exec(nullptr, nullptr,
                    "update PavorunCircle set circleName='Al'||x'83',circleKana='A'||circleKana "
                    "where id=1; update PavorunCircle set penName=NULL where id=3;"),
            0);
  store.Add(2, Sjis("新刊あり"));
  store.Add(4, Sjis("列ナシ"));
  using F = SearchCondition;
  const struct {
    int fields;
    const char* keywords;
    bool all;
    Ids expected;
  } cases[] = {
      // 0x83 0x41 is ア: the reading's "A" does not complete the name's last character.
      {F::kFieldCircleName | F::kFieldCircleKana, "lア", true, {}},
      {F::kFieldCircleName | F::kFieldCircleKana, "ｱﾙﾌｧ", true, {1}},
      // 3 has no pen name: its name is still searched.
      {F::kFieldCircleName | F::kFieldPenName, "a", true, {1, 2, 3, 4, 6}},
      {F::kFieldPenName, "a", true, {}},
      {F::kFieldCircleName | F::kFieldMemo, "ta 新刊", true, {2}},
      {F::kFieldCircleName | F::kFieldMemo, "ta なし", false, {2, 4}},
      {F::kFieldGenreName | F::kFieldCircleName, "delta げーむ", true, {4}},
      {F::DefaultKeywordFields(), "ガ ﾍﾞｰﾀ", false, {2, 3, 5, 6}},
      {F::kAllKeywordFields, "ａ", true, {1, 2, 3, 4, 6}},
  };
  for (const auto& c : cases) {
    Find(c.fields, Sjis(c.keywords), true, c.all);
    EXPECT_EQ(RunIds(), DefinedIds(db, *search)) << c.keywords;
    EXPECT_EQ(RunIds(), c.expected) << c.keywords;
  }
  Find(F::kFieldCircleKana, Sjis("ル"));  // narrowed by a second folded term
  search->KeepAsBase();
  search->SetNormalizedMatch(true);
  search->SetKeywordFields(F::kFieldCircleName | F::kFieldCircleKana);
  search->SetKeywords(Sjis("ｱﾙﾌｧ"));
  EXPECT_EQ(RunIds(), DefinedIds(db, *search));
  EXPECT_EQ(RunIds(), (Ids{1}));

  store.Add(5, Sjis("ぜーた"));
  ASSERT_EQ(db.Exec(nullptr, nullptr, "update PavorunCircle set circleName='Zeta' where id=2;"), 0);
  Find(F::kFieldCircleName | F::kFieldMemo, Sjis("zeta ぜーた"), true, false);
  EXPECT_EQ(RunIds(), DefinedIds(db, *search));
  EXPECT_EQ(RunIds(), (Ids{2, 5}));
}

// A keyword ran on from the end of one chosen field into the start of the next: こうが found
// がっこう through its name and its reading.
TEST_F(SearchTest, KeywordsMatchWithinOneFieldNeverAcrossTwo) {
  ASSERT_EQ(db.Exec(nullptr, nullptr,
                    vx::FormatSql("update PavorunCircle set penName=%Q,description=%Q where id=5;"
                                  "update PavorunCircle set circleName='zab',circleKana='cabc',"
                                  "penName='y' where id=1;",
                                  Sjis("がっこう").c_str(), Sjis("ｺｳｶﾞｸ").c_str())),
            0);
  store.Add(2, Sjis("新刊あり"));  // circle 2's genre is 創作
  using F = SearchCondition;
  const int nameAndKana = F::kFieldCircleName | F::kFieldCircleKana;
  const struct {
    int fields;
    bool normalized;
    const char* keyword;
    Ids expected;
  } cases[] = {
      {nameAndKana, true, "こうが", {}},
      {nameAndKana, true, "ｺｳｶﾞ", {}},
      {F::kFieldCircleName | F::kFieldPenName, false, "こうが", {}},
      {F::DefaultKeywordFields(), true, "こうが", {5}},  // the description holds it
      {F::kFieldMemo | F::kFieldGenreName, true, "あり創作", {}},
      {F::kAllKeywordFields, false, "あり創作", {}},
      // Only the pen name, which lies between the chosen fields, holds it.
      {F::kFieldCircleName | F::kFieldDescription, true, "y", {}},
      // The first "abc" runs from the name into the reading; the reading has one of its own.
      {nameAndKana, true, "abc", {1}},
      {nameAndKana, false, "abc", {1}},
      // Within one field the fold still matches width and kana kind.
      {nameAndKana, true, "ｶﾞｯｺｳ", {5}},
      {F::kFieldCircleName, true, "ガッコウ", {5}},
      {F::kFieldCircleName, true, "ＤＥＬＴＡ", {4}},
      {F::kFieldMemo, true, "ｱﾘ", {2}},
      {F::kFieldGenreName, true, "ｹﾞｰﾑ", {3, 4, 5}},
  };
  for (const auto& c : cases) {
    Find(c.fields, Sjis(c.keyword), c.normalized);
    EXPECT_EQ(RunIds(), c.expected) << c.keyword << " in " << c.fields;
    EXPECT_EQ(DefinedIds(db, *search), c.expected) << c.keyword << " in " << c.fields;
  }
}

TEST_F(SearchTest, KeywordExpressions) {
  const struct {
    int fields;
    bool normalized;
    bool all;
    std::string keywords;
    std::string expected;
  } cases[] = {
      {3, false, true, Sjis("abc　def"),
       " (cnt(circleName,'abc') OR cnt(circleKana,'abc')) AND "
       " (cnt(circleName,'def') OR cnt(circleKana,'def'))"},
      {SearchCondition::kFieldPenName, true, false, Sjis("ＡＢ\tガッコウ"),
       " ncnt(penName,'ab') OR  ncnt(penName,'" + Sjis("ｶﾂｺｳ") + "')"},
      {SearchCondition::kAllKeywordFields, false, false, "x",
       " (cnt(circleName,'x') OR cnt(circleKana,'x') OR cnt(penName,'x') OR cnt(bookName,'x') OR "
       "cnt(url,'x') OR cnt(mailAddr,'x') OR cnt(description,'x') OR cnt(updateData,'x') OR "
       "cnt(orbalink,'x') OR cnt(rss,'x') OR cnt(twitter,'x') OR cnt(pixiv,'x') OR "
       "cnt(getMemo(PavorunCircle.id),'x') OR cnt(PavorunGenre.name,'x'))"},
      {1, false, false, Sjis(" \t　a　　 b\t　"), " cnt(circleName,'a') OR  cnt(circleName,'b')"},
      {1, false, false, Sjis("　 \t"), ""},
      // ａ is 0x82 0x81: its trail byte and the '@' look like a full-width blank.
      {1, false, false, Sjis("ａ") + "@mail", " cnt(circleName,'" + Sjis("ａ") + "@mail')"},
      {1, false, false, "abc\x82", " cnt(circleName,'abc')"},
      {1, true, false, "it's", " ncnt(circleName,'it''s')"},
      {1, true, false, Sjis("it’s"), " ncnt(circleName,'it''s')"},
      {1, false, false, std::string("ab\0' OR 1=1", 11), " cnt(circleName,'ab')"},
      {0, false, false, "x", ""},
  };
  for (const auto& c : cases) {
    Find(c.fields, c.keywords, c.normalized, c.all);
    EXPECT_EQ(search->KeywordExpression(), c.expected) << c.keywords;
  }
  EXPECT_EQ(search->KeywordText(), "x");  // kept without fields
}

TEST_F(SearchTest, ChoicesMakeTheWhereTextInItsOrderAndClearChoicesKeepsTheText) {
  EXPECT_EQ(search->Where(), "");
  Find(1, "a");
  search->SetUpdatedOnly(true);
  search->SetMemoOnly(true);
  search->AddBlock(4);
  search->AddGenre(2);
  search->AddDay(1);
  search->AddDay(0);
  for (int outside : {0, -5, 0x10000}) EXPECT_FALSE(search->AddKanaInitial(outside));
  EXPECT_EQ(search->Where(),
            " AND day in (1,0) AND genreId in (2) AND blockId in (4) AND ( ncnt(circleName,'a'))"
            " AND getMemo(PavorunCircle.id)<>'' AND PavorunCircle.updateFlag<>0");
  search->ClearChoices();
  EXPECT_FALSE(search->MatchAll() || search->NormalizedMatch() || search->MemoOnly());
  EXPECT_EQ(search->KeywordFields(), 0xFFFF);
  EXPECT_EQ(search->KeywordText() + "|" + search->Where(), "a|");
  search->AddAllDays();
  EXPECT_EQ(search->Days(), (Ids{0, 1, 2, 3}));  // with the unplaced circles
}

TEST_F(SearchTest, RunsDeliverTheMatchingCirclesOfTheEventInIdOrder) {
  EXPECT_EQ(search->CountMatches(), 6);
  EXPECT_EQ(RunIds(), (Ids{1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(search->Run(nullptr, nullptr), 0);  // no callback
  search->AddDay(1);
  search->AddDay(0);
  EXPECT_EQ(RunIds(), (Ids{1, 2, 3, 6}));
  search->AddGenre(2);
  EXPECT_EQ(RunIds(), (Ids{3}));
  for (const char* keyword : {"がっこう", "ｶﾞｯｺｳ", "ガッコウ"}) {
    Find(SearchCondition::kFieldCircleName, Sjis(keyword));
    EXPECT_EQ(RunIds(), (Ids{5})) << keyword;
  }
  Find(SearchCondition::kFieldCircleName, Sjis("ｶﾞｯｺｳ"), false);
  EXPECT_EQ(search->CountMatches(), 0);
  Find(SearchCondition::kFieldDescription, Sjis("ＩＴ’Ｓ"));
  EXPECT_EQ(RunIds(), (Ids{2}));
  Find(SearchCondition::kFieldDescription, "x') OR 1=1 OR ('", false);
  EXPECT_EQ(search->CountMatches(), 0);
}

TEST_F(SearchTest, KanaInitialsTakeTheFirstCp932CharacterAndOrderByReading) {
  const std::string kana = Sjis("ソース");  // ソ is 0x83 0x5C: a trail byte that is a backslash
  EXPECT_EQ(vxtest::QueryTexts(db, vx::FormatSql("select firstchar(%Q),firstchar('Ab'),"
                                                 "firstchar(''),firstchar(NULL),firstchar(x'82');",
                                                 kana.c_str())),
            (std::vector<std::string>{Sjis("ソ") + "|A||NULL|\x82"}));
  search->AddKanaInitial(0xB6);  // ｶ: ガッコウ, ガンマ and ｶﾞｲﾔ, voicing dropped
  EXPECT_EQ(search->CountMatches(), 3);
  EXPECT_EQ(RunIds(), (Ids{5, 3, 6}));
  search->AddKanaInitial(0xC0);  // ﾀ: デルタ and ベータ only end in it
  EXPECT_EQ(RunIds(), (Ids{5, 3, 6}));
}

// A zero byte ended the statement inside its quotes; a lone lead byte or two single bytes are no
// character of a reading.
TEST_F(SearchTest, KanaInitialsThatAreNoWholeCharacterAreRefused) {
  for (int code : {0x8100, 0x100, 0x82, 0x4142, 0xB100}) {
    EXPECT_FALSE(search->AddKanaInitial(code)) << code;
  }
  EXPECT_EQ(search->Where(), "");
  EXPECT_TRUE(search->AddKanaInitial(0x8341));  // ア, folded to ｱ
  EXPECT_TRUE(search->AddKanaInitial(0xC3));    // ﾃ
  EXPECT_EQ(search->Where(),
            " AND normalize(firstchar(circleKana)) in ('" + Sjis("ｱ") + "','" + Sjis("ﾃ") + "')");
  EXPECT_EQ(RunIds(), (Ids{1, 4}));
}

// A mask without a known field built " cnt(,'x')", which the engine refuses: every search then
// answered "no circles".
TEST_F(SearchTest, KeywordFieldMaskWithoutAKnownFieldIsRefused) {
  EXPECT_TRUE(search->SetKeywordFields(SearchCondition::kFieldCircleName));
  EXPECT_FALSE(search->SetKeywordFields(0x4000));
  EXPECT_FALSE(search->SetKeywordFields(0x10000));
  EXPECT_EQ(search->KeywordFields(), SearchCondition::kFieldCircleName);
  search->SetKeywords("Delta");
  EXPECT_EQ(search->KeywordExpression(), " cnt(circleName,'Delta')");
  EXPECT_EQ(RunIds(), (Ids{4}));
  EXPECT_TRUE(search->SetKeywordFields(0x4001));  // unknown bits beside a known one are ignored
  EXPECT_TRUE(search->SetKeywordFields(0));
}

// A failed search answered 0, "no circles".
TEST_F(SearchTest, AFailedSearchSaysSoInsteadOfFindingNothing) {
  ASSERT_EQ(db.Exec(nullptr, nullptr, "alter table PavorunGenre rename to Elsewhere;"), 0);
  Find(SearchCondition::kFieldGenreName, "x");
  EXPECT_EQ(search->CountMatches(), -1);
  EXPECT_EQ(search->LastResult(), 1);
  EXPECT_NE(search->LastError().find("no such table"), std::string::npos) << search->LastError();
  EXPECT_EQ(RunIds(1), Ids{});
  ASSERT_EQ(db.Exec(nullptr, nullptr, "alter table Elsewhere rename to PavorunGenre;"), 0);
  EXPECT_EQ(search->CountMatches(), 0);
  EXPECT_EQ(search->LastResult(), 0);
  vx::PavorunDatabase closed(dir / "missing" / "folder");
  SearchCondition none(closed);
  EXPECT_EQ(none.CountMatches(), -1);
  EXPECT_EQ(none.LastResult(), -1);
}

// Counting runs the search; the rows handed out afterwards are the circles counted, not those of
// a second statement, until a choice changes.
TEST_F(SearchTest, RunHandsOutTheCirclesThatWereCounted) {
  search->AddDay(1);
  ASSERT_EQ(search->CountMatches(), 3);
  ASSERT_EQ(db.Exec(nullptr, nullptr, "delete from PavorunCircle where id=2;"), 0);
  EXPECT_EQ(search->CountMatches(), 3);
  const std::vector<vx::CircleRecord> kept = Run();
  ASSERT_EQ(kept.size(), 3u);
  EXPECT_EQ(kept[1].circleName + "|" + kept[1].genreName, "Beta|" + Sjis("創作"));
  EXPECT_EQ(RunIds(), (Ids{1, 3}));  // nothing kept any more: searched again
  EXPECT_EQ(search->CountMatches(), 2);
  search->AddGenre(2);
  EXPECT_EQ(RunIds(), (Ids{3}));
}

// "@" is the trail byte of 機, "\\" of ソ and 表, "_" of ダ, "[" of ー.
TEST_F(SearchTest, KeywordsMatchOnlyFromACharacterStart) {
  const std::pair<int, const char*> names[] = {{1, "機械"}, {2, "ソ表"}, {3, "ダー"},
                                               {4, "a@b"},  {5, "c\\d"}, {6, "e_f[g"}};
  std::string sql;
  for (const auto& [id, name] : names) {
    sql += vx::FormatSql("update PavorunCircle set circleName=%Q,circleKana='' where id=%d;",
                         Sjis(name).c_str(), id);
  }
  ASSERT_EQ(db.Exec(nullptr, nullptr, sql), 0) << db.LastError();
  const std::pair<const char*, Ids> cases[] = {{"@", {4}}, {"\\", {5}},   {"_", {6}},
                                               {"[", {6}}, {"ソ表", {2}}, {"表", {2}}};
  for (const bool normalized : {false, true}) {
    for (const auto& [keyword, ids] : cases) {
      Find(SearchCondition::kFieldCircleName, Sjis(keyword), normalized);
      EXPECT_EQ(RunIds(), ids) << keyword << (normalized ? " normalised" : "");
    }
  }
}

TEST_F(SearchTest, KeepAsBaseNarrowsTheLastSearchAndResetForgetsIt) {
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
  search->Reset();
  search->AddGenre(1);
  EXPECT_EQ(RunIds(), (Ids{1, 2, 6}));
}

TEST_F(SearchTest, GenreNameKeywordsJoinTheGenreTableUntilReset) {
  Find(SearchCondition::kFieldGenreName | SearchCondition::kFieldCircleName, Sjis("delta ゲーム"));
  const std::vector<vx::CircleRecord> records = Run();
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(std::to_string(records[0].id) + "|" + std::to_string(records[0].pageNo) + "|" +
                records[0].circleName + "|" + records[0].genreName,
            "4|5|Delta|" + Sjis("ゲーム"));
  Find(SearchCondition::kFieldGenreName, Sjis("げーむ"));
  EXPECT_EQ(RunIds(), (Ids{3, 4, 5}));
  search->KeepAsBase();  // the base still names the genre table
  search->AddDay(3);
  EXPECT_EQ(RunIds(), (Ids{4, 5}));
  EXPECT_TRUE(search->JoinsGenre());
  search->Reset();
  EXPECT_FALSE(search->JoinsGenre());
  EXPECT_EQ(RunIds(), (Ids{1, 2, 3, 4, 5, 6}));
}

TEST_F(SearchTest, MemoAndUpdateFiltersAndCheckedCirclesArriveAsTheStoresRecord) {
  store.Add(2, Sjis("新刊"));
  store.Add(4, Sjis("列ナシ"));
  store.Add(5, "");
  search->SetMemoOnly(true);
  EXPECT_EQ(search->CountMatches(), 2);
  EXPECT_EQ(RunIds(), (Ids{2, 4}));
  Find(SearchCondition::kFieldMemo, Sjis("なし"));
  EXPECT_EQ(RunIds(), (Ids{4}));
  vx::CircleRecord update = vxtest::MakeCircle(3, 3, 36, 1, 1, 2, 0, 2, "Gamma");
  update.updateData = Sjis("スペース変更");
  ASSERT_EQ(db.GetCircleTable().UpdateCircle(update), 0) << db.LastError();
  search->Reset();
  search->SetUpdatedOnly(true);
  EXPECT_EQ(RunIds(), (Ids{3}));
  Find(SearchCondition::kFieldUpdateData, Sjis("すぺーす"));
  EXPECT_EQ(RunIds(), (Ids{3}));

  search->Reset();
  search->AddDay(1);
  const std::vector<vx::CircleRecord> r = Run();
  ASSERT_EQ(r.size(), 3u);
  EXPECT_EQ(r[0].circleName + "|" + r[0].genreName + "|" + r[0].circleKana,
            "Alpha|" + Sjis("創作|アルファ"));
  EXPECT_EQ(r[1].circleName + "|" + r[1].memo, "stored2|" + Sjis("新刊"));
  EXPECT_EQ(r[2].circleName + "|" + r[2].memo, "Gamma|");
}

TEST_F(SearchTest, CancelStopsOneRunAndACancelDuringCountingIsNotLost) {
  struct Stopper {
    SearchCondition* search;
    Ids ids;
  } stopper{search.get(), {}};
  auto cancelFromAnotherThread = [](void* context, vx::CircleRecord&& record) {
    auto* s = static_cast<Stopper*>(context);
    s->ids.push_back(record.id);
    std::thread([s] { s->search->Cancel(); }).join();
  };
  EXPECT_EQ(search->Run(cancelFromAnotherThread, &stopper), 4);
  EXPECT_EQ(stopper.ids, (Ids{1}));
  EXPECT_EQ(RunIds(), (Ids{1, 2, 3, 4, 5, 6}));  // only that run stopped

  store.Add(1, "memo");
  store.Add(2, "memo");
  store.onFind = [this] { search->Cancel(); };  // getMemo runs inside the count
  search->SetMemoOnly(true);
  EXPECT_EQ(search->CountMatches(), -1);
  EXPECT_EQ(search->LastResult(), SearchCondition::kCancelled);
  store.onFind = nullptr;
  EXPECT_EQ(RunIds(4), Ids{});
  EXPECT_EQ(RunIds(), (Ids{1, 2}));  // the cancel was used up by the stopped run

  search->Cancel();  // pressed after a count that found nothing, so no run consumed it
  search->Reset();
  search->AddDay(3);
  EXPECT_EQ(RunIds(), (Ids{4, 5}));
}

// The sample disc's catalogue, searched as the search dialog searches by default.
class SampleDiscSearchTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { sample_ = vxtest::InstalledSampleDisc::Install(); }
  static void TearDownTestSuite() { sample_.reset(); }
  static std::unique_ptr<vxtest::InstalledSampleDisc> sample_;
};
std::unique_ptr<vxtest::InstalledSampleDisc> SampleDiscSearchTest::sample_;

TEST_F(SampleDiscSearchTest, FoldedSearchesFindWhatTheWhereTextDefines) {
  ASSERT_TRUE(sample_) << "no sample disc at $VX_SAMPLE_DISC";
  vx::PavorunDatabase& db = sample_->Database();
  vxtest::FakeMemoStore memos;
  memos.Add(1, Sjis("新刊チェック"));
  memos.Add(7, Sjis("ねこ"));
  db.SetFavoriteStore(&memos);
  SearchCondition search(db);
  const SearchCondition::TextsHold texts = search.ReadTextsAhead();  // the searches wait for it
  EXPECT_TRUE(SearchCondition(db).ReadTextsAhead());  // a second read-ahead of the same copy
  std::size_t found = 0;
  for (const char* keywords : {"新刊", "の", "ネコ 本", "ｶﾌｪ　コミ", "ａ", "本'"}) {
    for (const bool all : {true, false}) {
      search.Reset();
      search.SetKeywordFields(SearchCondition::DefaultKeywordFields());
      search.SetMatchAll(all);
      search.SetNormalizedMatch(true);
      search.SetKeywords(Sjis(keywords));
      const Ids ids = RunIdsOf(search);
      EXPECT_EQ(ids, DefinedIds(db, search)) << keywords << all;
      found += ids.size();
    }
  }
  EXPECT_GT(found, 100u);
  db.SetFavoriteStore(nullptr);
}

// Every field of a record, for comparing records whole.
std::string Describe(const vx::CircleRecord& r) {
  std::string text;
  for (int number : {r.id, r.pageNo, r.cutIndex, r.day, r.blockId, r.spaceNo, r.spaceNoSub,
                     r.genreId, r.updateId, r.updateFlag}) {
    text += std::to_string(number) + "|";
  }
  for (const std::string* field :
       {&r.circleName, &r.circleKana, &r.penName, &r.bookName, &r.url, &r.mailAddr, &r.description,
        &r.memo, &r.genreName, &r.updateData, &r.orbalink, &r.rss, &r.rssInfo, &r.twitter,
        &r.pixiv}) {
    text += *field + "|";
  }
  return text;
}

// A folded search fills its records from the copy of the event's texts, a plain one from the
// rows; both hand out the same record of a circle, a checked circle as the checklist holds it.
TEST_F(SampleDiscSearchTest, RecordsFromTheCopyAreThoseReadFromTheRows) {
  ASSERT_TRUE(sample_) << "no sample disc at $VX_SAMPLE_DISC";
  vx::PavorunDatabase& db = sample_->Database();
  vxtest::FakeMemoStore memos;
  memos.Add(2, Sjis("新刊の列"));
  db.SetFavoriteStore(&memos);
  std::vector<vx::CircleRecord> all;
  SearchCondition rows(db);
  ASSERT_EQ(rows.Run(Collect, &all), 0);
  std::map<int, std::string> fromRows;
  for (const vx::CircleRecord& record : all) fromRows[record.id] = Describe(record);

  SearchCondition folded(db);
  folded.SetKeywordFields(SearchCondition::DefaultKeywordFields());
  folded.SetNormalizedMatch(true);
  folded.SetKeywords(Sjis("の"));
  std::vector<vx::CircleRecord> found;
  ASSERT_EQ(folded.Run(Collect, &found), 0);
  EXPECT_GT(found.size(), 100u);
  for (const vx::CircleRecord& record : found) {
    EXPECT_EQ(Describe(record), fromRows[record.id]);
  }
  EXPECT_TRUE(
      std::any_of(found.begin(), found.end(), [](const vx::CircleRecord& r) { return r.id == 2; }));
  db.SetFavoriteStore(nullptr);
}

}  // namespace
