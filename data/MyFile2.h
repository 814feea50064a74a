// A byte source over text in memory (clipboard text, an archive entry read whole). The buffer is
// not owned and must outlive the source. Every byte value is data, 0xFF included.
#pragma once

#include "data/IFile.h"

#include <cstddef>
#include <string_view>

namespace vx {

class MyFile2 : public IFile {
 public:
  explicit MyFile2(std::string_view buffer) : buffer_(buffer) {}

  int getc() override;
  // Steps back one byte (the argument is the byte that was read there).
  void ungetc(int c) override;
  bool eof() override { return position_ >= buffer_.size(); }
  void rewind() override { position_ = 0; }
  // Bytes taken so far (those put back not counted).
  std::size_t Position() const { return position_; }

 private:
  std::string_view buffer_;
  std::size_t position_ = 0;
};

}  // namespace vx
