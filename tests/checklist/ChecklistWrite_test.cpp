#include <filesystem>

#include "checklist/FavoriteStore.h"
#include "platform/CodePage.h"
#include "tests/checklist/StoreFixture.h"

namespace vxtest {
namespace {

using vx::Sjis;

using ChecklistWriteTest = StoreFixture;

TEST_F(ChecklistWriteTest, CurrentFormatLines) {
  FillStore();
  EXPECT_EQ(store().SaveText(),
            Sjis("Header,VellastradeCD-ROMCatalog,Vellastrade96,Shift_JIS,Windows 1.96.1\r\n"
                 "Color,1,0000ff,000000,赤\r\n"
                 "Color,2,0080ff,0080ff,\"橙, \"\"注意\"\"\"\r\n"
                 "Circle,1007,2,3,1,月,東,Ｃ,1,110,\"Rich, \"\"Circle\"\"\",リッチ,Pen,Book,"
                 "http://x/,m@x,\"C:\\vx\r\n表n\",\"a,b \"\"q\"\"\r\nnext\",220,50,3,1,"
                 "\"u\\v\r\nw\",o,r,\"feed\r\n7\",tw,px,\r\n"
                 "UnKnown,\"Rich, \"\"Circle\"\"\",リッチ,Pen,m,5,Book,http://x/,m@x,"
                 "\"C:\\vx\r\n表n\",\"u\\v\r\nw\",o,r,\"feed\r\n-7\",tw,px,\r\n"
                 "Circle,1006,1,,,×,×,×,XX,110,Unplaced,,,,,,,,0,0,0,0,,,,,,,\r\n"
                 "Circle,1004,0,5,1,月,東,Ａ,1,220,Delta,,,,,,,note,20,50,1,0,,,,,,,\r\n"));
}

TEST_F(ChecklistWriteTest, OlderFormatLines) {
  FillStore();
  EXPECT_EQ(store().SaveVer1Text(),
            Sjis("QUILLOR,104,Vellastrade96,Windows\r\n"
                 "6,2,3,1,月,東,Ｃ,1,110,\"Rich, \"\"Circle\"\"\",Pen,Book,http://x/,m@x,"
                 "C:\\\\vx\\n表n,22,5,\"a,b \"\"q\"\"\\nnext\",リッチ,220,50,3,1,u\\\\v\\nw,o,r,"
                 "feed\\n7,tw,px,\r\n"
                 "-1,5,,,,,,,,\"Rich, \"\"Circle\"\"\",Pen,Book,http://x/,m@x,C:\\\\vx\\n表n,,,m,"
                 "リッチ,,,,,u\\\\v\\nw,o,r,feed\\n-7,tw,px,\r\n"
                 "5,1,0,0,漏,,,0,110,Unplaced,,,,,,0,0,,,0,0,0,0,,,,,,,\r\n"
                 "3,0,5,1,月,東,Ａ,1,220,Delta,,,,,,2,5,note,,20,50,1,0,,,,,,,\r\n"));
}

TEST_F(ChecklistWriteTest, SerialIsTheCircleIdBeforeEvent74) {
  for (const auto& [eventNo, serial] : {std::pair{73, "1"}, std::pair{74, "1002"}}) {
    OpenCatalog(eventNo);
    store().SetColor(2, 1);
    const std::string text = store().SaveText();
    const std::string expected = "Circle," + std::string(serial) + ",1,2,2,";
    EXPECT_EQ(text.substr(text.find("\r\n") + 2, expected.size()), expected);
  }
}

TEST_F(ChecklistWriteTest, ClipboardTextTakesTheGivenColourForUncheckedCircles) {
  store().SetColor(1, 5);
  store().SetColorAndMemo(2, 0, "memo only");
  const int ids[] = {2, 1, 3, 999};
  std::string text;
  store().CopyAsVer1Text(text, ids, 3);
  EXPECT_EQ(text, Sjis("QUILLOR,104,Vellastrade96,Windows\r\n"
                       "1,3,2,2,土,東,Ａ,1,110,Beta,,,,,,2,5,memo only,,20,50,1,1,,,,,,,\r\n"
                       "0,5,2,1,土,東,Ａ,1,110,Alpha,,,,,,2,5,,,20,50,1,0,,,,,,,\r\n"
                       "2,3,3,36,土,東,Ａ,2,220,Gamma,,,,,,4,5,,,40,50,1,0,,,,,,,\r\n"));
}

TEST_F(ChecklistWriteTest, SavingWritesTheTextOrReportsTheFailure) {
  FillStore();
  const std::filesystem::path path = dir_ / "list.csv";
  EXPECT_FALSE(store().Save(path));
  EXPECT_EQ(ReadFileBytes(path), store().SaveText());
  EXPECT_FALSE(store().SaveVer1(path));
  EXPECT_EQ(ReadFileBytes(path), store().SaveVer1Text());
  EXPECT_TRUE(store().Save(dir_ / "missing" / "list.csv"));
  EXPECT_TRUE(store().SaveVer1(dir_ / "missing" / "list.csv"));
}

}  // namespace
}  // namespace vxtest
