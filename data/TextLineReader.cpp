#include "data/TextLineReader.h"

#include <sys/types.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace vx {

FileHandle OpenFileForReading(const std::filesystem::path& path) {
  return FileHandle(std::fopen(path.c_str(), "rb"));
}

TextLineReader::~TextLineReader() { std::free(buffer_); }

bool TextLineReader::Next(std::string_view& line) {
  const ssize_t length = getline(&buffer_, &capacity_, file_);
  if (length < 0) return false;
  const auto size = static_cast<std::size_t>(length);
  std::size_t end = 0;
  while (end < size && buffer_[end] != '\r' && buffer_[end] != '\n' && buffer_[end] != '\0') {
    ++end;
  }
  line = std::string_view(buffer_, end);
  return true;
}

int CountFileLines(std::FILE* file) {
  std::vector<char> chunk(1 << 16);
  long long lines = 0;
  char last = '\n';
  std::size_t got = 0;
  while ((got = std::fread(chunk.data(), 1, chunk.size(), file)) > 0) {
    const char* p = chunk.data();
    const char* const end = p + got;
    while (p < end) {
      p = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
      if (p == nullptr) break;
      ++lines;
      ++p;
    }
    last = chunk[got - 1];
  }
  if (last != '\n') ++lines;
  std::rewind(file);
  return lines > INT_MAX ? INT_MAX : static_cast<int>(lines);
}

}  // namespace vx
