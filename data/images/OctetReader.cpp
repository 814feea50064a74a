#include "data/images/OctetReader.h"

#include <algorithm>
#include <cstring>

namespace vx {

std::size_t OctetReader::Read(void* buffer, std::size_t count) {
  const std::size_t n = std::min(count, bytes_.size() - position_);
  if (n > 0) std::memcpy(buffer, bytes_.data() + position_, n);
  position_ += n;
  return n;
}

}  // namespace vx
