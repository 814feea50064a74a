#include "data/TextLineReader.h"

#include <sys/types.h>

#include "platform/CodePage.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace vx {

FileHandle OpenFileForReading(const std::filesystem::path& path) {
  return FileHandle(std::fopen(path.c_str(), "rb"));
}

FileHandle OpenDiscTextFile(const std::filesystem::path& path,
                            BoundedFileReader::Outcome& outcome) {
  return FileHandle(BoundedFileReader(kMaxDiscTextBytes).OpenStream(path, outcome));
}

std::string DiscTextFileRefusal(BoundedFileReader::Outcome outcome) {
  switch (outcome) {
    case BoundedFileReader::Outcome::kNotRegularFile:
      return Sjis("通常のファイルではありません (パイプやデバイスは読み込めません).");
    case BoundedFileReader::Outcome::kTooLarge:
      return Sjis("ファイルが大きすぎます (") + std::to_string(kMaxDiscTextBytes >> 20) +
             Sjis(" MB まで).");
    case BoundedFileReader::Outcome::kCannotOpen:
      return Sjis("ファイルを開けません.");
    case BoundedFileReader::Outcome::kRead:
      break;
  }
  return {};
}

TextLineReader::~TextLineReader() { std::free(buffer_); }

bool TextLineReader::Next(std::string_view& line) {
  if (file_ == nullptr) return false;
  if (chunkUsed_ >= chunkSize_) {
    const ssize_t length = getline(&buffer_, &capacity_, file_);
    if (length <= 0) return false;
    chunkSize_ = static_cast<std::size_t>(length);
    chunkUsed_ = 0;
  }
  const char* const start = buffer_ + chunkUsed_;
  const std::size_t rest = chunkSize_ - chunkUsed_;
  std::size_t end = 0;
  while (end < rest && start[end] != '\r' && start[end] != '\n') ++end;
  std::size_t next = end;
  if (next < rest) {
    const bool crLf = start[next] == '\r' && next + 1 < rest && start[next + 1] == '\n';
    next += crLf ? 2 : 1;
  }
  chunkUsed_ += next;
  whole_ = std::string_view(start, end);
  ended_ = next > end;
  const void* nul = std::memchr(start, '\0', end);
  heldNul_ = nul != nullptr;
  line = std::string_view(start, heldNul_ ? static_cast<const char*>(nul) - start : end);
  // Old editors end a text with Ctrl-Z: it is no text of the last line, nor a line of its own.
  if (line.ends_with(kEndOfText) && AtEnd()) {
    ended_ = true;
    while (line.ends_with(kEndOfText)) line.remove_suffix(1);
    if (line.empty()) return false;
  }
  return true;
}

bool TextLineReader::AtEnd() {
  for (std::size_t i = chunkUsed_; i < chunkSize_; ++i) {
    if (buffer_[i] != '\r' && buffer_[i] != '\n') return false;
  }
  const long position = std::ftell(file_);
  int c = std::fgetc(file_);
  // Line ends after it are no lines either; a stream that cannot seek back is asked one byte.
  while (position >= 0 && (c == '\r' || c == '\n')) c = std::fgetc(file_);
  if (c == EOF) return true;
  if (position >= 0) {
    std::fseek(file_, position, SEEK_SET);
  } else {
    std::ungetc(c, file_);
  }
  return false;
}

int CountFileLines(std::FILE* file) {
  if (file == nullptr) return 0;
  std::vector<char> chunk(1 << 16);
  long long lines = 0;  // ended so far
  char last = '\n';
  long long beforeLastText = 0;  // lines ended before the last line that holds text
  bool lastTextIsEnd = false;    // that line holds nothing but Ctrl-Z
  char lastText = 0;
  std::size_t got = 0;
  while ((got = std::fread(chunk.data(), 1, chunk.size(), file)) > 0) {
    // A line ends at every LF and at every CR that no LF follows.
    for (std::size_t i = 0; i < got; ++i) {
      const char c = chunk[i];
      lines += (c == '\n') + (last == '\r' && c != '\n');
      if (c != '\r' && c != '\n') {
        if (last == '\r' || last == '\n') {
          beforeLastText = lines;
          lastTextIsEnd = true;
        }
        lastTextIsEnd = lastTextIsEnd && c == kEndOfText;
        lastText = c;
      }
      last = c;
    }
  }
  if (last != '\n') ++lines;
  // A final Ctrl-Z ends the text: the line ends after it are no lines, nor is a line it fills.
  if (lastText == kEndOfText) lines = beforeLastText + (lastTextIsEnd ? 0 : 1);
  std::rewind(file);
  return lines > INT_MAX ? INT_MAX : static_cast<int>(lines);
}

}  // namespace vx
