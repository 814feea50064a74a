#include "app/PageHistory.h"

namespace vx {

void PageHistory::Record(const HistoryEntry& place) {
  if (entries_.empty()) {
    entries_.push_back(place);
    index_ = 0;
    return;
  }
  const HistoryEntry& atIndex = entries_[static_cast<std::size_t>(index_)];
  if (atIndex.circleId == place.circleId) return;
  if (atIndex.pageNo != place.pageNo) ++index_;
  entries_.resize(static_cast<std::size_t>(index_) + 1);
  entries_[static_cast<std::size_t>(index_)] = place;
}

std::optional<HistoryEntry> PageHistory::StepBack() {
  if (entries_.empty() || index_ <= 0) return std::nullopt;
  --index_;
  return entries_[static_cast<std::size_t>(index_)];
}

std::optional<HistoryEntry> PageHistory::StepForward() {
  if (index_ + 1 >= static_cast<int>(entries_.size())) return std::nullopt;
  ++index_;
  return entries_[static_cast<std::size_t>(index_)];
}

void PageHistory::Clear() {
  entries_.clear();
  index_ = 0;
}

}  // namespace vx
