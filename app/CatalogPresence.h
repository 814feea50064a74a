// Whether a database holds a catalogue to show: open, sound, with circles of its event. Without
// one the program offers nothing that needs a catalogue and opens no checklist.
#pragma once

#include "data/PavorunDatabase.h"

namespace vx {

inline bool HasCatalogToShow(const PavorunDatabase* database) {
  return database && database->IsOpen() && !database->IsDamaged() && database->GetMaxCircleId() > 0;
}

}  // namespace vx
