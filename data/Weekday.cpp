#include "data/Weekday.h"

#include "platform/CodePage.h"

#include <array>

namespace vx {
namespace {

using NameTable = std::array<std::string, kWeekdayCount>;

const NameTable& ShortNames() {
  static const NameTable names = {Sjis("漏"), Sjis("日"), Sjis("月"), Sjis("火"),
                                  Sjis("水"), Sjis("木"), Sjis("金"), Sjis("土")};
  return names;
}

const NameTable& LongNames() {
  static const NameTable names = {Sjis("抽選漏れ"), Sjis("日曜日"), Sjis("月曜日"), Sjis("火曜日"),
                                  Sjis("水曜日"),   Sjis("木曜日"), Sjis("金曜日"), Sjis("土曜日")};
  return names;
}

const std::string& Pick(const NameTable& table, int weekday) {
  static const std::string empty;
  if (weekday < 0 || weekday >= kWeekdayCount) return empty;
  return table[static_cast<std::size_t>(weekday)];
}

}  // namespace

const std::string& GetWeekdayShortName(int weekday) { return Pick(ShortNames(), weekday); }

const std::string& GetWeekdayLongName(int weekday) { return Pick(LongNames(), weekday); }

int FindWeekdayIndex(std::string_view text) {
  const std::string_view head = text.substr(0, 2);
  for (int w = 0; w < kWeekdayCount; ++w) {
    if (ShortNames()[static_cast<std::size_t>(w)] == head) return w;
  }
  return 0;
}

}  // namespace vx
