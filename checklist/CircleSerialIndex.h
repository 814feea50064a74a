// The current event's circles by update id, the serial that checklist records of the same event
// name them by: read with one query when first asked, since a checklist of a whole catalogue
// would otherwise ask the database once per record. Cleared before each read, as the catalogue
// may have changed in between.
#pragma once

#include <unordered_map>

namespace vx {

class PavorunDatabase;

class CircleSerialIndex {
 public:
  void Clear();
  // The circle with the serial (the last in the table where several share it); 0 for none. When
  // the event's circles cannot be read at once, each serial is looked up on its own.
  int Find(PavorunDatabase& database, int serial);

 private:
  bool Build(PavorunDatabase& database);

  std::unordered_map<int, int> ids_;
  enum class State { kEmpty, kBuilt, kFailed } state_ = State::kEmpty;
};

}  // namespace vx
