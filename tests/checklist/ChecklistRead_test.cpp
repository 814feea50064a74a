#include "checklist/FavoriteStore.h"

#include "platform/CodePage.h"
#include "tests/checklist/ChecklistLines.h"
#include "tests/checklist/StoreFixture.h"

#include <climits>
#include <utility>

namespace vxtest {
namespace {

using vx::FavoriteImportRecord;
using vx::Sjis;

class ChecklistReadTest : public StoreFixture {
 protected:
  void SetUp() override {
    StoreFixture::SetUp();
    InsertCircle(db(), RichCircle());
    db().SelectEvent(96);
  }

  // A catalogue circle with every kind of text the formats must carry through.
  static vx::CircleRecord RichCircle() {
    vx::CircleRecord r = MakeCircle(7, 3, 1, 3, 3, 1, 1, 1, "Rich, \"Circle\"");
    r.circleKana = Sjis("リッチ");
    r.penName = Sjis("作家, 一人");
    r.bookName = "Book";
    r.url = "https://rich.example/";
    r.mailAddr = "rich@example.org";
    r.description = "C:\\vx\r\nsecond \"line\"";
    r.updateData = "updated\\today\r\nagain";
    r.orbalink = "https://orba.example/r";
    r.rss = "https://rich.example/rss";
    r.twitter = "tw_rich";
    r.pixiv = "4242";
    return r;
  }

  void FillStore() {
    store().SetColorDef(0, 0x0000ff, 0x000000, Sjis("赤"));
    store().SetColorDef(1, 0x0080ff, 0x0080ff, Sjis("橙, \"注意\""));
    store().SetColorAndMemo(3, 2, Sjis("新刊2冊, 既刊1冊"));
    store().SetColorAndMemo(7, 1, Sjis("全部入り, \"引用\"\r\n改行\\終わり"));
    store().SetColorAndMemo(6, 0, Sjis("メモだけ"));
    store().SetColor(2, 4);
    store().ForEachChecked([](vx::FavoriteEntry& e) {
      if (e.record.id == 7) e.record.SetRssInfo(Sjis("【新刊】委託\r\n【告知】午後参加"));
      return true;
    });
    vx::CircleRecord unknown;
    unknown.circleName = Sjis("閉店サークル");
    unknown.circleKana = Sjis("ヘイテンサークル");
    unknown.penName = "Someone";
    unknown.url = "https://closed.example.org/";
    unknown.description = "back\\slash";
    unknown.memo = Sjis("カタログ未掲載, 前回\"参加\"");
    unknown.twitter = "tw_closed";
    unknown.pixiv = "999";
    const int id = store().AddUnknownCircle(6, unknown);
    store().ForEachChecked([id](vx::FavoriteEntry& e) {
      if (e.record.id == id) e.record.SetRssInfo("closed\r\nfor good");
      return true;
    });
  }

  // Every text of every row equals the text of the circle the row came from.
  void ExpectRowsCarryTheStoredTexts() {
    ASSERT_EQ(Rows().size(), 5u);
    for (const FavoriteImportRecord& row : Rows()) {
      const int id = row.action == vx::kImportRegisterUnknown ? INT_MIN + 1 : row.circleId;
      const vx::CircleRecord* r = store().FindCircle(id);
      ASSERT_NE(r, nullptr) << row.texts[0];
      const std::string* expected[] = {
          &r->circleName, &r->circleKana,  &r->penName,    &r->bookName, &r->url,
          &r->mailAddr,   &r->description, &r->updateData, &r->orbalink, &r->rss,
          &r->memo,       &r->rssInfo,     &r->twitter,    &r->pixiv};
      for (int i = 0; i < vx::kImportFileTextCount; ++i) {
        EXPECT_EQ(row.texts[i], *expected[i]) << "circle " << id << ", text " << i;
      }
    }
  }

  // Reads `text` replacing the checklist and commits what it read, as a load of the current
  // event does.
  void ReadAndCommit(const std::string& text) {
    EXPECT_TRUE(store().LoadText(text, false, true));
    EXPECT_EQ(store().ReadStatus(), vx::kReadDone);
    store().CommitImportRecords(false, false);
  }

  const std::vector<FavoriteImportRecord>& Rows() const { return store_->ImportRecords(); }
};

TEST_F(ChecklistReadTest, ASavedChecklistReadsBackIdentically) {
  FillStore();
  const std::string saved = store().SaveText();
  ReadAndCommit(saved);
  EXPECT_EQ(store().SaveText(), saved);
  EXPECT_EQ(store().FindCircle(7)->rssInfo, Sjis("【新刊】委託\r\n【告知】午後参加"));
  EXPECT_EQ(store().GetColorName(1), Sjis("橙, \"注意\""));
  ExpectRowsCarryTheStoredTexts();
}

TEST_F(ChecklistReadTest, AChecklistSavedInTheOlderFormatReadsBackIdentically) {
  FillStore();
  const std::string saved = store().SaveVer1Text();
  ReadAndCommit(saved);
  EXPECT_EQ(store().SaveVer1Text(), saved);
  EXPECT_EQ(store().FindCircle(INT_MIN + 1)->rssInfo, "closed\r\nfor good");
  ExpectRowsCarryTheStoredTexts();
}

TEST_F(ChecklistReadTest, CircleRecordsCarryTheirLastSixFieldsFromColumn22) {
  const std::string text = HeaderLine(96) +
                           CircleLine({{1, "1002"},
                                       {2, "3"},
                                       {22, "upd"},
                                       {23, "orba"},
                                       {24, "rss"},
                                       {25, "feed"},
                                       {26, "tw"},
                                       {27, "px"}}) +
                           "\r\n";
  store().LoadText(text, false, true);
  ASSERT_EQ(Rows().size(), 1u);
  const auto& t = Rows()[0].texts;
  EXPECT_EQ(t[vx::kImportUpdateData], "upd");
  EXPECT_EQ(t[vx::kImportOrbalink], "orba");
  EXPECT_EQ(t[vx::kImportRss], "rss");
  EXPECT_EQ(t[vx::kImportRssInfo], "feed");
  EXPECT_EQ(t[vx::kImportTwitter], "tw");
  EXPECT_EQ(t[vx::kImportPixiv], "px");
}

TEST_F(ChecklistReadTest, LongerCircleRecordsCarryThemOneColumnLater) {
  const std::string text = HeaderLine(96) +
                           RecordLine(29, {{0, "Circle"},
                                           {1, "1002"},
                                           {2, "3"},
                                           {22, "extra"},
                                           {23, "upd"},
                                           {24, "orba"},
                                           {25, "rss"},
                                           {26, "feed"},
                                           {27, "tw"},
                                           {28, "px"}}) +
                           "\r\n";
  store().LoadText(text, false, true);
  ASSERT_EQ(Rows().size(), 1u);
  const auto& t = Rows()[0].texts;
  EXPECT_EQ(t[vx::kImportUpdateData], "upd");
  EXPECT_EQ(t[vx::kImportRssInfo], "feed");
  EXPECT_EQ(t[vx::kImportTwitter], "tw");
  EXPECT_EQ(t[vx::kImportPixiv], "px");
}

TEST_F(ChecklistReadTest, OlderLinesCarryTheirTailTextsFromColumn23) {
  const std::string text = MagicLine(96) +
                           RecordLine(29, {{0, "1"},
                                           {1, "2"},
                                           {14, "d\\\\x"},
                                           {17, "a\\nb"},
                                           {23, "u\\\\v"},
                                           {24, "orba"},
                                           {25, "rss"},
                                           {26, "f\\ng"},
                                           {27, "tw"},
                                           {28, "px"}}) +
                           "\r\n";
  store().LoadText(text, false, true);
  ASSERT_EQ(Rows().size(), 1u);
  const auto& t = Rows()[0].texts;
  EXPECT_EQ(t[vx::kImportDescription], "d\\x");
  EXPECT_EQ(t[vx::kImportMemo], "a\r\nb");
  EXPECT_EQ(t[vx::kImportUpdateData], "u\\v");
  EXPECT_EQ(t[vx::kImportOrbalink], "orba");
  EXPECT_EQ(t[vx::kImportRss], "rss");
  EXPECT_EQ(t[vx::kImportRssInfo], "f\r\ng");
  EXPECT_EQ(t[vx::kImportTwitter], "tw");
  EXPECT_EQ(t[vx::kImportPixiv], "px");
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
    EXPECT_EQ(store().SaveText(), before) << text;
    EXPECT_FALSE(store().CommitImportRecords(false, false));
  }
  store().LoadText(HeaderLine(96) + CircleLine({{1, "1002"}, {2, "1"}}) + "\r\n", true, true);
  store().LoadFile(dir_ / "missing.csv", false, true);
  EXPECT_EQ(store().ReadStatus(), vx::kReadNothing);
  EXPECT_EQ(store().SaveText(), before);
  EXPECT_FALSE(store().CommitImportRecords(false, false));
}

TEST_F(ChecklistReadTest, AGoodReplacingReadEmptiesTheChecklistBeforeTheCommit) {
  FillStore();
  store().LoadText(HeaderLine(96) + "Color,1,00ff00,00ff00,green\r\n", false, false);
  EXPECT_EQ(store().ReadStatus(), vx::kReadDone);
  EXPECT_EQ(store().GetEntryCount(), 0);
  EXPECT_EQ(store().GetCheckColor(0), 0x00ff00u);
  EXPECT_EQ(store().GetColorName(1), Sjis("橙, \"注意\""));  // colours add or replace

  // An unknown circle added after it is the first again.
  store().LoadText(HeaderLine(96) + "UnKnown,New,,,,2,\r\n", false, false);
  store().CommitImportRecords(false, false);
  EXPECT_EQ(store().FindCircle(INT_MIN + 1)->circleName, "New");
}

TEST_F(ChecklistReadTest, AppendingKeepsTheChecklistAndItsColoursUnlessAsked) {
  store().SetColorDef(0, 0x0000ff, 0, "red");
  store().SetColor(1, 1);
  const std::string text = HeaderLine(96) + "Color,1,00ff00,00ff00,green\r\n" +
                           CircleLine({{1, "1002"}, {2, "1"}}) + "\r\n";
  store().LoadText(text, true, false);
  EXPECT_EQ(store().GetColorName(0), "red");
  store().CommitImportRecords(false, false);
  EXPECT_EQ(store().GetColor(1), 1);
  EXPECT_EQ(store().GetColor(2), 1);

  store().LoadText(text, true, true);
  EXPECT_EQ(store().GetColorName(0), "green");
}

TEST_F(ChecklistReadTest, AMalformedOlderLineRegistersNothing) {
  const std::string text = MagicLine(96) + "hello world\r\nabc,1,2,3,\r\n,1,,,\r\n";
  EXPECT_TRUE(store().LoadText(text, false, true));
  for (const FavoriteImportRecord& row : Rows()) EXPECT_EQ(row.circleId, 0);
  store().CommitImportRecords(false, false);
  EXPECT_EQ(store().FindCircle(1), nullptr);
  EXPECT_EQ(store().GetColor(6), -1);  // page 0, cut 0 is no place
}

TEST_F(ChecklistReadTest, AMalformedSerialRegistersNothing) {
  store().LoadText(HeaderLine(96) + CircleLine({{1, "x1001"}, {2, "1"}}) + "\r\n", false, true);
  EXPECT_TRUE(Rows().empty());
}

TEST_F(ChecklistReadTest, ColourNumbersAreBoundedByTheColourCount) {
  store().SetColorCount(9);
  const std::string text = HeaderLine(96) + "Color,9,0000ff,0000ff,nine\r\n" +
                           "Color,10,00ff00,00ff00,ten\r\n" + "Color,0,ff0000,ff0000,zero\r\n" +
                           "Color,-2,ff0000,ff0000,negative\r\n" +
                           CircleLine({{1, "1001"}, {2, "12"}}) + "\r\n" +
                           CircleLine({{1, "1002"}, {2, "-3"}}) + "\r\n" + "UnKnown,U,,,,99,\r\n";
  store().LoadText(text, false, true);
  EXPECT_EQ(store().GetColorName(8), "nine");
  EXPECT_EQ(store().GetColorName(9), "");
  EXPECT_EQ(store().GetColorName(-1), "");
  ASSERT_EQ(Rows().size(), 3u);
  EXPECT_EQ(Rows()[0].color, 9);
  EXPECT_EQ(Rows()[1].color, 0);
  EXPECT_EQ(Rows()[2].color, 9);
}

TEST_F(ChecklistReadTest, RecordsBeforeTheHeaderAreSkippedAndABlankLineEndsTheRead) {
  const std::string text = CircleLine({{1, "1001"}, {2, "1"}}) + "\r\n" + HeaderLine(96) +
                           CircleLine({{1, "1002"}, {2, "1"}}) + "\r\n\r\n" +
                           CircleLine({{1, "1003"}, {2, "1"}}) + "\r\n";
  store().LoadText(text, false, true);
  EXPECT_EQ(store().ReadStatus(), vx::kReadDone);
  ASSERT_EQ(Rows().size(), 1u);
  EXPECT_EQ(Rows()[0].circleId, 2);
}

TEST_F(ChecklistReadTest, TheHeaderMustNameTheCatalogueExactly) {
  for (const std::string header : {"header,VellastradeCD-ROMCatalog,Vellastrade96,Shift_JIS,x",
                                   "Header,vellastradeCD-ROMCatalog,Vellastrade96,Shift_JIS,x",
                                   "Header,VellastradeCD-ROMCatalog,vellastrade96,Shift_JIS,x"}) {
    store().LoadText(header + "\r\n" + CircleLine({{1, "1001"}, {2, "1"}}) + "\r\n", false, true);
    EXPECT_EQ(store().ReadStatus(), vx::kReadBadData) << header;
    EXPECT_TRUE(Rows().empty());
  }
  EXPECT_FALSE(store().LoadText("Header,VellastradeCD-ROMCatalog,Vellastrade,x\r\n", false, true));
  EXPECT_EQ(store().ReadStatus(), vx::kReadDone);
  EXPECT_EQ(store().FileEventNo(), 0);
}

TEST_F(ChecklistReadTest, MagicLinesOfTheOlderFormat) {
  EXPECT_FALSE(store().LoadText("quillor,150,vellastrade90,Windows\r\n", false, true));
  EXPECT_EQ(store().ReadStatus(), vx::kReadDone);
  EXPECT_EQ(store().FileEventNo(), 90);
  store().LoadText("QUILLOR,7,Vellastrade90,Windows\r\n", false, true);
  EXPECT_EQ(store().ReadStatus(), vx::kReadDone);
  store().LoadText("QUILLOR,200,Vellastrade90,Windows\r\n", false, true);
  EXPECT_EQ(store().ReadStatus(), vx::kReadUnsupportedVersion);
  EXPECT_EQ(store().FileEventNo(), 0);
}

TEST_F(ChecklistReadTest, ProgressCountsRecordsAndLineEnds) {
  std::vector<std::pair<int, int>> calls;
  const std::string text = MagicLine(96) + "0,1,\r" + "1,1,\n" + "2,1,";
  store().LoadText(text, false, true,
                   [&](int index, int total) { calls.emplace_back(index, total); });
  EXPECT_EQ(calls, (std::vector<std::pair<int, int>>{{0, 3}, {1, 3}, {2, 3}, {-1, 3}}));
}

TEST_F(ChecklistReadTest, CancellingKeepsWhatWasRead) {
  store().SetColor(5, 1);
  std::string text = MagicLine(96);
  for (int i = 0; i < 20; ++i) text += RecordLine(29, {{0, "-1"}, {1, "1"}, {9, "u"}}) + "\r\n";
  store().LoadText(text, false, true, [&](int index, int) {
    if (index == 9) store().RequestStop();
  });
  EXPECT_EQ(store().ReadStatus(), vx::kReadDone);
  EXPECT_EQ(Rows().size(), 10u);
  EXPECT_EQ(store().GetEntryCount(), 0);  // the replacing read had begun

  store().LoadText(text, false, true);  // the next read starts afresh
  EXPECT_EQ(Rows().size(), 20u);
}

TEST_F(ChecklistReadTest, FilesReadLikeText) {
  FillStore();
  const std::filesystem::path path = dir_ / "list.csv";
  ASSERT_FALSE(store().Save(path));
  const std::string saved = store().SaveText();
  int total = 0;
  EXPECT_TRUE(store().LoadFile(path, false, true, [&](int, int lineEnds) { total = lineEnds; }));
  EXPECT_EQ(total, 13);  // 8 records, 5 of their texts hold a line break
  store().CommitImportRecords(false, false);
  EXPECT_EQ(store().SaveText(), saved);
}

TEST_F(ChecklistReadTest, AByteOrderMarkBeforeTheHeaderIsSkipped) {
  const std::string text = "\xEF\xBB\xBF" + HeaderLine(96, "UTF-8") +
                           vx::FromCp932("Color,1,0000ff,000000," + Sjis("赤") + "\r\n",
                                         vx::kCodePageUtf8);
  EXPECT_TRUE(store().LoadText(text, false, true));
  EXPECT_EQ(store().ReadStatus(), vx::kReadDone);
  EXPECT_EQ(store().GetColorName(0), Sjis("赤"));
}

// A checklist written in another encoding reads into the same CP932 bytes.
class ChecklistEncodingTest : public StoreFixture,
                              public ::testing::WithParamInterface<std::pair<const char*, int>> {};

TEST_P(ChecklistEncodingTest, ReadsTheTextsAsCp932) {
  const auto [name, codePage] = GetParam();
  const std::string memo = Sjis("①ｶﾀﾛｸﾞ外, \"当日\"確認～");
  const std::string cp932Lines[] = {
      HeaderLine(95, name),
      "Color,1,0000ff,000000," + Sjis("最優先") + "\r\n",
      CircleLine({{1, "500001"},
                  {2, "1"},
                  {10, Sjis("がっこう")},
                  {11, Sjis("ガッコウ")},
                  {17, "\"" + Sjis("①ｶﾀﾛｸﾞ外, \"\"当日\"\"確認～") + "\""}}) +
          "\r\n",
  };
  std::string encoded = cp932Lines[0];  // the Header line itself is ASCII
  for (std::size_t i = 1; i < std::size(cp932Lines); ++i) {
    encoded += vx::FromCp932(cp932Lines[i], codePage);
  }

  EXPECT_FALSE(store().LoadText(encoded, false, true));
  EXPECT_EQ(store().ReadStatus(), vx::kReadDone);
  EXPECT_EQ(store().GetColorName(0), Sjis("最優先"));
  ASSERT_EQ(store().ImportRecords().size(), 1u);
  const FavoriteImportRecord& row = store().ImportRecords()[0];
  EXPECT_EQ(row.texts[vx::kImportMemo], memo);
  EXPECT_EQ(row.texts[vx::kImportCircleKana], Sjis("ガッコウ"));
  EXPECT_EQ(row.circleId, 5);  // found by its name
}

INSTANTIATE_TEST_SUITE_P(
    Encodings, ChecklistEncodingTest,
    ::testing::Values(std::pair<const char*, int>{"Shift_JIS", vx::kCodePageCp932},
                      std::pair<const char*, int>{"utf-8", vx::kCodePageUtf8},
                      std::pair<const char*, int>{"EUC-JP", vx::kCodePageEucJp},
                      std::pair<const char*, int>{"ISO-2022-JP", vx::kCodePageIso2022Jp}),
    [](const auto& info) {
      std::string name = info.param.first;
      std::erase(name, '-');
      std::erase(name, '_');
      return name;
    });

}  // namespace
}  // namespace vxtest
