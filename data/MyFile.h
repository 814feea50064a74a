// A byte source over a stdio stream that its user opened ("rb") and will close.
#pragma once

#include "data/IFile.h"

#include <cstdio>

namespace vx {

class MyFile : public IFile {
 public:
  explicit MyFile(std::FILE* stream) : stream_(stream) {}

  int getc() override;
  void ungetc(int c) override;
  bool eof() override;
  void rewind() override;

 private:
  std::FILE* stream_;
};

}  // namespace vx
