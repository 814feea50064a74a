// Print records: the field splitter, the six print orders, block-wise builds on a copy of the
// checklist, the lines a document thread works on, the documents' sorts and the grouping pass.
#include "print/PrintRecords.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <thread>

#include "data/images/CutDrawing.h"
#include "print/PrintEngineState.h"
#include "print/PrintLayout.h"
#include "print/PrintSelection.h"
#include "tests/print/PrintTestSupport.h"

namespace vxtest {
namespace {

std::vector<std::string> Fields(const vx::PrintRecord& r) {
  std::vector<std::string> fields;
  for (int i = 0; i < r.fieldCount; ++i) fields.emplace_back(r.Field(i));
  return fields;
}

std::vector<std::string> Split(const std::string& line) {
  vx::PrintRecord r;
  EXPECT_EQ(vx::PrintRecords_SplitLine(line, r), 0);
  return Fields(r);
}

using Strings = std::vector<std::string>;

TEST(PrintRecordSplitTest, QuotesEscapesAndLineEnds) {
  const std::pair<std::string, Strings> cases[] = {
      {"1,\"a\"\"b\",c\\nd,", {"1", "a\"b", "c\nd", ""}},
      {"\"ab\"cd,e", {"abcd", "e"}},
      {"\"\"x,y", {"\"x", "y"}},
      {"a\"\"b", {"a\"b"}},
      {"x\\\\y\\z", {"x\\y\\z"}},
      {"a,b\rc,d", {"a", "b"}},
      {"a,\"b\nc\"", {"a", "b"}},
      {"", {""}},
  };
  for (const auto& [line, fields] : cases) EXPECT_EQ(Split(line), fields) << line;
}

TEST(PrintRecordSplitTest, KeepsThirtyTwoFields) {
  std::string line;
  for (int i = 0; i < 40; ++i) line += std::to_string(i) + ",";
  vx::PrintRecord r;
  vx::PrintRecords_SplitLine(line, r);
  EXPECT_EQ(r.fieldCount, 32);
  EXPECT_EQ(r.Field(31), "31");
  EXPECT_EQ(r.Field(32), "");
  EXPECT_EQ(r.FieldInt(17), 17);
}

// ソ, 表, 能, 十 and 予 end with the byte of a backslash; 圭 with the byte of a quote's neighbour.
TEST(PrintRecordSplitTest, DoubleByteCharactersEndingInABackslashStayWhole) {
  const std::string so = vx::Sjis("ソ"), hyo = vx::Sjis("表"), nou = vx::Sjis("能"),
                    juu = vx::Sjis("十"), yo = vx::Sjis("予");
  for (const std::string& c : {so, hyo, nou, juu, yo}) ASSERT_EQ(c[1], '\\');
  const std::string line = "A" + hyo + "n,\"" + nou + "\"\"\"," + juu + "\\n" + yo + "," + so +
                           "\\\\" + so + ",\"" + so + "\"";
  EXPECT_EQ(Split(line),
            (Strings{"A" + hyo + "n", nou + "\"", juu + "\n" + yo, so + "\\" + so, so}));
}

// A checklist of eight entries over two days and the circles not placed:
//   id day block space half order colour kana
//    1  1    2    1    b     1     3     ka
//    2  1    1    9    a     2     1     ka
//    3  -    -    -    -     3     2     a
//    4  1    2    1    a     4     1     sa
//    5  2    1    5    a     5     2     a
//    6  -    -    -    -     0     1     zz
//    7  1    1    2    a     6    -1     (unchecked)
//    8  1    2    3    a     7     0     na (memo only)
class RecordsTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    const int rows[][7] = {{1, 1, 2, 1, 1, 1, 3},  {2, 1, 1, 9, 0, 2, 1}, {3, 0, 0, 0, 0, 3, 2},
                           {4, 1, 2, 1, 0, 4, 1},  {5, 2, 1, 5, 0, 5, 2}, {6, 0, 0, 0, 0, 0, 1},
                           {7, 1, 1, 2, 0, 6, -1}, {8, 1, 2, 3, 0, 7, 0}};
    const char* kana[] = {"ka", "ka", "a", "sa", "a", "zz", "", "na"};
    for (const auto& r : rows) {
      vx::FavoriteEntry e;
      e.record.id = r[0];
      e.record.day = r[1];
      e.record.blockId = r[2];
      e.record.spaceNo = r[3];
      e.record.spaceNoSub = r[4];
      e.record.pageNo = 10 + r[0];
      e.record.cutIndex = r[0];
      e.record.updateId = 1000 + r[0];
      e.record.circleKana = kana[r[0] - 1];
      e.printOrder = r[5];
      e.color = r[6];
      source.entries.push_back(e);
    }
    source.spaces = {{2, 1, {100, 50, 1, 2}},
                     {1, 9, {300, 10, 1, 1}},
                     {1, 5, {10, 10, 1, 1}},
                     {2, 3, {100, 80, 1, 2}}};
    for (int kind = 1; kind <= 5; ++kind) {
      vx::PrintEngine_SetDocument(kind, [](vx::PrintJob&, int) { return 0; });
    }
  }

  // Sets up a list job in the print order and answers the circle ids of the records in order.
  std::vector<int> Build(int order, bool blockAll = false, int colorMask = 0x1FF) {
    vx::PrintSelection request;
    request.Reset();
    request.layout = 1;
    request.printOrder = order;
    request.blockAll = blockAll;
    for (int c = 1; c <= 9; ++c) {
      if (colorMask & (1 << (c - 1))) request.AddColor(c);
    }
    vx::PrintEngine_SetupJob(request);
    EXPECT_EQ(vx::PrintEngine_GetRecords(), 0);
    return Ids();
  }

  static std::vector<int> Ids() {
    const vx::PrintRecordSet& set = vx::PrintEngine_State().records;
    std::vector<int> ids;
    for (int i = 1; i < set.Count(); ++i) ids.push_back(set.At(i).FieldInt(0) + 1);
    return ids;
  }
  static std::vector<int> Colors() {
    const vx::PrintRecordSet& set = vx::PrintEngine_State().records;
    std::vector<int> colors;
    for (int i = 1; i < set.Count(); ++i) colors.push_back(set.At(i).FieldInt(1));
    return colors;
  }
};

TEST_F(RecordsTest, EveryPrintOrderFirstByDayWithCirclesNotPlacedLast) {
  const std::pair<int, std::vector<int>> cases[] = {
      {vx::kOrderChecklist, {1, 2, 4, 8, 5, 6, 3}},
      {vx::kOrderPlace, {2, 4, 1, 8, 5, 6, 3}},
      {vx::kOrderCircleName, {2, 1, 8, 4, 5, 3, 6}},  // equal kana: the higher id first
      {vx::kOrderColor, {8, 2, 4, 1, 5, 6, 3}},
      {vx::kOrderCoordinates, {2, 1, 4, 8, 5, 3, 6}},  // larger x, smaller y, then b before a
  };
  for (const auto& [order, ids] : cases) EXPECT_EQ(Build(order), ids) << "order " << order;
  // Order 1 with a page per hall becomes order 5: by the space's hall first.
  source.spaces[1] = {1, 9, {300, 10, 1, 3}};  // circle 2's space lies in hall 3
  vx::PrintSelection request;
  request.Reset();
  request.layout = 1;
  request.printOrder = vx::kOrderPlace;
  request.SetPageBreak(vx::PrintSelection::kBreakHall);
  vx::PrintEngine_SetupJob(request);
  EXPECT_EQ(vx::PrintEngine_State().printOrder, vx::kOrderHallPlace);
  vx::PrintEngine_GetRecords();
  EXPECT_EQ(Ids(), (std::vector<int>{4, 1, 8, 2, 5, 6, 3}));
  EXPECT_EQ(vx::PrintEngine_State().records.At(0).Field(0), "QUILLOR");
  EXPECT_EQ(Colors(), (std::vector<int>{1, 3, 0, 1, 2, 1, 2}));
}

TEST_F(RecordsTest, HeaderOnlyJobHasOneRecord) {
  vx::PrintSelection request;
  request.Reset();
  request.family = vx::PrintSelection::kFamilyMaps;
  request.layout = 1;
  vx::PrintEngine_SetupJob(request);
  ASSERT_EQ(vx::PrintEngine_GetRecords(), 0);
  EXPECT_EQ(vx::PrintEngine_State().records.Count(), 1);
}

TEST_F(RecordsTest, BlockWiseBuildAddsTheBlocksOnACopy) {
  vx::CircleRecord neighbour;
  for (const auto& [id, day, block, space] : {std::tuple{20, 1, 1, 4},
                                              {21, 1, 2, 2},
                                              {22, 2, 1, 1},
                                              {23, 2, 2, 1},
                                              {30, 0, 0, 0},
                                              {2, 1, 1, 9}}) {
    neighbour.id = id;
    neighbour.day = day;
    neighbour.blockId = block;
    neighbour.spaceNo = space;
    source.catalogue.push_back(neighbour);
  }
  const std::vector<vx::FavoriteEntry> before = source.entries;
  EXPECT_EQ(Build(vx::kOrderPlace, true, 0b1), (std::vector<int>{20, 2, 4, 1, 21, 8, 22, 5, 6, 3}));
  // Only the colours the job takes stay checked.
  EXPECT_EQ(Colors(), (std::vector<int>{-1, 1, 1, -1, -1, -1, -1, -1, 1, -1}));
  EXPECT_EQ(source.entries.size(), before.size());
  EXPECT_TRUE(vx::PrintEngine_State().blockAll);
}

TEST_F(RecordsTest, DocumentThreadSplitsTheLinesTakenOnTheUiThread) {
  EXPECT_EQ(Build(vx::kOrderChecklist), (std::vector<int>{1, 2, 4, 8, 5, 6, 3}));
  const int reads = source.checklistReads;
  source.entries.resize(2);  // the checklist changes afterwards
  vx::PrintEngine_InvalidateRecords();
  int result = -2;
  std::vector<int> ids;
  std::thread worker([&] {
    result = vx::PrintEngine_GetRecords();
    ids = Ids();
  });
  worker.join();
  EXPECT_EQ(result, 0);
  EXPECT_EQ(ids, (std::vector<int>{1, 2, 4, 8, 5, 6, 3}));
  EXPECT_EQ(source.checklistReads, reads);
  // Back on the UI thread the next pass takes the checklist again.
  vx::PrintEngine_InvalidateRecords();
  vx::PrintEngine_GetRecords();
  EXPECT_EQ(Ids(), (std::vector<int>{1, 2}));
  // After a release a document thread has nothing to print.
  vx::PrintEngine_ReleaseRecords();
  std::thread([&] { result = vx::PrintEngine_GetRecords(); }).join();
  EXPECT_EQ(result, -1);
}

TEST_F(RecordsTest, SortKeysNestOnThePreviousOrder) {
  Build(vx::kOrderChecklist);
  EXPECT_EQ(vx::PrintRecords_Sort(1), 0);
  EXPECT_EQ(Ids(), (std::vector<int>{1, 2, 3, 4, 5, 6, 8}));
  EXPECT_EQ(vx::PrintRecords_Sort(3), 0);  // by colour; equal colours keep the id order
  EXPECT_EQ(Ids(), (std::vector<int>{8, 2, 4, 6, 3, 5, 1}));
  for (int key : {-1, 9, 50, 99}) EXPECT_EQ(vx::PrintRecords_Sort(key), -1) << key;
  for (int key : {0, 4, 8, 100, 105}) {
    EXPECT_EQ(vx::PrintRecords_Sort(key), 0) << key;
    EXPECT_EQ(Ids(), (std::vector<int>{8, 2, 4, 6, 3, 5, 1})) << key;
  }
  EXPECT_EQ(vx::PrintEngine_State().records.At(0).Field(0), "QUILLOR");
}

TEST_F(RecordsTest, KanaSortThenHallSortGroupsEachDayAndHall) {
  // Lines given directly: weekday in field 4, block in field 6, space in field 7, kana in 18.
  vx::PrintEngineState& state = vx::PrintEngine_State();
  const auto line = [](int id, const char* weekday, const char* block, int space,
                       const char* kana) {
    std::string text;
    for (int f = 0; f < 29; ++f) {
      text += f == 0    ? std::to_string(id - 1)
              : f == 4  ? weekday
              : f == 6  ? block
              : f == 7  ? std::to_string(space)
              : f == 18 ? kana
                        : "";
      text += ",";
    }
    return text;
  };
  state.records.lines = {
      "QUILLOR,104,x,",           line(1, "D1", "B", 3, "u"),  line(2, "D2", "A", 1, "a"),
      line(3, "D1", "A", 1, "i"), line(4, "D1", "B", 30, "a"), line(5, "D1", "A", 2, "e"),
      line(6, "X", "A", 1, "a"),  line(7, "D1", "Q", 1, "a"),  "short"};
  state.records.cuts.clear();
  // Day entries: D1 and D2 with one map holding blocks A and B, and halls A (spaces 1-10) and B.
  for (const char* weekday : {"D1", "D2"}) {
    vx::PrintDay day;
    day.weekday = weekday;
    day.groups.resize(7);
    day.groups[1].blockNames = "AB";
    day.halls.push_back({2, 1, {}, "h1", "A", 1, 10, "", ""});
    day.halls.push_back({2, 2, {}, "h2", "B", 1, 10, "B", ""});
    state.tables.days.push_back(day);
  }
  state.tables.days.push_back(vx::PrintDay{"", "X", {}, {}, ""});
  state.recordsDirty = true;
  std::thread([] { vx::PrintEngine_GetRecords(); }).join();  // splits the lines as they are
  ASSERT_EQ(vx::PrintRecords_GroupByHall(), 0);
  const vx::PrintGroupKey key = state.records.At(4).groupKey;  // circle 4: D1, block B, space 30
  EXPECT_EQ(std::tuple(key.day, key.hallGroup, key.hallEntry, key.blockPosition),
            std::tuple(1, 2, 2, 1));
  const vx::PrintGroupKey none = state.records.At(7).groupKey;  // block Q is on no map
  EXPECT_EQ(std::tuple(none.day, none.hallGroup, none.hallEntry), std::tuple(1, 0, 0));
  EXPECT_EQ(state.records.At(6).groupKey.day, 3);  // the circles not placed

  ASSERT_EQ(vx::PrintRecords_Sort(2), 0);
  ASSERT_EQ(vx::PrintRecords_Sort(101), 0);
  std::vector<int> ids = Ids();
  ids.erase(ids.begin());  // the short line has no group key: it comes first
  EXPECT_EQ(ids, (std::vector<int>{7, 5, 3, 4, 1, 2, 6}));
}

// A map of many blocks puts a block's name far into its block-name text; the position must not
// spill into the hall entry when the records are sorted by day, hall group and block.
TEST_F(RecordsTest, BlockPositionsBeyond255StayApartFromTheHallEntry) {
  vx::PrintEngineState& state = vx::PrintEngine_State();
  vx::PrintDay day;
  day.weekday = "D1";
  day.groups.resize(7);
  day.groups[0].blockNames = std::string(300, 'x') + "BA";
  day.halls.push_back({1, 1, {}, "h1", "A", 1, 9, "B", ""});
  state.tables.days = {day};
  const auto line = [](int id, const char* block) {
    std::string text = std::to_string(id - 1);
    for (int f = 1; f < 20; ++f) text += std::string(",") + (f == 4 ? "D1" : f == 6 ? block : "");
    return text;
  };
  state.records.lines = {"QUILLOR,104,x,", line(1, "A"), line(2, "B")};
  state.recordsDirty = true;
  std::thread([] { vx::PrintEngine_GetRecords(); }).join();
  vx::PrintRecords_GroupByHall();
  const vx::PrintGroupKey a = state.records.At(1).groupKey;
  EXPECT_EQ(std::tuple(a.hallGroup, a.hallEntry, a.blockPosition), std::tuple(1, 0, 301));
  EXPECT_EQ(state.records.At(2).groupKey.blockPosition, 300);
  EXPECT_EQ(state.records.At(2).groupKey.hallEntry, 1);
  vx::PrintRecords_Sort(103);
  EXPECT_EQ(Ids(), (std::vector<int>{2, 1}));
}

TEST_F(RecordsTest, CutsAreDrawnFromTheLinesTaken) {
  Build(vx::kOrderChecklist);
  vx::PrintLayout layout;
  vx::PrintEngine_LoadCatalogTables(layout, vx::PrintEngine_Job());
  QImage page(20, 20, QImage::Format_RGB32);
  QPainter painter(&page);
  for (int id : {2, 8, 7, 99, 0})
    vx::PrintEngine_DrawCircleCut(id, painter, vx::CutRect{1, 2, 3, 4});
  // Circle 2 has colour 1 (its print colour), circle 8 is a memo (white); 7 is not printed.
  EXPECT_EQ(source.drawnCuts,
            (std::vector<std::array<int, 4>>{{12, 2, 1002, 0x010000}, {18, 8, 1008, 0xFFFFFF}}));
}

}  // namespace
}  // namespace vxtest
