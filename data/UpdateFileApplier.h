// The update file ("UPDATE.TXT" of an update archive): lines in the 20-column format of
// "V%dROM.TXT". A line whose update id belongs to a circle of the current event replaces that
// circle's contact and information texts and flags it as updated; any other line with an update
// id adds a new circle without a place.
#pragma once

#include "data/CircleRecord.h"
#include "data/ImportStatus.h"

#include <cstdio>

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
  static constexpr int kSkipped = 2;  // blank, or without an update id

  explicit UpdateFileApplier(PavorunDatabase& db) : db_(db) {}

  // Applies every line until the end or until the circle stop flag is set, reporting every tenth
  // line and -1 at the end. New circles get ids after the largest id the table holds now.
  ImportStatus Apply(std::FILE* file, ImportProgress* progress);
  // Applies one line; a new circle gets `nextId`.
  int ApplyUpdateLine(TextLineReader& reader, int nextId);

  const ImportStatus& Status() const { return status_; }

 private:
  int QueryMaxCircleId();

  PavorunDatabase& db_;
  CircleRecord record_;
  ImportStatus status_;
};

}  // namespace vx
