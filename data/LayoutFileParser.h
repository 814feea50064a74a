// The layout file "V%dMAP.TXT": where every space of every block lies on its hall map.
#pragma once

#include "data/ImportStatus.h"
#include "data/RowInserter.h"

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>

namespace vx {

class ImportProgress;
class PavorunDatabase;
class TextLineReader;

class LayoutFileParser {
 public:
  explicit LayoutFileParser(PavorunDatabase& db);

  // Replaces the current event's layout rows with the file's, reading to the end or until the
  // layout stop flag is set; reports every tenth line and -1 at the end. Space numbers too large
  // for the event's layout grid refuse the file, and so do a NUL byte and a last line cut short
  // (no line end after it, and fewer than five fields up to its last value); a line that is not
  // CP932 text or lacks a number where one belongs is left out and counted.
  ImportStatus Parse(std::FILE* file, ImportProgress* progress);

 private:
  // Block, space, x, y and layout.
  static constexpr std::size_t kRowFields = 5;

  static std::string DamageProblem(const TextLineReader& reader, std::string_view line);
  void ParseLine(std::string_view line, int lineNumber);
  void CheckGrid();
  // The row PavorunLayoutTable::InsertRow writes, through one compiled statement.
  int InsertRow(int blockId, int spaceNo, int xpos, int ypos, int layout);

  PavorunDatabase& db_;
  RowInserter row_;
  ImportStatus status_;
};

}  // namespace vx
