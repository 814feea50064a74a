// The outcome of an import or update pass over one file.
#pragma once

#include <string>
#include <vector>

namespace vx {

class SqliteDatabase;

struct ImportStatus {
  // The code of a pass that the file's contents ended, not the engine.
  static constexpr int kBadFile = -2;

  // Lines that are no row of the file's format are left out and counted; more than this many
  // refuse the file.
  static constexpr int kMaxRefusedLines = 10;

  int code = 0;         // 0, kBadFile, or the engine's code of the write that ended the pass
  std::string message;  // why: the engine's text for that write, or what is wrong with the file
  int refusedLines = 0;
  std::vector<int> refusedLineNumbers;  // the first few, counted from 1
  std::string refusedReason;            // why the first one was left out

  bool Failed() const { return code != 0; }
  bool FileRefused() const { return code == kBadFile; }

  // Ends the pass because of what the file holds (or lacks); the first reason stays.
  void Refuse(const std::string& why);

  // Leaves line `lineNumber` out because of `why` (CP932); the line past the limit refuses the
  // file.
  void RefuseLine(int lineNumber, const std::string& why);
  // The lines left out, with the first numbers and the first reason (CP932); empty for none.
  std::string RefusedLinesText() const;

  // Takes the result of one write. A row that breaks a key of its table (a duplicate in the disc's
  // data) is left out and the pass goes on; any other failure means the database cannot take the
  // catalogue, is recorded, and answers false so that the pass stops.
  bool Record(int rc, const SqliteDatabase& db);
  // The same with the engine's text for the write given by the caller.
  bool Record(int rc, const std::string& engineMessage);
};

}  // namespace vx
