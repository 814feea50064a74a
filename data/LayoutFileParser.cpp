#include "data/LayoutFileParser.h"

#include "data/DiscTextCheck.h"
#include "data/ImportProgress.h"
#include "data/PavorunDatabase.h"
#include "data/TextLineReader.h"
#include "platform/LeadingInt.h"

#include <sqlite3.h>

#include <atomic>

namespace vx {

LayoutFileParser::LayoutFileParser(PavorunDatabase& db)
    : db_(db), row_(db, "insert into PavorunLayout values(?,?,?,?,?,?,?);") {}

ImportStatus LayoutFileParser::Parse(std::FILE* file, ImportProgress* progress) {
  std::atomic<bool>& stop = db_.GetLayoutStop();
  stop = false;
  // Lines name blocks; a block's map comes through its area.
  db_.GetBlockMaster().Load();
  db_.GetAreaMaster().Load();
  db_.ResetMapOfBlockCache();
  if (!status_.Record(db_.DeleteEventLayout(), db_)) return status_;
  TextLineReader reader(file);
  std::string_view line;
  for (int index = 0; !stop && !status_.Failed() && reader.Next(line); ++index) {
    if (const std::string problem = DamageProblem(reader, line); !problem.empty()) {
      status_.Refuse(LineRefusalText(index + 1, problem));
      break;
    }
    ParseLine(line, index + 1);
    if (progress != nullptr && index % 10 == 0) progress->ReportProgress(index);
  }
  if (!stop && !status_.Failed()) CheckGrid();
  if (progress != nullptr) progress->ReportProgress(-1);
  return status_;
}

// A NUL byte, or a last line cut short, shows a damaged file: its other desks would be lost.
// Every field of a row holds a value, so a last row ending in an empty field was cut after a TAB.
std::string LayoutFileParser::DamageProblem(const TextLineReader& reader, std::string_view line) {
  if (reader.HeldNul()) return NulByteProblem(reader.WholeLine());
  const auto start = line.find_first_not_of(' ');
  if (reader.Ended() || start == std::string_view::npos || line[start] == '#') return {};
  const auto filled = line.find_last_not_of('\t') + 1;
  return CutShortRowProblem(line.substr(start, filled - start), kRowFields);
}

// Selecting the event would refuse a grid this large and lose every desk position.
void LayoutFileParser::CheckGrid() {
  int blocks = 0;
  int spaces = 0;
  std::string problem;
  if (!db_.GetLayoutTable().MeasureGrid(blocks, spaces, problem)) status_.Refuse(problem);
}

void LayoutFileParser::ParseLine(std::string_view line, int lineNumber) {
  const auto start = line.find_first_not_of(' ');
  if (start == std::string_view::npos || line[start] == '#') return;
  const auto f = SplitTabFields<5>(line.substr(start));
  std::string problem = DiscTextProblem(line);
  if (problem.empty()) problem = NumberColumnsProblem(f, {1, 2, 3, 4});
  if (!problem.empty()) return status_.RefuseLine(lineNumber, problem);
  const int blockId = db_.GetBlockMaster().FindIdByName(f[0]);
  status_.Record(
      InsertRow(blockId, LeadingInt(f[1]), LeadingInt(f[2]), LeadingInt(f[3]), LeadingInt(f[4])),
      row_.Error());
}

int LayoutFileParser::InsertRow(int blockId, int spaceNo, int xpos, int ypos, int layout) {
  if (const int rc = row_.Prepare(); rc != SQLITE_OK) return rc;
  int column = 1;
  for (int value :
       {db_.GetEventNo(), blockId, spaceNo, xpos, ypos, layout, db_.GetMapIdOfBlock(blockId)}) {
    row_.BindInt(column++, value);
  }
  return row_.Run();
}

}  // namespace vx
