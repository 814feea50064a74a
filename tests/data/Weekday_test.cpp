#include "data/Weekday.h"

#include "platform/CodePage.h"

#include <gtest/gtest.h>

namespace {

using vx::Sjis;

TEST(Weekday, NamesInCp932) {
  EXPECT_EQ(vx::GetWeekdayShortName(0), Sjis("漏"));
  EXPECT_EQ(vx::GetWeekdayShortName(1), Sjis("日"));
  EXPECT_EQ(vx::GetWeekdayShortName(7), Sjis("土"));
  EXPECT_EQ(vx::GetWeekdayLongName(0), Sjis("抽選漏れ"));
  EXPECT_EQ(vx::GetWeekdayLongName(2), Sjis("月曜日"));
  EXPECT_EQ(vx::GetWeekdayLongName(7), Sjis("土曜日"));
}

TEST(Weekday, OutOfRangeIsEmpty) {
  EXPECT_EQ(vx::GetWeekdayShortName(8), "");
  EXPECT_EQ(vx::GetWeekdayLongName(8), "");
  EXPECT_EQ(vx::GetWeekdayShortName(-1), "");
  EXPECT_EQ(vx::GetWeekdayLongName(-1), "");
}

TEST(Weekday, IndexFromTheFirstCharacter) {
  EXPECT_EQ(vx::FindWeekdayIndex(Sjis("土曜")), 7);
  EXPECT_EQ(vx::FindWeekdayIndex(Sjis("金")), 6);
  EXPECT_EQ(vx::FindWeekdayIndex(Sjis("漏れ")), 0);
  EXPECT_EQ(vx::FindWeekdayIndex(Sjis("月")), 2);
  EXPECT_EQ(vx::FindWeekdayIndex("x"), 0);
  EXPECT_EQ(vx::FindWeekdayIndex(""), 0);
}

}  // namespace
