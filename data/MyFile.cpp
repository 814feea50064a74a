#include "data/MyFile.h"

namespace vx {

int MyFile::getc() {
  const int c = std::fgetc(stream_);
  return c == EOF ? kEnd : c;
}

void MyFile::ungetc(int c) {
  if (c != kEnd) std::ungetc(c, stream_);
}

bool MyFile::eof() { return std::feof(stream_) != 0; }

void MyFile::rewind() { std::rewind(stream_); }

}  // namespace vx
