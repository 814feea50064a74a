#include "checklist/FavoriteStore.h"

#include "platform/CodePage.h"
#include "tests/checklist/StoreFixture.h"

#include <tuple>

namespace vxtest {
namespace {

using vx::Sjis;

class CircleMatchingTest : public StoreFixture {
 protected:
  void SetUp() override {
    StoreFixture::SetUp();
    const std::string twin = Sjis("ツイン");
    AddCircle(7, "Twin", twin, "Ann", "tw_twin", "111");
    AddCircle(8, "Twin", twin, "Bob", "", "222");
    AddCircle(9, "Solo", Sjis("ソロ"), "Ann");
    AddCircle(10, "O'Neil", Sjis("オニール"), "Neil");
    AddCircle(11, "100%s", "", "pct");
    AddCircle(12, "Other", twin, "Cid");
  }

  void AddCircle(int id, const std::string& name, const std::string& kana, const std::string& pen,
                 const std::string& twitter = "", const std::string& pixiv = "") {
    vx::CircleRecord r = MakeCircle(id, 4, id, 3, 2, id, 0, 1, name);
    r.circleKana = kana;
    r.penName = pen;
    r.twitter = twitter;
    r.pixiv = pixiv;
    r.description = "about " + name;
    InsertCircle(Db(), r);
  }

  // The rows' circle ids for records of event 95 (after a Header unless they bring a magic line).
  std::vector<int> Candidates(const std::string& records, bool strict = true) {
    Store().SetStrictMatch(strict);
    const std::string text = records.starts_with("QUILLOR") ? records : HeaderLine(95) + records;
    EXPECT_FALSE(Store().LoadText(text, false, true));
    return RowIds();
  }

  static std::string Circle(const std::string& name, const std::string& kana,
                            const std::string& pen, const std::string& twitter = "",
                            const std::string& pixiv = "") {
    // clang-format off
    return CircleLine({{1, "123"}, {2, "4"}, {10, name}, {11, kana}, {12, pen}, {17, "m"},
                       {26, twitter}, {27, pixiv}});
    // clang-format on
  }
};

// Twitter, then Pixiv, then (name or kana) with the pen name, and without strict matching any
// name; each only when the one before found nothing. A group of candidates ends in a skip row.
TEST_F(CircleMatchingTest, AnotherEventsRecordsAreMatchedByTheirTexts) {
  // clang-format off
  const struct {
    std::string records;
    bool strict;
    std::vector<int> ids;
  } cases[] = {
      {Circle("Renamed", "", "Bob", "tw_twin", "222"), true, {7}},
      {Circle("Renamed", "", "Bob", "tw_gone", "222"), true, {8}},
      {Circle("Twin", "", "Bob", "tw_gone", "333"), true, {8}},
      {Circle("Nope", Sjis("ツイン"), "Cid"), true, {12}},
      {Circle("Twin", "", "Zed"), true, {0}},
      {Circle("Twin", "", "Zed"), false, {7, 8, 0}},
      {Circle("Zzz", "", "Ann"), false, {7, 9, 0}},
      {Circle("Twin", "", "Bob"), false, {8}},
      {Circle("Zzz", "", "Nobody"), false, {0}},
      {Circle("O'Neil", "", "Neil"), true, {10}},
      {Circle("100%s", "", "pct"), true, {11}},
      {Circle("x' OR '1'='1", "", ""), true, {0}},
      {RecordLine(29, {{0, "Circle"}, {1, "5"}, {10, "x"}, {26, "tw_gone"}, {27, "tw_twin"}}),
       true, {7}},
      {RecordLine(16, {{0, "UnKnown"}, {1, "Solo"}, {3, "Ann"}, {5, "3"}, {14, "tw_x"}}), true,
       {9}},
      {MagicLine(95) + RecordLine(29, {{0, "41"}, {9, "Solo"}, {10, "Ann"}}) +
           RecordLine(29, {{0, "0"}, {9, "x"}, {28, "111"}}), true, {9, 7}},
      // Another event's serial or id field names no circle here, whatever number it holds.
      {CircleLine({{1, "1007"}, {10, "Solo"}, {12, "Ann"}}), true, {9}},
      {MagicLine(95) + RecordLine(29, {{0, "6"}, {9, "Solo"}, {10, "Ann"}}) +
           RecordLine(29, {{0, "2147483647"}, {9, "Solo"}, {10, "Ann"}}), true, {9, 9}},
  };
  // clang-format on
  for (const auto& c : cases) EXPECT_EQ(Candidates(c.records, c.strict), c.ids) << c.records;
}

TEST_F(CircleMatchingTest, AGroupShowsEveryCandidate) {
  EXPECT_EQ(Candidates(Circle("Twin", Sjis("ツイン"), "")), (std::vector<int>{7, 8, 12, 0}));
  std::vector<std::tuple<int, int, int, std::string, std::string>> rows;
  for (const vx::FavoriteImportRecord& row : Rows()) {
    rows.emplace_back(row.groupRows, row.action, row.color, row.texts[vx::kImportMemo],
                      row.texts[vx::kImportCandidateName]);
  }
  EXPECT_EQ(rows, (decltype(rows){{4, vx::kImportRegister, 4, "m", "Twin"},
                                  {1, vx::kImportRegister, 4, "m", "Twin"},
                                  {1, vx::kImportRegister, 4, "m", "Other"},
                                  {1, vx::kImportSkip, 4, "m", ""}}));
  const auto& first = Rows()[0].texts;
  EXPECT_EQ(std::vector<std::string>(first.begin() + vx::kImportCandidatePenName, first.end()),
            (std::vector<std::string>{"Ann", Sjis("創作"), "about Twin"}));

  // Each read sees the catalogue as it is then.
  EXPECT_EQ(Candidates(Circle("Late", "", "")), (std::vector<int>{0}));
  AddCircle(13, "Late", "", "");
  EXPECT_EQ(Candidates(Circle("Late", "", "")), (std::vector<int>{13}));
}

// A pen name that many circles share brings them all as candidates of every record that has it:
// the circles' records are then read ahead for the commit. Rows and commit keep the file's order.
TEST_F(CircleMatchingTest, ManyCandidatesMakeTheirRowsAndCommitInFileOrder) {
  constexpr int kCrowd = 1500, kRecords = 16, kFirstId = 100;
  ASSERT_EQ(Db().BeginTransaction(), 0);
  for (int id = kFirstId; id < kFirstId + kCrowd; ++id) {
    AddCircle(id, "c" + std::to_string(id), "", "Crowd");
  }
  ASSERT_EQ(Db().Commit(), 0);
  std::string records = HeaderLine(95);
  std::string memos;
  for (int r = 0; r < kRecords; ++r) {
    records += CircleLine({{2, std::to_string(1 + r % 3)},
                           {10, "gone"},
                           {12, "Crowd"},
                           {17, "m" + std::to_string(r)}});
    memos += "m" + std::to_string(r);
  }
  Store().SetStrictMatch(false);
  Store().LoadText(records, false, true);
  const auto& rows = Rows();
  ASSERT_EQ(rows.size(), std::size_t{kRecords * (kCrowd + 1)});
  for (int r = 0; r < kRecords; ++r) {
    const auto* group = &rows[static_cast<std::size_t>(r * (kCrowd + 1))];
    EXPECT_EQ(group[0].groupRows, kCrowd + 1);
    EXPECT_EQ(std::tuple(group[kCrowd].groupRows, group[kCrowd].action),
              std::tuple(1, vx::kImportSkip));
    for (int i = 0; i < kCrowd; ++i) {
      ASSERT_EQ(std::tuple(group[i].circleId, group[i].color, group[i].texts[vx::kImportMemo],
                           group[i].texts[vx::kImportCandidateName]),
                std::tuple(kFirstId + i, 1 + r % 3, "m" + std::to_string(r),
                           "c" + std::to_string(kFirstId + i)))
          << r << ", " << i;
    }
  }
  ASSERT_TRUE(Store().CommitImportRecords(false, false));
  EXPECT_EQ(Store().GetEntryCount(), kCrowd);
  int order = 0;
  Store().ForEachInPrintOrder([&](const vx::FavoriteEntry& e) {
    EXPECT_EQ(std::tuple(e.record.id, e.color, e.record.memo, e.record.penName),
              std::tuple(kFirstId + order, 1, memos, std::string("Crowd")));
    return ++order < 3;
  });
}

// The catalogue's own event names its circles by serial (update id), id or page and cut, never
// by text; a circle it does not name becomes an unknown one.
TEST_F(CircleMatchingTest, RecordsOfTheSameEventNameTheirCircle) {
  Store().LoadText(HeaderLine(96) + CircleLine({{1, "1003"}, {10, "Renamed"}}) +
                       CircleLine({{2, "2"}, {3, "5"}, {4, "2"}}) +
                       CircleLine({{1, "4242"}, {10, "Twin"}}) +
                       RecordLine(14, {{0, "UnKnown"}, {1, "Twin"}}),
                   false, true);
  EXPECT_EQ(RowIds(), (std::vector<int>{3, 5, 0, 0}));
  Store().LoadText(MagicLine(96) + RecordLine(29, {{0, "2"}}) +
                       RecordLine(29, {{0, "-1"}, {9, "Twin"}}) +
                       RecordLine(29, {{2, "5"}, {3, "2"}}) + RecordLine(29, {{0, "98"}}),
                   false, true);
  EXPECT_EQ(RowIds(), (std::vector<int>{3, 0, 5, 0}));
  EXPECT_EQ(Rows()[3].action, vx::kImportRegisterUnknown);
  // The largest id the field can hold names no circle (its successor is not computed).
  Store().LoadText(MagicLine(96) + RecordLine(29, {{0, "2147483647"}, {9, "Big"}}), false, true);
  EXPECT_EQ(RowIds(), std::vector<int>{0});

  OpenCatalog(73);  // serials were circle ids - 1
  Store().LoadText(HeaderLine(73) + CircleLine({{1, "1"}, {2, "1"}}) + CircleLine({{1, "-1"}}) +
                       CircleLine({{1, "2147483647"}}),
                   false, true);
  EXPECT_EQ(RowIds(), (std::vector<int>{2, 0, 0}));
  Store().CommitImportRecords(false, false);
  EXPECT_NE(Store().SaveText().find("\r\nCircle,1,1,2,2,"), std::string::npos);
}

}  // namespace
}  // namespace vxtest
