// What a checklist file held when this program last read or wrote it: enough to tell that someone
// else (another program, or this one on another display) has written it since. Stamps compare
// within one run only.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

namespace vx {

struct ChecklistFileStamp {
  std::uint64_t size = 0;
  std::size_t hash = 0;

  static ChecklistFileStamp Of(std::string_view bytes) {
    return {bytes.size(), std::hash<std::string_view>{}(bytes)};
  }
  friend bool operator==(const ChecklistFileStamp&, const ChecklistFileStamp&) = default;
};

}  // namespace vx
