// The circle files: "V%dROM.TXT" with every circle (20 columns), or one "V%dROM%d.TXT" per day
// and "V%dROM0.TXT" for the circles the lottery did not place (21 columns). One parser reads one
// file; circle ids come from the database's next-circle-id counter, which runs on across files.
#pragma once

#include "data/CircleRecord.h"
#include "data/CircleRowInserter.h"
#include "data/DiscRowCheck.h"
#include "data/ImportStatus.h"

#include <cstddef>
#include <initializer_list>
#include <span>
#include <string_view>

namespace vx {

class PavorunDatabase;
class TextLineReader;

class CircleFileParser {
 public:
  explicit CircleFileParser(PavorunDatabase& db) : db_(db), inserter_(db) {}

  // Each reads one line and inserts its circle with the next circle id (which the caller then
  // advances, also for a line that inserted nothing); -1 at the end of the file, else 0.
  // A ROM.TXT line without a circle name inserts nothing. Blank lines (nothing but blanks and
  // TABs) insert nothing; a line that is no row of its file (not CP932 text, too few or too many
  // columns, no number where one belongs) is left out and counted in the status.
  int ParseCircleLine(TextLineReader& reader);
  // Day-file lines are all inserted, also without a name; their update id is the circle id.
  int ParseDayCircleLine(TextLineReader& reader);

  const ImportStatus& Status() const { return status_; }

 private:
  // False, with the file refused, when the line holds a NUL byte.
  bool Readable(const TextLineReader& reader);
  // 1 (half b) when the space number repeats the last non-zero one read from this file, else 0.
  int SpaceNoSub(int spaceNo);
  // The event day held on that weekday; 0 for circles the lottery did not place.
  int DayOfWeekday(std::string_view field) const;
  void FillPlace(std::string_view page, std::string_view cut, std::string_view weekday,
                 std::string_view block, std::string_view space, std::string_view genre);
  // circleName .. pixiv, the twelve text columns from `texts[0]` on.
  void FillTexts(const std::string_view* texts);
  void Insert();

  PavorunDatabase& db_;
  CircleRowInserter inserter_;
  CircleRecord record_;
  int lastSpaceNo_ = 0;
  int lineNumber_ = 0;
  DiscRowCheck rowCheck_;
  ImportStatus status_;
};

}  // namespace vx
