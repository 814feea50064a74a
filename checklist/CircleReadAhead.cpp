#include "checklist/CircleReadAhead.h"

#include <new>
#include <system_error>
#include <utility>

namespace vx {

void CircleReadAhead::Start(Read read) {
  Stop();
  stop_ = false;
  whole_ = false;
  records_.clear();
  try {
    thread_ = std::thread([this, read = std::move(read)] {
      // Memory running out here must not end the program: the commit reads the records itself.
      try {
        whole_ = read(stop_, records_);
      } catch (const std::bad_alloc&) {
        whole_ = false;
      }
    });
  } catch (const std::system_error&) {
    // No thread: the commit reads the records itself.
  }
}

void CircleReadAhead::Keep(Records records) {
  Stop();
  records_ = std::move(records);
  kept_ = true;
}

std::optional<CircleReadAhead::Records> CircleReadAhead::Take() {
  if (std::exchange(kept_, false)) return std::exchange(records_, {});
  if (!thread_.joinable()) return std::nullopt;
  thread_.join();
  if (!whole_) return std::nullopt;
  return std::exchange(records_, {});
}

void CircleReadAhead::Stop() {
  if (std::exchange(kept_, false)) records_.clear();
  if (!thread_.joinable()) return;
  stop_ = true;
  thread_.join();
  records_.clear();
}

}  // namespace vx
