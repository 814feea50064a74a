#include "checklist/FavoriteStore.h"

#include "platform/CodePage.h"
#include "tests/checklist/ChecklistLines.h"
#include "tests/checklist/StoreFixture.h"

#include <climits>

namespace vxtest {
namespace {

using vx::FavoriteImportRecord;
using vx::Sjis;

vx::CircleRecord TextCircle(int id, const std::string& name, const std::string& kana,
                            const std::string& pen, const std::string& twitter = "",
                            const std::string& pixiv = "") {
  vx::CircleRecord r = MakeCircle(id, 4, id, 3, 2, id, 0, 1, name);
  r.circleKana = kana;
  r.penName = pen;
  r.twitter = twitter;
  r.pixiv = pixiv;
  r.description = "about " + name;
  return r;
}

class CircleMatchingTest : public StoreFixture {
 protected:
  void SetUp() override {
    StoreFixture::SetUp();
    const std::string twin = Sjis("ツイン");
    for (const vx::CircleRecord& r :
         {TextCircle(7, "Twin", twin, "Ann", "tw_twin", "111"),
          TextCircle(8, "Twin", twin, "Bob", "", "222"), TextCircle(9, "Solo", Sjis("ソロ"), "Ann"),
          TextCircle(10, "O'Neil", Sjis("オニール"), "Neil"), TextCircle(11, "100%s", "", "pct"),
          TextCircle(12, "Other", twin, "Cid")}) {
      InsertCircle(db(), r);
    }
    db().SelectEvent(96);
  }

  // Reads one record of a checklist of event `eventNo` and answers the candidates of its rows.
  std::vector<int> Candidates(const std::string& record, bool strict = true, int eventNo = 95) {
    store().SetStrictMatch(strict);
    store().LoadText(HeaderLine(eventNo) + record + "\r\n", false, true);
    EXPECT_EQ(store().ReadStatus(), vx::kReadDone);
    return CandidateIds();
  }

  std::vector<int> CandidateIds() const {
    std::vector<int> ids;
    for (const FavoriteImportRecord& row : Rows()) {
      if (row.action == vx::kImportRegister) ids.push_back(row.circleId);
    }
    return ids;
  }

  static std::string Circle(const std::string& name, const std::string& kana,
                            const std::string& pen, const std::string& twitter = "",
                            const std::string& pixiv = "") {
    return CircleLine(
        {{1, "123"}, {2, "2"}, {10, name}, {11, kana}, {12, pen}, {26, twitter}, {27, pixiv}});
  }

  const std::vector<FavoriteImportRecord>& Rows() const { return store_->ImportRecords(); }
};

TEST_F(CircleMatchingTest, TwitterIsTriedFirstThenPixiv) {
  EXPECT_EQ(Candidates(Circle("Renamed", "", "Bob", "tw_twin", "222")), (std::vector<int>{7}));
  EXPECT_EQ(Candidates(Circle("Renamed", "", "Bob", "tw_gone", "222")), (std::vector<int>{8}));
  EXPECT_EQ(Candidates(Circle("Twin", "", "Bob", "tw_gone", "333")), (std::vector<int>{8}));
}

TEST_F(CircleMatchingTest, NameOrKanaMustComeWithThePenName) {
  EXPECT_EQ(Candidates(Circle("Nope", Sjis("ツイン"), "Cid")), (std::vector<int>{12}));
  EXPECT_EQ(Candidates(Circle("Twin", "", "Zed")), (std::vector<int>{}));
  ASSERT_EQ(Rows().size(), 1u);
  EXPECT_EQ(Rows()[0].action, vx::kImportRegisterUnknown);
  EXPECT_EQ(Rows()[0].groupRows, 0);
  EXPECT_EQ(Rows()[0].texts[vx::kImportCandidateName], "");
}

TEST_F(CircleMatchingTest, WithoutStrictMatchingAnyNameWillDo) {
  EXPECT_EQ(Candidates(Circle("Twin", "", "Zed"), false), (std::vector<int>{7, 8}));
  EXPECT_EQ(Candidates(Circle("Zzz", "", "Ann"), false), (std::vector<int>{7, 9}));
  EXPECT_EQ(Candidates(Circle("Zzz", "", "Nobody"), false), (std::vector<int>{}));
  // The broad match runs only when the narrow one found nothing.
  EXPECT_EQ(Candidates(Circle("Twin", "", "Bob"), false), (std::vector<int>{8}));
}

TEST_F(CircleMatchingTest, SeveralCandidatesMakeAGroupClosedByASkipRow) {
  const std::string memo = "three of them";
  EXPECT_EQ(
      Candidates(CircleLine({{1, "9"}, {2, "4"}, {10, "Twin"}, {11, Sjis("ツイン")}, {17, memo}})),
      (std::vector<int>{7, 8, 12}));
  ASSERT_EQ(Rows().size(), 4u);
  const int groupRows[] = {4, 1, 1, 1};
  const int actions[] = {vx::kImportRegister, vx::kImportRegister, vx::kImportRegister,
                         vx::kImportSkip};
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(Rows()[i].groupRows, groupRows[i]) << i;
    EXPECT_EQ(Rows()[i].action, actions[i]) << i;
    EXPECT_EQ(Rows()[i].color, 4);
    EXPECT_EQ(Rows()[i].texts[vx::kImportMemo], memo);
  }
  const auto& first = Rows()[0].texts;
  EXPECT_EQ(first[vx::kImportCandidateName], "Twin");
  EXPECT_EQ(first[vx::kImportCandidatePenName], "Ann");
  EXPECT_EQ(first[vx::kImportCandidateGenre], Sjis("創作"));
  EXPECT_EQ(first[vx::kImportCandidateDescription], "about Twin");
  EXPECT_EQ(Rows()[3].circleId, 0);
  EXPECT_EQ(Rows()[3].texts[vx::kImportCandidateName], "");
}

TEST_F(CircleMatchingTest, QuotesAndPercentSignsInNamesAreJustText) {
  EXPECT_EQ(Candidates(Circle("O'Neil", "", "Neil")), (std::vector<int>{10}));
  EXPECT_EQ(Candidates(Circle("100%s", "", "pct")), (std::vector<int>{11}));
  EXPECT_EQ(Candidates(Circle("x' OR '1'='1", "", "")), (std::vector<int>{}));
}

TEST_F(CircleMatchingTest, UnknownRecordsAndOlderLinesOfAnotherEventAreMatchedToo) {
  EXPECT_EQ(Candidates(RecordLine(16, {{0, "UnKnown"}, {1, "x"}, {5, "3"}, {14, "tw_twin"}})),
            (std::vector<int>{7}));
  EXPECT_EQ(Candidates(RecordLine(16, {{0, "UnKnown"}, {1, "Solo"}, {3, "Ann"}, {5, "3"}})),
            (std::vector<int>{9}));

  store().SetStrictMatch(true);
  store().LoadText(MagicLine(95) + RecordLine(29, {{0, "41"}, {1, "2"}, {9, "Solo"}, {10, "Ann"}}) +
                       "\r\n" + RecordLine(29, {{0, "0"}, {1, "2"}, {9, "x"}, {28, "111"}}) +
                       "\r\n",
                   false, true);
  EXPECT_EQ(CandidateIds(), (std::vector<int>{9, 7}));
}

TEST_F(CircleMatchingTest, LongerCircleRecordsAreMatchedByTheirOwnTwitterColumn) {
  EXPECT_EQ(
      Candidates(RecordLine(
          29, {{0, "Circle"}, {1, "5"}, {2, "1"}, {10, "x"}, {26, "tw_gone"}, {27, "tw_twin"}})),
      (std::vector<int>{7}));
}

TEST_F(CircleMatchingTest, EachReadSeesTheCatalogueAsItIsThen) {
  EXPECT_EQ(Candidates(Circle("Late", "", "")), (std::vector<int>{}));
  InsertCircle(db(), TextCircle(13, "Late", "", ""));
  EXPECT_EQ(Candidates(Circle("Late", "", "")), (std::vector<int>{13}));
}

// Records of the catalogue's own event name their circle.
TEST_F(CircleMatchingTest, TheSameEventFindsCirclesBySerialOrCut) {
  EXPECT_EQ(Candidates(CircleLine({{1, "1003"}, {2, "2"}, {10, "Renamed"}}), true, 96),
            (std::vector<int>{3}));
  ASSERT_EQ(Rows().size(), 1u);
  EXPECT_EQ(Rows()[0].groupRows, 0);
  EXPECT_EQ(Rows()[0].texts[vx::kImportCandidateName], "Gamma");
  EXPECT_EQ(Rows()[0].texts[vx::kImportCandidateGenre], Sjis("ゲーム"));
  EXPECT_EQ(Rows()[0].texts[vx::kImportCircleName], "Renamed");

  EXPECT_EQ(Candidates(CircleLine({{2, "2"}, {3, "5"}, {4, "2"}}), true, 96),
            (std::vector<int>{5}));
  EXPECT_EQ(Candidates(CircleLine({{1, "4242"}, {2, "2"}, {10, "Twin"}}), true, 96),
            (std::vector<int>{}));
  EXPECT_EQ(Rows()[0].action, vx::kImportRegisterUnknown);
  EXPECT_EQ(Candidates(RecordLine(14, {{0, "UnKnown"}, {1, "Twin"}, {5, "1"}}), true, 96),
            (std::vector<int>{}));
  EXPECT_EQ(Rows()[0].action, vx::kImportRegisterUnknown);
}

TEST_F(CircleMatchingTest, OlderLinesOfTheSameEventNameTheCircleIdOrCut) {
  store().LoadText(MagicLine(96) + RecordLine(29, {{0, "2"}, {1, "1"}}) + "\r\n" +
                       RecordLine(29, {{0, "-1"}, {1, "1"}, {9, "Gone"}}) + "\r\n" +
                       RecordLine(29, {{1, "1"}, {2, "5"}, {3, "2"}}) + "\r\n",
                   false, true);
  ASSERT_EQ(Rows().size(), 3u);
  EXPECT_EQ(Rows()[0].circleId, 3);
  EXPECT_EQ(Rows()[1].action, vx::kImportRegisterUnknown);
  EXPECT_EQ(Rows()[2].circleId, 5);
}

TEST_F(CircleMatchingTest, ACircleIdTheCatalogueLacksKeepsTheCircleAsUnknown) {
  store().LoadText(
      MagicLine(96) + RecordLine(29, {{0, "98"}, {1, "2"}, {9, "Moved"}, {17, "keep me"}}) + "\r\n",
      false, true);
  ASSERT_EQ(Rows().size(), 1u);
  EXPECT_EQ(Rows()[0].action, vx::kImportRegisterUnknown);
  EXPECT_EQ(Rows()[0].circleId, 0);
  store().CommitImportRecords(false, false);
  ASSERT_NE(store().FindCircle(INT_MIN + 1), nullptr);
  EXPECT_EQ(store().FindCircle(INT_MIN + 1)->memo, "keep me");
  EXPECT_EQ(store().GetColor(INT_MIN + 1), 2);
}

TEST_F(CircleMatchingTest, BeforeEvent74SerialsAreCircleIds) {
  OpenCatalog(73);
  EXPECT_EQ(Candidates(CircleLine({{1, "1"}, {2, "1"}}), true, 73), (std::vector<int>{2}));
  EXPECT_EQ(Candidates(CircleLine({{1, "-1"}, {2, "1"}}), true, 73), (std::vector<int>{}));
}

// A load of the catalogue's own event needs no confirmation; the rows commit directly.
TEST_F(CircleMatchingTest, ALoadOfTheSameEventCommitsItsCircles) {
  EXPECT_TRUE(store().LoadText(HeaderLine(96) + CircleLine({{1, "1001"}, {2, "3"}, {17, "m"}}) +
                                   "\r\n" + RecordLine(14, {{0, "UnKnown"}, {1, "U"}, {5, "2"}}) +
                                   "\r\n",
                               false, true));
  EXPECT_TRUE(store().CommitImportRecords(false, false));
  EXPECT_EQ(store().GetColor(1), 3);
  EXPECT_EQ(store().FindCircle(1)->memo, "m");
  EXPECT_EQ(store().FindCircle(INT_MIN + 1)->circleName, "U");
}

}  // namespace
}  // namespace vxtest
