// The outcome of an import or update pass over one file.
#pragma once

#include <string>

namespace vx {

class SqliteDatabase;

struct ImportStatus {
  // The code of a pass that the file's contents ended, not the engine.
  static constexpr int kBadFile = -2;

  int code = 0;         // 0, kBadFile, or the engine's code of the write that ended the pass
  std::string message;  // why: the engine's text for that write, or what is wrong with the file

  bool Failed() const { return code != 0; }
  bool FileRefused() const { return code == kBadFile; }

  // Ends the pass because of what the file holds (or lacks); the first reason stays.
  void Refuse(const std::string& why);

  // Takes the result of one write. A row that breaks a key of its table (a duplicate in the disc's
  // data) is left out and the pass goes on; any other failure means the database cannot take the
  // catalogue, is recorded, and answers false so that the pass stops.
  bool Record(int rc, const SqliteDatabase& db);
  // The same with the engine's text for the write given by the caller.
  bool Record(int rc, const std::string& engineMessage);
};

}  // namespace vx
