#include "data/MyFile2.h"

namespace vx {

int MyFile2::getc() {
  if (position_ >= buffer_.size()) return kEnd;
  return static_cast<unsigned char>(buffer_[position_++]);
}

void MyFile2::ungetc(int) {
  if (position_ > 0) --position_;
}

}  // namespace vx
