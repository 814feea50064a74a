// The update file ("UPDATE.TXT" of an update archive): lines in the 20-column format of
// "V%dROM.TXT". A line whose update id belongs to a circle of the current event replaces that
// circle's contact and information texts and flags it as updated; any other line with an update
// id adds a new circle without a place. A file that is damaged (a NUL byte) or cut short (a last
// row without its line end and shorter than the file's rows) is refused, naming its line; a line
// that is no row of the format is left out and counted, as the disc's circle files are read.
#pragma once

#include "data/CircleRecord.h"
#include "data/DiscRowCheck.h"
#include "data/ImportStatus.h"

#include <cstddef>
#include <cstdio>
#include <span>
#include <string_view>

namespace vx {

class ImportProgress;
class PavorunDatabase;
class TextLineReader;

class UpdateFileApplier {
 public:
  // What ApplyUpdateLine did with a line.
  static constexpr int kEnd = -1;
  static constexpr int kChanged = 0;
  static constexpr int kAdded = 1;
  static constexpr int kSkipped = 2;  // blank, without an update id, or refused

  explicit UpdateFileApplier(PavorunDatabase& db) : db_(db) {}

  // Applies every line until the end or until the circle stop flag is set, reporting every tenth
  // line and -1 at the end. New circles get ids after the largest id the table holds now.
  ImportStatus Apply(std::FILE* file, ImportProgress* progress);
  // Applies one line; a new circle gets `nextId`. Lines are counted from the first one this
  // applier read.
  int ApplyUpdateLine(TextLineReader& reader, int nextId);

  const ImportStatus& Status() const { return status_; }

 private:
  // Whether the line's fields can be believed; records why not (a refused file or a line left
  // out).
  bool Accept(const TextLineReader& reader, std::string_view line,
              std::span<const std::string_view> columns);
  int QueryMaxCircleId();

  PavorunDatabase& db_;
  CircleRecord record_;
  int lineNumber_ = 0;
  DiscRowCheck rowCheck_;
  ImportStatus status_;
};

}  // namespace vx
