// Reads a block of bytes held by the caller (an inflated archive entry).
#pragma once

#include <string_view>

#include "data/images/Reader.h"

namespace vx {

class OctetReader : public Reader {
 public:
  // `bytes` must outlive the reader.
  explicit OctetReader(std::string_view bytes) : bytes_(bytes) {}

  std::size_t Read(void* buffer, std::size_t count) override;
  std::size_t Position() const { return position_; }

 private:
  std::string_view bytes_;
  std::size_t position_ = 0;
};

}  // namespace vx
