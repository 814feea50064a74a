// The catalogue records of a checklist load's candidates, read on a thread of their own while the
// load ends and the user looks at its confirmation, for the commit that usually follows. The read
// can be stopped: a discarded load, a new one or the store's end stops it at its next row.
#pragma once

#include <atomic>
#include <functional>
#include <optional>
#include <thread>
#include <unordered_map>

#include "data/CircleRecord.h"

namespace vx {

class CircleReadAhead {
 public:
  using Records = std::unordered_map<int, CircleRecord>;
  // Fills `records`; looks at `stop` between rows and ends when it is set. True when it read
  // every record it was asked for.
  using Read = std::function<bool(const std::atomic<bool>& stop, Records& records)>;

  CircleReadAhead() = default;
  CircleReadAhead(const CircleReadAhead&) = delete;
  CircleReadAhead& operator=(const CircleReadAhead&) = delete;
  ~CircleReadAhead() { Stop(); }

  // Starts `read` on its thread, after stopping one that runs. When no thread can be had nothing
  // is read ahead.
  void Start(Read read);
  // Records read already, without a thread: Take hands them over as it would a read's.
  void Keep(Records records);
  // Waits for the read and hands over its records when it read them all; nothing when it was
  // stopped, failed or never started (the caller reads them itself then).
  std::optional<Records> Take();
  // Stops a running read at its next row and waits for it; what it read is dropped.
  void Stop();

 private:
  std::atomic<bool> stop_{false};
  std::thread thread_;
  bool whole_ = false;  // written by the thread, read after the join
  bool kept_ = false;   // records_ came by Keep
  Records records_;
};

}  // namespace vx
