// A byte source read one byte at a time, for the record reader. Files are read whole first, so
// the one source is a buffer in memory (MyFile2).
#pragma once

namespace vx {

class IFile {
 public:
  static constexpr int kEnd = -1;

  virtual ~IFile() = default;

  // The next byte (0..255), or kEnd when the data is exhausted.
  virtual int getc() = 0;
  // Puts the byte last read back, so that the next getc reads it again.
  virtual void ungetc(int c) = 0;
  virtual bool eof() = 0;
  // Back to the first byte.
  virtual void rewind() = 0;
};

}  // namespace vx
