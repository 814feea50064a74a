// What the search progress runs: a count of the matching circles, then the circles themselves,
// on the worker thread, stoppable from the UI thread.
#pragma once

#include <functional>
#include <string>

#include "data/CircleRecord.h"

namespace vx {

class CircleSearch {
 public:
  // Receives each circle as a value of its own, on the thread that runs the search.
  using RowSink = std::function<void(CircleRecord&&)>;
  static constexpr int kStoppedByCancel = 4;  // what Run answers after a cancel

  virtual ~CircleSearch() = default;
  // The number of matching circles; negative when the search failed.
  virtual int CountMatches() = 0;
  // Hands every matching circle to `sink`: 0 done, 4 stopped by Cancel, anything else failed.
  virtual int Run(const RowSink& sink) = 0;
  // Any thread: stops the count or the rows in progress, or the Run that follows.
  virtual void Cancel() = 0;
  // Drops a cancel that no search has taken, so that it cannot stop a later one.
  virtual void ForgetCancel() = 0;
  // What went wrong in the last failed search ("" when unknown), CP932.
  virtual std::string LastError() const { return {}; }
};

}  // namespace vx
