#include <climits>
#include <utility>

#include "checklist/FavoriteStore.h"
#include "platform/CodePage.h"
#include "tests/checklist/StoreFixture.h"

namespace vxtest {
namespace {

using vx::FavoriteImportRecord;
using vx::Sjis;

using ChecklistReadTest = StoreFixture;

TEST_F(ChecklistReadTest, ASavedChecklistReadsBackIdenticallyInBothFormats) {
  FillStore();
  for (const auto save : {&vx::FavoriteStore::SaveText, &vx::FavoriteStore::SaveVer1Text}) {
    const std::string saved = (store().*save)();
    EXPECT_TRUE(store().LoadText(saved, false, true));
    store().CommitImportRecords(false, false);
    EXPECT_EQ((store().*save)(), saved);
    // Every text of every row is the text of the circle it was written from.
    ASSERT_EQ(Rows().size(), 4u);
    for (const FavoriteImportRecord& row : Rows()) {
      const vx::CircleRecord& r = *store().FindCircle(row.circleId ? row.circleId : INT_MIN + 1);
      EXPECT_EQ(
          std::vector<std::string>(row.texts.begin(), row.texts.begin() + vx::kImportFileTextCount),
          (std::vector<std::string>{r.circleName, r.circleKana, r.penName, r.bookName, r.url,
                                    r.mailAddr, r.description, r.updateData, r.orbalink, r.rss,
                                    r.memo, r.rssInfo, r.twitter, r.pixiv}));
    }
  }
}

TEST_F(ChecklistReadTest, TailTextsAreReadFromTheColumnsTheyAreWrittenTo) {
  const std::vector<std::string> plain = {"d", "m", "u", "o", "r", "f", "t", "p"};
  // clang-format off
  const std::pair<std::string, std::vector<std::string>> cases[] = {
      {HeaderLine(96) + CircleLine({{1, "1002"}, {16, "d"}, {17, "m"}, {22, "u"}, {23, "o"},
                                    {24, "r"}, {25, "f"}, {26, "t"}, {27, "p"}}), plain},
      // A longer record carries one more field before them.
      {HeaderLine(96) + RecordLine(29, {{0, "Circle"}, {1, "1002"}, {16, "d"}, {17, "m"},
                                        {22, "x"}, {23, "u"}, {24, "o"}, {25, "r"}, {26, "f"},
                                        {27, "t"}, {28, "p"}}), plain},
      {MagicLine(96) + RecordLine(29, {{0, "1"}, {14, "d\\\\x"}, {17, "a\\nb"}, {23, "u\\\\v"},
                                       {24, "o"}, {25, "r"}, {26, "f\\ng\\"}, {27, "t"},
                                       {28, "p"}}),
       {"d\\x", "a\r\nb", "u\\v", "o", "r", "f\r\ng\\", "t", "p"}},
  };
  // clang-format on
  for (const auto& [text, expected] : cases) {
    store().LoadText(text, false, true);
    ASSERT_EQ(Rows().size(), 1u);
    const auto& t = Rows()[0].texts;
    EXPECT_EQ((std::vector<std::string>{t[vx::kImportDescription], t[vx::kImportMemo],
                                        t[vx::kImportUpdateData], t[vx::kImportOrbalink],
                                        t[vx::kImportRss], t[vx::kImportRssInfo],
                                        t[vx::kImportTwitter], t[vx::kImportPixiv]}),
              expected)
        << text;
  }
}

TEST_F(ChecklistReadTest, AFailedReplacingReadLeavesTheChecklistAsItWas) {
  FillStore();
  const std::string before = store().SaveText();
  const std::pair<std::string, int> failures[] = {
      {"no header here\r\nCircle,1001,1,\r\n", vx::kReadBadData},
      {"QUILLOR,200,Vellastrade96,Windows\r\n0,1,\r\n", vx::kReadUnsupportedVersion},
      {"", vx::kReadNothing},
      {"\r\nHeader,VellastradeCD-ROMCatalog,Vellastrade96,Shift_JIS,x\r\n", vx::kReadNothing},
  };
  for (const auto& [text, status] : failures) {
    store().LoadText(text, false, true);
    EXPECT_EQ(store().ReadStatus(), status) << text;
    EXPECT_FALSE(store().CommitImportRecords(false, false));
    EXPECT_EQ(store().SaveText(), before) << text;
  }
  // No rows of an earlier read pass for those of a file that cannot be read.
  store().LoadText(HeaderLine(96) + CircleLine({{1, "1002"}, {2, "1"}}), true, true);
  store().LoadFile(dir_ / "missing.csv", false, true);
  EXPECT_EQ(store().ReadStatus(), vx::kReadNothing);
  EXPECT_FALSE(store().CommitImportRecords(false, false));
  EXPECT_EQ(store().SaveText(), before);
}

TEST_F(ChecklistReadTest, AReplacingReadEmptiesTheChecklistBeforeTheCommit) {
  store().SetColorDef(0, 0, 0, "red");
  store().SetColorDef(1, 0, 0, "orange");
  store().AddUnknownCircle(1, {});
  const std::string text = HeaderLine(96) + "Color,1,0,0,green\r\nUnKnown,New,,,,2,\r\n";
  store().LoadText(text, true, false);
  EXPECT_EQ(store().GetColorName(0), "red");  // an appending read takes colours when asked
  store().CommitImportRecords(false, false);
  EXPECT_EQ(store().FindCircle(INT_MIN + 2)->circleName, "New");
  store().LoadText(text, false, false);
  EXPECT_EQ(store().GetEntryCount(), 0);
  EXPECT_EQ(store().GetColorName(0) + store().GetColorName(1), "greenorange");
  store().CommitImportRecords(false, false);
  EXPECT_EQ(store().FindCircle(INT_MIN + 1)->circleName, "New");  // unknown ids start afresh
}

TEST_F(ChecklistReadTest, MalformedLinesRegisterNothing) {
  store().LoadText(MagicLine(96) + "hello world\r\nabc,1,2,3,\r\n,1,,,\r\n", false, true);
  EXPECT_EQ(RowIds(), std::vector<int>{0});  // page 0, cut 0 is no place
  store().CommitImportRecords(false, false);
  EXPECT_EQ(store().FindCircle(1), nullptr);
  EXPECT_EQ(store().FindCircle(6), nullptr);
  store().LoadText(HeaderLine(96) + CircleLine({{1, "x1001"}, {2, "1"}}), false, true);
  EXPECT_EQ(store().ReadStatus(), vx::kReadDone);
  EXPECT_TRUE(Rows().empty());
}

TEST_F(ChecklistReadTest, ColourNumbersAreBoundedByTheColourCount) {
  store().SetColorCount(9);
  store().LoadText(HeaderLine(96) + "Color,9,ff,ff,nine\r\nColor,10,ff,ff,ten\r\n" +
                       "Color,0,ff,ff,zero\r\nColor,-2,ff,ff,negative\r\n" +
                       CircleLine({{1, "1001"}, {2, "12"}}) + CircleLine({{1, "1002"}, {2, "-3"}}) +
                       "UnKnown,U,,,,99,\r\n",
                   false, true);
  EXPECT_EQ(store().GetColorName(8), "nine");
  EXPECT_EQ(store().GetColorName(9), "");
  EXPECT_EQ(store().GetColorName(-1), "");
  std::vector<int> colors;
  for (const FavoriteImportRecord& row : Rows()) colors.push_back(row.color);
  EXPECT_EQ(colors, (std::vector<int>{9, 0, 9}));
}

TEST_F(ChecklistReadTest, HeadersAndMagicLines) {
  const std::string circle = CircleLine({{1, "1001"}, {2, "1"}});
  const std::tuple<std::string, int, int, std::vector<int>> cases[] = {
      // Records before the Header are skipped; a blank line ends the read.
      {circle + HeaderLine(96) + CircleLine({{1, "1002"}}) + "\r\n" + circle,
       vx::kReadDone,
       96,
       {2}},
      {"Header,vellastradeCD-ROMCatalog,Vellastrade96,Shift_JIS,x\r\n" + circle,
       vx::kReadBadData,
       0,
       {}},
      {"Header,VellastradeCD-ROMCatalog,Vellastrade,x\r\n" + circle, vx::kReadDone, 0, {0}},
      {"quillor,150,vellastrade90,Windows\r\n", vx::kReadDone, 90, {}},
  };
  for (const auto& [text, status, eventNo, rows] : cases) {
    EXPECT_EQ(store().LoadText(text, false, true), eventNo == 96) << text;
    EXPECT_EQ(std::make_pair(store().ReadStatus(), store().FileEventNo()),
              std::make_pair(status, eventNo))
        << text;
    EXPECT_EQ(RowIds(), rows) << text;
  }
}

TEST_F(ChecklistReadTest, CancellingKeepsWhatWasRead) {
  store().SetColor(5, 1);
  std::string text = MagicLine(96) + "-1,1,\r-1,1,\n";  // any line end counts
  for (int i = 0; i < 18; ++i) text += "-1,1,\r\n";
  std::vector<std::pair<int, int>> calls;
  store().LoadText(text, false, true, [&](int index, int total) {
    calls.emplace_back(index, total);
    if (index == 9) store().RequestStop();
  });
  EXPECT_EQ(calls.size(), 11u);
  EXPECT_EQ(calls.back(), std::make_pair(-1, 21));
  EXPECT_EQ(Rows().size(), 10u);
  EXPECT_EQ(store().GetEntryCount(), 0);  // the replacing read had begun
  store().LoadText(text, false, true);    // the next read starts afresh
  EXPECT_EQ(Rows().size(), 20u);
}

// A checklist in another encoding, with or without a byte order mark, reads into CP932 bytes.
class ChecklistEncodingTest
    : public StoreFixture,
      public ::testing::WithParamInterface<std::tuple<const char*, int, const char*>> {};

TEST_P(ChecklistEncodingTest, ReadsTheTextsAsCp932) {
  const auto [name, codePage, prefix] = GetParam();
  const std::string memo = Sjis("①ｶﾀﾛｸﾞ外, \"当日\"確認～");
  const std::string quoted = Sjis("\"①ｶﾀﾛｸﾞ外, \"\"当日\"\"確認～\"");
  const std::string body = "Color,1,0000ff,000000," + Sjis("最優先") + "\r\n" +
                           CircleLine({{1, "5"}, {10, Sjis("がっこう")}, {17, quoted}});
  EXPECT_FALSE(
      store().LoadText(prefix + HeaderLine(95, name) + vx::FromCp932(body, codePage), false, true));
  EXPECT_EQ(store().GetColorName(0), Sjis("最優先"));
  ASSERT_EQ(RowIds(), std::vector<int>{5});  // found by its name
  EXPECT_EQ(Rows()[0].texts[vx::kImportMemo], memo);
}

INSTANTIATE_TEST_SUITE_P(
    Encodings, ChecklistEncodingTest,
    ::testing::Values(std::make_tuple("Shift_JIS", vx::kCodePageCp932, ""),
                      std::make_tuple("utf-8", vx::kCodePageUtf8, ""),
                      std::make_tuple("UTF-8", vx::kCodePageUtf8, "\xEF\xBB\xBF"),
                      std::make_tuple("EUC-JP", vx::kCodePageEucJp, ""),
                      std::make_tuple("ISO-2022-JP", vx::kCodePageIso2022Jp, "")));

}  // namespace
}  // namespace vxtest
