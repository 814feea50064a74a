#include "data/PavorunDatabase.h"

#include "data/SqlText.h"
#include "platform/CodePage.h"
#include "tests/data/TestCatalog.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <map>
#include <string>
#include <thread>
#include <vector>

namespace {

using vx::Sjis;
using vxtest::InsertCircle;
using vxtest::MakeCircle;

struct FirstCut {
  int page = -1;
  int cut = -1;
  bool operator==(const FirstCut&) const = default;
};

std::ostream& operator<<(std::ostream& out, const FirstCut& c) {
  return out << "page " << c.page << " cut " << c.cut;
}

class CatalogTest : public ::testing::Test {
 protected:
  vxtest::TempDir dir;
  vx::PavorunDatabase db{dir.path()};

  void SetUp() override {
    ASSERT_TRUE(db.IsOpen()) << db.LastError();
    vxtest::BuildSampleCatalog(db, 90);
  }

  FirstCut Day(int d) {
    FirstCut c;
    db.GetDayFirstCut(d, c.page, c.cut);
    return c;
  }
  FirstCut Genre(int g) {
    FirstCut c;
    db.GetGenreFirstCut(g, c.page, c.cut);
    return c;
  }
  FirstCut DayBlock(int d, int k) {
    FirstCut c;
    db.GetDayBlockFirstCut(d, k, c.page, c.cut);
    return c;
  }
  FirstCut DayArea(int d, int k) {
    FirstCut c;
    db.GetDayAreaFirstCut(d, k, c.page, c.cut);
    return c;
  }

  // A second event with only days, blocks of two areas and the given circles.
  void BuildEvent(int eventNo, const std::vector<vx::CircleRecord>& circles) {
    db.SetEventNo(eventNo);
    ASSERT_EQ(db.ClearEventTables(), 0);
    ASSERT_EQ(db.DateMaster().InsertRow(1, 2021, 1, 2, 7), 0);
    for (int a = 1; a <= 2; ++a) {
      vx::AreaRow area;
      area.name = "area" + std::to_string(a);
      ASSERT_EQ(db.AreaMaster().InsertRow(a, area), 0);
    }
    ASSERT_EQ(db.BlockMaster().InsertRow(1, "A", 1), 0);
    ASSERT_EQ(db.BlockMaster().InsertRow(2, "B", 1), 0);
    ASSERT_EQ(db.BlockMaster().InsertRow(3, "C", 2), 0);
    ASSERT_EQ(db.BlockMaster().InsertRow(4, "D", 9), 0);  // an area the master lacks
    ASSERT_EQ(db.GenreMaster().InsertRow(1, "g", 1), 0);
    for (const vx::CircleRecord& c : circles) InsertCircle(db, c);
    db.SelectEvent(eventNo);
  }
};

TEST_F(CatalogTest, DayIndexWithAnEmptyDay) {
  EXPECT_EQ(db.GetDayCount(), 3);
  EXPECT_EQ(Day(1), (FirstCut{2, 1}));
  EXPECT_EQ(Day(2), (FirstCut{0, 0}));
  EXPECT_EQ(Day(3), (FirstCut{5, 1}));  // the smaller cut of page 5 was inserted later
  EXPECT_EQ(Day(4), (FirstCut{2, 1}));  // out of range: first page, cut 1
  EXPECT_EQ(Day(0), (FirstCut{2, 1}));
  EXPECT_EQ(db.GetDayWeekdayName(1), Sjis("土曜日"));
  EXPECT_EQ(db.GetDayWeekdayName(2), Sjis("抽選漏れ"));
  EXPECT_EQ(db.GetDayWeekdayName(3), Sjis("月曜日"));
  EXPECT_EQ(db.GetDayWeekdayName(4), "");
}

TEST_F(CatalogTest, GenreIndexTakesTheFirstPageEvenWhenItWasInsertedLast) {
  EXPECT_EQ(db.GetGenreIndexCount(), 2);
  EXPECT_EQ(Genre(1), (FirstCut{2, 1}));
  EXPECT_EQ(Genre(2), (FirstCut{3, 36}));
  EXPECT_EQ(Genre(3), (FirstCut{2, 1}));
  EXPECT_EQ(db.GetGenreIndexName(2), Sjis("ゲーム"));
  EXPECT_EQ(db.GetGenreIndexName(3), "");
}

TEST_F(CatalogTest, FirstCutIsTheSmallestPageThenCutWhateverTheInsertOrder) {
  BuildEvent(94, {MakeCircle(1, 8, 3, 1, 1, 3, 0, 1, "a"), MakeCircle(2, 4, 7, 1, 1, 4, 0, 1, "b"),
                  MakeCircle(3, 4, 2, 1, 1, 5, 0, 1, "c"), MakeCircle(4, 6, 1, 1, 1, 6, 0, 1, "d"),
                  MakeCircle(5, 0, 0, 0, 0, 0, 0, 1, "unplaced")});
  EXPECT_EQ(Day(1), (FirstCut{4, 2}));
  EXPECT_EQ(Genre(1), (FirstCut{4, 2}));
}

TEST_F(CatalogTest, BlocksAndAreasOfADay) {
  EXPECT_EQ(db.GetDayBlockCount(1), 1);
  EXPECT_EQ(db.GetDayBlockName(1, 1), Sjis("Ａ"));
  EXPECT_EQ(db.GetDayBlockId(1, 1), 1);
  EXPECT_EQ(DayBlock(1, 1), (FirstCut{2, 1}));
  EXPECT_EQ(db.GetDayBlockCount(3), 2);
  EXPECT_EQ(db.GetDayBlockId(3, 2), 3);
  EXPECT_EQ(db.FindDayBlockIndex(3, 3), 2);
  EXPECT_EQ(db.FindDayBlockIndex(3, 2), 0);
  EXPECT_EQ(db.GetDayAreaCount(3), 2);
  EXPECT_EQ(db.GetDayAreaName(3, 2), Sjis("東2"));
  EXPECT_EQ(DayArea(3, 2), (FirstCut{5, 2}));
  EXPECT_EQ(db.GetDayBlockCount(2), 0);
  EXPECT_EQ(db.GetDayAreaCount(2), 0);
  EXPECT_EQ(db.GetDayBlockName(1, 2), "");
  EXPECT_EQ(db.GetDayBlockId(4, 1), 0);
  EXPECT_EQ(DayBlock(1, 5), (FirstCut{2, 1}));
  EXPECT_EQ(DayArea(9, 1), (FirstCut{2, 1}));
}

TEST_F(CatalogTest, AreaEntryPointsToTheSmallestPageOfItsBlocks) {
  BuildEvent(93, {MakeCircle(1, 12, 1, 1, 1, 1, 0, 1, "a"), MakeCircle(2, 9, 5, 1, 2, 1, 0, 1, "b"),
                  MakeCircle(3, 15, 1, 1, 3, 1, 0, 1, "c")});
  ASSERT_EQ(db.GetDayAreaCount(1), 2);
  EXPECT_EQ(DayArea(1, 1), (FirstCut{9, 5}));
  EXPECT_EQ(DayArea(1, 2), (FirstCut{15, 1}));
}

TEST_F(CatalogTest, BlockOfAnAreaMissingFromTheMasterIsIndexedWithoutAnArea) {
  BuildEvent(95, {MakeCircle(1, 3, 1, 1, 4, 1, 0, 1, "lost"), MakeCircle(2, 3, 2, 1, 1, 1, 0, 1, "a")});
  EXPECT_EQ(db.GetDayBlockCount(1), 2);
  EXPECT_EQ(db.GetDayBlockId(1, 2), 4);
  ASSERT_EQ(db.GetDayAreaCount(1), 1);
  EXPECT_EQ(db.GetDayAreaName(1, 1), "area1");
}

TEST_F(CatalogTest, EventInformationAndMissingRowsKeepThePreviousValues) {
  EXPECT_EQ(db.GetEventInfo().pavorunName, Sjis("テスト"));
  EXPECT_EQ(db.GetEventInfo().cutSizeW, 178);
  db.GetEventInfo().cutSizeW = 300;
  db.SelectEvent(55);
  EXPECT_EQ(db.GetEventNo(), 55);
  EXPECT_EQ(db.GetEventInfo().pavorunName, Sjis("テスト"));
  EXPECT_EQ(db.GetEventInfo().cutSizeW, 300);
  EXPECT_EQ(db.GetDayCount(), 0);
  EXPECT_EQ(db.GetMaxCircleId(), 0);
}

TEST_F(CatalogTest, LongEventNameIsCutToFiftyBytesBetweenCharacters) {
  db.SetEventNo(97);
  ASSERT_EQ(db.ClearEventTables(), 0);
  vx::EventInfo info;
  info.pavorunName = "x";
  for (int i = 0; i < 30; ++i) info.pavorunName += Sjis("祭");
  ASSERT_EQ(db.InfoTable().InsertRow(info), 0);
  db.SelectEvent(97);
  EXPECT_EQ(db.GetEventInfo().pavorunName, info.pavorunName.substr(0, 49));
}

TEST_F(CatalogTest, EventsAreListedAndCountedAcrossTheFile) {
  BuildEvent(88, {});
  vx::EventInfo info;
  ASSERT_EQ(db.InfoTable().InsertRow(info), 0);
  EXPECT_EQ(db.CountEvents(), 2);
  std::vector<int> numbers;
  EXPECT_EQ(db.ListEventNumbers(numbers), 0);
  EXPECT_EQ(numbers, (std::vector<int>{88, 90}));
  EXPECT_TRUE(db.HasCircles(90));
  EXPECT_FALSE(db.HasCircles(88));
}

TEST_F(CatalogTest, MasterAnswersThroughTheDatabase) {
  EXPECT_EQ(db.GetWeekdayOfDay(1), 7);
  EXPECT_EQ(db.GetDateOfDay(2), 16);
  EXPECT_EQ(db.GetDateOfDay(7), 7);
  EXPECT_EQ(db.GetAreaSimpleNameOfBlock(3), Sjis("東"));
  EXPECT_EQ(db.GetAreaNameOfBlock(4), Sjis("西1"));
  EXPECT_EQ(db.GetAreaNameOfBlock(9), "");
  EXPECT_EQ(db.GetMapName(1), Sjis("東123"));
  EXPECT_EQ(db.GetMapAllFilename(9), "");
  EXPECT_EQ(db.GetGenreCode(2), 220);
  EXPECT_EQ(db.GetMapCount(), 2);
  vx::CircleRecord record;
  record.genreId = 7;
  record.genreName = "old";
  db.SetRecordGenreName(record);
  EXPECT_EQ(record.genreName, "");
}

TEST_F(CatalogTest, MapOfBlockFollowsAReloadOfTheMasters) {
  EXPECT_EQ(db.GetMapIdOfBlock(4), 2);
  EXPECT_EQ(db.GetMapIdOfBlock(3), 1);
  EXPECT_EQ(db.GetMapIdOfBlock(3), 1);
  // The import reloads the masters of a new event and asks again for the same block.
  db.SetEventNo(96);
  ASSERT_EQ(db.ClearEventTables(), 0);
  vx::AreaRow area;
  area.mapId = 5;
  ASSERT_EQ(db.AreaMaster().InsertRow(1, area), 0);
  for (int b = 1; b <= 3; ++b) ASSERT_EQ(db.BlockMaster().InsertRow(b, "X", 1), 0);
  db.AreaMaster().Load();
  db.BlockMaster().Load();
  EXPECT_EQ(db.GetMapIdOfBlock(3), 5);
}

TEST_F(CatalogTest, CircleAtAMapPoint) {
  EXPECT_EQ(db.GetCircleIdAtMapPoint(24, 55, 1, 1), 1);
  EXPECT_EQ(db.GetCircleIdAtMapPoint(26, 55, 1, 1), 2);
  EXPECT_EQ(db.GetCircleIdAtMapPoint(26, 55, 1, 3), 0);
  // No desk at the point: the unplaced circle (day, block and space 0) must not answer.
  EXPECT_EQ(db.GetCircleIdAtMapPoint(1000, 1000, 1, 0), 0);
}

TEST_F(CatalogTest, PageInformation) {
  int minId = -1, maxId = -1, genreId = -1;
  db.GetPageInfo(5, minId, maxId, genreId);
  EXPECT_EQ(minId, 4);
  EXPECT_EQ(maxId, 5);
  EXPECT_EQ(genreId, 2);
  db.GetPageInfo(4, minId, maxId, genreId);
  EXPECT_EQ(minId, 0);
  EXPECT_EQ(maxId, 0);
  EXPECT_EQ(genreId, 0);
  EXPECT_EQ(db.GetMaxSpaceNo(1, 1), 2);
  EXPECT_EQ(db.GetMaxSpaceNo(2, 1), 0);
}

TEST_F(CatalogTest, ErrataImageNumbers) {
  ASSERT_EQ(db.JikoTable().InsertRow(1, 1, 3, 1, 4), 0);
  EXPECT_EQ(db.GetJikoNo(1, 1, 3, 1), 4);
  EXPECT_EQ(db.GetJikoNo(1, 1, 3, 0), -1);
}

TEST_F(CatalogTest, DeskColumnAndRowFoldHalfDesks) {
  ASSERT_EQ(db.LayoutTable().InsertRow(1, 4, 35, 70, 1, 1), 0);
  db.SelectEvent(90);
  EXPECT_EQ(db.GetSpaceDeskColumn(1, 4), -3);  // 35 / 5 = 7, odd
  EXPECT_EQ(db.GetSpaceDeskColumn(1, 2), 4);   // 40 / 5 = 8, even
  EXPECT_EQ(db.GetSpaceDeskRow(1, 4), 7);      // 70 / 5 = 14
  db.GetEventInfo().mapSizeW = 1;
  EXPECT_EQ(db.GetSpaceDeskColumn(1, 4), 0);
}

TEST_F(CatalogTest, ClearingAnEventLeavesTheOtherEvents) {
  BuildEvent(91, {MakeCircle(1, 1, 1, 1, 1, 1, 0, 1, "x")});
  db.SetEventNo(91);
  ASSERT_EQ(db.ClearEventTables(), 0);
  EXPECT_FALSE(db.HasCircles(91));
  EXPECT_TRUE(db.HasCircles(90));
  db.SelectEvent(90);
  EXPECT_EQ(db.GetDateCount(), 3);
}

// The checklist store as the database sees it.
class FakeStore : public vx::CircleMemoLookup {
 public:
  void Add(int id, const std::string& memo) {
    records_[id].id = id;
    records_[id].memo = memo;
  }
  const vx::CircleRecord* FindCircle(int circleId) const override {
    const auto found = records_.find(circleId);
    return found == records_.end() ? nullptr : &found->second;
  }

 private:
  std::map<int, vx::CircleRecord> records_;
};

struct MemoRow {
  int id;
  std::string memo;
};

int CollectMemos(void* context, int, char** columns, char**) {
  static_cast<std::vector<MemoRow>*>(context)->push_back(
      {std::atoi(columns[0]), columns[1] != nullptr ? columns[1] : "<null>"});
  return 0;
}

TEST_F(CatalogTest, GetMemoAnswersOnASecondConnectionFromAWorker) {
  FakeStore store;
  store.Add(2, Sjis("新刊あり"));
  store.Add(5, "");
  db.SetFavoriteStore(&store);
  std::vector<MemoRow> rows;
  int rc = -2;
  std::thread worker([&] {
    rc = db.ExecPrintfOnNewConnection(
        CollectMemos, &rows,
        "select id,getMemo(PavorunCircle.id) from PavorunCircle where pavorunNo=%d AND "
        "getMemo(PavorunCircle.id)<>'' order by id;",
        db.GetEventNo());
  });
  worker.join();
  EXPECT_EQ(rc, 0);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].id, 2);
  EXPECT_EQ(rows[0].memo, Sjis("新刊あり"));
}

TEST_F(CatalogTest, GetMemoIsEmptyNeverNullWithoutStoreOrEntry) {
  std::vector<MemoRow> rows;
  EXPECT_EQ(db.Exec(CollectMemos, &rows, "select 1,getMemo(1);"), 0);
  FakeStore store;
  store.Add(0, "id zero is no circle");
  db.SetFavoriteStore(&store);
  EXPECT_EQ(db.Exec(CollectMemos, &rows, "select 2,getMemo(3);"), 0);
  EXPECT_EQ(db.Exec(CollectMemos, &rows, "select 3,getMemo(0);"), 0);
  EXPECT_EQ(db.Exec(CollectMemos, &rows, "select 4,getMemo(NULL);"), 0);
  ASSERT_EQ(rows.size(), 4u);
  for (const MemoRow& row : rows) EXPECT_EQ(row.memo, "") << row.id;
}

TEST_F(CatalogTest, ReadOnlyCatalogueAnswersQueriesAndMemos) {
  vx::PavorunDatabase reader(dir.path(), vx::SqliteDatabase::kReadOnly);
  ASSERT_TRUE(reader.IsOpen()) << reader.LastError();
  EXPECT_TRUE(reader.IsScrambled());
  reader.SelectEvent(90);
  EXPECT_EQ(reader.GetMaxCircleId(), 6);
  FakeStore store;
  store.Add(1, "m");
  reader.SetFavoriteStore(&store);
  std::vector<MemoRow> rows;
  EXPECT_EQ(reader.ExecPrintfOnNewConnection(CollectMemos, &rows, "select %d,getMemo(1);", 1), 0);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].memo, "m");
  EXPECT_EQ(reader.CircleTable().InsertRow(MakeCircle(9, 1, 1, 1, 1, 1, 0, 1, "x")), 8);
}

TEST_F(CatalogTest, StopFlagSetOnOneThreadIsSeenByTheWorker) {
  std::atomic<bool> started{false};
  bool sawStop = false;
  db.CircleStop() = false;
  std::thread worker([&] {
    started = true;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
      if (db.CircleStop().load()) {
        sawStop = true;
        return;
      }
      std::this_thread::yield();
    }
  });
  while (!started) std::this_thread::yield();
  db.CircleStop() = true;
  worker.join();
  EXPECT_TRUE(sawStop);
  EXPECT_FALSE(db.DefinitionStop().load());
  EXPECT_FALSE(db.LayoutStop().load());
}

TEST(CatalogFresh, NewFileHasNoEventsAndSelectingOneLeavesEverythingEmpty) {
  vxtest::TempDir dir;
  vx::PavorunDatabase db(dir.path());
  ASSERT_TRUE(db.IsOpen()) << db.LastError();
  EXPECT_TRUE(db.IsScrambled());
  EXPECT_EQ(db.CountEvents(), 0);
  std::vector<int> numbers;
  EXPECT_EQ(db.ListEventNumbers(numbers), 1);  // no table yet
  EXPECT_TRUE(numbers.empty());
  db.SelectEvent(96);
  EXPECT_EQ(db.GetDateCount(), 0);
  EXPECT_EQ(db.GetGenreCount(), 0);
  EXPECT_EQ(db.GetDayCount(), 0);
  EXPECT_EQ(db.GetGenreIndexCount(), 0);
  EXPECT_EQ(db.GetMaxCircleId(), 0);
  EXPECT_EQ(db.GetCutsPerPage(), 0);
  EXPECT_EQ(db.GetEventInfo().cutSizeH, 255);
  EXPECT_EQ(db.GetEventInfo().cutOriginY, 66);
  EXPECT_EQ(db.GetEventInfo().mapSizeW, 10);
  EXPECT_TRUE(std::filesystem::exists(dir / "vindaxel96.db"));
}

TEST(CatalogFresh, ClearingTheEventCreatesTheNineTablesWithCp932Comments) {
  vxtest::TempDir dir;
  vx::PavorunDatabase db(dir.path());
  db.SetEventNo(96);
  ASSERT_EQ(db.ClearEventTables(), 0) << db.LastError();
  std::vector<std::string> tables;
  db.ExecRows("select name from sqlite_master where type='table' order by name;",
              [&tables](int, char** columns) {
                tables.emplace_back(columns[0]);
                return 0;
              });
  EXPECT_EQ(tables, (std::vector<std::string>{"PavorunArea", "PavorunBlock", "PavorunCircle",
                                               "PavorunDate", "PavorunGenre", "PavorunInfo",
                                               "PavorunJiko", "PavorunLayout", "PavorunMap"}));
  std::string circleSchema;
  db.ExecRows("select sql from sqlite_master where name='PavorunCircle';",
              [&circleSchema](int, char** columns) {
                circleSchema = columns[0];
                return 0;
              });
  EXPECT_NE(circleSchema.find(Sjis("サークル名(読みがな)")), std::string::npos);
  int indexes = 0;
  db.Exec(vx::RowFirstColumnInt, &indexes, "select count(*) from sqlite_master where type='index' "
                                           "and name like 'Pavorun%';");
  EXPECT_EQ(indexes, 7);
  EXPECT_EQ(db.ClearEventTables(), 0);  // the second time only deletes
}

TEST(CatalogFresh, WithoutDatabaseEveryAnswerIsNeutral) {
  vxtest::TempDir dir;
  vx::PavorunDatabase db(dir.path() / "missing");
  ASSERT_FALSE(db.IsOpen());
  db.SelectEvent(96);
  EXPECT_EQ(db.GetEventNo(), 96);
  EXPECT_EQ(db.CountEvents(), 0);
  EXPECT_FALSE(db.HasCircles(96));
  vx::CircleRecord record;
  EXPECT_FALSE(db.SelectCircle(record, 1));
  EXPECT_EQ(db.GetCircleIdAtMapPoint(1, 1, 1, 1), 0);
  EXPECT_EQ(db.GetJikoNo(1, 1, 1, 0), -1);
  EXPECT_EQ(db.ClearEventTables(), -1);
  EXPECT_EQ(db.GetDayWeekdayName(1), "");
}

}  // namespace
