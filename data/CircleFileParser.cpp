#include "data/CircleFileParser.h"

#include "data/DiscTextCheck.h"
#include "data/PavorunDatabase.h"
#include "data/TextLineReader.h"
#include "data/Weekday.h"
#include "platform/CodePage.h"
#include "platform/LeadingInt.h"

#include <algorithm>
#include <array>
#include <initializer_list>

namespace vx {
namespace {

// ROM.TXT: up to the circle name at least, 20 columns at most.
constexpr std::size_t kCircleMinFields = 9;
constexpr std::size_t kCircleMaxFields = 20;
// Day files: one column more, or two fewer without the flag.
constexpr std::size_t kDayMinFields = 10;
constexpr std::size_t kDayMaxFields = 21;

// A blank line holds no circle; it still takes its id, as every line read does.
bool IsBlankLine(std::string_view line) {
  return line.find_first_not_of(" \t") == std::string_view::npos;
}

}  // namespace

int CircleFileParser::ParseCircleLine(TextLineReader& reader) {
  std::string_view line;
  if (!reader.Next(line)) return -1;
  ++lineNumber_;
  if (!Readable(reader) || IsBlankLine(line)) return 0;
  const auto f = SplitTabFields<20>(line);
  if (!rowCheck_.Accept(reader, line, lineNumber_, kCircleMinFields, kCircleMaxFields, f,
                        {0, 1, 2, 6, 7}, status_)) {
    return 0;
  }
  record_.updateId = LeadingInt(f[0]);
  FillPlace(f[1], f[2], f[3], f[5], f[6], f[7]);
  FillTexts(&f[8]);
  if (!record_.circleName.empty()) Insert();
  return 0;
}

int CircleFileParser::ParseDayCircleLine(TextLineReader& reader) {
  std::string_view line;
  if (!reader.Next(line)) return -1;
  ++lineNumber_;
  if (!Readable(reader) || IsBlankLine(line)) return 0;
  std::array<std::string_view, 21> c{};
  const auto f = SplitTabFields<21>(line);
  // Without a flag the line lacks columns 1 and 2: its second field is column 3.
  const std::size_t missing = f[0].empty() ? 2 : 0;
  if (missing != 0) {
    for (std::size_t i = 3; i < c.size(); ++i) c[i] = f[i - 2];
  } else {
    c = f;
  }
  if (!rowCheck_.Accept(reader, line, lineNumber_, kDayMinFields - missing, kDayMaxFields - missing,
                        c, {2, 3, 7, 8}, status_)) {
    return 0;
  }
  record_.updateId = db_.GetNextCircleId();
  FillPlace(c[2], c[3], c[4], c[6], c[7], c[8]);
  FillTexts(&c[9]);
  Insert();
  return 0;
}

bool CircleFileParser::Readable(const TextLineReader& reader) {
  if (!reader.HeldNul()) return true;
  status_.Refuse(LineRefusalText(lineNumber_, NulByteProblem(reader.WholeLine())));
  return false;
}

void CircleFileParser::FillPlace(std::string_view page, std::string_view cut,
                                 std::string_view weekday, std::string_view block,
                                 std::string_view space, std::string_view genre) {
  record_.id = db_.GetNextCircleId();
  record_.pageNo = LeadingInt(page);
  record_.cutIndex = LeadingInt(cut);
  record_.day = DayOfWeekday(weekday);
  record_.blockId = db_.GetBlockMaster().FindIdByName(block);
  record_.spaceNo = LeadingInt(space);
  record_.spaceNoSub = SpaceNoSub(record_.spaceNo);
  record_.genreId = db_.GetGenreMaster().FindIdByCode(LeadingInt(genre));
}

void CircleFileParser::FillTexts(const std::string_view* t) {
  std::string* targets[] = {&record_.circleName,  &record_.circleKana, &record_.penName,
                            &record_.bookName,    &record_.url,        &record_.mailAddr,
                            &record_.description, &record_.updateData, &record_.orbalink,
                            &record_.rss,         &record_.twitter,    &record_.pixiv};
  for (std::string* target : targets) target->assign(*t++);
}

void CircleFileParser::Insert() {
  const int rc = inserter_.Insert(record_);
  status_.Record(rc, inserter_.Error());
}

int CircleFileParser::SpaceNoSub(int spaceNo) {
  if (spaceNo == 0) return 0;
  if (spaceNo == lastSpaceNo_) return 1;
  lastSpaceNo_ = spaceNo;
  return 0;
}

int CircleFileParser::DayOfWeekday(std::string_view field) const {
  const int weekday = FindWeekdayIndex(field);
  return weekday == 0 ? 0 : db_.GetDateMaster().FindDayByWeekday(weekday);
}

}  // namespace vx
