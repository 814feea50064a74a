// Page counts of a document run per group of pages: [day][group]. The list documents count in
// [0][0] (no grouping), [d][0] (per day) or [d][h] (per day and hall entry); the map documents in
// [d][g], g 1..7 the day's hall groups and 7 + k its hall entry k.
#pragma once

#include <array>

namespace vx {

class PrintGroupPages {
 public:
  static constexpr int kDays = 8;
  static constexpr int kGroups = 24;

  // Out-of-range indices share one spare counter, so that a bad group never writes elsewhere.
  int& At(int day, int group) {
    if (day < 0 || day >= kDays || group < 0 || group >= kGroups) return spare_;
    return pages_[static_cast<std::size_t>(day)][static_cast<std::size_t>(group)];
  }
  int At(int day, int group) const { return const_cast<PrintGroupPages&>(*this).At(day, group); }
  void Clear() { *this = PrintGroupPages{}; }

 private:
  std::array<std::array<int, kGroups>, kDays> pages_{};
  int spare_ = 0;
};

}  // namespace vx
