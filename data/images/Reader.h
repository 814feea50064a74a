// A byte source for the picture decoder: a file or an archive entry already in memory.
#pragma once

#include <cstddef>

namespace vx {

class Reader {
 public:
  virtual ~Reader() = default;
  // Fills `buffer` with up to `count` bytes; answers how many it gave (0 at the end or on error).
  virtual std::size_t Read(void* buffer, std::size_t count) = 0;
};

}  // namespace vx
