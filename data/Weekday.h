// Weekday names of the catalogue (CP932): index 0 is the pseudo-day of circles that the lottery did
// not place, 1 Sunday to 7 Saturday.
#pragma once

#include <string>
#include <string_view>

namespace vx {

inline constexpr int kWeekdayCount = 8;

// "漏", "日", ... "土"; the empty text outside 0..7.
const std::string& GetWeekdayShortName(int weekday);
// "抽選漏れ", "日曜日", ... "土曜日"; the empty text outside 0..7.
const std::string& GetWeekdayLongName(int weekday);
// The first index whose short name equals the first two bytes of `text`; 0 when none does.
int FindWeekdayIndex(std::string_view text);

}  // namespace vx
