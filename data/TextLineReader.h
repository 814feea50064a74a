// Reading the disc's catalogue text files and the update file line by line. A line ends at CR LF,
// a lone LF or a lone CR, however long it is; its text ends at its first NUL. A Ctrl-Z (0x1A) at
// the very end of the file ends the text.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "platform/BoundedFileReader.h"
#include "data/TextScan.h"

namespace vx {

inline constexpr char kEndOfText = '\x1A';

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

// Opens `path` for binary reading; null when it cannot be opened.
FileHandle OpenFileForReading(const std::filesystem::path& path);

// A disc's largest catalogue text file holds a few tens of megabytes.
inline constexpr std::uintmax_t kMaxDiscTextBytes = std::uintmax_t{256} << 20;

// Opens a catalogue text file for binary reading, but only a regular file of at most
// kMaxDiscTextBytes: a pipe or a device would be read without end, and neither is waited for.
// Null otherwise, with why in `outcome`.
FileHandle OpenDiscTextFile(const std::filesystem::path& path, BoundedFileReader::Outcome& outcome);
// Why OpenDiscTextFile refused a file (CP932).
std::string DiscTextFileRefusal(BoundedFileReader::Outcome outcome);

class TextLineReader {
 public:
  // Reads from the file's current position; the file stays open and owned by the caller. A null
  // file reads as an empty one.
  explicit TextLineReader(std::FILE* file) : file_(file) {}
  ~TextLineReader();
  TextLineReader(const TextLineReader&) = delete;
  TextLineReader& operator=(const TextLineReader&) = delete;

  // The next line's text, valid until the next call; false at the end of the file.
  bool Next(std::string_view& line);

  // Of the line Next gave last: the whole line with any NUL bytes, whether it held one, and
  // whether a line end (or the final Ctrl-Z) followed it. A file cut short ends in a line that
  // nothing follows.
  std::string_view WholeLine() const { return whole_; }
  bool HeldNul() const { return heldNul_; }
  bool Ended() const { return ended_; }

 private:
  // Whether nothing but line ends follows what has been handed out.
  bool AtEnd();

  std::FILE* file_;
  char* buffer_ = nullptr;
  std::size_t capacity_ = 0;
  // What getline read and how far the lines handed out have used it: a chunk up to LF may hold
  // several lines ended by a lone CR.
  std::size_t chunkSize_ = 0;
  std::size_t chunkUsed_ = 0;
  std::string_view whole_;
  bool heldNul_ = false;
  bool ended_ = false;
};

// The number of lines that TextLineReader gives from the file's current position to its end; the
// file is then rewound to its start. 0 for a null file.
int CountFileLines(std::FILE* file);

// The first N TAB-separated fields of a line; missing fields are empty.
template <std::size_t N>
std::array<std::string_view, N> SplitTabFields(std::string_view line) {
  std::array<std::string_view, N> fields{};
  for (std::string_view& field : fields) field = NextTabField(line);
  return fields;
}

}  // namespace vx
