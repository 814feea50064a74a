// The definition file "V%dDEF.TXT": the event's number, name and image geometry, then its days,
// maps, areas with their blocks, genres and errata, each in a section that starts with "*Name".
#pragma once

#include "data/ImportStatus.h"

#include <array>
#include <cstddef>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

namespace vx {

class ImportProgress;
class PavorunDatabase;
class TextLineReader;

class DefinitionFileParser {
 public:
  enum class Section {
    kNone,
    kPavorun,
    kCutInfo,
    kMapTableInfo,
    kDate,
    kMap,
    kArea,
    kGenre,
    kJiko
  };

  explicit DefinitionFileParser(PavorunDatabase& db) : db_(db) {}

  // Reads the file from its current position to the end or until the definition stop flag is set,
  // reporting every line and -1 at the end. The file is refused when it names another event than
  // the database's current one, or when, read to its end, it has left the event without its
  // information row (no event line), or without a row in any of the sections the catalogue needs
  // (or without the errata section, which may be empty), or holds a line that is not CP932 text
  // or holds a NUL byte, or ends in a line cut short (no line end after it, and fewer fields than
  // its section's rows, or half a character).
  ImportStatus Parse(std::FILE* file, ImportProgress* progress);

 private:
  // Why the line refuses the file, or empty.
  std::string LineProblem(const TextLineReader& reader, std::string_view line) const;
  std::string CutShortProblem(std::string_view line) const;
  void ParseLine(std::string_view line);
  void StartSection(std::string_view name);
  void ParseDataLine(std::string_view line);
  void ParsePavorun(std::string_view line);
  void ParseCutInfo(std::string_view line);
  void ParseMapTableInfo(std::string_view line);
  void ParseDate(std::string_view line);
  void ParseMap(std::string_view line);
  void ParseArea(std::string_view line);
  void ParseGenre(std::string_view line);
  void ParseJiko(std::string_view line);
  void CheckEventStored();
  void Record(int rc);

  PavorunDatabase& db_;
  Section section_ = Section::kNone;
  int row_ = 1;
  int blockNo_ = 1;
  std::array<int, static_cast<std::size_t>(Section::kJiko) + 1> rows_{};  // data lines by section
  std::array<bool, static_cast<std::size_t>(Section::kJiko) + 1> started_{};  // section lines read
  // The fewest fields of a data line so far, by section; 0 before the first.
  std::array<std::size_t, static_cast<std::size_t>(Section::kJiko) + 1> shortestRow_{};
  bool eventLineRead_ = false;
  ImportStatus status_;
};

// The error text for a definition file that cannot be opened (CP932).
std::string DefinitionFileOpenError(const std::filesystem::path& path);

// Why the definition file at `path` cannot be installed as event `eventNo` (CP932): it cannot be
// read (or is a pipe, a device or a huge file, refused unread), has no event line, or its event
// line names another event. Empty when it names `eventNo`.
// The installer asks this before it looks whether the event is already stored.
std::string DefinitionFileEventProblem(const std::filesystem::path& path, int eventNo);

}  // namespace vx
