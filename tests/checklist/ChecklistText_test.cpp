#include "checklist/ChecklistText.h"

#include "platform/CodePage.h"

#include <gtest/gtest.h>

namespace vxtest {
namespace {

using vx::Sjis;

std::string Csv(const std::string& text) {
  std::string out;
  vx::AppendCsvText(out, text);
  return out;
}

TEST(CsvTextTest, DoubleByteCharactersAreCopiedWhole) {
  // "ソ" and "表" end in 0x5C, a backslash when read alone.
  const std::string text = Sjis("ソ表");
  EXPECT_EQ(Csv(text), text);
  EXPECT_EQ(Csv(text + ","), "\"" + text + ",\"");
  EXPECT_EQ(Csv("lone\rcr"), "\"lone\rcr\"");
}

TEST(LongTextTest, EscapingKeepsTextOnOneLine) {
  EXPECT_EQ(vx::EscapeLongText("line 1\r\nline 2"), "line 1\\nline 2");
  EXPECT_EQ(vx::EscapeLongText("lf\nonly"), "lf\\nonly");
  EXPECT_EQ(vx::EscapeLongText("C:\\vx"), "C:\\\\vx");
  EXPECT_EQ(vx::EscapeLongText(Sjis("ソ表")), Sjis("ソ表"));
}

TEST(LongTextTest, UnescapingReversesIt) {
  EXPECT_EQ(vx::UnescapeLongText("line 1\\nline 2"), "line 1\r\nline 2");
  EXPECT_EQ(vx::UnescapeLongText("C:\\\\vx"), "C:\\vx");
  EXPECT_EQ(vx::UnescapeLongText("a\\tb"), "atb");
  EXPECT_EQ(vx::UnescapeLongText("end\\"), "end\\");
  EXPECT_EQ(vx::UnescapeLongText(Sjis("表n")), Sjis("表n"));
  EXPECT_EQ(vx::UnescapeLongText("\\" + Sjis("表")), Sjis("表"));
}

TEST(LongTextTest, RoundTripOfTheProgramsOwnTexts) {
  for (const std::string& text :
       {Sjis("1行目\r\n2行目"), Sjis("C:\\vx\\memo と \\n の違い"),
        Sjis("全部入り, \"引用\"\r\n改行\\終わり"), std::string("trailing \\")}) {
    EXPECT_EQ(vx::UnescapeLongText(vx::EscapeLongText(text)), text);
  }
}

}  // namespace
}  // namespace vxtest
