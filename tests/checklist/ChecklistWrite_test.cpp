#include "checklist/FavoriteStore.h"

#include "platform/CodePage.h"
#include "tests/checklist/StoreFixture.h"

#include <filesystem>

namespace vxtest {
namespace {

using vx::Sjis;

class ChecklistWriteTest : public StoreFixture {
 protected:
  // Colours 1 and 2; circle 1 checked with a memo and feed text; an unknown circle; circle 6
  // (no space) checked; circle 3 unchecked; circle 4 memo only.
  void FillStore() {
    store().SetColorDef(0, 0x0000ff, 0x000000, Sjis("赤"));
    store().SetColorDef(1, 0x0080ff, 0x0080ff, Sjis("橙, 注意"));
    store().SetColorAndMemo(1, 2, "memo");
    store().ForEachChecked([](vx::FavoriteEntry& e) {
      e.record.SetRssInfo("news");
      return true;
    });
    store().AddUnknownCircle(6, UnknownTexts());
    store().SetColor(6, 1);
    store().SetColor(3, 1);
    store().SetColor(3, -1);
    store().SetColorAndMemo(4, 0, "note");
  }

  static vx::CircleRecord UnknownTexts() {
    vx::CircleRecord t;
    t.circleName = "Lost";
    t.circleKana = Sjis("ロスト");
    t.penName = "Pen";
    t.bookName = "Book";
    t.url = "http://x/";
    t.mailAddr = "m@x";
    t.description = "d";
    t.updateData = "u";
    t.orbalink = "o";
    t.rss = "r";
    t.memo = "m";
    t.twitter = "tw";
    t.pixiv = "px";
    return t;
  }

  std::string Record(int circleId) {
    std::string line;
    vx::FavoriteEntry entry;
    entry.color = store().GetColor(circleId);
    entry.record = *store().FindCircle(circleId);
    store().FormatRecord(entry, line);
    return line;
  }
};

TEST_F(ChecklistWriteTest, CurrentFormatLines) {
  FillStore();
  const std::string expected = Sjis(
      "Header,VellastradeCD-ROMCatalog,Vellastrade96,Shift_JIS,Windows 1.96.1\r\n"
      "Color,1,0000ff,000000,赤\r\n"
      "Color,2,0080ff,0080ff,\"橙, 注意\"\r\n"
      "Circle,1001,2,2,1,土,東,Ａ,1,110,Alpha,,,,,,,memo,20,50,1,0,,,,news,,,\r\n"
      "UnKnown,Lost,ロスト,Pen,m,6,Book,http://x/,m@x,d,u,o,r,,tw,px,\r\n"
      "Circle,1006,1,,,×,×,×,XX,110,Unplaced,,,,,,,,0,0,0,0,,,,,,,\r\n"
      "Circle,1004,0,5,1,月,東,Ａ,1,220,Delta,,,,,,,note,20,50,1,0,,,,,,,\r\n");
  EXPECT_EQ(store().SaveText(), expected);
}

TEST_F(ChecklistWriteTest, AnEmptyChecklistHasHeaderAndColoursOnly) {
  store().SetColorDef(0, 0x0000ff, 0x000000, Sjis("赤"));
  EXPECT_EQ(store().SaveText(),
            Sjis("Header,VellastradeCD-ROMCatalog,Vellastrade96,Shift_JIS,Windows 1.96.1\r\n"
                 "Color,1,0000ff,000000,赤\r\n"));
}

TEST_F(ChecklistWriteTest, TextFieldsAreQuotedWhenTheyMustBe) {
  store().SetColorAndMemo(2, 1, "a,b \"q\"\r\nnext");
  store().ForEachChecked([](vx::FavoriteEntry& e) {
    e.record.description = "no, really";
    e.record.twitter = "\"at\"";
    return true;
  });
  EXPECT_EQ(Record(2), Sjis("Circle,1002,1,2,2,土,東,Ａ,1,110,Beta,,,,,,\"no, really\","
                            "\"a,b \"\"q\"\"\r\nnext\",20,50,1,1,,,,,\"\"\"at\"\"\",,"));
}

TEST_F(ChecklistWriteTest, SerialIsTheCircleIdBeforeEvent74) {
  OpenCatalog(73);
  store().SetColor(2, 1);
  EXPECT_EQ(Record(2).substr(0, 11), "Circle,1,1,");
  OpenCatalog(74);
  store().SetColor(2, 1);
  EXPECT_EQ(Record(2).substr(0, 14), "Circle,1002,1,");
}

TEST_F(ChecklistWriteTest, OlderFormatLines) {
  FillStore();
  store().SetMemo(1, Sjis("1行目\r\n2行目"));
  store().ForEachChecked([](vx::FavoriteEntry& e) {
    if (e.record.id == 1) e.record.description = "C:\\vx";
    return true;
  });
  const std::string expected = Sjis(
      "QUILLOR,104,Vellastrade96,Windows\r\n"
      "0,2,2,1,土,東,Ａ,1,110,Alpha,,,,,C:\\\\vx,2,5,1行目\\n2行目,,20,50,1,0,,,,news,,,\r\n"
      "-1,6,,,,,,,,Lost,Pen,Book,http://x/,m@x,d,,,m,ロスト,,,,,u,o,r,,tw,px,\r\n"
      "5,1,0,0,漏,,,0,110,Unplaced,,,,,,0,0,,,0,0,0,0,,,,,,,\r\n"
      "3,0,5,1,月,東,Ａ,1,220,Delta,,,,,,2,5,note,,20,50,1,0,,,,,,,\r\n");
  EXPECT_EQ(store().SaveVer1Text(), expected);
}

TEST_F(ChecklistWriteTest, ClipboardTextTakesTheGivenColourForUncheckedCircles) {
  store().SetColor(1, 5);
  store().SetColorAndMemo(2, 0, "memo only");
  const int ids[] = {2, 1, 3, 999};
  std::string text;
  store().CopyAsVer1Text(text, ids, 3);
  const std::string expected = Sjis(
      "QUILLOR,104,Vellastrade96,Windows\r\n"
      "1,3,2,2,土,東,Ａ,1,110,Beta,,,,,,2,5,memo only,,20,50,1,1,,,,,,,\r\n"
      "0,5,2,1,土,東,Ａ,1,110,Alpha,,,,,,2,5,,,20,50,1,0,,,,,,,\r\n"
      "2,3,3,36,土,東,Ａ,2,220,Gamma,,,,,,4,5,,,40,50,1,0,,,,,,,\r\n");
  EXPECT_EQ(text, expected);
}

TEST_F(ChecklistWriteTest, SavingWritesTheTextAndReportsFailures) {
  FillStore();
  const std::filesystem::path path = dir_ / "list.csv";
  EXPECT_FALSE(store().Save(path));
  EXPECT_EQ(ReadFileBytes(path), store().SaveText());
  EXPECT_FALSE(store().SaveVer1(path));
  EXPECT_EQ(ReadFileBytes(path), store().SaveVer1Text());

  EXPECT_TRUE(store().Save(dir_ / "missing" / "list.csv"));
  EXPECT_TRUE(store().SaveVer1(dir_ / "missing" / "list.csv"));
  EXPECT_FALSE(std::filesystem::exists(dir_ / "missing"));
}

}  // namespace
}  // namespace vxtest
