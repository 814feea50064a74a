#include "data/PavorunDatabase.h"

#include "data/CircleRowInserter.h"
#include "data/SearchCondition.h"
#include "data/SqlText.h"
#include "platform/CodePage.h"
#include "tests/data/CatalogFixture.h"
#include "tests/data/DiscTextFiles.h"
#include "tests/data/FakeMemoStore.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <type_traits>
#include <vector>

namespace {

using vx::Sjis;
using vxtest::MakeCircle;
using Cut = std::pair<int, int>;  // page, cut
using Texts = std::vector<std::string>;
using Ints = std::vector<int>;

class CatalogTest : public vxtest::CatalogFixture {
 protected:
  template <typename Get>
  static Cut Read(Get get) {
    Cut c{-1, -1};
    get(c.first, c.second);
    return c;
  }
  Cut Day(int d) {
    return Read([&](int& p, int& c) { db.GetDayFirstCut(d, p, c); });
  }
  Cut Genre(int g) {
    return Read([&](int& p, int& c) { db.GetGenreFirstCut(g, p, c); });
  }
  Cut DayArea(int d, int a) {
    return Read([&](int& p, int& c) { db.GetDayAreaFirstCut(d, a, p, c); });
  }
  Cut DayBlock(int d, int b) {
    return Read([&](int& p, int& c) { db.GetDayBlockFirstCut(d, b, p, c); });
  }

  // Another event with one day, blocks A B of area 1, C of area 2, D of an area the master lacks.
  void BuildEvent(int eventNo, const std::vector<vx::CircleRecord>& circles) {
    db.SetEventNo(eventNo);
    ASSERT_EQ(db.ClearEventTables(), 0);
    ASSERT_EQ(db.GetDateMaster().InsertRow(1, 2021, 1, 2, 7), 0);
    for (int a = 1; a <= 2; ++a) {
      vx::AreaRow area;
      area.name = "area" + std::to_string(a);
      ASSERT_EQ(db.GetAreaMaster().InsertRow(a, area), 0);
    }
    ASSERT_EQ(db.GetBlockMaster().InsertRow(1, "A", 1), 0);
    ASSERT_EQ(db.GetBlockMaster().InsertRow(2, "B", 1), 0);
    ASSERT_EQ(db.GetBlockMaster().InsertRow(3, "C", 2), 0);
    ASSERT_EQ(db.GetBlockMaster().InsertRow(4, "D", 9), 0);
    ASSERT_EQ(db.GetGenreMaster().InsertRow(1, "g", 1), 0);
    for (const vx::CircleRecord& c : circles) vxtest::InsertCircle(db, c);
    db.SelectEvent(eventNo);
  }
};

TEST_F(CatalogTest, JumpIndexOfDaysGenresBlocksAndAreas) {
  // Day 2 has no circle; the smaller cut of page 5 was inserted later; out of range gives the
  // first page.
  EXPECT_EQ((std::vector<Cut>{Day(1), Day(2), Day(3), Day(4), Day(0), Genre(1), Genre(2), Genre(3),
                              DayBlock(1, 1), DayBlock(1, 5), DayArea(3, 2), DayArea(9, 1)}),
            (std::vector<Cut>{{2, 1},
                              {0, 0},
                              {5, 1},
                              {2, 1},
                              {2, 1},
                              {2, 1},
                              {3, 36},
                              {2, 1},
                              {2, 1},
                              {2, 1},
                              {5, 2},
                              {2, 1}}));
  EXPECT_EQ((Ints{db.GetDayCount(), db.GetGenreIndexCount(), db.GetDayBlockCount(1),
                  db.GetDayBlockCount(3), db.GetDayBlockId(3, 2), db.FindDayBlockIndex(3, 3),
                  db.FindDayBlockIndex(3, 2), db.GetDayAreaCount(3), db.GetDayBlockCount(2),
                  db.GetDayAreaCount(2), db.GetDayBlockId(4, 1)}),
            (Ints{3, 2, 1, 2, 3, 2, 0, 2, 0, 0, 0}));
  EXPECT_EQ((Texts{db.GetDayWeekdayName(1), db.GetDayWeekdayName(2), db.GetDayWeekdayName(4),
                   db.GetGenreIndexName(2), db.GetGenreIndexName(3), db.GetDayBlockName(1, 1),
                   db.GetDayBlockName(1, 2), db.GetDayAreaName(3, 2)}),
            (Texts{Sjis("土曜日"), Sjis("抽選漏れ"), "", Sjis("ゲーム"), "", Sjis("Ａ"), "",
                   Sjis("東2")}));
}

TEST_F(CatalogTest, FirstCutIsTheSmallestPageThenCutWhateverTheInsertOrder) {
  // Area 1's first cut lies in its second block, page 4's smaller cut was inserted later, and
  // block 4 belongs to an area the master lacks.
  BuildEvent(
      94, {MakeCircle(1, 8, 3, 1, 1, 3, 0, 1, "a"), MakeCircle(2, 4, 7, 1, 2, 1, 0, 1, "b"),
           MakeCircle(3, 4, 2, 1, 2, 5, 0, 1, "c"), MakeCircle(4, 6, 1, 1, 1, 6, 0, 1, "d"),
           MakeCircle(5, 0, 0, 0, 0, 0, 0, 1, "unplaced"), MakeCircle(6, 15, 1, 1, 3, 1, 0, 1, "e"),
           MakeCircle(7, 9, 1, 1, 4, 1, 0, 1, "f")});
  EXPECT_EQ(Day(1), Cut(4, 2));
  EXPECT_EQ(Genre(1), Cut(4, 2));
  ASSERT_EQ(db.GetDayBlockCount(1), 3);
  EXPECT_EQ(db.GetDayBlockId(1, 3), 4);
  ASSERT_EQ(db.GetDayAreaCount(1), 2);
  EXPECT_EQ(DayArea(1, 1), Cut(4, 7));  // space 1 of block 2
  EXPECT_EQ(DayArea(1, 2), Cut(15, 1));
  EXPECT_EQ(db.GetDayAreaName(1, 1), "area1");
}

TEST_F(CatalogTest, EventsInformationAndEventsWithoutRows) {
  db.GetEventInfo().cutSizeW = 300;
  db.SelectEvent(55);  // no rows: the previous values stay
  EXPECT_EQ(db.GetEventInfo().pavorunName, Sjis("テスト"));
  EXPECT_EQ(db.GetEventInfo().cutSizeW, 300);
  EXPECT_EQ(db.GetDayCount() + db.GetMaxCircleId(), 0);

  BuildEvent(97, {});
  vx::EventInfo info;
  info.pavorunName = "xy";
  for (int i = 0; i < 30; ++i) info.pavorunName += Sjis("祭");
  ASSERT_EQ(db.GetInfoTable().InsertRow(info), 0);
  db.SelectEvent(97);
  // 51 bytes at most, cut between characters.
  EXPECT_EQ(db.GetEventInfo().pavorunName, info.pavorunName.substr(0, 50));
  EXPECT_EQ(db.CountEvents(), 2);
  Ints numbers;
  EXPECT_EQ(db.ListEventNumbers(numbers), 0);
  EXPECT_EQ(numbers, (Ints{90, 97}));
  EXPECT_TRUE(db.HasCircles(90));
  EXPECT_FALSE(db.HasCircles(97));
}

TEST_F(CatalogTest, DesksPagesAndErrataThroughTheDatabase) {
  // No desk at the point: the unplaced circle (day, block and space 0) must not answer.
  EXPECT_EQ(
      (Ints{db.GetCircleIdAtMapPoint(24, 55, 1, 1), db.GetCircleIdAtMapPoint(26, 55, 1, 1),
            db.GetCircleIdAtMapPoint(26, 55, 1, 3), db.GetCircleIdAtMapPoint(1000, 1000, 1, 0)}),
      (Ints{1, 2, 0, 0}));
  Ints page5(3, -1);
  Ints page4(3, -1);
  db.GetPageInfo(5, page5[0], page5[1], page5[2]);
  db.GetPageInfo(4, page4[0], page4[1], page4[2]);
  EXPECT_EQ(page5, (Ints{4, 5, 2}));
  EXPECT_EQ(page4, (Ints{0, 0, 0}));
  ASSERT_EQ(db.GetJikoTable().InsertRow(1, 1, 3, 1, 4), 0);
  ASSERT_EQ(db.GetLayoutTable().InsertRow(1, 4, 35, 70, 1, 1), 0);
  db.SelectEvent(90);
  // Desk x 35 / 5 = 7 is odd: a half desk, counted negative.
  EXPECT_EQ((Ints{db.GetMaxSpaceNo(1, 1), db.GetMaxSpaceNo(2, 1), db.GetJikoNo(1, 1, 3, 1),
                  db.GetJikoNo(1, 1, 3, 0), db.GetSpaceDeskColumn(1, 4),
                  db.GetSpaceDeskColumn(1, 2), db.GetSpaceDeskRow(1, 4)}),
            (Ints{2, 0, 4, -1, -3, 4, 7}));
}

TEST_F(CatalogTest, GetMemoAnswersOnAWorkersConnectionToAReadOnlyCatalogue) {
  Texts rows;
  EXPECT_EQ(db.Exec(vxtest::AppendRowText, &rows, "select getMemo(1);"), 0);  // no store yet
  vxtest::FakeMemoStore store;
  store.Add(0, "id zero is no circle");
  store.Add(2, Sjis("新刊あり"));
  store.Add(5, "");
  db.SetFavoriteStore(&store);
  EXPECT_EQ(db.Exec(vxtest::AppendRowText, &rows, "select getMemo(3),getMemo(0),getMemo(NULL);"),
            0);
  EXPECT_EQ(rows, (Texts{"", "||"}));
  vx::PavorunDatabase reader(dir.Path(), vx::SqliteDatabase::kReadOnly);
  ASSERT_TRUE(reader.IsOpen()) << reader.LastError();
  EXPECT_TRUE(reader.IsScrambled());
  reader.SelectEvent(90);
  reader.SetFavoriteStore(&store);
  rows.clear();
  int rc = -2;
  std::thread worker([&] {
    rc = reader.ExecPrintfOnNewConnection(
        vxtest::AppendRowText, &rows,
        "select id,getMemo(PavorunCircle.id) from PavorunCircle where pavorunNo=%d AND "
        "getMemo(PavorunCircle.id)<>'' order by id;",
        reader.GetEventNo());
  });
  worker.join();
  EXPECT_EQ(rc, 0);
  EXPECT_EQ(rows, (Texts{"2|" + Sjis("新刊あり")}));
  EXPECT_EQ(reader.GetCircleTable().InsertRow(MakeCircle(9, 1, 1, 1, 1, 1, 0, 1, "x")), 8);
  EXPECT_EQ(reader.LastError(), "attempt to write a readonly database");
}

TEST(CatalogFresh, NewFileHasNoEventsAndClearingCreatesTheNineTables) {
  vxtest::TempDir dir;
  vx::PavorunDatabase db(dir.Path());
  ASSERT_TRUE(db.IsOpen()) << db.LastError();
  EXPECT_TRUE(db.IsScrambled());
  EXPECT_EQ(db.CountEvents(), 0);
  std::vector<int> numbers;
  EXPECT_EQ(db.ListEventNumbers(numbers), 1);  // no table yet
  db.SelectEvent(96);
  EXPECT_EQ(db.GetDateCount() + db.GetGenreCount() + db.GetDayCount() + db.GetGenreIndexCount() +
                db.GetMaxCircleId() + db.GetCutsPerPage(),
            0);
  EXPECT_EQ(db.GetEventInfo().cutSizeH, 255);
  EXPECT_TRUE(std::filesystem::exists(dir / "vindaxel96.db"));
  // Workers poll the stop flags while another thread sets them.
  static_assert(std::is_same_v<decltype(db.GetCircleStop()), std::atomic<bool>&>);
  static_assert(std::is_same_v<decltype(db.GetLayoutStop()), std::atomic<bool>&>);
  static_assert(std::is_same_v<decltype(db.GetDefinitionStop()), std::atomic<bool>&>);

  db.SetEventNo(96);
  ASSERT_EQ(db.ClearEventTables(), 0) << db.LastError();
  EXPECT_EQ(
      vxtest::QueryTexts(db, "select name from sqlite_master where type='table' order by name;"),
      (Texts{"PavorunArea", "PavorunBlock", "PavorunCircle", "PavorunDate", "PavorunGenre",
             "PavorunInfo", "PavorunJiko", "PavorunLayout", "PavorunMap"}));
  const Texts circleTable =
      vxtest::QueryTexts(db, "select sql from sqlite_master where name='PavorunCircle';");
  EXPECT_NE(circleTable.at(0).find(Sjis("サークル名(読みがな)")), std::string::npos);
  EXPECT_EQ(vxtest::QueryTexts(db,
                               "select count(*) from sqlite_master where type='index' and "
                               "name like 'Pavorun%';"),
            (Texts{"7"}));
  EXPECT_EQ(db.ClearEventTables(), 0);  // the second time only deletes
}

TEST(CatalogFresh, WithoutDatabaseOrTableEveryAnswerIsNeutral) {
  vxtest::TempDir dir;
  vx::PavorunDatabase db(dir.Path() / "missing");
  ASSERT_FALSE(db.IsOpen());
  db.SelectEvent(96);
  EXPECT_EQ(db.GetEventNo(), 96);
  EXPECT_EQ(db.CountEvents() + db.GetCircleIdAtMapPoint(1, 1, 1, 1), 0);
  vx::CircleRecord record = MakeCircle(9, 1, 1, 1, 1, 1, 0, 1, "x");
  EXPECT_FALSE(db.SelectCircle(record, 1));
  EXPECT_EQ(record.id, 0);
  EXPECT_EQ((Ints{db.Exec(nullptr, nullptr, "select 1;"), db.BeginTransaction(), db.Commit(),
                  db.ExecPrintfOnNewConnection(nullptr, nullptr, "select 1;"),
                  db.GetJikoNo(1, 1, 1, 0), db.ClearEventTables(), db.GetGenreMaster().Load(),
                  db.GetGenreMaster().InsertRow(1, "x", 1), db.GetCircleTable().LoadStatistics()}),
            (Ints{-1, -1, -1, -1, -1, -1, -1, -1, -1}));
  EXPECT_EQ(db.GetCircleTable().FindPageFrom(3) + db.GetCircleTable().FindIdByCut(2, 1), 0);
  vx::SearchCondition search(db);
  EXPECT_EQ(search.CountMatches(), -1);
  EXPECT_EQ(search.Run(nullptr, nullptr), -1);
  vx::PavorunDatabase fresh(dir.Path());
  vx::CircleRowInserter missingTable(fresh);
  EXPECT_EQ(missingTable.Insert(record), 1);
  EXPECT_NE(missingTable.Error().find("no such table"), std::string::npos);
}

}  // namespace
