// The back and forward list of visited places. Moving within one page replaces the newest entry;
// moving to another page adds one and drops everything that lay ahead. No upper bound.
#pragma once

#include <optional>
#include <vector>

#include "app/HistoryEntry.h"

namespace vx {

class PageHistory {
 public:
  // Records the place the user is at now.
  void Record(const HistoryEntry& place);
  // The entry one step back (or forward), which becomes the current index; nothing at either end.
  std::optional<HistoryEntry> StepBack();
  std::optional<HistoryEntry> StepForward();
  void Clear();

  bool IsEmpty() const { return entries_.empty(); }
  const std::vector<HistoryEntry>& Entries() const { return entries_; }
  int Index() const { return index_; }

 private:
  std::vector<HistoryEntry> entries_;
  int index_ = 0;
};

}  // namespace vx
